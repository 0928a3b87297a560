#include "players/objects.h"

#include "app/flow.h"
#include "app/lists.h"
#include "enemies/enemies.h"
#include "platform/display.h"
#include "platform/host/host.h"
#include "platform/sound.h"
#include "players/swatters.h"

SpriteObject* ObjectHead = nullptr;
SpriteObject* ObjectTail = nullptr;

namespace {

// A swat on an item collects it; returns 1 when it did (the item is then removed and `object`
// moves on to the one that followed it).
int Collect(SpriteObject*& object, int player) {
    switch (object->type) {
    case PowerUpItem:
        PowerUp(player);
        object = RemoveObject(object);
        PlayCue(125);
        return 1;
    case BombItem:
        StunEnemies(Flying);
        StunEnemies(Flashing);
        object = RemoveObject(object);
        PlayCue(122);
        return 1;
    case RescueItem:
        DamageCount -= StunEnemies(Eating);
        if (DamageCount < 3) DishState = 0;
        object = RemoveObject(object);
        PlayCue(122);
        return 1;
    default:
        return 0;
    }
}

bool Swats(const SpriteObject* object, int player) {
    return SwatActive[player] && InStrikeArea(object, player);
}

} // namespace

SpriteObject* AddObject() {
    return AppendNode(ObjectHead, ObjectTail);
}

SpriteObject* AddObjectAt(int type, int x, int y, uint32_t now) {
    SpriteObject* object = AddObject();
    if (!object) return nullptr;
    object->type = type;
    object->x = x;
    object->y = y;
    object->frameTick = now;
    return object;
}

SpriteObject* RemoveObject(SpriteObject* object) {
    return RemoveNode(ObjectHead, ObjectTail, object);
}

void ClearObjects() {
    ClearNodes(ObjectHead, ObjectTail);
}

void UpdateObjects() {
    for (SpriteObject* o = ObjectHead; o;) {
        if (Swats(o, 0) && Collect(o, 0)) continue;
        if (TwoPlayer && Swats(o, 1) && Collect(o, 1)) continue;
        if (o->type <= RescueItem) {
            o->y += 6;
            if (o->y > 480) {
                o = RemoveObject(o);
                continue;
            }
        } else if (o->type <= PoweredSwatMark2 && o->frame == AnimInfo[o->type].frames - 1) {
            o = RemoveObject(o);
            continue;
        }
        o = o->next;
    }
}

void DrawObjects() {
    const uint32_t now = GetTickCount();
    for (SpriteObject* o = ObjectHead; o; o = o->next) {
        const AnimRow& anim = AnimInfo[o->type];
        if (static_cast<uint32_t>(anim.period) < now - o->frameTick) {
            o->frameTick = now;
            o->frame = (o->frame + 1) % anim.frames;
        }
        int left = anim.sheetX + o->frame * anim.width;
        DrawSprite(o->x, o->y, left, anim.sheetY, left + anim.width, anim.sheetY + anim.height);
    }
}

int InStrikeArea(const SpriteObject* object, int player) {
    const AnimRow& anim = AnimInfo[object->type];
    const Swatter& s = Swatters[player];
    int cx = object->x + anim.width / 2, cy = object->y + anim.height / 2;
    return s.x <= cx && cx < s.x + s.width && s.y <= cy && cy < s.y + s.height - s.handle;
}

int StunEnemies(int state) {
    const uint32_t now = GetTickCount();
    int count = 0;
    // The boss is too big to be stunned by an item, whatever it is doing.
    for (Enemy* e = EnemyHead; e; e = e->next) {
        if (e->state != state || e->kind == Boss) continue;
        e->hitPoints = 0;
        e->state = Stunned;
        e->stateTick = now;
        AddObjectAt(BurstOf(e->kind), e->x, e->y, now);
        ++count;
    }
    return count;
}

int BurstOf(int kind) {
    if (kind == Brood) return SmallBurst;
    if (kind == Carrier) return LargeBurst;
    return MediumBurst;
}

int ObjectCount() {
    int count = 0;
    for (const SpriteObject* o = ObjectHead; o; o = o->next) ++count;
    return count;
}
