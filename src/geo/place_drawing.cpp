// The marker, the route picture and the label of one place. Labels measure 6 pixels a
// character; a label block is 12 pixels a line (name, then country).
#include "geo/place_drawing.h"

#include <string>
#include <vector>

#include "base/options.h"
#include "geo/city_db.h"
#include "geo/route_place.h"
#include "geo/text16.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/text_lines.h"
#include "texture/point_projection.h"
#include "view/angles.h"
#include "view/view_state.h"

namespace geo {
namespace {

constexpr int kLineHeight = 12;  // pixels from one label line to the next
constexpr int kGap = 3;          // pixels between the point and its label

// Text x for a line `width` pixels wide starting right of the point: pulled in so that it
// ends at the screen's right edge when it would reach it.
int labelX(int x, int width) {
    int tx = x + kGap;
    return tx + width >= screenWidth() ? screenWidth() - width : tx;
}

// Draws the picture only when all of it fits on the screen.
void drawPicture(const RoutePlace& place, int x, int y) {
    ImageBuffer* picture = place.picture.get();
    if (picture == nullptr || picture->pixels() == nullptr) return;
    int left = x + place.imgX, top = y + place.imgY;
    if (left < 0 || top < 0 || left + picture->width() > screenWidth() ||
        top + picture->height() > screenHeight())
        return;
    copyTransparent(*picture, backBuffer(), left, top, screenWidth(), screenHeight(), 0, 0, -1, -1);
}

// A name too wide for the screen: wrapped over the full width, line by line down to the
// bottom of the screen.
void drawWrappedName(const char16_t* name, int top, uint16_t colour) {
    std::vector<std::u16string> lines = breakTextLines(name, screenWidth() / kGlyphWidth);
    for (size_t i = 0; i < lines.size(); ++i) {
        int y = top + kGlyphHeight * static_cast<int>(i);
        if (y + kGlyphHeight > screenHeight()) break;
        drawText(0, y, lines[i].c_str(), colour);
    }
}

void drawLabel(const Place& place, int x, int y, uint16_t colour) {
    const char16_t* country =
        gOptions.countryAtSnap ? cityDatabase.countryName(place.country) : nullptr;
    bool withCountry = country != nullptr && country[0] != 0;
    int width = kGlyphWidth * static_cast<int>(textLength(place.name));
    int blockHeight = withCountry ? 2 * kLineHeight : kLineHeight;
    int top = y - blockHeight - kGap;
    if (top < 0) top = y + kGap;
    if (width < screenWidth())
        drawText(labelX(x, width), top, place.name, colour);
    else
        drawWrappedName(place.name, top, colour);
    if (withCountry) {
        int countryWidth = kGlyphWidth * static_cast<int>(textLength(country));
        drawText(labelX(x, countryWidth), top + kLineHeight, country,
                 gOptions.displayedCountryColor);
    }
}

}  // namespace

void drawMarker(int32_t x, int32_t y, uint16_t outer, uint16_t inner) {
    fillRect(x - 2, y - 2, 5, 5, outer);
    fillRect(x - 1, y - 1, 3, 3, inner);
}

void drawPlace(const Place& place, uint16_t outer, uint16_t inner, uint16_t labelColour) {
    if ((place.kind & (kPlaceLabel | kPlaceMarker)) == 0) return;
    ScreenPoint p;
    bool visible =
        projectPoint(place.latitude * kRadiansPerMinute, place.longitude * kRadiansPerMinute, &p);
    drawProjectedPlace(place, p, visible, outer, inner, labelColour);
}

void drawProjectedPlace(const Place& place, ScreenPoint p, bool visible, uint16_t outer,
                        uint16_t inner, uint16_t labelColour) {
    if ((place.kind & (kPlaceLabel | kPlaceMarker)) == 0 || !visible) return;
    if (p.x < 0 || p.x >= screenWidth() || p.y < 0 || p.y >= screenHeight()) return;
    if (place.kind & kPlaceMarker) drawMarker(p.x, p.y, outer, inner);
    if (place.flags & kRoutePlaceFlag) {
        // The flag alone does not make a RoutePlace: a Place filled from one keeps it.
        if (const RoutePlace* route = dynamic_cast<const RoutePlace*>(&place))
            drawPicture(*route, p.x, p.y);
    }
    if ((place.kind & kPlaceLabel) && place.name != nullptr && place.name[0] != 0)
        drawLabel(place, p.x, p.y, labelColour);
}

}  // namespace geo
