// The reading of a whole file, for the native platforms' file readers, each of which opens the
// file its own way (a UTF-8 path on Linux, a UTF-16 one on Windows).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

// Reads all of an opened file (none: false) and closes it; false on a failed read.
inline bool ReadAndClose(FILE* f, std::vector<uint8_t>* bytes) {
    if (!f) return false;
    bytes->clear();
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->insert(bytes->end(), buf, buf + n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}
