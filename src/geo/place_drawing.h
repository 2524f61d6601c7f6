// Marking a place on the map: the two-colour square marker, a route place's picture and the
// name label (with the country name under it when that option is on), kept on the screen by
// flipping below the point or pulling in from the right edge. Draws onto the back buffer in
// the current view; places off the screen or behind the globe are skipped silently.
#pragma once

#include <cstdint>

#include "geo/place.h"
#include "texture/point_projection.h"

namespace geo {

// Marker colours, RGB565.
constexpr uint16_t kMarkerWhite = 0xFFFF;
constexpr uint16_t kMarkerBlack = 0x0000;
constexpr uint16_t kMarkerRed = 0xF800;
constexpr uint16_t kMarkerGreen = 0x07E0;
constexpr uint16_t kMarkerBlue = 0x001F;
constexpr uint16_t kMarkerYellow = 0xFFE0;

// The marker centred on screen pixel (x, y): a 5 × 5 square in `outer`, a 3 × 3 in `inner`,
// clipped to the screen.
void drawMarker(int32_t x, int32_t y, uint16_t outer, uint16_t inner);

// Draws `place` where its position projects in the current view, by its kind: the marker
// (bit 1), the picture of a route place whose picture fits wholly on the screen, and the name
// (bit 0, when it has one) in `labelColour`: 3 pixels right of the point and 3 above its
// block, below the point when that would leave the screen at the top, pulled in from the
// right edge. A name as wide as the screen or wider is wrapped over the full width from the
// label's top down to the bottom of the screen. With "Show country name at snap point" on,
// a place with a country has that name 12 pixels under its own, in "Displayed Country Color".
// Nothing is drawn for a point that is not visible or lies off the screen.
void drawPlace(const Place& place, uint16_t outer, uint16_t inner, uint16_t labelColour);

// drawPlace for a place already projected to `point`, `visible` as projectPoint answered, so
// that a polyline projects each of its places once.
void drawProjectedPlace(const Place& place, ScreenPoint point, bool visible, uint16_t outer,
                        uint16_t inner, uint16_t labelColour);

}  // namespace geo
