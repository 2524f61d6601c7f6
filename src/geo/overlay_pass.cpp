// The overlay pass, in drawing order. Each layer is drawn from the lists and options as they
// stand; the pass keeps nothing of its own between frames but the text log's strings.
#include "geo/overlay_pass.h"

#include <algorithm>
#include <cstdlib>

#include "base/options.h"
#include "base/redraw.h"
#include "geo/country_labels.h"
#include "geo/distance.h"
#include "geo/info_lines.h"
#include "geo/place_drawing.h"
#include "geo/place_lists.h"
#include "geo/snapping.h"
#include "platform/clock.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/pictures.h"
#include "raster/text_log.h"
#include "texture/point_projection.h"
#include "texture/render_planar.h"
#include "texture/render_sphere.h"
#include "texture/sun.h"
#include "view/stylus.h"
#include "view/view_state.h"
#include "view/zoom.h"

namespace geo {
namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kRadiansPerArcMinute = 0.0002908882086657216;
constexpr int kSunSize = 26;  // pixels, the sun's square in the small sprites

bool stylusOnPlainView() {
    return gCurrentPoint.valid() && !gOptions.panRotate && !gZoomSelection;
}

void drawEach(const PtrList& places, uint16_t outer, uint16_t inner, uint16_t label) {
    for (PtrNode* n = places.head(); n; n = n->next)
        drawPlace(*static_cast<const Place*>(n->data), outer, inner, label);
}

void drawCountryLabels() {
    // Filled on first use, so that the option works however it was switched on.
    if (gDisplayedCountries.count() == 0) displayAllCountries(cityDatabase);
    const uint16_t colour = gOptions.displayedCountryColor;
    drawEach(gDisplayedCountries, colour, colour, colour);
}

// The distance points' polyline, on to the snapped point under the stylus while one is being
// placed.
void drawDistanceMeasurement(int32_t* textY) {
    if (gDistancePoints.count() == 0) return;
    Place extra;
    bool withExtra = false;
    if (gOptions.computeDistance && stylusOnPlainView()) {
        int16_t lat, lon;
        withExtra = pickArcMinutes(gCurrentPoint.x, gCurrentPoint.y, &lat, &lon);
        if (withExtra) {
            extra.latitude = lat;
            extra.longitude = lon;
            snapPosition(lat, lon, &extra);
        }
    }
    drawPlacePolyline(gDistancePoints, withExtra ? &extra : nullptr, gOptions.distanceArcColor, 0,
                      textY);
}

void drawZoomRectangle() {
    const int x = std::min(gPressPoint.x, gCurrentPoint.x);
    const int y = std::min(gPressPoint.y, gCurrentPoint.y);
    outlineRect(x, y, std::abs(gCurrentPoint.x - gPressPoint.x) + 1,
                std::abs(gCurrentPoint.y - gPressPoint.y) + 1, kMarkerGreen);
}

void drawAntipodeMarker() {
    int lat, lon;
    antipodeOf(gSnapPoint.latitude, gSnapPoint.longitude, &lat, &lon);
    ScreenPoint p;
    if (projectPoint(lat * kRadiansPerArcMinute, lon * kRadiansPerArcMinute, &p))
        drawMarker(p.x, p.y, kMarkerWhite, kMarkerBlue);
}

// The snap point, its antipode and the panel's lines below *textY.
void drawSnapPoint(int32_t* textY) {
    if (gSnapPoint.kind == 0) return;
    drawPlace(gSnapPoint, kMarkerYellow, kMarkerGreen,
              gOptions.computeDistance ? gOptions.displayedCityColor : gOptions.snappedCityColor);
    if (gOptions.computeDistance) return;
    if (gOptions.antipodes) drawAntipodeMarker();
    const platform::UtcTime now = platform::systemTimeUtc();
    for (const std::u16string& line :
         panelLines(gSnapPoint, gOptions, now, gSun.declination, gSun.hourAngle)) {
        drawText(0, *textY, line.c_str(), gOptions.snappedCityColor);
        *textY += kTextLineStep;
    }
}

void drawOverlays(const RouteLines& route) {
    if (gOptions.sunSpot) drawSunSpot();
    int32_t textY = kFirstTextLine;
    if (gOptions.showSelectedCities)
        drawEach(gDisplayedCities, kMarkerWhite, kMarkerBlack, gOptions.displayedCityColor);
    if (gOptions.showSelectedFiles && route.places)
        drawPlacePolyline(*route.places, nullptr, route.colour, route.style, &textY);
    if (gOptions.showAllCountries) drawCountryLabels();
    drawDistanceMeasurement(&textY);
    if (gCurrentPoint.valid() && gZoomSelection)
        drawZoomRectangle();
    else if (stylusOnPlainView())
        updateSnapPoint(gCurrentPoint.x, gCurrentPoint.y);
    drawSnapPoint(&textY);
}

}  // namespace

void drawSunSpot() {
    const double lon = (gSun.hourAngle >= 180 ? 360 : 0) - gSun.hourAngle;
    ScreenPoint p;
    if (!projectPoint(gSun.declination * kRadiansPerDegree, lon * kRadiansPerDegree, &p)) return;
    const ImageBuffer& sprites = smallSprites();
    if (!sprites.pixels() || !backBuffer()) return;
    const int x = p.x - kSunSize / 2, y = p.y - kSunSize / 2;
    const int left = std::max(0, -x), top = std::max(0, -y);
    const int width = std::min(kSunSize, gDisplay.width - x) - left;
    const int height = std::min(kSunSize, gDisplay.height - y) - top;
    if (width <= 0 || height <= 0) return;
    copyTransparent(sprites, backBuffer(), x + left, y + top, gDisplay.width, gDisplay.height, left,
                    top, width, height);
}

void drawOverlayPass(const RouteLines& route) {
    if (!gRedraw) return;
    clearTextLog();
    if (gView.planar)
        renderPlanar();
    else
        renderSphere();
    drawOverlays(route);
}

}  // namespace geo
