// Forward projections: the orthographic sphere in table arithmetic and the flat map.
#include "texture/point_projection.h"

#include "view/angles.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

bool projectPlanar(double lat, double lon, ScreenPoint* out) {
    int32_t h = planarHeightInUse();
    if (h <= 0) {
        *out = ScreenPoint{0, 0};
        return false;
    }
    int32_t w = 2 * h;
    int32_t band = h / 2 - truncToInt(w * lat * 0.15915494309189535) + gView.margin;
    int32_t y = band - gView.offsetY;
    // The map wraps east-west: a point a whole map width away lands on the same column.
    int64_t x = int64_t{truncToInt((lon + kPi) * w * 0.15915494309189535)} - gView.offsetX;
    x = ((x % w) + w) % w;
    *out = ScreenPoint{static_cast<int32_t>(x), y};
    int32_t bottom = gView.margin + (h < screenHeight() ? h : screenHeight());
    return x < screenWidth() && y >= gView.margin && y < bottom;
}

}  // namespace

bool projectSphereUnits(int32_t latUnits, int32_t lonUnits, ScreenPoint* out) {
    int32_t mu = wrapAngle(int64_t{lonUnits} - gView.lonAngle);
    int32_t a = latUnits < 0 ? wrapAngle(latUnits) : latUnits;
    int32_t h = fixedCos(a) * fixedCos(mu) / kUnitScale;
    int32_t bigA = fixedAsin(h + kUnitScale);
    int32_t cosA = fixedCos(bigA);
    // cos A = 0 only on the horizontal axis at the disc's edge, where any B keeps y there.
    int32_t bigB = cosA != 0 ? fixedAsin(fixedSin(a) * kUnitScale / cosA + kUnitScale) : 0;
    if (mu > kHalfTurn) bigB = kHalfTurn - bigB;
    int32_t beta = wrapAngle(int64_t{bigB} - gView.latAngle);
    int64_t r = gView.radius;
    out->y =
        static_cast<int32_t>(centreY() + (fixedSin(beta) * cosA / kUnitScale) * r / kUnitScale);
    out->x = static_cast<int32_t>(centreX() - h * r / kUnitScale);
    return fixedCos(beta) * cosA >= 0;
}

bool projectPoint(double lat, double lon, ScreenPoint* out) {
    if (gView.planar) return projectPlanar(lat, lon, out);
    return projectSphereUnits(truncToInt(lat * -kUnitsPerRadian),
                              truncToInt((lon + kPi) * kUnitsPerRadian), out);
}
