// The compositing routines: one common frame (check, allocate, map, stream rows, progress,
// release) and one small pixel rule per routine. Integer arithmetic only; the hour-angle
// cosine of every column is worked out once per rebuild, the twilight's shade factors once
// per set of shading options, the latitude terms and where a row turns from day to twilight
// to night once per row. The usual compositing also has its rows written out in AVX2 lanes.

#include "texture/compose.h"

#include <algorithm>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "base/options.h"
#include "platform/cpu.h"
#include "raster/back_buffer.h"
#include "raster/progress_meter.h"
#include "texture/map_set.h"
#include "texture/sun.h"
#include "texture/texel_lanes.h"
#include "view/angles.h"
#include "view/tables.h"

int32_t shadeFactor(int32_t e, const ShadeTerms& t) {
    const int32_t n = t.night;
    if (t.twilight > 0) {
        if (e >= 0) return 256;
        return e >= -t.twilight ? n + (256 - n) / 2 : n;
    }
    const int32_t r = t.halfWidth;
    if (e >= r) return 256;
    if (e < -r) return n;
    return n + (e + r) * (256 - n) / (2 * r);
}

uint32_t overlayChannel(uint32_t m, uint32_t o, int32_t op) {
    switch (op) {
        case kOverlayUnion:
            return m | o;
        case kOverlayIntersection:
            return m & o;
        case kOverlayExclusion:
            return m ^ o;
        case kOverlayMerge:
            return (m + o) >> 1;
        case kOverlayOverlay:
            return o + (((256 - o) * m) >> 8);
        case kOverlayDayNight:
            return m;
        default:
            return 0;
    }
}

uint32_t brightnessMultiplier(int32_t percent) {
    return static_cast<uint32_t>(std::clamp(percent, 0, 100)) * 256 / 100;
}

uint16_t packBrightness(uint32_t red, uint32_t green, uint32_t blue, uint32_t b) {
    uint32_t r = ((red * b) >> 8) & 0xF8, g = ((green * b) >> 8) & 0xFC;
    return static_cast<uint16_t>(r << 8 | g << 3 | (((blue * b) >> 11) & 0x1F));
}

int32_t interlacedRow(int32_t stored, int32_t height) {
    static const int32_t kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        int32_t rows =
            height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (stored < rows) return kStart[pass] + stored * kStep[pass];
        stored -= rows;
    }
    return height - 1;  // past the last row: not reached for stored < height
}

