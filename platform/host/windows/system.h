// Windows's own header, for this folder's files. It declares the system's GetTickCount, whose
// 10 to 16 ms steps are not the game's clock (host.h's); that name is moved aside while it is
// read. Its virtual-key macros have the values of the game's own key codes: the game's are
// declared first, so that the macros, coming after, name the same numbers.
#pragma once

#include "platform/host/keys.h"

#define GetTickCount SystemGetTickCount
#include <windows.h>
#undef GetTickCount

#include <string>

// UTF-8, the game's and SDL's text, as Windows's own UTF-16.
inline std::wstring Wide(const char* utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), n);
    wide.pop_back();
    return wide;
}
