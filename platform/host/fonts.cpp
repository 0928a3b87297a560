#include "platform/host/host.h"

int HostDotsPerInch() { return 96; }
int HostOpenFace(const char*, int) { return 0; }
bool HostRenderText(int, const char*, std::vector<uint8_t>*, int*, int*) { return false; }
