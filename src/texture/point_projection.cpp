// Forward projections: the orthographic sphere in table arithmetic and the flat map, with
// a memo of the points projected in the current view.
#include "texture/point_projection.h"

#include <bit>

#include "base/memo.h"
#include "raster/back_buffer.h"
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

// What a projection depends on besides the point: the view and the display's size.
struct ProjectionView {
    bool planar;
    int32_t lonAngle, latAngle, radius, planarHeight, mapHeight, offsetX, offsetY, margin;
    int width, height;
    bool operator==(const ProjectionView&) const = default;
};

ProjectionView currentView() {
    return {gView.planar,       gView.lonAngle,  gView.latAngle, gView.radius,
            gView.planarHeight, gView.mapHeight, gView.offsetX,  gView.offsetY,
            gView.margin,       gDisplay.width,  gDisplay.height};
}

// A point as the memo knows it: its coordinates bit for bit, in one view of the memo's.
struct MemoPoint {
    uint64_t lat, lon;
    uint32_t view;
    bool operator==(const MemoPoint&) const = default;
    uint64_t hash() const { return (lat * 0xC2B2AE3D27D4EB4Fu) ^ lon; }
};
struct Projected {
    ScreenPoint point;
    bool seen;
};

// The points projected in the current view: an overlay frame projects the same cities,
// labels and route points as the frame before whenever only the stylus or the clock moved,
// and each projection costs a dozen dependent table steps.
Memo<MemoPoint, Projected, 12> gMemo;
ProjectionView gMemoView{};
uint32_t gMemoViewNumber = 0;  // counts the views the memo has known

// The number of the current view for the memo.
uint32_t memoView() {
    const ProjectionView view = currentView();
    if (!(view == gMemoView)) {
        gMemoView = view;
        if (++gMemoViewNumber == 0) gMemo.clear();  // numbers come round again
    }
    return gMemoViewNumber;
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
    const MemoPoint key{std::bit_cast<uint64_t>(lat), std::bit_cast<uint64_t>(lon), memoView()};
    const Projected& p = gMemo.get(key, [lat, lon] {
        Projected q{};
        q.seen = gView.planar
                     ? projectPlanar(lat, lon, &q.point)
                     : projectSphereUnits(truncToInt(lat * -kUnitsPerRadian),
                                          truncToInt((lon + kPi) * kUnitsPerRadian), &q.point);
        return q;
    });
    *out = p.point;
    return p.seen;
}
