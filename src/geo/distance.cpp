// The great-circle arc as straight screen pieces between interpolated points, the polyline
// through a list of places with its distance and time-difference lines, and the units.
// Glossary: lat/lon in radians unless a name says minutes; W the flat world's width in pixels.
#include "geo/distance.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/options.h"
#include "geo/dst.h"
#include "geo/place_drawing.h"
#include "geo/text16.h"
#include "platform/clock.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "texture/point_projection.h"
#include "view/angles.h"
#include "view/view_state.h"

namespace geo {
namespace {

constexpr int32_t kTextLineStep = 12;  // pixels from one information line to the next

// Draws one piece of an arc. On the flat map (worldWidth > 0) a piece whose ends lie more
// than half the world apart crosses ±180°: it is drawn the short way, once from each end, so
// that it leaves the map at both edges instead of running across the whole map.
void drawPiece(ScreenPoint from, ScreenPoint to, int32_t worldWidth, uint16_t colour,
               int32_t style) {
    if (worldWidth > 0 && std::abs(to.x - from.x) > worldWidth / 2) {
        int32_t shift = from.x >= to.x ? worldWidth : -worldWidth;
        drawLine(from.x, from.y, to.x + shift, to.y, colour, style);
        drawLine(from.x - shift, from.y, to.x, to.y, colour, style);
        return;
    }
    drawLine(from.x, from.y, to.x, to.y, colour, style);
}

// Projects the next point of an arc and draws the piece from the previous one. On the globe
// both ends must face the viewer; on the flat map every point lies on the map and the line
// drawing clips what is off the screen.
struct ArcPen {
    int32_t worldWidth;  // 0 on the globe
    uint16_t colour;
    int32_t style;
    ScreenPoint previous;
    bool previousVisible;

    void moveTo(double lat, double lon) {
        previousVisible = projectPoint(lat, lon, &previous) || worldWidth > 0;
    }
    void lineTo(double lat, double lon) {
        ScreenPoint next;
        bool visible = projectPoint(lat, lon, &next) || worldWidth > 0;
        if (visible && previousVisible) drawPiece(previous, next, worldWidth, colour, style);
        previous = next;
        previousVisible = visible;
    }
};

void writeLine(int32_t* textY, uint16_t colour, const char* text) {
    drawText(0, *textY, widen(text).c_str(), colour);
    *textY += kTextLineStep;
}

const char* unitName(int32_t units) {
    if (units == kUnitsMiles) return "mi";
    if (units == kUnitsNautical) return "nm";
    return "km";
}

bool named(const Place& place) {
    return place.name != nullptr && place.name[0] != 0;
}

// Minutes that the clock at `last` is ahead of the clock at `first` at UTC time `now`.
int32_t timeDifference(const platform::UtcTime& now, const Place& first, const Place& last) {
    int32_t firstDst = dstState(now, first, nullptr) ? 60 : 0;
    int32_t lastDst = dstState(now, last, nullptr) ? 60 : 0;
    return lastDst - firstDst - first.tzOffset + last.tzOffset;
}

void writeTimeDifference(int32_t minutes, int32_t* textY, uint16_t colour) {
    char text[48];
    std::snprintf(text, sizeof text, "Time Difference: %c%02d:%02d", minutes >= 0 ? '+' : '-',
                  std::abs(minutes / 60), std::abs(minutes % 60));
    writeLine(textY, colour, text);
}

double arcBetween(const Place& a, const Place& b, uint16_t colour, int32_t style) {
    return greatCircleSegment(a.latitude * kRadiansPerMinute, a.longitude * kRadiansPerMinute,
                              b.latitude * kRadiansPerMinute, b.longitude * kRadiansPerMinute,
                              colour, style);
}

}  // namespace

int32_t distanceInUnits(double radians, int32_t units) {
    double factor = units == kUnitsMiles      ? kMilesPerRadian
                    : units == kUnitsNautical ? kNauticalPerRadian
                                              : kKilometresPerRadian;
    return truncToInt(radians * factor);
}

double greatCircleSegment(double lat1, double lon1, double lat2, double lon2, uint16_t colour,
                          int32_t style) {
    if (style < 0) return 0;
    double d = centralAngle(lat1, lon1, lat2, lon2);
    if (d == 0) return 0;
    int32_t worldWidth = 0;
    if (gView.planar) {
        worldWidth = 2 * planarHeightInUse();
        if (worldWidth <= 0) return d;  // no map: nothing to draw on
    }
    int32_t pieces = gView.planar ? gOptions.planarArcSmoothing : gOptions.sphericalArcSmoothing;
    ArcPen pen{worldWidth, colour, style, {}, false};
    pen.moveTo(lat1, lon1);
    for (int32_t i = 1; i < pieces; ++i) {
        double lat, lon;
        // Antipodal ends have no single great circle: the ends are joined directly.
        if (!interpolateGreatCircle(lat1, lon1, lat2, lon2, d, double(i) / pieces, &lat, &lon))
            break;
        pen.lineTo(lat, lon);
    }
    pen.lineTo(lat2, lon2);
    return d;
}

void drawPlacePolyline(const PtrList& places, const Place* extra, uint16_t colour, int32_t style,
                       int32_t* textY) {
    if (places.head() == nullptr) return;
    const Place* first = static_cast<const Place*>(places.head()->data);
    double total = 0;
    // The arcs first, so that the markers and labels lie on top of them.
    for (const PtrNode* n = places.head(); n->next != nullptr; n = n->next)
        total += arcBetween(*static_cast<const Place*>(n->data),
                            *static_cast<const Place*>(n->next->data), colour, style);
    const Place* last = static_cast<const Place*>(places.tail()->data);
    if (extra != nullptr) total += arcBetween(*last, *extra, colour, style);
    for (const PtrNode* n = places.head(); n != nullptr; n = n->next) {
        bool isLast = n->next == nullptr && extra == nullptr;
        uint16_t inner = style < 0 ? kMarkerBlue : isLast ? kMarkerRed : kMarkerGreen;
        drawPlace(*static_cast<const Place*>(n->data), kMarkerWhite, inner,
                  gOptions.displayedCityColor);
    }
    if (extra != nullptr) {
        drawPlace(*extra, kMarkerWhite, kMarkerRed, gOptions.displayedCityColor);
        last = extra;
    }
    if (style < 0) return;
    char text[48];
    std::snprintf(text, sizeof text, "Distance: %d %s",
                  distanceInUnits(total, gOptions.distanceUnits), unitName(gOptions.distanceUnits));
    writeLine(textY, colour, text);
    if (named(*first) && named(*last) && !(first->flags & kRoutePlaceFlag) &&
        !(last->flags & kRoutePlaceFlag))
        writeTimeDifference(timeDifference(platform::systemTimeUtc(), *first, *last), textY,
                            colour);
}

}  // namespace geo
