// The compiled-in resources as the real hosts, the desktop's and the page's, hand them out; the
// headless host has its own, which can also pretend that one is missing.
#include "platform/host/host.h"
#include "platform/host/resources.h"

bool HostFindResource(const char* type, int id, const uint8_t** bytes, size_t* size) {
    const EmbeddedResource* r = FindEmbeddedResource(type, id);
    if (!r) return false;
    *bytes = r->bytes;
    *size = r->size;
    return true;
}
