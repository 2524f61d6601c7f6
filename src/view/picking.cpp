// Inverse projections in table arithmetic: the orthographic sphere and the flat map.
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

// Brings an angle that left 0 .. 65536 by less than a turn back in.
int32_t wrapOnce(int32_t a) {
    if (a > kTurn) return a - kTurn;
    if (a < 0) return a + kTurn;
    return a;
}

bool sphereToViewAngles(int32_t x, int32_t y, int32_t* latUnits, int32_t* lonUnits) {
    int32_t r = gView.radius;
    int32_t cx = centreX(), cy = centreY();
    int32_t dx = cx - x;
    if (r <= 0 || std::abs(dx) > std::min(r, cx - 1)) return false;
    if (gColumns.radius != r || gColumns.halfHeight.empty()) buildColumnTables();
    int32_t c = cx - std::abs(dx);
    if (std::abs(y - cy) > std::min(gColumns.halfHeight[c], cy - 1)) return false;

    int32_t a = fixedAsin(dx * kUnitScale / r + kUnitScale);
    int32_t b = fixedAsin(gColumns.inverse[c] * (y - cy) + kUnitScale);
    int32_t beta = gView.latAngle + b;
    if (beta > kTurn) beta -= kTurn;
    if (beta < 0) beta += kTurn;
    int32_t cosA = fixedCos(a);
    int32_t g = fixedAsin(((fixedSin(beta) * cosA) >> 15) + kUnitScale);
    int32_t lat = std::max(g <= kQuarterTurn ? g : g - kTurn, -kQuarterTurn);
    int32_t l = 0;
    if (fixedCos(g) != 0) {
        int32_t q = fixedCos(beta) * cosA / fixedCos(g) + kUnitScale;
        l = fixedAsin(std::clamp(q, 0, kTurn));
    }
    if (fixedSin(a) < 0) l = kHalfTurn - l;
    *latUnits = lat;
    *lonUnits = wrapOnce(gView.lonAngle + l);
    return true;
}

}  // namespace

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
