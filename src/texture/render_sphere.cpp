// The globe renderer. Inverting the orthographic projection takes a square root and two
// inverse trigonometric functions per pixel, but only the view's tilt and radius enter it:
// the view's longitude just adds to the result. So the inversion runs once per tilt, zoom or
// map width into a disc table, and a frame adds the longitude in integers, looks up the texel
// and mirrors it about the centre column (the same latitude, the longitude offset reflected
// about the centre's). Grid and circle tests are per-texel flags, looked up per pixel.

#include "texture/render_sphere.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "base/options.h"
#include "base/redraw.h"
#include "platform/cpu.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "texture/map_lines.h"
#include "texture/texels.h"
#include "view/angles.h"
#include "view/picking.h"
#include "view/tables.h"
#include "view/view_state.h"

namespace {

// The computed pixels of one screen row: columns cx + first .. cx + last, the left half
// mirrored from them.
struct DiscRow {
    int32_t y, first, last;
    size_t start;  // index of column `first` in the DiscTable arrays
};

constexpr int kRowShift = 17;
constexpr uint32_t kOffsetMask = (1u << kRowShift) - 1;
constexpr int32_t kOffsetBias = 32768;

// What the inversion depends on, and its result.
struct DiscTable {
    int32_t latAngle = INT32_MIN, radius = 0, width = 0, cx = 0, cy = 0;
    std::vector<DiscRow> rows;
    // Per computed pixel in 32 bits, so that the table stays small beside the texture: its
    // texel's longitude relative to the view's longitude (angle units −16384 .. 49152, so
    // that λ = Λ + offset needs one wrap) biased by kOffsetBias in the low kRowShift bits,
    // its texel row v above them.
    std::vector<uint32_t> texels;
    // One row's texel indices, right half and mirrored, as wide as the widest row.
    std::vector<int32_t> rightIndex, leftIndex;
};
DiscTable gDisc;

// Appends the texel under the disc pixel (dx, dy) from the centre.
void appendTexel(const DiscInversion& view, int32_t dx, int32_t dy, int32_t width) {
    int32_t phi = 0, lonOffset = 0;
    invertDiscPixel(view, dx, dy, &phi, &lonOffset);
    const uint32_t span = static_cast<uint32_t>(width - 1);
    const auto v = static_cast<int32_t>((static_cast<uint32_t>(phi + 16384) * span) >> 16);
    gDisc.texels.push_back(static_cast<uint32_t>(lonOffset + kOffsetBias) | static_cast<uint32_t>(v)
                                                                                << kRowShift);
}

// The half-height of the disc in each column a = |x − cx| of the right half, the centre
// column one pixel shorter at each end.
std::vector<int32_t> discHalfHeights(int32_t columns, int32_t cx, int32_t cy) {
    std::vector<int32_t> out(static_cast<size_t>(columns));
    for (int32_t a = 0; a < columns; ++a)
        out[a] = std::min(gColumns.halfHeight[cx - a], cy - 1) - (a == 0 ? 1 : 0);
    return out;
}

// Inverts every computed pixel for the view's tilt and radius. Row by row, so that a frame
// walks neighbouring texels.
void buildDisc(const TexelSource& tex) {
    gDisc =
        DiscTable{gView.latAngle, gView.radius, tex.width, centreX(), centreY(), {}, {}, {}, {}};
    const int32_t cx = gDisc.cx, cy = gDisc.cy;
    const size_t most = size_t(2 * cy) * size_t(std::min(gView.radius, cx));
    gDisc.texels.reserve(most);
    const int32_t count = gView.radius < cx ? gView.radius : cx - 1;  // D, centre included
    const std::vector<int32_t> half = discHalfHeights(count, cx, cy);
    const DiscInversion view = discInversion(gView.latAngle, gView.radius);
    gDisc.rightIndex.resize(size_t(count));
    gDisc.leftIndex.resize(size_t(count));
    const int32_t tallest = *std::max_element(half.begin(), half.end());
    for (int32_t y = cy - tallest; y <= cy + tallest; ++y) {
        const int32_t dy = y - cy;
        // Half-heights shrink away from the centre; only the centre column is shorter.
        int32_t first = half[0] < std::abs(dy) ? 1 : 0, last = first - 1;
        while (last + 1 < count && half[last + 1] >= std::abs(dy)) ++last;
        if (last < first) continue;
        gDisc.rows.push_back({y, first, last, gDisc.texels.size()});
        for (int32_t a = first; a <= last; ++a) appendTexel(view, a, dy, tex.width);
    }
}

bool discIsCurrent(const TexelSource& tex) {
    return gDisc.latAngle == gView.latAngle && gDisc.radius == gView.radius &&
           gDisc.width == tex.width && gDisc.cx == centreX() && gDisc.cy == centreY();
}

// Per-texel line flags: a texel column or row on a grid line, on the equator or a main
// meridian, on a dash of the circles (columns) or on a circle (rows).
constexpr uint8_t kOnGrid = 1, kOnAxis = 2, kOnDash = 4, kOnTropic = 8, kOnPolar = 16;

struct LineFlags {
    int32_t width = 0, height = 0, spacing = 0, tolerance = -1;
    std::vector<uint8_t> column, row;
};
LineFlags gLines;

inline bool near(int32_t v, int32_t row, int32_t tolerance) {
    return std::abs(v - row) <= tolerance;
}

// The flags for a W × H texture, grid spacing g and line tolerance t (half-width, texels).
// The spacing is a whole number of texels counted from the map's corner, so it need not pass
// through the equator or the prime meridian (1024 wide, 15°: 42 texels); those two are lines
// of their own.
void buildLineFlags(int32_t w, int32_t h, int32_t g, int32_t t) {
    gLines =
        LineFlags{w, h, g, t, std::vector<uint8_t>(size_t(w)), std::vector<uint8_t>(size_t(h))};
    for (int32_t u = 0; u < w; ++u) {
        const int32_t ru = u % g;
        uint8_t f = (u & 15) < 8 ? kOnDash : 0;
        if (ru <= t || ru >= g - t || near(u, w / 2, t)) f |= kOnGrid;
        if (u < 2 || u > w - 2 || std::abs(u - w / 2) < 2) f |= kOnAxis;
        gLines.column[u] = f;
    }
    const int32_t e = h / 2, t1 = static_cast<int32_t>(h * kTropicFraction),
                  t2 = static_cast<int32_t>(h * kPolarFraction);
    for (int32_t v = 0; v < h; ++v) {
        const int32_t rv = v % g;
        uint8_t f = 0;
        if (rv <= t || rv >= g - t || near(v, e, t)) f |= kOnGrid;
        if (std::abs(v - e) < 2) f |= kOnAxis;
        if (near(v, e - t1, t) || near(v, e + t1, t))
            f |= kOnTropic;
        else if (near(v, e - t2, t) || near(v, e + t2, t))
            f |= kOnPolar;
        gLines.row[v] = f;
    }
}

// Everything fixed for one frame.
struct SphereFrame {
    TexelSource tex;
    int32_t lonAngle;  // Λ, angle units
    int32_t stride;    // back buffer row length, pixels
    bool grid, circles, smoothing;
    uint16_t gridColour, axisColour, tropicColour, polarColour;
};

SphereFrame frameForView(const TexelSource& tex) {
    SphereFrame f{};
    f.tex = tex;
    f.lonAngle = gView.lonAngle;
    f.stride = screenWidth();
    f.grid = gOptions.latLonGrid;
    f.circles = gOptions.tropicPolarCircles;
    f.smoothing = gOptions.textureSmoothing;
    f.gridColour = gOptions.gridColor;
    f.axisColour = gOptions.equatorColor;
    f.tropicColour = gOptions.tropicColor;
    f.polarColour = gOptions.arcticColor;
    return f;
}

// The (smoothed) texel at index `i` of column u in the row starting at `rowStart`.
template <bool Smooth>
inline uint16_t texel(const SphereFrame& f, int32_t i, int32_t u, int32_t rowStart) {
    if (Smooth && u != 0 && rowStart != 0) return average2x2AtIndex(f.tex, static_cast<size_t>(i));
    return f.tex.texels[i];
}

// The grid line colour at texel column u of a row with flags `row`, else the texel.
template <bool Smooth>
inline uint16_t gridOrTexel(const SphereFrame& f, int32_t i, int32_t u, int32_t rowStart,
                            uint8_t row) {
    if (f.grid) {
        const uint8_t column = gLines.column[u];
        if ((column | row) & kOnGrid) return (column | row) & kOnAxis ? f.axisColour : f.gridColour;
    }
    return texel<Smooth>(f, i, u, rowStart);
}

// The texel indices of one row's computed pixels (`right`) and of their mirrors (`left`):
// λ = Λ + offset on the right, Λ + 32768 − offset on the left (offsets reflect about the
// centre's 16384), each wrapped once, and u = λ (W − 1) / 65536. Reflecting the angle rather
// than the texel column keeps both halves as exact as the table. Plain arithmetic on arrays,
// so that the compiler can do several at a time.
[[gnu::always_inline]] inline void rowIndicesOf(const SphereFrame& f, size_t start, int32_t count,
                                                int32_t* right, int32_t* left) {
    const uint32_t* texels = gDisc.texels.data() + start;
    const int32_t w = f.tex.width;
    const uint32_t span = static_cast<uint32_t>(w - 1);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t rowStart = static_cast<int32_t>(texels[i] >> kRowShift) * w;
        const int32_t offset = static_cast<int32_t>(texels[i] & kOffsetMask) - kOffsetBias;
        const int32_t lambda = wrapOnce(f.lonAngle + offset);
        const int32_t mirror = wrapOnce(f.lonAngle + 32768 - offset);
        right[i] = rowStart + static_cast<int32_t>((static_cast<uint32_t>(lambda) * span) >> 16);
        left[i] = rowStart + static_cast<int32_t>((static_cast<uint32_t>(mirror) * span) >> 16);
    }
}

