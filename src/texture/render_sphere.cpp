// The globe renderer: inverts the orthographic projection per pixel with the table sine,
// cosine and arcsine, computing the right half of the disc and mirroring each pixel to the
// left about the centre column (the same latitude, the longitude reflected about the view's
// centre texel). One colour rule (circles, grid, texture) serves both halves.

#include "texture/render_sphere.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "shell/options.h"
#include "texture/map_lines.h"
#include "texture/map_message.h"
#include "texture/texels.h"
#include "view/angles.h"
#include "view/redraw.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

// Everything fixed for one frame.
struct SphereFrame {
    TexelSource tex;
    int32_t lonAngle, latAngle;                     // view angles, angle units
    int32_t radius;                                 // pixels
    int32_t cx, cy, stride;                         // centre, back buffer row length, pixels
    int32_t columns;                                // D: columns drawn each side, centre included
    int32_t centreU;                                // texel column under the view centre
    int32_t gridSpacing;                            // texels between grid lines (≥ 1)
    int32_t equatorRow, tropicOffset, polarOffset;  // texel rows
    int32_t tolerance;                              // line half-width, texels
    bool grid, circles, smoothing;
};

SphereFrame frameForView(const TexelSource& tex) {
    SphereFrame f{};
    f.tex = tex;
    f.lonAngle = gView.lonAngle;
    f.latAngle = gView.latAngle;
    f.radius = gView.radius;
    f.cx = centreX();
    f.cy = centreY();
    f.stride = screenWidth();
    f.columns = f.radius < f.cx ? f.radius : f.cx - 1;
    const int32_t w = tex.width, h = tex.height;
    f.centreU = static_cast<int32_t>(int64_t{f.lonAngle} * (w - 1) / 65536) + w / 4;
    if (f.centreU >= w) f.centreU -= w;
    // A map narrower than 36 texels would give no spacing at all: lines every texel instead.
    f.gridSpacing = std::max(1, gridDegrees(gOptions.gridStep) * w / 360);
    f.equatorRow = h / 2;
    f.tropicOffset = static_cast<int32_t>(h * kTropicFraction);
    f.polarOffset = static_cast<int32_t>(h * kPolarFraction);
    f.tolerance = 2 * h / (7 * f.radius);
    f.grid = gOptions.latLonGrid;
    f.circles = gOptions.tropicPolarCircles;
    f.smoothing = gOptions.textureSmoothing;
    return f;
}

inline bool near(int32_t v, int32_t row, int32_t tolerance) {
    return std::abs(v - row) <= tolerance;
}

// The dashed tropic or polar circle colour at texel (u, v); false off the circles.
inline bool circleColour(const SphereFrame& f, int32_t u, int32_t v, uint16_t* colour) {
    if (!f.circles || (u & 15) >= 8) return false;
    const int32_t e = f.equatorRow, t = f.tolerance;
    if (near(v, e - f.tropicOffset, t) || near(v, e + f.tropicOffset, t)) {
        *colour = gOptions.tropicColor;
        return true;
    }
    if (near(v, e - f.polarOffset, t) || near(v, e + f.polarOffset, t)) {
        *colour = gOptions.arcticColor;
        return true;
    }
    return false;
}

// The grid line colour at texel (u, v), else the (smoothed) texel.
inline uint16_t gridOrTexel(const SphereFrame& f, int32_t u, int32_t v) {
    if (f.grid) {
        const int32_t g = f.gridSpacing, t = f.tolerance, w = f.tex.width, h = f.tex.height;
        const int32_t ru = u % g, rv = v % g;
        // The spacing is a whole number of texels counted from the map's corner, so it need
        // not pass through the equator or the prime meridian (1024 wide, 15°: 42 texels);
        // those two are lines of their own.
        const bool axis = std::abs(u - w / 2) <= t || std::abs(v - h / 2) <= t;
        if (axis || ru <= t || ru >= g - t || rv <= t || rv >= g - t) {
            bool equator = u < 2 || u > w - 2 || std::abs(u - w / 2) < 2 || std::abs(v - h / 2) < 2;
            return equator ? gOptions.equatorColor : gOptions.gridColor;
        }
    }
    if (f.smoothing && u != 0 && v != 0) return average2x2(f.tex, u, v);
    return texelAt(f.tex, u, v);
}

