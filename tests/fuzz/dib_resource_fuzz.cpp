// Any bytes handed to the sheet loader, one picture or two loaded one over the other; what each
// load leaves is checked and drawn.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/dib_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::LoadEachPicture(
        data, size, fuzz::Loader::Resource,
        [](Dib& dib, const uint8_t* p, size_t n) { return dib.LoadResource(p, n) != 0; });
    return 0;
}