#if defined(__x86_64__)
// Half the frame goes into this arithmetic; with 8 lanes and a 32-bit multiply it takes half
// as long, so machines that have them use them.
[[gnu::target("avx2")]] void rowIndicesWide(const SphereFrame& f, size_t start, int32_t count,
                                            int32_t* right, int32_t* left) {
    rowIndicesOf(f, start, count, right, left);
}
#endif

void rowIndices(const SphereFrame& f, size_t start, int32_t count, int32_t* right, int32_t* left) {
#if defined(__x86_64__)
    if (platform::hasWideLanes()) return rowIndicesWide(f, start, count, right, left);
#endif
    rowIndicesOf(f, start, count, right, left);
}

// One screen row of the disc: the right half from the table, each pixel mirrored to the
// left. The mirror is written first, so that the centre column keeps its own texel.
template <bool Lines, bool Smooth>
void drawDiscRow(const SphereFrame& f, const DiscRow& r, uint16_t* row) {
    const int32_t count = r.last - r.first + 1;
    int32_t* right = gDisc.rightIndex.data();
    int32_t* left = gDisc.leftIndex.data();
    rowIndices(f, r.start, count, right, left);
    uint16_t* centre = row + gDisc.cx;
    const uint32_t* texels = gDisc.texels.data() + r.start;
    for (int32_t i = 0, a = r.first; i < count; ++i, ++a) {
        const auto v = static_cast<int32_t>(texels[i] >> kRowShift);
        const int32_t start = v * f.tex.width, u = right[i] - start, mirrorU = left[i] - start;
        if (!Lines) {
            centre[-a] = texel<Smooth>(f, left[i], mirrorU, start);
            centre[a] = texel<Smooth>(f, right[i], u, start);
            continue;
        }
        const uint8_t rowFlags = gLines.row[v];
        // A dash of a circle covers both halves, grid or not.
        if (f.circles && (rowFlags & (kOnTropic | kOnPolar)) && (gLines.column[u] & kOnDash)) {
            centre[a] = centre[-a] = rowFlags & kOnTropic ? f.tropicColour : f.polarColour;
            continue;
        }
        centre[-a] = gridOrTexel<Smooth>(f, left[i], mirrorU, start, rowFlags);
        centre[a] = gridOrTexel<Smooth>(f, right[i], u, start, rowFlags);
    }
}

