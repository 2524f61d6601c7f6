// The scene of each frame: when the view is dirty, the map redrawn with everything over it in
// a fixed order (sun spot, displayed cities, the route, country labels, the distance
// measurement, the zoom rectangle or the snap point and its antipode) and the information
// lines in the top-left corner. Edge scrolling is the 50 ms tick's, not the frame's. Reading route
// files is not here: the caller hands over the route's places, colour and style.
#pragma once

#include <cstdint>

#include "base/ptr_list.h"

namespace geo {

// The loaded route as the overlay draws it.
struct RouteLines {
    const PtrList* places = nullptr;  // Place*, in route order; null or empty: no route
    uint16_t colour = 0xFFFF;         // RGB565, lines and the distance line
    int32_t style = 0;                // −1 none, 0 solid, n > 0 dashes of n pixels
};

// First line of the information panel, pixels from the top; lines are 12 pixels apart.
constexpr int32_t kFirstTextLine = 2;
constexpr int32_t kTextLineStep = 12;

// Draws the scene into the back buffer when the redraw flag is set (forgetting the text log's
// earlier strings then); otherwise leaves it as it is.
void drawOverlayPass(const RouteLines& route);

// The sun picture (the 26 × 26 top-left of the small sprites) centred on the subsolar point
// of the last shading update, when that point is seen; cut at the screen's edges.
void drawSunSpot();

}  // namespace geo
