// Zoom keys and zoom to rectangle for the sphere and the flat map.
#include "view/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/redraw.h"
#include "view/angles.h"
#include "view/picking.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

void setRadius(int32_t radius) {
    gView.radius = radius;
    buildColumnTables();
    gRedraw = 1;
}

bool zoomSphere(ZoomKey key) {
    int32_t r = gView.radius;
    switch (key) {
        case ZoomKey::Reset:
            if (r == kDefaultRadius) return false;
            setRadius(kDefaultRadius);
            return true;
        case ZoomKey::StepIn:
        case ZoomKey::NudgeIn:
            if (r >= maxSphereRadius()) return false;
            setRadius(r + (key == ZoomKey::StepIn ? 20 : 4));
            return true;
        case ZoomKey::StepOut:
        case ZoomKey::NudgeOut:
            if (r <= kMinRadius) return false;
            setRadius(r - (key == ZoomKey::StepOut ? 20 : 4));
            return true;
    }
    return false;
}

bool zoomPlanar(ZoomKey key) {
    int32_t stored = gView.planarHeight, h = planarHeightInUse();
    int32_t screenH = screenHeight(), minH = screenWidth() / 2;
    if (h <= 0) return false;
    switch (key) {
        case ZoomKey::Reset:
            return setPlanarHeight(screenH) != 0;
        case ZoomKey::StepIn:
            if (stored == -1) return false;
            return setPlanarHeight(stored < screenH ? screenH : -1) != 0;
        case ZoomKey::NudgeIn:
            if (stored == -1) return false;
            return setPlanarHeight(stored + 20) != 0;
        case ZoomKey::StepOut:
            if (h <= minH) return false;
            return setPlanarHeight(h > screenH ? screenH : minH) != 0;
        case ZoomKey::NudgeOut:
            if (h <= minH) return false;
            return setPlanarHeight(h - 20) != 0;
    }
    return false;
}

bool zoomSphereToRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    int32_t lat1u, lon1u, lat2u, lon2u;
    if (!screenToViewAngles(x1, y1, &lat1u, &lon1u) || !screenToViewAngles(x2, y2, &lat2u, &lon2u))
        return false;
    double lat1 = latFromUnits(lat1u), lon1 = lonFromUnits(lon1u);
    double lat2 = latFromUnits(lat2u), lon2 = lonFromUnits(lon2u);
    double d = std::max(centralAngle(lat1, lon1, lat2, lon2), kRadiansPerMinute);
    double midLat, midLon;
    // Corners on opposite edges of the disc have no midpoint: keep the current centre.
    if (!interpolateGreatCircle(lat1, lon1, lat2, lon2, d, 0.5, &midLat, &midLon))
        currentViewCentre(&midLat, &midLon);
    setSphericalView(midLat, midLon);

    int32_t w = std::abs(x2 - x1) + 1, h = std::abs(y2 - y1) + 1;
    int32_t fitH = std::min(screenWidth() * h / w, screenHeight());
    int32_t fitW = fitH * w / h;
    double diagonal = std::sqrt(double(fitW) * fitW + double(fitH) * fitH);
    int32_t radius = truncToInt(diagonal / (2 * std::sin(d / 2)));
    // The radius divides the picking arithmetic: never below the zoom keys' minimum.
    setRadius(std::max(std::min(radius, maxSphereRadius()), kMinRadius));
    return true;
}

bool zoomPlanarToRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    int32_t old = planarHeightInUse();
    if (old <= 0) return false;
    int32_t w = std::abs(x2 - x1) + 1, h = std::abs(y2 - y1) + 1;
    int32_t fitH = std::min(screenHeight(), screenWidth() * h / w);
    int64_t xc = std::min(x1, x2) + w / 2 + gView.offsetX;
    int64_t yc = std::min(y1, y2) + h / 2 - gView.margin + gView.offsetY;
    int32_t height = setPlanarHeight(static_cast<int32_t>(int64_t{old} * fitH / h));
    int64_t x = xc * height / old - centreX();
    gView.offsetX = static_cast<int32_t>((x % (2 * height) + 2 * height) % (2 * height));
    int32_t screenH = screenHeight();
    if (height > screenH) {
        int64_t y = yc * height / old - centreY();
        gView.offsetY = static_cast<int32_t>(std::clamp<int64_t>(y, 0, height - screenH));
    } else {
        gView.offsetY = 0;
    }
    gRedraw = 1;
    return true;
}

}  // namespace

int32_t maxSphereRadius() {
    return truncToInt(2.0 * gView.mapHeight / kPi);
}

bool zoomView(ZoomKey key) {
    return gView.planar ? zoomPlanar(key) : zoomSphere(key);
}

bool zoomToRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0) return false;
    if (gView.planar) return zoomPlanarToRectangle(x1, y1, x2, y2);
    return zoomSphereToRectangle(x1, y1, x2, y2);
}
