// Any bytes as the title picture on disk: loaded, drawn, its colours made a palette.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/kestor-fuzz-title-" + std::to_string(getpid()) + ".bmp";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    Dib dib;
    dib.LoadFile(path.c_str());
    std::vector<uint8_t> screen(640 * 480);
    dib.Draw(screen.data(), 640, 640, 480, 0, 0);
    return 0;
}
