// A player for kestor-sim: it looks at the game the way a player looks at the screen and
// answers only with input, the same mouse, keys and buttons a script could give.
#include <cstdlib>

#include "app/flow.h"
#include "enemies/enemies.h"
#include "players/objects.h"
#include "players/swatters.h"
#include "tools/sim/sim.h"

namespace {

int Players = 0; // how many swatters the autoplay steers: 0, 1 or 2
bool Pressed[2] = {};

struct Target {
    int x, y; // centre, where the mesh should be
    bool found;
};

int MeshCentreX(const Swatter& s) {
    return s.x + s.width / 2;
}
int MeshCentreY(const Swatter& s) {
    return s.y + (s.height - s.handle) / 2;
}

bool UnderMesh(const Swatter& s, int x, int y) {
    return x >= s.x && x < s.x + s.width && y >= s.y && y < s.y + s.height - s.handle;
}

// The lower on the screen the more urgent, and the boss before all, since its fall clears the
// screen; an item (it falls off the screen) before a fly at the same height, and a falling
// fly to catch only when nothing threatens the dish. Player 2 takes the target player 1 is
// not after.
Target Choose(int player, const Target& taken) {
    Target best = {0, 0, false};
    int bestRank = -1000;
    auto consider = [&](int x, int y, int rank) {
        if (taken.found && std::abs(taken.x - x) < 8 && std::abs(taken.y - y) < 8) return;
        if (y < 0 || y >= 480 || x < 0 || x >= 640) return;
        rank += y; // lower on the screen is more urgent
        if (rank > bestRank) best = {x, y, true}, bestRank = rank;
    };
    for (SpriteObject* o = ObjectHead; o; o = o->next)
        if (o->type <= RescueItem)
            consider(o->x + AnimInfo[o->type].width / 2, o->y + AnimInfo[o->type].height / 2 + 6,
                     150);
    for (Enemy* e = EnemyHead; e; e = e->next) {
        int half = EnemyKinds[e->kind].size / 2;
        if (e->state == Falling)
            consider(e->x + half, e->y + half + 8, -100);
        else if (e->state == Flying)
            consider(e->x + half, e->y + half, e->kind == Boss ? 250 : 100);
    }
    (void)player;
    return best;
}

// Whether the mesh can be over the target after one more move.
bool Reaches(const Swatter& s, const Target& t) {
    return std::abs(t.x - MeshCentreX(s)) <= 96 + s.width / 2 &&
           std::abs(t.y - MeshCentreY(s)) <= 96 + (s.height - s.handle) / 2;
}

bool AnyFlyUnder(const Swatter& s) {
    for (Enemy* e = EnemyHead; e; e = e->next) {
        int half = EnemyKinds[e->kind].size / 2;
        if (e->state == Flying && UnderMesh(s, e->x + half, e->y + half)) return true;
    }
    return false;
}

int Toward(int from, int to, int most) {
    int d = to - from;
    return d > most ? most : d < -most ? -most : d;
}

void SteerPlayer1(const Target& t) {
    const Swatter& s = Swatters[0];
    if (!t.found) {
        HeadlessMouseButton(false);
        Pressed[0] = false;
        return;
    }
    int dx = Toward(MeshCentreX(s), t.x, 96), dy = Toward(MeshCentreY(s), t.y, 96);
    HeadlessMouseMove(dx, dy);
    // Swat when the target will be under the mesh after this move, or, while the target is
    // still out of reach, at any fly passing under it; release in between.
    Swatter moved = s;
    moved.x += dx;
    moved.y += dy;
    bool fire =
        !Pressed[0] && (UnderMesh(moved, t.x, t.y) || (!Reaches(s, t) && AnyFlyUnder(moved)));
    HeadlessMouseButton(fire);
    Pressed[0] = fire;
}

void SteerPlayer2(const Target& t) {
    const Swatter& s = Swatters[1];
    for (int vk : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SHIFT, VK_CONTROL})
        HeadlessHoldKey(vk, false);
    if (!t.found) {
        Pressed[1] = false;
        return;
    }
    int dx = t.x - MeshCentreX(s), dy = t.y - MeshCentreY(s);
    int far = std::abs(dx) > 24 || std::abs(dy) > 24;
    if (far) HeadlessHoldKey(VK_SHIFT, true);
    int step = far ? 24 : 8;
    if (dx <= -step)
        HeadlessHoldKey(VK_LEFT, true);
    else if (dx >= step)
        HeadlessHoldKey(VK_RIGHT, true);
    if (dy <= -step)
        HeadlessHoldKey(VK_UP, true);
    else if (dy >= step)
        HeadlessHoldKey(VK_DOWN, true);
    bool fire = !Pressed[1] && UnderMesh(s, t.x, t.y);
    if (fire) HeadlessHoldKey(VK_CONTROL, true);
    Pressed[1] = fire;
}

} // namespace

void SetAutoplay(int players) {
    Players = players;
    if (players == 0) HeadlessMouseButton(false);
}

// Called after every tick: the input for the next one.
void AutoplayTick() {
    if (Players == 0 || GameMode != Playing || (PlayPhase != Battle && PlayPhase != MissionIntro))
        return;
    Target first = Choose(0, {0, 0, false});
    SteerPlayer1(first);
    if (Players == 2 && TwoPlayer) SteerPlayer2(Choose(1, first));
}
