// The table of built-in pictures that the executable registers at start-up, and lookup by
// resource number. Decoding a picture is the image buffers' business.
#include "platform/resources.h"

namespace platform {
namespace {
const Resource* gTable = nullptr;
size_t gCount = 0;
}  // namespace

void registerResources(const Resource* table, size_t count) {
    gTable = table;
    gCount = count;
}

const Resource* findResource(int id) {
    for (size_t i = 0; i < gCount; ++i)
        if (gTable[i].id == id) return &gTable[i];
    return nullptr;
}

}  // namespace platform
