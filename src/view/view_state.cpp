// The view state's direct setters: start-up normalisation, centring either view on a point,
// the planar height, and reading the current centre back.
#include "view/view_state.h"

#include <algorithm>
#include <cmath>

#include "base/redraw.h"
#include "raster/back_buffer.h"
#include "view/angles.h"

// Before the display properties are read (tools, tests) the view assumes the program's
// logical 240 × 320 screen.
int screenWidth() {
    return gDisplay.width > 0 ? gDisplay.width : 240;
}
int screenHeight() {
    return gDisplay.height > 0 ? gDisplay.height : 320;
}
int centreX() {
    return screenWidth() / 2;
}
int centreY() {
    return screenHeight() / 2;
}

int32_t planarHeightInUse() {
    return gView.planarHeight > 0 ? gView.planarHeight : gView.mapHeight;
}

void normaliseViewAngles() {
    if (gView.lonAngle > kTurn || gView.lonAngle < 0) gView.lonAngle = wrapAngle(gView.lonAngle);
    gView.latAngle = std::clamp(gView.latAngle, -kQuarterTurn, kQuarterTurn);
}

namespace {

// Offsets back inside the map and the margin for the height in use; a damaged settings file
// can hold any 16-bit offsets, and the renderers index the map with them.
void fitPlanarOffsets() {
    int32_t h = planarHeightInUse();
    if (h <= 0) return;
    int32_t screenH = screenHeight();
    gView.margin = h < screenH ? (screenH - h) / 2 : 0;
    gView.offsetX = static_cast<int32_t>(((gView.offsetX % (2 * h)) + 2 * h) % (2 * h));
    gView.offsetY = h > screenH ? std::clamp(gView.offsetY, 0, h - screenH) : 0;
}

}  // namespace

void restorePlanarZoom() {
    if (gView.mapHeight <= 0) return;
    if (gView.planarHeight <= 0) gView.planarHeight = -1;  // 0 or less: the map's own
    if (gView.planarHeight != -1) {
        int32_t keptX = gView.offsetX, keptY = gView.offsetY, kept = gView.planarHeight;
        gView.planarHeight = -1;
        gView.offsetX = gView.offsetY = 0;
        setPlanarHeight(kept);
        gView.offsetX = keptX;
        gView.offsetY = keptY;
    }
    fitPlanarOffsets();
}

double centralAngle(double lat1, double lon1, double lat2, double lon2) {
    double c =
        std::cos(lon1 - lon2) * std::cos(lat2) * std::cos(lat1) + std::sin(lat2) * std::sin(lat1);
    return std::acos(std::clamp(c, -1.0, 1.0));  // rounding can step past ±1
}

bool interpolateGreatCircle(double lat1, double lon1, double lat2, double lon2, double distance,
                            double t, double* lat, double* lon) {
    double sinD = std::sin(distance);
    if (std::fabs(sinD) < 1e-9) return false;
    double a = std::sin((1 - t) * distance) / sinD, b = std::sin(t * distance) / sinD;
    double resultLat = std::asin(std::clamp(std::sin(lat2) * b + std::sin(lat1) * a, -1.0, 1.0));
    double cosLat = std::cos(resultLat);
    if (cosLat < 1e-12) {
        *lat = resultLat;
        *lon = lon2;
        return true;
    }
    double east = std::sin(lon2) * std::cos(lat2) * b + std::sin(lon1) * std::cos(lat1) * a;
    double resultLon = std::asin(std::clamp(east / cosLat, -1.0, 1.0));
    if (std::cos(lon2) * std::cos(lat2) * b + std::cos(lon1) * std::cos(lat1) * a < 0) {
        resultLon = kPi - resultLon;
        if (resultLon > kPi) resultLon -= 2 * kPi;
    }
    *lat = resultLat;
    *lon = resultLon;
    return true;
}

