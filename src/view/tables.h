// The trigonometric tables (sine, cosine, arcsine; one entry per 8 angle units) with their
// interpolating lookups, and the column table of the sphere's disc. The forward projection
// and the day/night shading read the former, the globe renderer and picking the latter;
// nothing here knows about the screen beyond the centre column.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kTrigEntries = 8193;  // index i for the angle i × π/4096, a full turn

struct TrigTables {
    int32_t sine[kTrigEntries];    // sin × 32768, rounded, halves up
    int32_t cosine[kTrigEntries];  // cos × 32768
    int32_t asin[kTrigEntries];    // asin(i/4096 − 1) in angle units + 16384: 0 .. 32768
};
inline TrigTables gTrig;

// Fills gTrig. Called once at start-up before any lookup; lookups before it read zeros.
void buildTrigTables();

// Linear interpolation between entry a >> 3 and the next, as the fixed-point code has it.
inline int32_t interpolateTable(const int32_t* t, int32_t a) {
    int32_t i = a >> 3;
    return t[i] + (((t[i + 1] - t[i]) * (a & 7)) >> 3);
}

// sin(a) × 32768 for an angle in units; any angle is taken modulo a turn, so 65536 reads
// as 0 (the table's last entry holds the same value).
inline int32_t fixedSin(int32_t a) {
    return interpolateTable(gTrig.sine, a & 0xFFFF);
}
inline int32_t fixedCos(int32_t a) {
    return interpolateTable(gTrig.cosine, a & 0xFFFF);
}

// The arcsine of (v − 32768) / 32768 in angle units, 0 .. 65535 with negative angles wrapped
// (−90° reads 49152). v outside 0 .. 65536 is clamped first.
inline int32_t fixedAsin(int32_t v) {
    if (v < 0) v = 0;
    if (v >= 65536) return gTrig.asin[kTrigEntries - 1] - 16384;  // asin(1): no next entry
    int32_t r = interpolateTable(gTrig.asin, v) - 16384;
    return r < 0 ? r + 65536 : r;
}

// The sphere's disc, indexed by c = centre column − |x − centre column| (0 .. centre): the
// half-height h(c) = trunc(√(R² − d²)) in pixels with d = c − centre; 0 where |d| > R.
struct ColumnTables {
    int32_t radius = 0;               // the radius it was built for, pixels
    std::vector<int32_t> halfHeight;  // pixels
};
inline ColumnTables gColumns;

// Rebuilds gColumns for gView.radius and the screen's centre column. Called at start-up and
// after every change of the radius.
void buildColumnTables();
