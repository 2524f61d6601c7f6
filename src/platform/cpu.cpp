// Asks the processor once whether it has AVX2 and keeps the switch that forbids the wide
// copies. Which loops have a wide copy, and picking one, are the texture code's.
#include "platform/cpu.h"

namespace platform {

namespace {

bool gAllowed = true;

bool processorHasWideLanes() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
#else
    return false;
#endif
}

}  // namespace

bool hasWideLanes() {
    static const bool present = processorHasWideLanes();
    return present && gAllowed;
}

void allowWideLanes(bool allow) {
    gAllowed = allow;
}

}  // namespace platform
