// The browser's entry point: the game, then the page that says it has ended.
#include <emscripten.h>

#include "app/frame.h"

namespace {

// The ended page offers to play again; the game has let go of the pointer and the sound.
EM_JS(void, ShowEnded, (int code), {
    if (document.pointerLockElement) document.exitPointerLock();
    if (Module.kestor.audio) Module.kestor.audio.close();
    var ended = Module.kestor.ended;
    if (code != 0)
        ended.querySelector("p").textContent = "It ended with an error (exit code " + code + ").";
    ended.dataset.code = code;
    ended.style.display = "flex";
});

} // namespace

int main() {
    int code = KestorMain();
    ShowEnded(code);
    return code;
}
