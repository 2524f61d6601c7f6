// Inverse projections: the orthographic sphere (in doubles, one pixel at a time; the renderer
// runs it over the whole disc once per tilt and radius) and the flat map (integer arithmetic).
#include "view/picking.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "view/angles.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

bool planarToViewAngles(int32_t x, int32_t y, int32_t* latUnits, int32_t* lonUnits) {
    int64_t h = planarHeightInUse();
    if (h <= 0) return false;
    int64_t ym = int64_t{gView.offsetY} - gView.margin + y;
    if (ym < 0 || ym >= h) return false;
    int64_t xm = ((int64_t{gView.offsetX} + x) % (2 * h) + 2 * h) % (2 * h);
    *latUnits = static_cast<int32_t>(ym * kTurn / (2 * h) - kQuarterTurn);
    *lonUnits = static_cast<int32_t>(xm * kTurn / (2 * h));
    return true;
}

bool sphereToViewAngles(int32_t x, int32_t y, int32_t* latUnits, int32_t* lonUnits) {
    int32_t r = gView.radius;
    int32_t cx = centreX(), cy = centreY();
    int32_t dx = x - cx;
    if (r <= 0 || std::abs(dx) > std::min(r, cx - 1)) return false;
    if (gColumns.radius != r || gColumns.halfHeight.empty()) buildColumnTables();
    if (std::abs(y - cy) > std::min(gColumns.halfHeight[cx - std::abs(dx)], cy - 1)) return false;
    int32_t lonOffset = 0;
    invertDiscPixel(discInversion(gView.latAngle, r), dx, y - cy, latUnits, &lonOffset);
    *lonUnits = wrapOnce(gView.lonAngle + lonOffset);
    return true;
}

}  // namespace

DiscInversion discInversion(int32_t latAngle, int32_t radius) {
    const double tilt = latAngle / kUnitsPerRadian;
    return {static_cast<double>(radius), std::sin(tilt), std::cos(tilt)};
}

void invertDiscPixel(const DiscInversion& view, int32_t dx, int32_t dy, int32_t* latUnits,
                     int32_t* lonOffset) {
    const double x = dx / view.radius, y = dy / view.radius;
    const double z = std::sqrt(std::max(0.0, 1 - x * x - y * y));  // towards the viewer
    // The tilt turns the pixel's direction about the screen's horizontal axis: `south` along
    // the Earth's axis, `ahead` towards the view centre's meridian, x due east of it.
    const double south = y * view.cosTilt + z * view.sinTilt;
    const double ahead = z * view.cosTilt - y * view.sinTilt;
    *latUnits = static_cast<int32_t>(
        std::lround(std::asin(std::clamp(south, -1.0, 1.0)) * kUnitsPerRadian));
    *lonOffset =
        kQuarterTurn + static_cast<int32_t>(std::lround(std::atan2(x, ahead) * kUnitsPerRadian));
}

bool screenToViewAngles(int32_t x, int32_t y, int32_t* latUnits, int32_t* lonUnits) {
    if (gView.planar) return planarToViewAngles(x, y, latUnits, lonUnits);
    return sphereToViewAngles(x, y, latUnits, lonUnits);
}

bool clampToView(int32_t x, int32_t y, int32_t* nearX, int32_t* nearY) {
    *nearX = x;
    *nearY = y;
    if (gView.planar) {
        int32_t m = gView.margin, screenH = screenHeight();
        if (y < m) *nearY = m;
        if (y >= screenH - m) *nearY = screenH - m - 1;
        return y >= m && y < screenH - m;
    }
    int64_t r = gView.radius;
    int64_t dx = x - centreX(), dy = y - centreY();
    if (dx * dx + dy * dy <= r * r) return true;
    int64_t px, py;
    if (dx == 0) {
        px = 0;
        py = dy > 0 ? r : -r;
    } else if (dy == 0) {
        px = dx > 0 ? r : -r;
        py = 0;
    } else {
        double ratio = static_cast<double>(dy) * dy / (static_cast<double>(dx) * dx);
        px = static_cast<int64_t>(std::sqrt(static_cast<double>(r * r) / (ratio + 1)));
        if (dx < 0) px = -px;
        py = px * dy / dx;
    }
    *nearX = static_cast<int32_t>(centreX() + px);
    *nearY = static_cast<int32_t>(centreY() + py);
    return false;
}
