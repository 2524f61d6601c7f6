// The flat-map renderer: a wrapped copy of texels at the map's own size, or of the map
// resampled to the band's height with a 2 × 2 (zoomed in past half the map's height) or 3 × 3
// box filter, which is kept until the texture or the height changes; then the grid and the
// circles with the line primitive. Texel indices are worked out by stepping, not dividing.

#include "texture/render_planar.h"

#include <algorithm>
#include <vector>

#include "base/options.h"
#include "base/redraw.h"
#include "raster/back_buffer.h"
#include "raster/draw.h"
#include "texture/map_lines.h"
#include "texture/map_set.h"
#include "texture/texels.h"
#include "view/view_state.h"

namespace {

// The band being drawn: its height Hp (width 2 Hp) and where it sits on the screen.
struct Band {
    int32_t height;   // Hp, pixels
    int32_t width;    // Wp = 2 Hp, pixels
    int32_t offsetX;  // map column at the screen's left edge, 0 .. Wp − 1
    int32_t offsetY;  // map row at the screen's top edge
    int32_t margin;   // background rows above the band
    int32_t screenW, screenH;
};

Band bandForView(const TexelSource& tex) {
    Band b{};
    b.height = gView.planarHeight == -1 ? tex.height : gView.planarHeight;
    b.width = 2 * b.height;
    b.offsetX = gView.offsetX;
    b.offsetY = gView.offsetY;
    b.margin = gView.margin;
    b.screenW = screenWidth();
    b.screenH = screenHeight();
    return b;
}

inline int32_t wrap(int64_t x, int32_t width) {
    int64_t r = x % width;
    return static_cast<int32_t>(r < 0 ? r + width : r);
}

// Background rows outside screen rows first .. last − 1 (the band).
void fillOutsideBand(const Band& b, int32_t first, int32_t last) {
    fillRect(0, 0, b.screenW, first, gOptions.backgroundColor);
    fillRect(0, last, b.screenW, b.screenH - last, gOptions.backgroundColor);
}

// `count` pixels of a row `width` pixels wide from column `start` (0 .. width − 1) on,
// continuing at the row's left edge past its right edge.
void copyWrapped(const uint16_t* src, int32_t width, int32_t start, uint16_t* dst, int32_t count) {
    while (count > 0) {
        const int32_t n = std::min(count, width - start);
        std::copy_n(src + start, n, dst);
        dst += n;
        count -= n;
        start = 0;
    }
}

// The map at its own size: each screen pixel one texel, the column wrapped.
void copyOwnSize(const Band& b, const TexelSource& tex, uint16_t* screen) {
    const int32_t start = wrap(b.offsetX, tex.width);
    // A map lower than the screen sits in the band the margin leaves, where the overlays
    // expect it; rows without texels are background.
    int32_t first = b.margin, last = b.margin;
    for (int32_t r = 0; r + b.margin < b.screenH; ++r) {
        int32_t v = b.offsetY + r;
        if (v < 0 || v >= tex.height) continue;
        if (last == b.margin) first = r + b.margin;
        last = r + b.margin + 1;
        copyWrapped(tex.texels + static_cast<size_t>(v) * tex.width, tex.width, start,
                    screen + static_cast<size_t>(r + b.margin) * b.screenW, b.screenW);
    }
    fillOutsideBand(b, first, last);
}

// trunc(n × scale / divisor) for n = first, first + 1, ... with a quotient and remainder
// stepped instead of a division per value. Needs n ≥ 0 throughout, where truncating and
// flooring agree, and divisor ≥ 1.
class ScaledSteps {
  public:
    ScaledSteps(int64_t first, int32_t scale, int32_t divisor)
        : stepQ_(scale / divisor), stepR_(scale % divisor), divisor_(divisor) {
        restart(first, scale);
    }
    void restart(int64_t n, int32_t scale) {
        const int64_t product = n * scale;
        q_ = static_cast<int32_t>(product / divisor_);
        r_ = static_cast<int32_t>(product % divisor_);
    }
    int32_t value() const { return q_; }
    void next() {
        q_ += stepQ_;
        r_ += stepR_;
        if (r_ >= divisor_) {
            r_ -= divisor_;
            ++q_;
        }
    }

