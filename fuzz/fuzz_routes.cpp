// Fuzzes the route-file reader: any bytes are read or refused without fault; a file read
// holds at most the allowed points, each within ±90 and ±180 degrees, and a file refused
// leaves no points and says why. Pictures are looked up in a folder that does not exist.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "geo/place.h"
#include "routefiles/route_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    routes::RouteSet set;
    std::string reason;
    const bool read = routes::readRouteText(data, size, "/nonexistent-routes", &set, &reason);
    if (!read && (set.places.count() != 0 || reason.empty())) std::abort();
    if (set.places.count() > routes::kMaxRoutePoints) std::abort();
    for (PtrNode* n = set.places.head(); n; n = n->next) {
        const auto* place = static_cast<const geo::Place*>(n->data);
        if (place->latitude < -5400 || place->latitude > 5400 || place->longitude < -10800 ||
            place->longitude > 10800)
            std::abort();
    }
    return 0;
}
