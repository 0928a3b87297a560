// A file beside the program, else in the current folder. The folder the zip was unpacked into
// may be named in any language ("C:\Users\Jürgen\Downloads"): paths are Windows's own UTF-16.
#include "platform/host/windows/system.h"


#include "platform/host/host.h"
#include "platform/host/read_file.h"

namespace {

bool ReadWhole(const std::wstring& path, std::vector<uint8_t>* bytes) {
    return ReadAndClose(_wfopen(path.c_str(), L"rb"), bytes);
}

std::wstring ProgramDir() {
    std::wstring path(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return {};
    path.resize(n);
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash + 1);
}

} // namespace

bool HostReadFile(const char* name, std::vector<uint8_t>* bytes) {
    std::wstring file = Wide(name);
    if (file.empty()) return false;
    std::wstring dir = ProgramDir();
    return (!dir.empty() && ReadWhole(dir + file, bytes)) || ReadWhole(file, bytes);
}
