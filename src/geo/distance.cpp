// The great-circle arc as straight screen pieces between interpolated points, the polyline
// through a list of places with its distance and time-difference lines, and the units.
// Glossary: lat/lon in radians unless a name says minutes; W the flat world's width in pixels.
#include "geo/distance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/memo.h"
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
    bool previousSeen;  // projectPoint's own answer for the previous point

    void moveTo(double lat, double lon) {
        previousSeen = projectPoint(lat, lon, &previous);
        previousVisible = previousSeen || worldWidth > 0;
    }
    void lineTo(double lat, double lon) {
        ScreenPoint next;
        bool seen = projectPoint(lat, lon, &next);
        bool visible = seen || worldWidth > 0;
        if (visible && previousVisible) drawPiece(previous, next, worldWidth, colour, style);
        previous = next;
        previousVisible = visible;
        previousSeen = seen;
    }
};

// Where a polyline's place landed on the screen.
struct PlacePoint {
    ScreenPoint point;
    bool visible;
};

// A pen for the current view; false when the flat view has no map to draw on.
bool penForView(uint16_t colour, int32_t style, ArcPen* pen) {
    *pen = ArcPen{gView.planar ? 2 * planarHeightInUse() : 0, colour, style, {}, false, false};
    return !gView.planar || pen->worldWidth > 0;
}

// A bound on an arc's length on the screen in pixels: the globe's projection never
// lengthens an arc of the sphere of gView.radius, and the flat map moves the arc at most as
// far as its latitude and longitude spans (longitude the short way round) at H/π pixels a
// radian.
double screenSpan(double lat1, double lon1, double lat2, double lon2, double d) {
    if (!gView.planar) return d * gView.radius;
    double dLon = std::fabs(lon2 - lon1);
    if (dLon > kPi) dLon = 2 * kPi - dLon;
    return (std::fabs(lat2 - lat1) + dLon) * planarHeightInUse() / kPi;
}

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

// The arc on from the pen, which stands at (lat1, lon1), to (lat2, lon2), `d` radians apart
// (d > 0); the pen ends at (lat2, lon2). A polyline carries one pen from place to place, so
// that each place is projected once for its arcs.
void continueArc(ArcPen* pen, double lat1, double lon1, double lat2, double lon2, double d) {
    int32_t pieces = gView.planar ? gOptions.planarArcSmoothing : gOptions.sphericalArcSmoothing;
    // No piece shorter than two pixels: points closer than that could move the line by a
    // pixel at most, and the short steps of a long route would cost a frame each.
    pieces = std::min(pieces, std::max(1, truncToInt(screenSpan(lat1, lon1, lat2, lon2, d) / 2)));
    for (int32_t i = 1; i < pieces; ++i) {
        double lat, lon;
        // Antipodal ends have no single great circle: the ends are joined directly.
        if (!interpolateGreatCircle(lat1, lon1, lat2, lon2, d, double(i) / pieces, &lat, &lon))
            break;
        pen->lineTo(lat, lon);
    }
    pen->lineTo(lat2, lon2);
}

double radiansOf(int16_t arcMinutes) {
    return arcMinutes * kRadiansPerMinute;
}

// The four arc-minute coordinates of an arc's ends.
struct ArcEnds {
    uint64_t bits;
    bool operator==(const ArcEnds&) const = default;
    uint64_t hash() const { return bits; }
};

// centralAngle between two places, remembered by their positions: a route's arcs are the same
// from frame to frame, and their arc cosines were a fifth of drawing it.
double angleBetween(const Place& a, const Place& b) {
    static Memo<ArcEnds, double, 11> memo;
    auto bits = [](int16_t v, int shift) { return uint64_t{static_cast<uint16_t>(v)} << shift; };
    const ArcEnds ends{bits(a.latitude, 0) | bits(a.longitude, 16) | bits(b.latitude, 32) |
                       bits(b.longitude, 48)};
    return memo.get(ends, [&] {
        return centralAngle(radiansOf(a.latitude), radiansOf(a.longitude), radiansOf(b.latitude),
                            radiansOf(b.longitude));
    });
}

// The arcs through `places` and on to `extra` when given; the sum of their central angles.
// Where each place landed is appended to `points` when the arcs were drawn.
double drawArcs(const PtrList& places, const Place* extra, uint16_t colour, int32_t style,
                std::vector<PlacePoint>* points) {
    ArcPen pen;
    const bool drawn = penForView(colour, style, &pen);
    const Place* from = static_cast<const Place*>(places.head()->data);
    if (drawn) {
        pen.moveTo(radiansOf(from->latitude), radiansOf(from->longitude));
        points->push_back({pen.previous, pen.previousSeen});
    }
    double total = 0;
    auto arcTo = [&](const Place* to) {
        const double lat1 = radiansOf(from->latitude), lon1 = radiansOf(from->longitude);
        const double lat2 = radiansOf(to->latitude), lon2 = radiansOf(to->longitude);
        const double d = angleBetween(*from, *to);
        // Coinciding places (d = 0) leave the pen where it is, which is where `to` lies.
        if (d > 0 && drawn) continueArc(&pen, lat1, lon1, lat2, lon2, d);
        if (drawn) points->push_back({pen.previous, pen.previousSeen});
        total += d;
        from = to;
    };
    for (const PtrNode* n = places.head()->next; n != nullptr; n = n->next)
        arcTo(static_cast<const Place*>(n->data));
    if (extra != nullptr) arcTo(extra);
    return total;
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
    ArcPen pen;
    if (!penForView(colour, style, &pen)) return d;  // no map: nothing to draw on
    pen.moveTo(lat1, lon1);
    continueArc(&pen, lat1, lon1, lat2, lon2, d);
    return d;
}

void drawPlacePolyline(const PtrList& places, const Place* extra, uint16_t colour, int32_t style,
                       int32_t* textY) {
    if (places.head() == nullptr) return;
    const Place* first = static_cast<const Place*>(places.head()->data);
    // The arcs first, so that the markers and labels lie on top of them.
    static std::vector<PlacePoint> points;  // kept from frame to frame for its memory
    points.clear();
    const double total = style < 0 ? 0 : drawArcs(places, extra, colour, style, &points);
    size_t index = 0;
    auto mark = [&](const Place& place, uint16_t inner) {
        if (index < points.size())
            drawProjectedPlace(place, points[index].point, points[index].visible, kMarkerWhite,
                               inner, gOptions.displayedCityColor);
        else
            drawPlace(place, kMarkerWhite, inner, gOptions.displayedCityColor);
        ++index;
    };
    const Place* last = static_cast<const Place*>(places.tail()->data);
    for (const PtrNode* n = places.head(); n != nullptr; n = n->next) {
        bool isLast = n->next == nullptr && extra == nullptr;
        mark(*static_cast<const Place*>(n->data), style < 0 ? kMarkerBlue
                                                  : isLast  ? kMarkerRed
                                                            : kMarkerGreen);
    }
    if (extra != nullptr) {
        mark(*extra, kMarkerRed);
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
