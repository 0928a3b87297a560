// Any bytes handed to the sheet loader, and any picture it accepts drawn onto a surface.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Dib dib;
    dib.LoadResource(data, size);
    std::vector<uint8_t> surface(64 * 48);
    dib.Draw(surface.data(), 64, 64, 48, -3, -2);
    dib.Stretch(surface.data(), 64, 64, 48, 5, 5, 100, 90);
    return 0;
}