namespace {

using Kind = Compositing;

// The arcsine arguments 0 .. 65536 of the elevation: one shade factor each.
constexpr int32_t kArguments = 2 * kUnitScale + 1;

// A stretch of columns along which the hour-angle cosine only falls (or stays) or only
// rises: the elevation along it then moves one way too, so day, twilight and night lie in
// at most three pieces.
struct CosineRun {
    int32_t first, end;  // columns first .. end − 1
    bool rising;
};

// A piece of a row in full day, in night or in the twilight between.
struct ShadePiece {
    enum Kind { Day, Night, Twilight } kind;
    int32_t first, end;  // columns first .. end − 1
};

// Everything a row needs, fixed for one rebuild.
struct Rebuild {
    Kind kind;
    int32_t width, height;         // texture, pixels
    uint32_t brightness;           // 0 .. 256
    int32_t operation;             // overlay operation
    SunVector sun;                 // for this rebuild's moment
    ShadeTerms shade;              // twilight, half-width, night level
    std::vector<int32_t> cosHour;  // per column: cos of the local hour angle, × 32768
    std::vector<CosineRun> runs;   // the columns split where the cosine turns
    // The shade factor depends on the elevation alone, and the elevation on its arcsine
    // argument alone; both only grow with it. Arguments up to `nightEnd` give the night
    // level, from `dayStart` on full day; `twilight` holds the factors from nightEnd to
    // dayStart, `twilightPairs` the same with each factor in both half-words.
    int32_t nightEnd = 0, dayStart = 0;
    const uint16_t* twilight = nullptr;
    const uint32_t* twilightPairs = nullptr;
    std::vector<uint32_t> zeros;  // an overlay row of black
    // Scratch for one row: its pieces and the factors of its twilight columns; per run,
    // where the last row's twilight began and ended, for the next row's search to start.
    mutable std::vector<ShadePiece> pieces;
    mutable std::vector<uint32_t> factors;
    mutable std::vector<int32_t> turns;
};

// The sun's elevation in a row from the column's cosine of the local hour angle, as the
// arcsine argument 0 .. 65536 (clamped as fixedAsin clamps): the second half of
// sunElevationInRow, whose hour-angle cosine depends on the column only and is therefore
// looked up once per rebuild instead of once per texel.
inline int32_t elevationArgument(const SunRow& row, int32_t cosHour) {
    return std::clamp(row.a + cosHour * row.b / kUnitScale + kUnitScale, 0, kArguments - 1);
}

inline int32_t elevationOfArgument(int32_t argument) {
    int32_t e = fixedAsin(argument);
    return e > kQuarterTurn ? e - kTurn : e;
}

inline uint32_t channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

// Packs the three channels of `m` (and `o`) combined by `rule(m, o)`.
template <typename Rule>
inline uint16_t packWith(uint32_t m, uint32_t o, uint32_t b, Rule rule) {
    return packBrightness(rule(channel(m, 16), channel(o, 16)), rule(channel(m, 8), channel(o, 8)),
                          rule(channel(m, 0), channel(o, 0)), b);
}

// Red and blue of a 0x00RRGGBB pixel, each alone in its half-word: a factor up to 256 then
// scales both with one multiplication, as 255 × 256 still fits a half-word.
constexpr uint32_t kRedBlue = 0x00FF00FF;

// Factors and brightnesses that are known constants let the compiler drop their
// multiplications: full day and full brightness are the usual case.
using Full = std::integral_constant<uint32_t, 256>;
using None = std::integral_constant<uint32_t, 0>;

// x × f / 256 for x of kRedBlue lanes or one channel and f up to 256.
template <typename Factor>
inline uint32_t scaled(uint32_t x, Factor f) {
    if constexpr (std::is_same_v<Factor, Full>)
        return x;
    else if constexpr (std::is_same_v<Factor, None>)
        return 0;
    else
        return (x * f) >> 8;
}

// packBrightness for red and blue held as kRedBlue lanes: the same fields, since shifting
// blue × b right by 11 is shifting its lane right by 8 and then by 3.
template <typename Brightness>
inline uint16_t packLanes(uint32_t redBlue, uint32_t green, Brightness b) {
    const uint32_t lanes = scaled(redBlue, b) & kRedBlue, g = scaled(green, b);
    return static_cast<uint16_t>((lanes >> 8 & 0xF800) | (g << 3 & 0x07E0) | (lanes >> 3 & 0x1F));
}

void composeUnshadedRow(const Rebuild& rb, const uint32_t* main, const uint32_t* over,
                        uint16_t* out) {
    const int32_t op = rb.kind == Kind::Day ? kOverlayDayNight : rb.operation;
    for (int32_t x = 0; x < rb.width; ++x) {
        uint32_t o = over ? over[x] : 0;
        out[x] = packWith(main[x], o, rb.brightness,
                          [op](uint32_t m, uint32_t ov) { return overlayChannel(m, ov, op); });
    }
}

// The first column in first .. end − 1 that passes `past` (end if none), for columns that
// pass it once and stay past it: stepped to from `hint`, where the row before turned, as a
// row turns a column or two from there; a search of the whole run took a dozen poorly
// predicted steps.
template <typename Past>
int32_t firstPastNear(int32_t first, int32_t end, int32_t hint, Past past) {
    int32_t x = std::clamp(hint, first, end);
    if (x == end || past(x)) {
        while (x > first && past(x - 1)) --x;
    } else {
        do ++x;
        while (x < end && !past(x));
    }
    return x;
}

// Splits a row into rb.pieces of day, twilight and night, neighbours of one kind joined.
void rowPieces(const Rebuild& rb, const SunRow& row) {
    const int32_t nightEnd = rb.nightEnd, dayStart = rb.dayStart;
    rb.pieces.clear();
    auto add = [&](ShadePiece::Kind kind, int32_t first, int32_t end) {
        if (first == end) return;
        if (!rb.pieces.empty() && rb.pieces.back().kind == kind)
            rb.pieces.back().end = end;
        else
            rb.pieces.push_back({kind, first, end});
    };
    for (size_t i = 0; i < rb.runs.size(); ++i) {
        const CosineRun& run = rb.runs[i];
        auto argument = [&](int32_t x) { return elevationArgument(row, rb.cosHour[x]); };
        // Rising: night, twilight, day; falling: day, twilight, night.
        const int32_t from = firstPastNear(run.first, run.end, rb.turns[2 * i], [&](int32_t x) {
            return run.rising ? argument(x) > nightEnd : argument(x) < dayStart;
        });
        const int32_t to = firstPastNear(from, run.end, rb.turns[2 * i + 1], [&](int32_t x) {
            return run.rising ? argument(x) >= dayStart : argument(x) <= nightEnd;
        });
        rb.turns[2 * i] = from;
        rb.turns[2 * i + 1] = to;
        add(run.rising ? ShadePiece::Night : ShadePiece::Day, run.first, from);
        add(ShadePiece::Twilight, from, to);
        add(run.rising ? ShadePiece::Day : ShadePiece::Night, to, run.end);
    }
}

// The shade factor of column x in `row`, from the table.
inline uint32_t factorAt(const Rebuild& rb, const SunRow& row, int32_t x) {
    const int32_t z = elevationArgument(row, rb.cosHour[static_cast<size_t>(x)]);
    return rb.twilight[std::clamp(z, rb.nightEnd, rb.dayStart) - rb.nightEnd];
}

// The factors of the twilight pieces' columns into rb.factors, as factorAt has them: the
// arguments first, in lanes, then the table, one column at a time.
void twilightFactors(const Rebuild& rb, const SunRow& row) {
    const int32_t* cosHour = rb.cosHour.data();
    const uint16_t* table = rb.twilight;
    const int32_t nightEnd = rb.nightEnd, dayStart = rb.dayStart;
    uint32_t* f = rb.factors.data();
    for (const ShadePiece& p : rb.pieces) {
        if (p.kind != ShadePiece::Twilight) continue;
        const int32_t first = p.first, end = p.end;
        for (int32_t x = first; x < end; ++x) {
            const int32_t z = elevationArgument(row, cosHour[x]);
            f[x] = static_cast<uint32_t>(std::clamp(z, nightEnd, dayStart) - nightEnd);
        }
        for (int32_t x = first; x < end; ++x) f[x] = table[f[x]];
    }
}

template <typename Pixel, typename Brightness>
void shadePieces(const Rebuild& rb, const uint32_t* main, const uint32_t* over, uint16_t* out,
                 Pixel pixel, Brightness b) {
    const uint32_t* f = rb.factors.data();
    const auto night = static_cast<uint32_t>(rb.shade.night);
    auto piece = [&](const ShadePiece& p, auto factor) {
        for (int32_t x = p.first; x < p.end; ++x) out[x] = pixel(main[x], over[x], factor(x), b);
    };
    for (const ShadePiece& p : rb.pieces) {
        if (p.kind == ShadePiece::Day)
            piece(p, [](int32_t) { return Full{}; });
        else if (p.kind == ShadePiece::Twilight)
            piece(p, [f](int32_t x) { return f[x]; });
        else if (night == 0)
            piece(p, [](int32_t) { return None{}; });
        else
            piece(p, [night](int32_t) { return night; });
    }
}

// A shaded row: `pixel(m, o, f, b)` gives the texel of main value m, overlay value o (black
// without an overlay), shade factor f and brightness b.
template <typename Pixel>
void shadeRow(const Rebuild& rb, int32_t y, const uint32_t* main, const uint32_t* over,
              uint16_t* out, Pixel pixel) {
    const SunRow row = sunRowTerms((rb.height / 2 - y) * 32768 / rb.height, rb.sun);
    rowPieces(rb, row);
    twilightFactors(rb, row);
    if (!over) over = rb.zeros.data();
    if (rb.brightness == 256)
        shadePieces(rb, main, over, out, pixel, Full{});
    else
        shadePieces(rb, main, over, out, pixel, rb.brightness);
}

// Day map by day, night map by night: the two weights add up to 256, so a lane holds at
// most 255 × 256.
template <typename Factor, typename Brightness>
inline uint16_t dayNightTexel(uint32_t m, uint32_t o, Factor f, Brightness b) {
    if constexpr (std::is_same_v<Factor, Full>) {
        return packLanes(m & kRedBlue, channel(m, 8), b);
    } else if constexpr (std::is_same_v<Factor, None>) {
        return packLanes(o & kRedBlue, channel(o, 8), b);
    } else {
        const uint32_t redBlue = ((o & kRedBlue) * (256 - f) + (m & kRedBlue) * f) >> 8;
        const uint32_t green = (channel(o, 8) * (256 - f) + channel(m, 8) * f) >> 8;
        return packLanes(redBlue & kRedBlue, green, b);
    }
}

void composeShadedRow(const Rebuild& rb, int32_t y, const uint32_t* main, const uint32_t* over,
                      uint16_t* out) {
    const int32_t op = rb.operation;
    if (!over) {
        shadeRow(rb, y, main, over, out, [](uint32_t m, uint32_t, auto f, auto b) {
            return packLanes(scaled(m & kRedBlue, f) & kRedBlue, scaled(channel(m, 8), f), b);
        });
    } else if (op == kOverlayDayNight) {
        shadeRow(rb, y, main, over, out,
                 [](uint32_t m, uint32_t o, auto f, auto b) { return dayNightTexel(m, o, f, b); });
    } else {
        shadeRow(rb, y, main, over, out, [op](uint32_t m, uint32_t o, uint32_t f, auto b) {
            return packWith(m, o, b, [f, op](uint32_t mc, uint32_t oc) {
                return op >= 0 && op < kOverlayDayNight ? overlayChannel(mc, oc, op) * f / 256 : 0;
            });
        });
    }
}

#if defined(__x86_64__)
// The shaded rows are most of a rebuild's arithmetic; with 8 lanes and a 32-bit multiply
// they take about half as long, so machines that have them use them.
[[gnu::target("avx2"), gnu::flatten]] void composeShadedRowWide(const Rebuild& rb, int32_t y,
                                                                const uint32_t* main,
                                                                const uint32_t* over,
                                                                uint16_t* out) {
    composeShadedRow(rb, y, main, over, out);
}

// composeShadedRow for the usual compositing: the pieces of 16 columns or more in lanes,
// shorter ones by dayNightTexel.
[[gnu::target("avx2")]] void composeDayNightRowWide(const Rebuild& rb, int32_t y,
                                                    const uint32_t* main, const uint32_t* over,
                                                    uint16_t* out) {
    const SunRow row = sunRowTerms((rb.height / 2 - y) * 32768 / rb.height, rb.sun);
    rowPieces(rb, row);
    const wide::TwilightRow t{_mm256_set1_epi32(row.b),
                              _mm256_set1_epi32(row.a + kUnitScale - rb.nightEnd),
                              _mm256_set1_epi32(rb.dayStart - rb.nightEnd),
                              reinterpret_cast<const int*>(rb.twilightPairs), rb.cosHour.data()};
    for (const ShadePiece& p : rb.pieces) {
        const uint32_t* from = p.kind == ShadePiece::Day ? main : over;
        if (p.end - p.first < 16) {
            for (int32_t x = p.first; x < p.end; ++x)
                out[x] = dayNightTexel(main[x], over[x], factorAt(rb, row, x), Full{});
        } else if (p.kind == ShadePiece::Twilight) {
            wide::in16s(
                out, p.first, p.end, [&](int32_t x) __attribute__((target("avx2"))) {
                    return wide::twilight8(t, main, over, x);
                });
        } else {
            wide::in16s(
                out, p.first, p.end, [&](int32_t x) __attribute__((target("avx2"))) {
                    return wide::pack565(wide::load8(from + x));
                });
        }
    }
}
#endif

void composeRow(const Rebuild& rb, int32_t y, const uint32_t* main, const uint32_t* over,
                uint16_t* out) {
    if (rb.kind != Kind::Shaded && rb.kind != Kind::ShadedOverlay)
        return composeUnshadedRow(rb, main, over, out);
#if defined(__x86_64__)
    if (platform::hasWideLanes() && over && rb.kind == Kind::ShadedOverlay &&
        rb.operation == kOverlayDayNight && rb.brightness == 256)
        return composeDayNightRowWide(rb, y, main, over, out);
    if (platform::hasWideLanes()) return composeShadedRowWide(rb, y, main, over, out);
#endif
    composeShadedRow(rb, y, main, over, out);
}

// Shows `step` on the bar and puts it on the display at once: the rebuild holds the thread.
void showProgress(ProgressMeter* progress, int step) {
    setProgressMeterPercent(progress, step);
    drawProgressMeter(*progress);
    present(-1);
}

// Streams every row of the mapped maps into `texture`; stops at the first row a map file
// cannot deliver (a damaged GIF) and returns that map, so that the set is refused instead of
// shown half black. Null when every row was composed.
const ImageBuffer* composeRows(const Rebuild& rb, ImageBuffer* main, ImageBuffer* over,
                               uint32_t* mainRow, uint32_t* overRow, uint16_t* texture,
                               ProgressMeter* progress) {
    int nextStep = 0;
    for (int32_t i = 0; i < rb.height; ++i) {
        if (!main->readNextRow(mainRow)) return main;
        if (over && !over->readNextRow(overRow)) return over;
        int32_t y = gMapSet.interlacedRows ? interlacedRow(i, rb.height) : i;
        composeRow(rb, y, mainRow, over ? overRow : nullptr,
                   texture + static_cast<size_t>(y) * rb.width);
        if (progress && int64_t{i} * 100 / rb.height >= nextStep) {
            showProgress(progress, nextStep);
            nextStep += 14;
        }
    }
    return nullptr;
}

// The columns cut into runs along which the hour-angle cosine never turns.
std::vector<CosineRun> cosineRuns(const std::vector<int32_t>& cosHour) {
    std::vector<CosineRun> runs;
    const auto width = static_cast<int32_t>(cosHour.size());
    int32_t first = 0, direction = 0;
    for (int32_t x = 1; x <= width; ++x) {
        const int32_t step =
            x < width ? (cosHour[x] > cosHour[x - 1]) - (cosHour[x] < cosHour[x - 1]) : 0;
        if (x < width && (step == 0 || direction == 0 || step == direction)) {
            direction = direction == 0 ? step : direction;
            continue;
        }
        runs.push_back({first, x, direction > 0});
        first = x;
        direction = 0;
    }
    return runs;
}

// The shade factors of the arcsine arguments nightEnd .. dayStart for one set of shading
// terms; below nightEnd every argument gives the night level, from dayStart on full day.
struct TwilightTable {
    ShadeTerms terms{0, 0, -1};  // none yet
    int32_t nightEnd = 0, dayStart = 0;
    std::vector<uint16_t> factors;
    std::vector<uint32_t> pairs;  // factor × 0x10001, for the wide rows
};

// The table for `terms`, worked out anew only when they change: the sun moves on every
// rebuild, the options seldom. nightEnd and dayStart by binary search, as the factor only
// grows with the argument.
const TwilightTable& twilightTable(const ShadeTerms& terms) {
    static TwilightTable t;
    if (t.terms.twilight == terms.twilight && t.terms.halfWidth == terms.halfWidth &&
        t.terms.night == terms.night)
        return t;
    t.terms = terms;
    auto factor = [&terms](int32_t z) { return shadeFactor(elevationOfArgument(z), terms); };
    int32_t low = 0, high = kArguments - 1;  // factor(0) is the night level
    while (low < high) {
        const int32_t mid = low + (high - low + 1) / 2;
        if (factor(mid) == terms.night)
            low = mid;
        else
            high = mid - 1;
    }
    t.nightEnd = low;
    high = kArguments - 1;  // factor(65536) is full day
    while (low < high) {
        const int32_t mid = low + (high - low) / 2;
        if (factor(mid) == 256)
            high = mid;
        else
            low = mid + 1;
    }
    t.dayStart = low;
    t.factors.resize(static_cast<size_t>(t.dayStart - t.nightEnd + 1));
    t.pairs.resize(t.factors.size());
    for (size_t i = 0; i < t.factors.size(); ++i) {
        t.factors[i] = static_cast<uint16_t>(factor(t.nightEnd + static_cast<int32_t>(i)));
        t.pairs[i] = t.factors[i] * 0x10001u;
    }
    return t;
}

void setupShading(Rebuild* rb) {
    rb->shade.twilight = twilightThreshold(gOptions.twilightType);
    rb->shade.halfWidth = transitionHalfWidth(gOptions.shadowSpecularity);
    rb->shade.night = nightLevel(gOptions.shadowDarkness);
    // The night map itself is the night side: it is not darkened again.
    if (rb->kind == Kind::ShadedOverlay && rb->operation == kOverlayDayNight) rb->shade.night = 0;
    const TwilightTable& table = twilightTable(rb->shade);
    rb->nightEnd = table.nightEnd;
    rb->dayStart = table.dayStart;
    rb->twilight = table.factors.data();
    rb->twilightPairs = table.pairs.data();
    rb->cosHour.resize(static_cast<size_t>(rb->width));
    for (int32_t x = 0; x < rb->width; ++x) {
        int32_t lonOffset = static_cast<int32_t>(int64_t{x - rb->width / 2} * 65536 / rb->width);
        rb->cosHour[x] = fixedCos(wrapAngle(int64_t{rb->sun.hourAngle} + lonOffset));
    }
    rb->runs = cosineRuns(rb->cosHour);
    for (const CosineRun& run : rb->runs) rb->turns.insert(rb->turns.end(), 2, run.first);
    rb->zeros.assign(static_cast<size_t>(rb->width), 0);
    rb->factors.resize(static_cast<size_t>(rb->width));
}

// The sun and, for the shaded routines, the options' shading terms.
void setupRebuild(Rebuild* rb, const SunVector& sun) {
    rb->sun = sun;
    if (rb->kind == Kind::Shaded || rb->kind == Kind::ShadedOverlay) setupShading(rb);
}

Rebuild rebuildFor(Kind kind, int32_t width, int32_t height) {
    Rebuild rb{};
    rb.kind = kind;
    rb.width = width;
    rb.height = height;
    rb.brightness = brightnessMultiplier(gOptions.textureBrightness);
    rb.operation = gOptions.overlayOperation;
    return rb;
}

// Allocates a new texture and the row buffers. The old texture stays in use until the new
// one is complete; when memory runs out it is released too (there is then no texture).
bool allocateBuffers(int32_t w, int32_t h, bool overlay, std::unique_ptr<uint16_t[]>* texture,
                     std::unique_ptr<uint32_t[]>* mainRow, std::unique_ptr<uint32_t[]>* overRow) {
    texture->reset(new (std::nothrow) uint16_t[size_t(w) * h]);
    mainRow->reset(new (std::nothrow) uint32_t[size_t(w)]);
    if (overlay) overRow->reset(new (std::nothrow) uint32_t[size_t(w)]);
    if (*texture && *mainRow && (!overlay || *overRow)) return true;
    installTexture(nullptr, 0, 0);
    return false;
}

int compose(Kind kind, ProgressMeter* progress) {
    Rebuild rb = rebuildFor(kind, 0, 0);
    const bool overlay = kind == Kind::Overlay || kind == Kind::ShadedOverlay;
    if (checkMapSet(overlay, &rb.width, &rb.height) != kMapOk) return kMapUnusable;
    std::unique_ptr<uint16_t[]> texture;
    std::unique_ptr<uint32_t[]> mainRow, overRow;
    ImageBuffer* main = gMapSet.mainMapImage.get();
    ImageBuffer* over = overlay ? gMapSet.overlayMapImage.get() : nullptr;
    auto unmap = [main, over] {
        main->unmap();
        if (over) over->unmap();
    };
    if (!allocateBuffers(rb.width, rb.height, overlay, &texture, &mainRow, &overRow)) {
        unmap();
        return kMapOutOfMemory;
    }
    const ImageBuffer* bad = !main->mapFile() ? main : over && !over->mapFile() ? over : nullptr;
    if (!bad) {
        setupRebuild(&rb, updateSunPosition());
        bad = composeRows(rb, main, over, mainRow.get(), overRow.get(), texture.get(), progress);
    }
    unmap();
    if (bad) {
        gMapSet.refusal = bad->fileName() + " has image data that is damaged or ends early";
        return kMapUnusable;
    }
    installTexture(std::move(texture), rb.width, rb.height);
    return kMapOk;
}

}  // namespace

void composeDecoded(Compositing kind, const uint32_t* main, const uint32_t* overlay, int32_t width,
                    int32_t height, int64_t utcMs, uint16_t* texture) {
    Rebuild rb = rebuildFor(kind, width, height);
    setupRebuild(&rb, updateSunPositionAt(utcMs));
    const bool withOverlay = kind == Kind::Overlay || kind == Kind::ShadedOverlay;
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = static_cast<size_t>(y) * width;
        composeRow(rb, y, main + row, withOverlay && overlay ? overlay + row : nullptr,
                   texture + row);
    }
}

int composeDayMap(ProgressMeter* progress) {
    return compose(Kind::Day, progress);
}
int composeOverlay(ProgressMeter* progress) {
    return compose(Kind::Overlay, progress);
}
int composeShadedMap(ProgressMeter* progress) {
    return compose(Kind::Shaded, progress);
}
int composeShadedOverlay(ProgressMeter* progress) {
    return compose(Kind::ShadedOverlay, progress);
}