// The texel under a disc pixel: `s` is the arcsine argument of its row offset, `cosA` the
// cosine of its column's angle.
inline void texelUnder(const SphereFrame& f, int32_t s, int32_t cosA, int32_t* u, int32_t* v) {
    int32_t beta = f.latAngle + fixedAsin(s);
    if (beta > 65536) beta -= 65536;
    if (beta < 0) beta += 65536;
    int32_t phi = fixedAsin(((fixedSin(beta) * cosA) >> 15) + 32768);
    int32_t lambda = f.lonAngle + 32768;
    const int32_t cosPhi = fixedCos(phi);
    if (cosPhi != 0) {
        int32_t q = std::clamp(fixedCos(beta) * cosA / cosPhi + 32768, 0, 65536);
        lambda -= fixedAsin(q);
    }
    if (lambda > 65536) lambda -= 65536;
    if (lambda < 0) lambda += 65536;
    if (phi > 16384) phi -= 65536;
    phi = std::max(phi, -16384);
    const uint32_t span = static_cast<uint32_t>(f.tex.width - 1);
    *u = static_cast<int32_t>((static_cast<uint32_t>(lambda) * span) >> 16);
    *v = static_cast<int32_t>((static_cast<uint32_t>(phi + 16384) * span) >> 16);
}

// Per column of the right half (index |d|): the arcsine step k, the half-height of the disc
// there and the cosine of the column's angle.
struct DiscColumn {
    int32_t step, halfHeight, cosA;
};

std::vector<DiscColumn> discColumns(const SphereFrame& f) {
    std::vector<DiscColumn> columns(static_cast<size_t>(f.columns));
    for (int32_t a = 0; a < f.columns; ++a) {
        const int32_t c = f.cx - a;
        int32_t hh = std::min(gColumns.halfHeight[c], f.cy - 1);
        if (a == 0) hh -= 1;  // the centre column is one pixel shorter at each end
        columns[a] = {gColumns.inverse[c], hh, fixedCos(fixedAsin(-a * 32768 / f.radius + 32768))};
    }
    return columns;
}

// One screen row of the disc, the right half computed and mirrored to the left. The disc is
// walked row by row so that neighbouring pixels read neighbouring texels; the arcsine
// argument of row y in a column is 32768 + (y − cy) × k, exactly what stepping down the
// column by k from its top pixel gives.
void renderDiscRow(const SphereFrame& f, const std::vector<DiscColumn>& columns, int32_t y,
                   uint16_t* row) {
    const int32_t dy = y - f.cy, w = f.tex.width;
    for (int32_t a = 0; a < f.columns; ++a) {
        const DiscColumn& col = columns[a];
        if (col.halfHeight < std::abs(dy)) continue;  // the centre column is shorter
        int32_t u, v;
        texelUnder(f, 32768 + dy * col.step, col.cosA, &u, &v);
        uint16_t colour;
        const bool circle = circleColour(f, u, v, &colour);
        row[f.cx + a] = circle ? colour : gridOrTexel(f, u, v);
        if (a == 0) continue;
        int32_t mirrorU = 2 * f.centreU - u;
        if (mirrorU < 0) mirrorU += w;
        if (mirrorU >= w) mirrorU -= w;
        row[f.cx - a] = circle ? colour : gridOrTexel(f, mirrorU, v);
    }
}

}  // namespace

void renderSphere() {
    gRedraw = 0;
    uint16_t* screen = backBuffer();
    if (!screen) return;
    fillRect(0, 0, screenWidth(), screenHeight(), gOptions.backgroundColor);
    const TexelSource tex = currentTexture();
    if (!tex.texels) {
        drawMapSetMessage();
        return;
    }
    if (gView.radius < 1) return;
    if (gColumns.radius != gView.radius ||
        gColumns.halfHeight.size() != static_cast<size_t>(centreX() + 1))
        buildColumnTables();
    const SphereFrame f = frameForView(tex);
    const std::vector<DiscColumn> columns = discColumns(f);
    int32_t tallest = -1;
    for (const DiscColumn& col : columns) tallest = std::max(tallest, col.halfHeight);
    for (int32_t y = f.cy - tallest; y <= f.cy + tallest; ++y)
        renderDiscRow(f, columns, y, screen + static_cast<size_t>(y) * f.stride);
}