  private:
    int32_t q_ = 0, r_ = 0;
    const int32_t stepQ_, stepR_, divisor_;
};

// Texel column u = mx × W / Wp for each of texelU's columns from band column `first` on, mx
// the band column wrapped into 0 .. Wp − 1.
void bandColumns(const Band& b, const TexelSource& tex, int32_t first,
                 std::vector<int32_t>* texelU) {
    ScaledSteps u(first, tex.width, b.width);
    for (int32_t k = 0, mx = first; k < static_cast<int32_t>(texelU->size()); ++k) {
        (*texelU)[k] = u.value();
        if (++mx == b.width) {
            mx = 0;
            u.restart(0, tex.width);
        } else {
            u.next();
        }
    }
}

// One band row from texel row v: edge texels as they are, the others through `filter`.
template <typename Filter>
void resampleRow(const TexelSource& tex, int32_t v, const int32_t* texelU, int32_t columns,
                 uint16_t* dst, Filter filter) {
    const uint16_t* src = tex.texels + static_cast<size_t>(v) * tex.width;
    if (v <= 0 || v >= tex.height - 1) {
        for (int32_t k = 0; k < columns; ++k) dst[k] = src[texelU[k]];
        return;
    }
    for (int32_t k = 0; k < columns; ++k) {
        const int32_t u = texelU[k];
        dst[k] = u == 0 || u >= tex.width - 1 ? src[u] : filter(tex, u, v);
    }
}

// Resamples rows with the filter the band's height chooses: `rows(filter)` is called with a
// lambda of (texel source, u, v), so that each loop inlines its own filter. On a texture
// narrower or lower than 3 every texel is an edge texel, so neither filter can leave it.
template <typename Rows>
void withFilter(const Band& b, const TexelSource& tex, Rows rows) {
    if (b.height > tex.height / 2)
        rows([](const TexelSource& t, int32_t u, int32_t v) { return average2x2Inside(t, u, v); });
    else
        rows([](const TexelSource& t, int32_t u, int32_t v) { return average3x3Inside(t, u, v); });
}

// The whole band resampled once per texture and band height: a frame then copies from it
// as from the map at its own size, and panning costs no filtering.
struct ResampledBand {
    uint64_t generation = 0;
    int32_t height = 0;            // Hp
    std::vector<uint16_t> pixels;  // Wp × Hp
};
ResampledBand gBand;

// Bands larger than this are resampled frame by frame instead of kept.
constexpr size_t kMostKeptPixels = size_t{16} << 20;

bool keepBand(const Band& b, const TexelSource& tex) {
    const size_t pixels = size_t(b.width) * size_t(b.height);
    if (pixels > kMostKeptPixels) return false;
    if (gBand.generation == gTextureGeneration && gBand.height == b.height) return true;
    gBand.generation = gTextureGeneration;
    gBand.height = b.height;
    gBand.pixels.resize(pixels);
    std::vector<int32_t> texelU(static_cast<size_t>(b.width));
    bandColumns(b, tex, 0, &texelU);
    withFilter(b, tex, [&](auto filter) {
        ScaledSteps v(0, tex.height, b.height);
        for (int32_t n = 0; n < b.height; ++n, v.next())
            resampleRow(tex, v.value(), texelU.data(), b.width,
                        gBand.pixels.data() + size_t(n) * b.width, filter);
    });
    return true;
}

// Band row n = Y + r of screen row r, resampled on its own: texel row v = n × H / Hp
// truncated, clamped into the texture (rows above or below the map repeat its edge rows).
void resampleOneRow(const Band& b, const TexelSource& tex, int64_t n,
                    const std::vector<int32_t>& texelU, uint16_t* dst) {
    const auto v = static_cast<int32_t>(n * tex.height / b.height);
    withFilter(b, tex, [&](auto filter) {
        resampleRow(tex, std::clamp(v, 0, tex.height - 1), texelU.data(), b.screenW, dst, filter);
    });
}

// The map resampled to the band: texel u = mx × W / Wp, v = (Y + r) × H / Hp, filtered
// except on the texture's edge rows and columns.
void resampleBand(const Band& b, const TexelSource& tex, uint16_t* screen) {
    const int32_t rows = std::min(b.height, b.screenH - b.margin);
    fillOutsideBand(b, b.margin, b.margin + rows);
    const bool kept = keepBand(b, tex);
    const int32_t start = wrap(b.offsetX, b.width);
    std::vector<int32_t> texelU;  // the screen columns' texels, for rows not in the kept band
    for (int32_t r = 0; r < rows; ++r) {
        const int64_t n = int64_t{b.offsetY} + r;
        uint16_t* dst = screen + static_cast<size_t>(b.margin + r) * b.screenW;
        if (kept && n >= 0 && n < b.height) {
            copyWrapped(gBand.pixels.data() + size_t(n) * b.width, b.width, start, dst, b.screenW);
            continue;
        }
        if (texelU.empty()) {
            texelU.resize(static_cast<size_t>(b.screenW));
            bandColumns(b, tex, start, &texelU);
        }
        resampleOneRow(b, tex, n, texelU, dst);
    }
}

void drawGrid(const Band& b) {
    const int32_t degrees = gridDegrees(gOptions.gridStep);
    const double spacing = degrees * b.width * 0.002777777777777778;  // pixels
    const int32_t n = 360 / degrees;
    for (int32_t i = 0; i < n; ++i) {
        int32_t x = static_cast<int32_t>(i * spacing) - b.offsetX;
        if (x < 0) x += b.width;
        if (x >= b.width) x -= b.width;
        if (x < 0 || x >= b.screenW) continue;
        bool main = i == 0 || i == n / 2;  // the antimeridian and the prime meridian
        drawLine(x, b.margin, x, b.margin + b.height,
                 main ? gOptions.equatorColor : gOptions.gridColor, 0);
    }
    for (int32_t i = 0; i <= n / 2; ++i) {
        int32_t y = static_cast<int32_t>(i * spacing) - b.offsetY;
        if (y < 0 || y >= b.screenH) continue;
        bool equator = i == (n / 2) / 2;
        drawLine(0, b.margin + y, b.screenW - 1, b.margin + y,
                 equator ? gOptions.equatorColor : gOptions.gridColor, 0);
    }
}

void drawCircles(const Band& b, int32_t mapHeight) {
    const int32_t dash = 4 * b.height / mapHeight + 1;
    const int32_t t1 = static_cast<int32_t>(b.height * kTropicFraction);
    const int32_t t2 = static_cast<int32_t>(b.height * kPolarFraction);
    const int32_t centre = b.height / 2 - b.offsetY;
    const struct {
        int32_t y;
        uint16_t colour;
    } rows[4] = {{centre - t1, gOptions.tropicColor},
                 {centre + t1, gOptions.tropicColor},
                 {centre - t2, gOptions.arcticColor},
                 {centre + t2, gOptions.arcticColor}};
    for (const auto& row : rows)
        if (row.y >= 0 && row.y < b.screenH)
            drawLine(0, b.margin + row.y, b.screenW - 1, b.margin + row.y, row.colour, dash);
}

}  // namespace

void renderPlanar() {
    gRedraw = 0;
    uint16_t* screen = backBuffer();
    if (!screen) return;
    const TexelSource tex = currentTexture();
    if (!tex.texels) {
        fillRect(0, 0, screenWidth(), screenHeight(), gOptions.backgroundColor);
        return;
    }
    const Band b = bandForView(tex);
    if (b.height <= 0) {
        fillRect(0, 0, b.screenW, b.screenH, gOptions.backgroundColor);
        return;
    }
    if (gView.planarHeight == -1)
        copyOwnSize(b, tex, screen);
    else
        resampleBand(b, tex, screen);
    if (gOptions.latLonGrid) drawGrid(b);
    if (gOptions.tropicPolarCircles) drawCircles(b, tex.height);
}
