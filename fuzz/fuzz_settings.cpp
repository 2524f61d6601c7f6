// Fuzzes the settings reader: any bytes parse without fault, and whatever they gave survives
// being written out and read again unchanged (so the writer's quoting covers every name the
// reader can accept).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxSettingsBytes) return 0;  // the loader ignores bigger files whole
    Options first;
    parseSettings(data, size, &first);
    std::string text = formatSettings(first, first.routeFileName);
    Options second;
    parseSettings(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &second);
    if (!(first == second)) std::abort();
    return 0;
}
