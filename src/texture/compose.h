// Day/night compositing: builds the working texture (map_set.h) row by row from the
// memory-mapped main map and optional overlay map, combined by the overlay operation,
// shaded by the sun's elevation at each texel and scaled by the texture brightness. The
// map files are never decoded whole: the texture plus one row buffer per map is all.
#pragma once

#include <cstdint>

struct ProgressMeter;

// The four compositing routines. Each checks the map set first, replaces mapTexture, reads
// the sun position for now (also for the sun readouts), and shows 0, 14, .., 98 % on
// `progress` (drawn and presented; null draws nothing). Returns 0, -5 for an unusable set
// (texture untouched) or -2 when memory ran out (texture null).
int composeDayMap(ProgressMeter* progress);         // main map with brightness
int composeOverlay(ProgressMeter* progress);        // main and overlay by the operation
int composeShadedMap(ProgressMeter* progress);      // main map shaded by the Earth's shadow
int composeShadedOverlay(ProgressMeter* progress);  // combined, then shaded

// The four compositings, for composeDecoded.
enum class Compositing { Day, Overlay, Shaded, ShadedOverlay };

// The pixel work of a rebuild alone, on maps already decoded whole (width × height
// 0x00RRGGBB pixels each; `overlay` may be null for Day and Shaded) into `texture` (width ×
// height RGB565), with the options and the sun of `utcMs` (milliseconds since 1970). The
// same rules as the rebuild; no files, no progress. For the benchmark and checks.
void composeDecoded(Compositing kind, const uint32_t* main, const uint32_t* overlay, int32_t width,
                    int32_t height, int64_t utcMs, uint16_t* texture);

// The shading terms of one rebuild (see sun.h).
struct ShadeTerms {
    int32_t twilight;   // distinct band depth, angle units; −1 for a smooth transition
    int32_t halfWidth;  // smooth transition half-width R, angle units, 128 .. 16384
    int32_t night;      // night level N out of 256
};
// The shading factor 0 .. 256 at sun elevation `elevation` (signed angle units): 256 by day,
// N by night, between them the distinct twilight level or the smooth ramp.
int32_t shadeFactor(int32_t elevation, const ShadeTerms& terms);

// One colour channel (0 .. 255) of main map value m and overlay value o combined by overlay
// operation `op` (0 Union .. 4 Overlay; 5 Day/Night keeps m; anything else gives 0).
uint32_t overlayChannel(uint32_t m, uint32_t o, int32_t op);

// The texture brightness option (percent, clamped to 0 .. 100) as the multiplier 0 .. 256.
uint32_t brightnessMultiplier(int32_t percent);
// Channels 0 .. 255 scaled by `brightness` (0 .. 256) and packed into RGB565.
uint16_t packBrightness(uint32_t red, uint32_t green, uint32_t blue, uint32_t brightness);

// The image row that the `stored`-th row of an interlaced GIF of `height` rows holds
// (passes every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
int32_t interlacedRow(int32_t stored, int32_t height);