// The background around the disc, so that the disc's pixels are written once.
void fillAroundDisc(uint16_t* screen, int32_t stride, int32_t height, uint16_t colour) {
    auto row = gDisc.rows.begin();
    for (int32_t y = 0; y < height; ++y) {
        uint16_t* line = screen + static_cast<size_t>(y) * stride;
        if (row == gDisc.rows.end() || row->y != y) {
            std::fill_n(line, stride, colour);
            continue;
        }
        const int32_t left = gDisc.cx - row->last, right = gDisc.cx + row->last + 1;
        std::fill_n(line, left, colour);
        std::fill_n(line + right, stride - right, colour);
        if (row->first > 0) line[gDisc.cx] = colour;  // the shorter centre column
        ++row;
    }
}

template <bool Lines, bool Smooth>
void drawDisc(const SphereFrame& f, uint16_t* screen) {
    for (const DiscRow& r : gDisc.rows)
        drawDiscRow<Lines, Smooth>(f, r, screen + static_cast<size_t>(r.y) * f.stride);
}

}  // namespace

void renderSphere() {
    gRedraw = 0;
    uint16_t* screen = backBuffer();
    if (!screen) return;
    const TexelSource tex = currentTexture();
    if (!tex.texels || gView.radius < 1) {
        fillRect(0, 0, screenWidth(), screenHeight(), gOptions.backgroundColor);
        return;
    }
    if (gColumns.radius != gView.radius ||
        gColumns.halfHeight.size() != static_cast<size_t>(centreX() + 1))
        buildColumnTables();
    if (!discIsCurrent(tex)) buildDisc(tex);
    const SphereFrame f = frameForView(tex);
    fillAroundDisc(screen, f.stride, screenHeight(), gOptions.backgroundColor);
    const bool lines = f.grid || f.circles;
    if (lines) {
        // A map narrower than 36 texels would give no spacing at all: lines every texel.
        const int32_t g = std::max(1, gridDegrees(gOptions.gridStep) * tex.width / 360);
        const int32_t t = 2 * tex.height / (7 * gView.radius);
        if (gLines.width != tex.width || gLines.height != tex.height || gLines.spacing != g ||
            gLines.tolerance != t)
            buildLineFlags(tex.width, tex.height, g, t);
    }
    // The smoothing filter reads the texel above and to the left; the table rows and
    // columns are always inside the texture, so only u = 0 and v = 0 are left unfiltered.
    if (lines)
        f.smoothing ? drawDisc<true, true>(f, screen) : drawDisc<true, false>(f, screen);
    else
        f.smoothing ? drawDisc<false, true>(f, screen) : drawDisc<false, false>(f, screen);
}