void setSphericalView(double lat, double lon) {
    gView.latAngle = truncToInt(lat * -kUnitsPerRadian);
    int32_t lonAngle = truncToInt((lon + kPi / 2) * kUnitsPerRadian);
    gView.lonAngle = lonAngle > kTurn || lonAngle < 0 ? wrapAngle(lonAngle) : lonAngle;
    gView.latAngle = std::clamp(gView.latAngle, -kQuarterTurn, kQuarterTurn);
    gRedraw = 1;
}

void setPlanarView(double lat, double lon) {
    int32_t h = planarHeightInUse();
    if (h <= 0) return;
    int32_t w = 2 * h;
    int32_t y = h / 2 - truncToInt(w * lat / (2 * kPi)) + gView.margin;
    int32_t x = truncToInt((lon + kPi) * w / (2 * kPi)) - centreX();
    gView.offsetX = ((x % w) + w) % w;
    int32_t screenH = screenHeight();
    gView.offsetY = h > screenH ? std::clamp(y - centreY(), 0, h - screenH) : 0;
    gRedraw = 1;
}

void setViewCentre(double lat, double lon) {
    if (gView.planar)
        setPlanarView(lat, lon);
    else
        setSphericalView(lat, lon);
}

namespace {

// What fixes the place a view shows at the screen centre.
struct ViewPlace {
    bool planar;
    int32_t lonAngle, latAngle, planarHeight, offsetX, offsetY, margin, mapHeight;
    bool operator==(const ViewPlace&) const = default;
};
ViewPlace placeOfView() {
    return {gView.planar,  gView.lonAngle, gView.latAngle, gView.planarHeight,
            gView.offsetX, gView.offsetY,  gView.margin,   gView.mapHeight};
}

// The view the last switch made and the exact centre it was given. Each view rounds the
// centre to its own grid (map pixels, angle units), so reading it back from the view after
// every switch would creep by a pixel each time; a view nobody has moved since its switch
// keeps the exact centre instead.
struct {
    bool valid = false;
    ViewPlace place{};
    double lat = 0, lon = 0;
} gSwitched;

}  // namespace

void switchView() {
    double lat, lon;
    if (gSwitched.valid && gSwitched.place == placeOfView()) {
        lat = gSwitched.lat;
        lon = gSwitched.lon;
    } else {
        currentViewCentre(&lat, &lon);
    }
    gView.planar = !gView.planar;
    setViewCentre(lat, lon);
    gSwitched = {true, placeOfView(), lat, lon};
    gRedraw = 1;
}

int32_t setPlanarHeight(int32_t height) {
    int32_t mapH = gView.mapHeight;
    if (mapH <= 0) return 0;
    if (height == -1 || height >= mapH) height = mapH;
    height = std::max(height, screenWidth() / 2);
    int32_t old = planarHeightInUse();
    int32_t screenH = screenHeight();
    gView.margin = height < screenH ? (screenH - height) / 2 : 0;
    gView.offsetX = static_cast<int32_t>(int64_t{gView.offsetX} * height / old);
    if (height > screenH) {
        int32_t y = static_cast<int32_t>(int64_t{gView.offsetY} * height / old);
        gView.offsetY = std::clamp(y, 0, height - screenH);
    } else {
        gView.offsetY = 0;
    }
    gView.planarHeight = height == mapH ? -1 : height;
    gRedraw = 1;
    return height;
}

void currentViewCentre(double* lat, double* lon) {
    int32_t h = planarHeightInUse();
    if (gView.planar && h > 0) {
        int32_t w = 2 * h;
        int32_t x = gView.offsetX + centreX();
        if (x > w) x -= w;
        int32_t y = h <= screenHeight() ? h / 2 : gView.offsetY + centreY();
        *lon = x * 2 * kPi / w - kPi;
        *lat = (h / 2 - y) * 2 * kPi / w;
        return;
    }
    *lat = -gView.latAngle * 2 * kPi / kTurn;
    *lon = gView.lonAngle * 2 * kPi / kTurn - kPi / 2;
}
