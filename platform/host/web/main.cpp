// The browser's entry point: the game, then the page that says it has ended.
#include "app/frame.h"

// The page's side, in main.js.
extern "C" void ShowEnded(int code);

int main() {
    int code = KestorMain();
    ShowEnded(code);
    return code;
}
