// Touch on the web host: a finger (or a pen) on the picture is player 1's mouse. Where it goes
// down the swatter goes, and swats there at once, as the left button would; a drag carries the
// swatter along; lifting the finger lets the button go. The game still reads counts and the
// button: the counts are the way from where the game says the swatter's mesh stands to the
// finger, so the swatter stays under it whatever the edges or a power-up did to it meanwhile.
#include <emscripten.h>

#include "platform/host/web/web.h"

namespace {

// The mesh as the game last told it, moved by the counts handed out since.
int MeshX, MeshY, MeshWidth, MeshHeight;
// The finger in picture pixels. A touch shorter than a tick is still read once.
int FingerX, FingerY;
bool FingerDown, FingerUnread;

// One finger steers: the first one down, until it lifts. The browser's own use of a touch on the
// picture (scrolling, zooming, the long-press menu, the mouse events it makes up) is refused.
EM_JS(void, ListenForFingers, (), {
    var canvas = Module.kestor.canvas;
    var finger = null;
    var send = function(e, down) {
        var r = canvas.getBoundingClientRect();
        var x = Math.floor((e.clientX - r.left) * 640 / r.width);
        var y = Math.floor((e.clientY - r.top) * 480 / r.height);
        _KestorFinger(Math.min(639, Math.max(0, x)), Math.min(479, Math.max(0, y)), down);
    };
    canvas.addEventListener(
        "pointerdown", function(e) {
            if (e.pointerType == "mouse" || finger != null) return;
            finger = e.pointerId;
            canvas.setPointerCapture(finger);
            send(e, 1);
        });
    canvas.addEventListener(
        "pointermove", function(e) {
            if (e.pointerId == finger) send(e, 1);
        });
    var lift = function(e) {
        if (e.pointerId != finger) return;
        finger = null;
        send(e, 0);
    };
    canvas.addEventListener("pointerup", lift);
    canvas.addEventListener("pointercancel", lift);
    [ "touchstart", "touchmove", "touchend" ].forEach(function(type) {
        canvas.addEventListener(type, function(e) { e.preventDefault(); }, {passive : false});
    });
    // Browsers count the end of a touch as the player's gesture, not its start: a touch anywhere
    // on the page, the control keys' too, lets the sound start.
    document.addEventListener(
        "pointerup",
        function(e) {
            if (e.pointerType != "mouse") _KestorResumeSound();
        },
        true);
});

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
