// The SDL host's rig for the contract on Windows: keys and the mouse come through the system's
// input queue (SendInput), as a player's would; a window of the rig's own takes the focus; the
// close button is the system menu's Close. The joystick and the sound device are SDL's own
// (sdl/contract/rig.cpp).
#include "platform/host/windows/system.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/host/contract/rig.h"
#include "platform/host/host.h"
#include "platform/host/sdl/contract/rig.h"
#include "platform/host/sdl/window.h"

namespace {

// The virtual key of an X keysym name, and whether the key sits in the extended block (the
// arrows, the keypad's Enter), where it has a scan code of its own.
struct Key {
    WORD vk;
    bool extended;
};

Key KeyOf(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return {static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0]))), false};
    for (const RigKeyName& k : RigKeys)
        if (name == k.name) {
            bool extended = name == "KP_Enter" || name == "Left" || name == "Up" ||
                            name == "Right" || name == "Down";
            WORD vk = static_cast<WORD>(k.vk);
            if (name == "Shift_L") vk = VK_LSHIFT;
            if (name == "Control_L") vk = VK_LCONTROL;
            if (name == "Alt_L") vk = VK_LMENU;
            return {vk, extended};
        }
    return {0, false};
}

void Send(Key key, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key.vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key.vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (key.extended ? KEYEVENTF_EXTENDEDKEY : 0) | (down ? 0 : KEYEVENTF_KEYUP);
    SendInput(1, &in, sizeof in);
}

HWND GameHwnd() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!GameWindow() || !SDL_GetWindowWMInfo(GameWindow(), &info)) return nullptr;
    return info.info.win.window;
}

// Wine's priority classes are the system's names only: its threads stay in the Linux
// scheduler's normal class.
bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

} // namespace

void SetEnvironment(const char* name, const char* value) {
    _putenv_s(name, value);
}

bool RigStart(std::string* why) {
    // The rig's motion is a device's counts: SendInput's relative moves are sped up by the
    // pointer's acceleration, which is switched off for this session (not saved).
    int noAcceleration[3] = {0, 0, 0};
    SystemParametersInfoW(SPI_SETMOUSE, 0, noAcceleration, 0);
    wchar_t temp[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) return *why = "no folder for temporary files", false;
    char folder[4 * MAX_PATH];
    if (!WideCharToMultiByte(CP_UTF8, 0, temp, -1, folder, sizeof folder, nullptr, nullptr))
        return *why = "the temporary folder's name can't be had in UTF-8", false;
    // Each test has a device file of its own, so the mix it reads is its own.
    ListenThroughDiskDriver(std::string(folder) + "kestor-contract-" +
                            std::to_string(GetCurrentProcessId()) + ".raw");
    return true;
}

void RigKey(const char* chord) {
    std::vector<Key> held;
    for (const std::string& name : ChordKeys(chord)) {
        held.push_back(KeyOf(name));
        Send(held.back(), true);
    }
    for (auto k = held.rbegin(); k != held.rend(); ++k) Send(*k, false);
}

void RigHoldKey(const char* name, bool down) {
    Send(KeyOf(name), down);
}

// A mouse reports at most once a millisecond; SDL takes two equal motions stamped with the
// same millisecond for one event seen twice.
void RigMoveMouse(int dx, int dy) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
    Sleep(2);
}

void RigMouseButton(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}

bool RigTakeFocus() {
    WNDCLASSW other{};
    other.lpfnWndProc = DefWindowProcW;
    other.hInstance = GetModuleHandleW(nullptr);
    other.lpszClassName = L"KestorRigOther";
    RegisterClassW(&other);
    HWND window = CreateWindowExW(0, other.lpszClassName, L"other", WS_POPUP | WS_VISIBLE, 0, 0,
                                  64, 64, nullptr, nullptr, other.hInstance, nullptr);
    return window && SetForegroundWindow(window);
}

bool RigCloseWindow() {
    HWND window = GameHwnd();
    return window && PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Windows keeps no count of a thread's wake-ups that a program can read.
long RigWakeUps() {
    return -1;
}

// Windows gives the real-time class only to an administrator, and the high class instead; only
// the real-time class holds the waits to the millisecond on a busy machine.
bool RigRealTimePriority() {
    return !UnderWine() && SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS) &&
           GetPriorityClass(GetCurrentProcess()) == REALTIME_PRIORITY_CLASS;
}

// SDL names its audio threads "SDLAudio..." with the system's thread descriptions (Windows 10
// on, looked up as such); the subsystem itself may hold more.
bool RigAudioRunning(bool* running) {
    using Describe = HRESULT(WINAPI*)(HANDLE, PWSTR*);
    auto describe = reinterpret_cast<Describe>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetThreadDescription")));
    if (!describe) return false;
    HANDLE threads = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (threads == INVALID_HANDLE_VALUE) return false;
    *running = SDL_WasInit(SDL_INIT_AUDIO) != 0;
    THREADENTRY32 t{};
    t.dwSize = sizeof t;
    for (BOOL more = Thread32First(threads, &t); more; more = Thread32Next(threads, &t)) {
        if (t.th32OwnerProcessID != GetCurrentProcessId()) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, t.th32ThreadID);
        PWSTR name = nullptr;
        if (thread && SUCCEEDED(describe(thread, &name)) && name) {
            *running = *running || std::wcsncmp(name, L"SDLAudio", 8) == 0;
            LocalFree(name);
        }
        if (thread) CloseHandle(thread);
    }
    CloseHandle(threads);
    return true;
}
