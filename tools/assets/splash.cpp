// Splash and icon rendering: an orthographic view of the textured sphere with a soft
// terminator, city lights on the night side and an atmosphere rim; the splash adds stars and
// the title.

#include "splash.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assets {

namespace {

using Photo = RgbPicture;

struct Rgb {
    double r = 0, g = 0, b = 0;  // 0..1
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double smoothstep(double e0, double e1, double x) {
    double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Bilinear sample at latitude and longitude in radians (the photographs are equirectangular,
// north up, longitude −180° at the left edge).
Rgb sample(const Photo& p, double lat, double lon) {
    double fx = (lon / (2 * M_PI) + 0.5) * p.width - 0.5;
    double fy = (0.5 - lat / M_PI) * p.height - 0.5;
    int x0 = int(std::floor(fx)), y0 = std::clamp(int(std::floor(fy)), 0, p.height - 2);
    double tx = fx - x0, ty = std::clamp(fy - y0, 0.0, 1.0);
    Rgb c[4];
    for (int k = 0; k < 4; ++k) {
        int x = ((x0 + (k & 1)) % p.width + p.width) % p.width, y = y0 + (k >> 1);
        const uint8_t* s = &p.rgb[(size_t(y) * p.width + x) * 3];
        c[k] = {s[0] / 255.0, s[1] / 255.0, s[2] / 255.0};
    }
    return mix(mix(c[0], c[1], tx), mix(c[2], c[3], tx), ty);
}

uint32_t pack(Rgb c) {
    auto channel = [](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

Rgb unpack(uint32_t c) {
    return {(c >> 16 & 255) / 255.0, (c >> 8 & 255) / 255.0, (c & 255) / 255.0};
}

constexpr double kCentreX = 120, kCentreY = 230, kRadius = 84;  // globe, pixels
constexpr double kViewLat = 18 * M_PI / 180, kViewLon = 12 * M_PI / 180;

// The sphere's colour seen at view direction (u right, v up), both in radii, inside the disc.
Rgb globeColour(const Photo& day, const Photo& night, double u, double v) {
    double z = std::sqrt(std::max(0.0, 1 - u * u - v * v));
    double sl = std::sin(kViewLat), cl = std::cos(kViewLat);
    double so = std::sin(kViewLon), co = std::cos(kViewLon);
    // z towards the viewer, u east, v north of the centre of view.
    double px = z * cl * co - u * so - v * sl * co;
    double py = z * cl * so + u * co - v * sl * so;
    double pz = z * sl + v * cl;
    double lat = std::asin(std::clamp(pz, -1.0, 1.0)), lon = std::atan2(py, px);
    // Sunlight from the upper left, slightly in front: a crescent of night on the right.
    double lx = -0.62, ly = 0.38, lz = 0.69;
    double light = u * lx + v * ly + z * lz;
    double dayPart = smoothstep(-0.12, 0.18, light);
    Rgb lit = sample(day, lat, lon);
    double shade = 0.35 + 0.75 * std::max(light, 0.0);
    lit = {lit.r * shade, lit.g * shade, lit.b * shade};
    Rgb dark = sample(night, lat, lon);
    dark = {dark.r * 0.9 + 0.01, dark.g * 0.8 + 0.01, dark.b * 0.5 + 0.03};
    Rgb c = mix(dark, lit, dayPart);
    double rim = std::pow(1 - z, 3) * (0.25 + 0.5 * dayPart);
    return mix(c, Rgb{0.45, 0.7, 1.0}, std::min(rim, 0.8));
}

void drawSpace(Canvas* out) {
    for (int y = 0; y < out->height; ++y) {
        double t = std::max(0.0, 1 - y / 260.0);
        uint32_t c = pack({0.01 + 0.03 * t, 0.02 + 0.05 * t, 0.05 + 0.16 * t});
        out->fill(0, y, out->width, 1, c);
    }
    uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int i = 0; i < 170; ++i) {
        int x = int(next() % 240), y = int(next() % 320);
        double b = 0.25 + (next() % 1000) / 1400.0;
        Rgb star = mix(unpack(out->at(x, y)), Rgb{b, b, b * 1.1}, 1.0);
        out->set(x, y, pack(star));
        if (b > 0.85) {
            Rgb halo = mix(unpack(out->at(x, y)), star, 0.35);
            for (int k = 0; k < 4; ++k)
                out->set(x + (k == 0) - (k == 1), y + (k == 2) - (k == 3), pack(halo));
        }
    }
}

void drawGlobe(Canvas* out, const Photo& day, const Photo& night) {
    constexpr int kSamples = 3;  // per axis, for smooth edges
    for (int y = int(kCentreY - kRadius * 1.1); y <= int(kCentreY + kRadius * 1.1); ++y) {
        for (int x = int(kCentreX - kRadius * 1.1); x <= int(kCentreX + kRadius * 1.1); ++x) {
            if (!out->inside(x, y)) continue;
            Rgb sum, back = unpack(out->at(x, y));
            for (int s = 0; s < kSamples * kSamples; ++s) {
                double u = (x + (s % kSamples + 0.5) / kSamples - kCentreX) / kRadius;
                double v = (kCentreY - y - (s / kSamples + 0.5) / kSamples) / kRadius;
                double d = std::sqrt(u * u + v * v);
                Rgb c = d <= 1 ? globeColour(day, night, u, v)
                               : mix(back, Rgb{0.3, 0.55, 1.0},
                                     0.55 * std::exp(-(d - 1) * 45) *
                                         smoothstep(-1, 0.6, -u * 0.6 + v * 0.4));
                sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
            }
            double n = kSamples * kSamples;
            out->set(x, y, pack({sum.r / n, sum.g / n, sum.b / n}));
        }
    }
}

// Ink coverage 0..1 of the enlarged title at canvas point (x, y): the bitmap is sampled
// bilinearly and thresholded softly, which rounds the enlarged pixel steps into strokes.
double titleInk(const GlyphFont& font, const std::vector<int>& codes, double x, double y,
                double scale) {
    double fx = x / scale - 0.5, fy = y / scale - 0.5;
    int gx = int(std::floor(fx)), gy = int(std::floor(fy));
    double tx = fx - gx, ty = fy - gy, ink[4];
    for (int k = 0; k < 4; ++k) {
        int cx = gx + (k & 1), cy = gy + (k >> 1);
        int index = cx >= 0 ? cx / font.width : -1;
        ink[k] = index >= 0 && index < int(codes.size()) &&
                 glyphInk(font, codes[index], cx % font.width, cy);
    }
    double value =
        (ink[0] * (1 - tx) + ink[1] * tx) * (1 - ty) + (ink[2] * (1 - tx) + ink[3] * tx) * ty;
    return smoothstep(0.38, 0.62, value);
}

void drawTitle(Canvas* out, const GlyphFont& font, const std::string& text) {
    constexpr double kScale = 3.0;
    constexpr int kTop = 14, kShadow = 2;  // pixels
    std::vector<int> codes = decodeUtf8(text);
    int width = int(codes.size() * font.width * kScale), left = (out->width - width) / 2 + 1;
    int height = int(font.height * kScale);
    for (int y = 0; y < height + kShadow; ++y) {
        for (int x = 0; x < width + kShadow; ++x) {
            double ink = 0, shadow = 0;
            for (int s = 0; s < 4; ++s) {
                double sx = x + (s & 1) * 0.5 + 0.25, sy = y + (s >> 1) * 0.5 + 0.25;
                ink += titleInk(font, codes, sx, sy, kScale) / 4;
                shadow += titleInk(font, codes, sx - kShadow, sy - kShadow, kScale) / 4;
            }
            double t = std::clamp((y - 12.0) / 30.0, 0.0, 1.0);
            Rgb face = mix(Rgb{1.0, 1.0, 0.96}, Rgb{1.0, 0.74, 0.28}, t);
            Rgb c = mix(unpack(out->at(left + x, kTop + y)), Rgb{0, 0, 0.02}, 0.8 * shadow);
            out->set(left + x, kTop + y, pack(mix(c, face, ink)));
        }
    }
}

}  // namespace

void drawIcon(const Photo& day, const Photo& night, int size, std::vector<uint8_t>* rgba) {
    constexpr int kSamples = 4;  // per axis, for a smooth edge
    const double centre = size / 2.0, radius = size * 0.46;
    rgba->assign(size_t(size) * size * 4, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            int inside = 0;
            for (int s = 0; s < kSamples * kSamples; ++s) {
                double u = (x + (s % kSamples + 0.5) / kSamples - centre) / radius;
                double v = (centre - y - (s / kSamples + 0.5) / kSamples) / radius;
                if (u * u + v * v > 1) continue;
                Rgb c = globeColour(day, night, u, v);
                sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                ++inside;
            }
            if (!inside) continue;
            uint32_t c = pack({sum.r / inside, sum.g / inside, sum.b / inside});
            uint8_t* p = &(*rgba)[(size_t(y) * size + x) * 4];
            p[0] = uint8_t(c >> 16), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c);
            p[3] = uint8_t(std::lround(255.0 * inside / (kSamples * kSamples)));
        }
    }
}

bool drawSplash(const std::string& dayJpeg, const std::string& nightJpeg,
                const GlyphFont& titleFont, Canvas* out, std::string* error) {
    Photo day, night;
    if (!readJpegFile(dayJpeg, &day, error) || !readJpegFile(nightJpeg, &night, error))
        return false;
    *out = Canvas(240, 320, 0);
    drawSpace(out);
    drawGlobe(out, day, night);
    drawTitle(out, titleFont, "Mundora");
    return true;
}

}  // namespace assets
