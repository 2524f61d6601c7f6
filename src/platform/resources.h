// The program's built-in pictures, looked up by their resource numbers (110 splash,
// 121..123 keyboards, 124 control sprites, 125 command panel, 127 font, 128 small sprites).
// The executable registers the table that the asset generator compiled into it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct Resource {
    int id;
    const uint8_t* data;  // GIF file bytes
    size_t size;          // bytes
};

// Makes `count` resources available; the table must outlive every lookup.
void registerResources(const Resource* table, size_t count);

// The resource with number `id`, or null when there is none.
const Resource* findResource(int id);

}  // namespace platform
