// Any bytes handed to the sheet loader, one picture or two loaded one over the other; what each
// load leaves is checked and drawn.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/dib_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Dib dib; // one Dib for the whole campaign: its blocks are reused, not reallocated
    static fuzz::Before before;
    dib.Create(64, 48); // every input starts from the same blank picture
    size_t first = fuzz::FirstPictureBytes(data, size);
    for (auto [p, n] : {std::pair{data, first}, std::pair{data + first, size - first}}) {
        if (p != data && n == 0) break;
        fuzz::Remember(dib, &before);
        bool ok = dib.LoadResource(p, n);
        fuzz::CheckLoad(dib, before, p, n, ok, fuzz::Loader::Resource);
        fuzz::DrawCorners(dib);
    }
    return 0;
}
