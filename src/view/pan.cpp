// Turning uses the sphere's radius as the lever: a drag of one radius turns by one radian
// (10430.378 angle units). The flat map pans pixel for pixel and wraps east-west.
#include "view/pan.h"

#include <algorithm>

#include "base/options.h"
#include "base/redraw.h"
#include "view/stylus.h"
#include "view/view_state.h"
#include "view/zoom.h"

namespace {

constexpr double kUnitsPerRadian = 10430.378350470453;
constexpr int32_t kEdgeStepUnits = 1092;  // 6° a tick

// Moves the flat map by (dx, dy) map pixels: X wraps around the map, Y stays inside it.
void panPlanar(int dx, int dy) {
    const int32_t h = planarHeightInUse();
    if (h <= 0) return;
    gView.offsetX = ((gView.offsetX + dx) % (2 * h) + 2 * h) % (2 * h);
    const int32_t maxY = h - screenHeight();
    gView.offsetY = maxY > 0 ? std::clamp(gView.offsetY + dy, 0, maxY) : 0;
}

}  // namespace

void turnBy(int dx, int dy) {
    if (gView.planar) {
        panPlanar(-dx, -dy);
    } else {
        gView.lonAngle -=
            static_cast<int32_t>(dx / static_cast<double>(gView.radius) * kUnitsPerRadian);
        gView.latAngle -=
            static_cast<int32_t>(dy / static_cast<double>(gView.radius) * kUnitsPerRadian);
        normaliseViewAngles();
    }
}

bool edgeScrollStep() {
    if (gOptions.panRotate || gZoomSelection || !gCurrentPoint.valid()) return false;
    const int x = gCurrentPoint.x, y = gCurrentPoint.y;
    const int dx = x < 10 ? -1 : x > screenWidth() - 10 ? 1 : 0;
    const int dy = y < 10 ? -1 : y > screenHeight() - 10 ? 1 : 0;
    if (!dx && !dy) return false;
    if (gView.planar) {
        const int step = 2 * planarHeightInUse() / 50;
        panPlanar(dx * step, dy * step);
    } else {
        gView.lonAngle += dx * kEdgeStepUnits;
        gView.latAngle += dy * kEdgeStepUnits;
        normaliseViewAngles();
    }
    gRedraw = 1;
    return true;
}
