// Keys, focus and the game's sleep on the web host. The browser's events become the game's
// window messages; between two frames the game sleeps in the browser's event loop, so the tab
// stays responsive and an idle game costs next to nothing.
#include <emscripten/html5.h>

#include <cstring>

#include "platform/host/input_state.h"
#include "platform/host/web/web.h"

// The page's side, in events.js.
extern "C" {
int PageHasFocus();
// The game's sleep, in the browser's event loop: until shortly before the page's clock reads
// `due`, or the next message.
void SleepUntilWoken(double due);
// The game's busy time runs from here to the next sleep.
void SliceStarts();
void Wake();
}

namespace {

struct KeyCode {
    const char* code;
    int vk;
};

constexpr KeyCode NamedKeys[] = {
    {"Backspace", VK_BACK},
    {"Tab", VK_TAB},
    {"Enter", VK_RETURN},
    {"NumpadEnter", VK_RETURN},
    {"ShiftLeft", VK_SHIFT},
    {"ShiftRight", VK_SHIFT},
    {"ControlLeft", VK_CONTROL},
    {"ControlRight", VK_CONTROL},
    {"AltLeft", VK_MENU},
    {"AltRight", VK_MENU},
    {"Pause", VK_PAUSE},
    {"CapsLock", VK_CAPITAL},
    {"Escape", VK_ESCAPE},
    {"Space", VK_SPACE},
    {"PageUp", VK_PRIOR},
    {"PageDown", VK_NEXT},
    {"End", VK_END},
    {"Home", VK_HOME},
    {"ArrowLeft", VK_LEFT},
    {"ArrowUp", VK_UP},
    {"ArrowRight", VK_RIGHT},
    {"ArrowDown", VK_DOWN},
    {"PrintScreen", VK_SNAPSHOT},
    {"Insert", VK_INSERT},
    {"Delete", VK_DELETE},
    {"Numpad0", VK_NUMPAD0},
    {"NumpadMultiply", VK_MULTIPLY},
    {"NumpadAdd", VK_ADD},
    {"NumpadSubtract", VK_SUBTRACT},
    {"NumpadDecimal", VK_DECIMAL},
    {"NumpadDivide", VK_DIVIDE},
};

// The old virtual-key code of a key by its place on the keyboard, 0 for one it did not name.
int VirtualKey(const char* code) {
    size_t n = std::strlen(code);
    if (n == 4 && std::strncmp(code, "Key", 3) == 0) return code[3];
    if (n == 6 && std::strncmp(code, "Digit", 5) == 0) return code[5];
    if (n == 7 && std::strncmp(code, "Numpad", 6) == 0 && code[6] >= '1' && code[6] <= '9')
        return VK_NUMPAD0 + (code[6] - '0');
    if ((n == 2 || n == 3) && code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
        int f = n == 2 ? code[1] - '0' : (code[1] - '0') * 10 + code[2] - '0';
        if (f >= 1 && f <= 12) return VK_F1 + f - 1;
    }
    for (const KeyCode& k : NamedKeys)
        if (std::strcmp(k.code, code) == 0) return k.vk;
    return 0;
}

// The keys the game answers to keep the browser's own meaning away: F1 opens no help, the
// arrows scroll nothing.
bool GameKey(int vk) {
    switch (vk) {
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_PAUSE:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_F1:
    case VK_F2:
    case VK_F3:
        return true;
    default:
        return false;
    }
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* e, void*) {
    ResumeSound();
    // Every key is a press, one the old keyboard did not name too (it ends a pause); held keys
    // repeat as presses, as the old key messages did.
    int vk = VirtualKey(e->code);
    NoteKeyHeld(vk, true);
    if (NoteKeyPress(vk, e->altKey, e->ctrlKey)) Wake();
    return GameKey(vk);
}

EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* e, void*) {
    int vk = VirtualKey(e->code);
    NoteKeyHeld(vk, false);
    return GameKey(vk);
}

EM_BOOL OnFocus(int, const EmscriptenFocusEvent*, void*) {
    NoteFocusGained();
    return false;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    // Keys let go while the page was away would stay held for ever.
    ForgetHeldKeys();
    if (NoteFocusLost()) Wake();
    return false;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    if (e->hidden && NoteFocusLost()) Wake();
    return false;
}

// The page going away is the window closing; the game gets no say in it.
const char* OnLeave(int, const void*, void*) {
    PostEvent(HostWindowClosed, 0);
    return nullptr;
}

} // namespace


void ListenForEvents() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, true, OnKeyDown);
    emscripten_set_keyup_callback(window, nullptr, true, OnKeyUp);
    // The window's own focus only: caught on the way down, a button's focus moving would look
    // like the player switching away.
    emscripten_set_focus_callback(window, nullptr, false, OnFocus);
    emscripten_set_blur_callback(window, nullptr, false, OnBlur);
    emscripten_set_visibilitychange_callback(nullptr, true, OnVisibility);
    emscripten_set_beforeunload_callback(nullptr, OnLeave);
    if (PageHasFocus()) NoteFocusGained();
}

void PostEvent(HostEventKind kind, int key) {
    QueueEvent(kind, key);
    Wake();
}

bool HostTakeEvent(HostEvent* event) {
    return TakeQueuedEvent(event);
}

void HostWaitEvent(uint32_t until) {
    if (EventWaiting() || GetTickCount() >= until) return;
    SleepUntilWoken(PageTimeAt(until));
    // The last stretch is waited out here, at once: given back to the event loop, it would let
    // the page's drawing or an input event start first, and waking the game from a sleep takes
    // time of its own, which on a slow phone is more than a millisecond.
    while (!EventWaiting() && GetTickCount() < until) {
    }
    SliceStarts();
}

bool HostKeyDown(int vk) {
    return LookAtKey(vk, KeyHeld(vk));
}
