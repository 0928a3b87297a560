// The resources the build compiles into the program (made by tools/embed).
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedResource {
    const char* type;
    int id;
    const uint8_t* bytes;
    size_t size;
};

extern const EmbeddedResource EmbeddedResources[];
extern const size_t EmbeddedResourceCount;

const EmbeddedResource* FindEmbeddedResource(const char* type, int id);
