#include "platform/host/host.h"
