#include "platform/host/resources.h"

#include <cstring>

const EmbeddedResource* FindEmbeddedResource(const char* type, int id) {
    for (size_t i = 0; i < EmbeddedResourceCount; ++i)
        if (EmbeddedResources[i].id == id && std::strcmp(EmbeddedResources[i].type, type) == 0)
            return &EmbeddedResources[i];
    return nullptr;
}
