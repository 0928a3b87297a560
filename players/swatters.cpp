#include "players/swatters.h"

#include "app/flow.h"
#include "platform/host/host.h"
#include "platform/sound.h"
#include "players/input.h"
#include "players/objects.h"

Swatter Swatters[2] = {};
int SwatActive[2] = {};
int TriggerArmed[2] = {};

namespace {

// The swing cycle shared by both players; `fireDown` is this frame's fire control.
void SwingStep(int player, bool fireDown, uint32_t now) {
    Swatter& s = Swatters[player];
    switch (s.swingState) {
    case Ready:
        if (fireDown && TriggerArmed[player] == 1) {
            s.swingStart = now;
            s.swingState = Swinging;
            SwatActive[player] = 1;
            TriggerArmed[player] = 0;
            bool powered = s.width == 96;
            int type = player == 0 ? (powered ? PoweredSwatMark1 : SwatMark1)
                                   : (powered ? PoweredSwatMark2 : SwatMark2);
            AddObjectAt(type, s.x, s.y, now);
            PlayCue(105);
        }
        break;
    case Swinging:
        if (now - s.swingStart >= 80) {
            s.swingState = Recovering;
            s.swingStart = now;
        }
        SwatActive[player] = 0;
        break;
    case Recovering:
        s.swingState = Ready;
        break;
    default:
        break;
    }
}

void EndPowerUp(int player, uint32_t now) {
    Swatter& s = Swatters[player];
    if (s.width == 96 && now - s.powerStart >= 10000) {
        s.picture = NormalPicture[player];
        s.width = 64;
        s.height = 48;
        s.handle = 8;
    }
}

// Moving in a direction clamps only that side, so a grown swatter may stand past the
// other edge until it moves that way.
void StepLeft(Swatter& s, int step) {
    s.x -= step;
    if (s.x <= 0) s.x = 0;
}
void StepRight(Swatter& s, int step) {
    s.x += step;
    if (s.x >= 640 - s.width) s.x = 640 - s.width;
}
void StepUp(Swatter& s, int step) {
    s.y -= step;
    if (s.y <= 0) s.y = 0;
}
void StepDown(Swatter& s, int step) {
    s.y += step;
    if (s.y >= 480 - s.height) s.y = 480 - s.height;
}

void DrawSwatter(const Swatter& s) {
    Rect r = s.picture;
    int shift = s.swingState == Swinging ? s.width : 0;
    DrawSprite(s.x, s.y, r.left + shift, r.top, r.right + shift, r.bottom);
}

} // namespace

void PlaceSwatter(int player, int x, int y) {
    Swatter& s = Swatters[player];
    s.swingState = Ready;
    s.picture = NormalPicture[player];
    s.width = 64;
    s.height = 48;
    s.handle = 8;
    s.x = x;
    s.y = y;
}

void UpdatePlayer1() {
    Swatter& s = Swatters[0];
    HostSwatterAt(s.x, s.y, s.width, s.height - s.handle);
    int dx, dy;
    DIGetMousePos(&dx, &dy);
    s.x += dx;
    if (s.x >= 640 - s.width)
        s.x = 640 - s.width;
    else if (s.x <= 0)
        s.x = 0;
    s.y += dy;
    if (s.y >= 480 - s.height)
        s.y = 480 - s.height;
    else if (s.y <= 0)
        s.y = 0;
    uint32_t now = GetTickCount();
    SwingStep(0, s.swingState == Ready && DIGetLButton() == 1, now);
    EndPowerUp(0, now);
    if (!DIGetLButton()) TriggerArmed[0] = 1;
}

void UpdatePlayer2() {
    if (!TwoPlayer) return;
    Swatter& s = Swatters[1];
    if (JoystickPresent == 1) {
        JoyGetState(&JoystickReading);
        int step = JoystickReading.button2 == 1 ? 24 : 8;
        if (JoystickReading.dirX == 1)
            StepLeft(s, step);
        else if (JoystickReading.dirX == 2)
            StepRight(s, step);
        if (JoystickReading.dirY == 1)
            StepUp(s, step);
        else if (JoystickReading.dirY == 2)
            StepDown(s, step);
    }
    int step = KeyDown(VK_SHIFT) ? 24 : 8;
    if (KeyDown(VK_LEFT))
        StepLeft(s, step);
    else if (KeyDown(VK_RIGHT))
        StepRight(s, step);
    if (KeyDown(VK_UP))
        StepUp(s, step);
    else if (KeyDown(VK_DOWN))
        StepDown(s, step);
    uint32_t now = GetTickCount();
    bool stick = JoystickPresent == 1 && JoystickReading.button1 == 1;
    if (s.swingState == Ready)
        SwingStep(1, stick || KeyDown(VK_CONTROL), now);
    else
        SwingStep(1, false, now);
    EndPowerUp(1, now);
    bool stickUp = JoystickPresent != 1 || JoystickReading.button1 == 0;
    if (stickUp && !KeyDown(VK_CONTROL)) TriggerArmed[1] = 1;
}

void DrawPlayers() {
    DrawSwatter(Swatters[0]);
    if (TwoPlayer) DrawSwatter(Swatters[1]);
}

void PowerUp(int player) {
    Swatter& s = Swatters[player];
    s.picture = PoweredPicture[player];
    s.width = 96;
    s.height = 72;
    s.handle = 12;
    s.powerStart = GetTickCount();
}
