// The fixed-point angle unit of the view and the textures (65536 per full turn, sines scaled
// by 32768), the conversions to and from radians, and the safe truncation every conversion
// uses. Pure arithmetic: no tables, no view state.
#pragma once

#include <cmath>
#include <cstdint>

constexpr int32_t kTurn = 65536;         // angle units per full turn
constexpr int32_t kHalfTurn = 32768;     // 180°
constexpr int32_t kQuarterTurn = 16384;  // 90°
constexpr int32_t kUnitScale = 32768;    // a sine or cosine of 1.0
constexpr double kPi = 3.141592653589793;
constexpr double kUnitsPerRadian = 10430.378350470453;  // 32768 / π
constexpr double kUnitsPerDegree = 182.04444444444445;
constexpr double kRadiansPerMinute = 0.0002908882086657216;  // π / 10800
constexpr double kMinutesPerRadian = 3437.7467707849396;     // 10800 / π

// Truncates toward zero like a C cast, but a value outside the 32-bit range (or NaN) gives
// the nearest limit (0 for NaN) instead of undefined behaviour.
inline int32_t truncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// `a` brought into 0 .. 65535 by whole turns; any 32-bit angle.
inline int32_t wrapAngle(int64_t a) {
    int64_t r = a % kTurn;
    return static_cast<int32_t>(r < 0 ? r + kTurn : r);
}

// An angle that left 0 .. 65536 by less than a turn brought back in (65536 itself stays).
inline int32_t wrapOnce(int32_t a) {
    a = a > kTurn ? a - kTurn : a;
    return a < 0 ? a + kTurn : a;
}

// A pair of picked units as radians: latitude units −16384 .. 16384 (negative = north),
// longitude units 0 .. 65536 (32768 = Greenwich). North and east positive.
inline double latFromUnits(int32_t latUnits) {
    return -latUnits * kPi / kHalfTurn;
}
inline double lonFromUnits(int32_t lonUnits) {
    return (lonUnits - kHalfTurn) * kPi / kHalfTurn;
}
