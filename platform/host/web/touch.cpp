// Touch on the web host: a finger (or a pen) on the picture is player 1's mouse. Where it goes
// down the swatter goes, and swats there at once, as the left button would; a drag carries the
// swatter along; lifting the finger lets the button go. The game still reads counts and the
// button: the counts are the way from where the game says the swatter's mesh stands to the
// finger, so the swatter stays under it whatever the edges or a power-up did to it meanwhile.
#include <emscripten.h>

#include "platform/host/web/web.h"

// The page's side, in touch.js: the finger's way over the picture, told to KestorFinger.
extern "C" void ListenForFingers();

namespace {

// The mesh as the game last told it, moved by the counts handed out since.
int MeshX, MeshY, MeshWidth, MeshHeight;
// The finger in picture pixels. A touch shorter than a tick is still read once.
int FingerX, FingerY;
bool FingerDown, FingerUnread;

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void KestorFinger(int x, int y, int down) {
    if (down && !FingerDown) PressLeftButton(true);
    if (!down) PressLeftButton(false);
    FingerDown = down != 0;
    FingerX = x;
    FingerY = y;
    FingerUnread = true;
}

void ListenForTouch() {
    static bool listening;
    if (!listening) ListenForFingers();
    listening = true;
}

void AddFingerCounts(int* dx, int* dy) {
    if (!FingerDown && !FingerUnread) return;
    FingerUnread = false;
    int cx = FingerX - (MeshX + MeshWidth / 2), cy = FingerY - (MeshY + MeshHeight / 2);
    *dx += cx;
    *dy += cy;
    MeshX += cx;
    MeshY += cy;
}

void HostSwatterAt(int x, int y, int width, int height) {
    MeshX = x;
    MeshY = y;
    MeshWidth = width;
    MeshHeight = height;
    KeepAwake();
}
