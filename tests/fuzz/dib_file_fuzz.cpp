// Any bytes as the title picture on disk, one picture or two loaded one over the other; what
// each load leaves is checked and drawn. The file lives in memory, so no run waits on a disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/dib_check.h"

namespace {

// A memory file under a name any open call takes, refilled for every picture.
const char* MemoryFile(int* fd) {
    static std::string name;
    *fd = memfd_create("kestor-fuzz-title", 0);
    if (*fd < 0) fuzz::Expect(false, "a memory file");
    name = "/proc/self/fd/" + std::to_string(*fd);
    return name.c_str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int fd;
    static const char* name = MemoryFile(&fd);
    fuzz::LoadEachPicture(data, size, fuzz::Loader::File, [](Dib& dib, const uint8_t* p, size_t n) {
        bool written =
            ftruncate(fd, 0) == 0 && (n == 0 || pwrite(fd, p, n, 0) == static_cast<ssize_t>(n));
        fuzz::Expect(written, "the picture in the memory file");
        return dib.LoadFile(name) != 0;
    });
    return 0;
}
