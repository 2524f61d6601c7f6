// The window's toggles that are not options: the open Find City dialog and the timer's
// counters. Options (grid, day and night, distance, pan/rotate, selected cities) live in the
// options record and the view state, zoom selection in view/zoom.h, the panel's roll-out in
// the panel.
#pragma once

#include <cstdint>

inline bool gFindCityOpen = false;  // the Find City dialog is open
inline int32_t gAboutFade = 0;      // about screen fade level, 0 .. 256

constexpr int32_t kClockRefreshTicks = 600;  // 30 s of 50 ms ticks
inline int32_t gShadowTicks = -1;            // ticks until the next shadow rebuild; −1 first
inline int32_t gShadowIntervalTicks = 0;     // the rebuild interval gShadowTicks counts, ticks
inline int32_t gClockTicks = kClockRefreshTicks;
