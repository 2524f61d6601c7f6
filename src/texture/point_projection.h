// Where a geographic point lands on the screen in the current view, with whether it is seen:
// on the globe's front hemisphere, or inside the flat map's band and the screen. The sphere
// uses the same table arithmetic as the globe renderer, so overlays sit on their texels.
#pragma once

#include <cstdint>

struct ScreenPoint {
    int32_t x;  // pixels
    int32_t y;  // pixels
};

// Projects (lat, lon), radians north and east positive, in the current view. The position is
// written also when the point is not visible (false). Without a map the flat view has no
// geometry: (0, 0), not visible. Needs the trigonometric tables. A point asked for again in
// the same view and on the same screen is answered from memory.
bool projectPoint(double lat, double lon, ScreenPoint* out);

// The spherical half of projectPoint on angle units: latUnits = trunc(lat × −32768/π),
// lonUnits = trunc((lon + π) × 32768/π).
bool projectSphereUnits(int32_t latUnits, int32_t lonUnits, ScreenPoint* out);
