#include <unistd.h>

#include <climits>
#include <string>

#include "platform/host/host.h"
#include "platform/host/read_file.h"

namespace {

bool ReadWhole(const std::string& path, std::vector<uint8_t>* bytes) {
    return ReadAndClose(std::fopen(path.c_str(), "rb"), bytes);
}

std::string ProgramDir() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    std::string dir(path, static_cast<size_t>(n));
    size_t slash = dir.rfind('/');
    return slash == std::string::npos ? std::string{} : dir.substr(0, slash + 1);
}

} // namespace

// Beside the program first (the build's layout), then the current directory, then the data
// folder of an installed game: games/kestor reads share/games/kestor/, as Debian's games do.
bool HostReadFile(const char* name, std::vector<uint8_t>* bytes) {
    std::string dir = ProgramDir();
    if (!dir.empty() && ReadWhole(dir + name, bytes)) return true;
    if (ReadWhole(name, bytes)) return true;
    return !dir.empty() && name[0] != '/' &&
           ReadWhole(dir + "../share/games/kestor/" + name, bytes);
}
