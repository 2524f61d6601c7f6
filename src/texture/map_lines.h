// What the globe and the flat map share about their lines: the grid step in degrees and
// where the tropics and polar circles lie, as fractions of the map's height.
#pragma once

#include <cstdint>

#include "base/options.h"

// Grid step option → degrees: 10, 15 or 30 (15 for any unknown value).
inline int32_t gridDegrees(int32_t gridStep) {
    switch (gridStep) {
        case kGrid10:
            return 10;
        case kGrid30:
            return 30;
        default:
            return 15;
    }
}

// Distance of the tropics (23.45°) and the polar circles (66.53°) from the equator, as a
// fraction of the map's height (180°).
constexpr double kTropicFraction = 0.13027777777777777;
constexpr double kPolarFraction = 0.3696111111111111;
