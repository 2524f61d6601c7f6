// Builds the trigonometric tables once and the disc's column table whenever the sphere
// radius changes. The lookups themselves are inline in tables.h.
#include "view/tables.h"

#include <cmath>

#include "view/angles.h"
#include "view/view_state.h"

namespace {

// Nearest integer with halves upward: 2.5 → 3, −2.5 → −2.
int32_t roundHalfUp(double v) {
    double whole = std::floor(v);
    return static_cast<int32_t>(v - whole >= 0.5 ? whole + 1 : whole);
}

}  // namespace

void buildTrigTables() {
    for (int i = 0; i < kTrigEntries; ++i) {
        double angle = i * kPi / 4096;
        gTrig.sine[i] = roundHalfUp(std::sin(angle) * kUnitScale);
        gTrig.cosine[i] = roundHalfUp(std::cos(angle) * kUnitScale);
        gTrig.asin[i] = roundHalfUp(std::asin(i / 4096.0 - 1) * kUnitsPerRadian + kQuarterTurn);
    }
}

void buildColumnTables() {
    int centre = centreX();
    int64_t r = gView.radius;
    gColumns.radius = gView.radius;
    gColumns.halfHeight.assign(centre + 1, 0);
    for (int c = 0; c <= centre; ++c) {
        int64_t d = c - centre;
        if (d * d > r * r) continue;
        gColumns.halfHeight[c] =
            static_cast<int32_t>(std::sqrt(static_cast<double>(r * r - d * d)));
    }
}
