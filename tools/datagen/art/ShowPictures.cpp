// [SECTION] index: helpers, material textures, sprites, show pictures, writer
#include "art/ShowPictures.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "art/Image.h"
#include "art/Noise.h"
#include "art/Random.h"
#include "art/ShowBitmaps.h"
#include "art/Text.h"
#include "common/MathConstants.h"
#include "formats/JpegWriter.h"

namespace {
constexpr int kTextureSide = 256;  // material textures, pixels
constexpr int kSpriteSide = 64;    // particle sprites, pixels
constexpr int kJpegQuality = 88;

// [SECTION] Helpers

// Fills a picture from a function of (u, v) in [0, 1).
Picture paint(int w, int h, const std::function<Rgb(double, double)>& f) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.set(x, y, f(static_cast<double>(x) / w, static_cast<double>(y) / h));
    return p;
}

// Tileable fractal noise over the texture with `cells` base cells.
double tnoise(double u, double v, int cells, int octaves, uint32_t seed) {
    return fractalNoise(u * cells, v * cells, octaves, cells, seed);
}

double smoothstep(double a, double b, double x) {
    double t = std::fmin(1.0, std::fmax(0.0, (x - a) / (b - a)));
    return t * t * (3.0 - 2.0 * t);
}

// [SECTION] Material textures

Picture stone() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double n = tnoise(u, v, 8, 5, 11);
        double cracks = smoothstep(0.02, 0.0, std::fabs(tnoise(u, v, 4, 3, 12) - 0.5));
        Rgb c = mix(rgb(0.42, 0.38, 0.33), rgb(0.78, 0.74, 0.66), n);
        return scale(c, 1.0 - 0.5 * cracks);
    });
}

Picture bricks(const Rgb& brick, const Rgb& mortar, uint32_t seed) {
    Random rnd(seed);
    std::vector<double> shade(64);
    for (double& s : shade) s = rnd.range(0.75, 1.15);
    return paint(kTextureSide, kTextureSide, [&](double u, double v) {
        double rows = 8.0, cols = 4.0;
        int row = static_cast<int>(v * rows);
        double offset = (row % 2) ? 0.5 / cols : 0.0;
        double bu = std::fmod(u + offset, 1.0) * cols, bv = v * rows;
        int col = static_cast<int>(bu);
        double fu = bu - col, fv = bv - row;
        bool joint = fu < 0.05 || fu > 0.97 || fv < 0.08 || fv > 0.94;
        double n = tnoise(u, v, 16, 4, seed);
        if (joint) return scale(mortar, 0.8 + 0.4 * n);
        return scale(brick, shade[(row * 4 + col) % 64] * (0.75 + 0.5 * n));
    });
}

Picture windows(uint32_t seed) {
    Random rnd(seed);
    const int cols = 8, rows = 8;
    std::vector<Rgb> lit(cols * rows);
    for (Rgb& c : lit) {
        double r = rnd.unit();
        c = r < 0.45 ? rgb(0.05, 0.06, 0.1)
                     : (r < 0.8 ? rgb(1.0, 0.82, 0.45) : (r < 0.93 ? rgb(0.75, 0.9, 1.0) : rgb(1.0, 0.55, 0.3)));
        c = scale(c, rnd.range(0.7, 1.0));
    }
    return paint(kTextureSide, kTextureSide, [&](double u, double v) {
        int cx = static_cast<int>(u * cols), cy = static_cast<int>(v * rows);
        double fu = u * cols - cx, fv = v * rows - cy;
        double n = tnoise(u, v, 16, 3, seed + 1);
        Rgb wall = scale(rgb(0.16, 0.17, 0.22), 0.8 + 0.4 * n);
        if (fu > 0.18 && fu < 0.82 && fv > 0.22 && fv < 0.78) {
            Rgb c = lit[cy * cols + cx];
            return scale(c, 0.85 + 0.15 * std::sin(fv * 9.0));
        }
        return wall;
    });
}

Picture metal() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double brush = tnoise(u * 0.05, v, 64, 3, 21);
        double pu = std::fmod(u * 2.0, 1.0), pv = std::fmod(v * 2.0, 1.0);
        double seam = (pu < 0.015 || pv < 0.015) ? 0.45 : 1.0;
        double rivet = 0.0;
        for (double cx : {0.06, 0.94})
            for (double cy : {0.06, 0.94}) {
                double d = std::hypot(pu - cx, pv - cy);
                rivet = std::fmax(rivet, smoothstep(0.03, 0.015, d));
            }
        Rgb c = scale(rgb(0.62, 0.66, 0.72), (0.7 + 0.35 * brush) * seam);
        return add(c, scale(rgb(0.35, 0.35, 0.35), rivet));
    });
}

Picture water() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double a = tnoise(u, v, 6, 4, 31), b = tnoise(u + 0.37, v + 0.11, 6, 4, 32);
        double caustic = std::pow(1.0 - std::fabs(a - b) * 2.0, 8.0);
        Rgb deep = mix(rgb(0.02, 0.18, 0.35), rgb(0.05, 0.35, 0.55), a);
        return add(deep, scale(rgb(0.6, 0.9, 1.0), caustic * 0.8));
    });
}

Picture marble() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double n = tnoise(u, v, 4, 5, 41);
        double vein = std::pow(std::fabs(std::sin((u + v + n * 2.0) * 2.0 * kPi * 2.0)), 0.25);
        return mix(rgb(0.45, 0.42, 0.46), rgb(0.95, 0.93, 0.9), vein);
    });
}

Picture glowBands(const Rgb& a, const Rgb& b) {
    return paint(kTextureSide, kTextureSide, [&](double u, double v) {
        double band = 0.5 + 0.5 * std::sin(u * 2.0 * kPi * 8.0);
        double core = std::pow(std::sin(v * kPi), 2.0);
        return scale(mix(a, b, band), 0.35 + 0.65 * core);
    });
}

Picture plasma() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double s = std::sin(u * 2 * kPi * 3) + std::sin(v * 2 * kPi * 2 + std::sin(u * 2 * kPi) * 2) +
                   std::sin((u + v) * 2 * kPi * 2);
        double t = tnoise(u, v, 4, 3, 51);
        return rgb(0.5 + 0.5 * std::sin(s * 2.0), 0.3 + 0.3 * std::sin(s * 2.0 + 2.0 + t),
                   0.6 + 0.4 * std::sin(s * 2.0 + 4.0));
    });
}

Picture grass() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double n = tnoise(u, v, 16, 5, 61), m = tnoise(u, v, 4, 3, 62);
        return mix(rgb(0.12, 0.3, 0.08), rgb(0.35, 0.6, 0.2), 0.6 * n + 0.4 * m);
    });
}

// The race track along u: kerbs at both edges, dashes down the middle.
Picture track() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double n = tnoise(u, v, 32, 4, 71);
        Rgb c = scale(rgb(0.3, 0.3, 0.32), 0.7 + 0.5 * n);
        if (v < 0.08 || v > 0.92) c = (static_cast<int>(u * 16) % 2) ? rgb(0.9, 0.1, 0.1) : rgb(0.95, 0.95, 0.95);
        if (std::fabs(v - 0.5) < 0.015 && std::fmod(u * 8, 1.0) < 0.5) c = rgb(0.95, 0.9, 0.6);
        return c;
    });
}

Picture carPaint(const Rgb& paintColour) {
    return paint(kTextureSide, kTextureSide, [&](double u, double v) {
        double stripe = (std::fabs(u - 0.5) < 0.06) ? 1.0 : 0.0;
        double gloss = 0.75 + 0.25 * std::sin(v * kPi);
        Rgb c = scale(paintColour, gloss);
        if (stripe > 0.0) c = rgb(0.95, 0.95, 0.95);
        if (v > 0.8) c = scale(rgb(0.1, 0.1, 0.12), 1.0 + tnoise(u, v, 8, 2, 81));
        return c;
    });
}

Picture wood() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        int plank = static_cast<int>(u * 4);
        double grain = tnoise(u * 0.25 + plank * 0.13, v, 32, 4, 91 + plank);
        double rings = 0.5 + 0.5 * std::sin((v * 6 + grain * 3) * 2 * kPi);
        double edge = (std::fmod(u * 4, 1.0) < 0.03) ? 0.4 : 1.0;
        return scale(mix(rgb(0.45, 0.26, 0.12), rgb(0.72, 0.48, 0.26), rings * 0.6 + grain * 0.4), edge);
    });
}

Picture tiles() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        int cx = static_cast<int>(u * 8), cy = static_cast<int>(v * 8);
        double fu = u * 8 - cx, fv = v * 8 - cy;
        double n = tnoise(u, v, 16, 3, 101);
        bool joint = fu < 0.05 || fv < 0.05;
        Rgb c = ((cx + cy) % 2) ? rgb(0.85, 0.82, 0.75) : rgb(0.25, 0.32, 0.45);
        return joint ? rgb(0.2, 0.2, 0.2) : scale(c, 0.85 + 0.25 * n);
    });
}

Picture rock() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double n = tnoise(u, v, 6, 6, 111);
        double strata = 0.5 + 0.5 * std::sin((v * 10 + n * 3) * 2 * kPi);
        Rgb c = mix(rgb(0.25, 0.18, 0.12), rgb(0.6, 0.45, 0.3), 0.6 * n + 0.4 * strata);
        double ore = smoothstep(0.78, 0.82, tnoise(u, v, 12, 2, 112));
        return add(c, scale(rgb(0.5, 0.4, 0.1), ore));
    });
}

Picture road() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double n = tnoise(u, v, 32, 4, 121);
        Rgb c = scale(rgb(0.2, 0.2, 0.22), 0.7 + 0.5 * n);
        if (std::fabs(u - 0.5) < 0.012 && std::fmod(v * 4, 1.0) < 0.5) c = rgb(0.9, 0.85, 0.5);
        if (u < 0.04 || u > 0.96) c = rgb(0.5, 0.5, 0.5);
        return c;
    });
}

Picture gold() {
    return paint(kTextureSide, kTextureSide, [](double u, double v) {
        double n = tnoise(u, v, 8, 4, 131);
        double sheen = 0.5 + 0.5 * std::sin((u * 3 + n) * 2 * kPi);
        return mix(rgb(0.55, 0.38, 0.1), rgb(1.0, 0.85, 0.45), sheen);
    });
}

Picture lampGlow(const Rgb& colour) {
    return paint(kTextureSide, kTextureSide, [&](double u, double v) {
        double d = std::hypot(u - 0.5, v - 0.5) * 2.0;
        return add(scale(colour, 0.6 + 0.4 * (1.0 - d)), scale(rgb(1, 1, 1), smoothstep(0.5, 0.0, d) * 0.5));
    });
}

// The relief wall's colours from its own height map (same orientation):
// dark copper in the hollows, verdigris on the slopes, gold on the name.
Picture reliefColours() {
    ByteBitmap map = makeHeightMap();
    return paint(kBitmapW, kBitmapH, [&map](double u, double v) {
        int x = static_cast<int>(u * kBitmapW), y = static_cast<int>(v * kBitmapH);
        double h = map.at(x, y) / 255.0;
        double slope = std::fabs(map.at(x + 1, y) - map.at(x - 1, y)) / 255.0;
        Rgb c = mix(rgb(0.3, 0.15, 0.08), rgb(0.85, 0.5, 0.25), h);
        c = mix(c, rgb(0.3, 0.65, 0.55), smoothstep(0.02, 0.12, slope) * 0.6);
        return mix(c, rgb(1.0, 0.85, 0.4), smoothstep(0.7, 0.85, h));
    });
}

// Sky domes, top row at the zenith, bottom row below the horizon: a glow
// over the horizon fading to a starry top.
Picture sky(const Rgb& horizon, const Rgb& zenith, uint32_t seed) {
    Picture p = paint(512, 256, [&](double u, double v) {
        double h = smoothstep(0.15, 0.85, 1.0 - v);  // 0 at the horizon band, 1 at the top
        double haze = fractalNoise(u * 8, v * 4, 4, 8, seed) * (1.0 - h) * 0.15;
        Rgb c = mix(horizon, zenith, std::pow(h, 0.7));
        if (v > 0.86) c = scale(horizon, 0.3);
        return add(c, rgb(haze, haze, haze));
    });
    Random rnd(seed);
    for (int i = 0; i < 420; ++i) {
        double x = rnd.range(0, 512), y = rnd.range(0, 170), b = rnd.range(0.25, 1.0);
        double fade = 1.0 - y / 200.0;
        p.addGlow(x, y, rnd.range(0.5, 1.1), scale(rgb(0.9, 0.92, 1.0), b * fade));
    }
    return p;
}

// [SECTION] Particle sprites: additive, so black is transparent.

Picture sprite(const std::function<double(double, double)>& shape, const Rgb& colour) {
    return paint(kSpriteSide, kSpriteSide, [&](double u, double v) {
        double x = (u + 0.5 / kSpriteSide) * 2.0 - 1.0, y = (v + 0.5 / kSpriteSide) * 2.0 - 1.0;
        return scale(colour, shape(x, y));
    });
}

double softDisc(double x, double y) {
    double d = std::sqrt(x * x + y * y);
    return d >= 1.0 ? 0.0 : std::pow(0.5 + 0.5 * std::cos(d * kPi), 1.5);
}

double star(double x, double y) {
    double d = std::sqrt(x * x + y * y);
    double rays = std::exp(-std::fabs(x) * 14.0) + std::exp(-std::fabs(y) * 14.0);
    return std::fmin(1.0, softDisc(x, y) * 0.6 + rays * (1.0 - std::fmin(d, 1.0)) * 0.8 + std::exp(-d * d * 40.0));
}

double puff(double x, double y) {
    double n = fractalNoise(x * 3 + 5, y * 3 + 5, 4, 0, 151);
    return softDisc(x, y) * (0.4 + 0.6 * n);
}

// A bright core in a soft halo: water drops catching the light.
double droplet(double x, double y) {
    double d2 = x * x + y * y;
    return std::fmin(1.0, softDisc(x, y) * 0.6 + std::exp(-d2 * 12.0));
}

double point(double x, double y) {
    double d2 = x * x + y * y;
    return std::fmin(1.0, std::exp(-d2 * 30.0) + 0.35 * std::exp(-d2 * 4.0)) * (d2 < 1.0 ? 1.0 : 0.0);
}

// [SECTION] Show pictures

// Added over scenes 1 to 3 up to three times at once, so it stays dark:
// thin violet and blue streaks on near black.
Picture backdrop() {
    return paint(384, 256, [](double u, double v) {
        double a = fractalNoise(u * 4, v * 4, 5, 0, 161), b = fractalNoise(u * 3 + 7, v * 3, 4, 0, 162);
        double swirl = std::pow(0.5 + 0.5 * std::sin((u * 3 + a * 2.5) * 2 * kPi + v * 4), 8.0);
        Rgb c = mix(rgb(0.01, 0.0, 0.03), rgb(0.05, 0.015, 0.09), a);
        c = add(c, scale(mix(rgb(0.08, 0.16, 0.35), rgb(0.3, 0.08, 0.22), b), swirl * 0.55));
        return c;
    });
}

// Picture with centred lines of text on a dark ground; tuples of text, em
// size, baseline and colour.
struct TextLine {
    const char* text;
    int em;
    int baseline;
    Rgb colour;
};

void centreText(Picture& p, const Font& font, const TextLine& line) {
    int w = font.measure(line.text, line.em, line.em);
    font.draw(p, line.text, (p.width() - w) / 2, line.baseline, line.em, line.em, line.colour);
}

Picture emblem(const Font& bold, const Font& light) {
    Picture p = paint(512, 256, [](double u, double v) {
        double d = std::hypot((u - 0.5) * 2.0, (v - 0.5) * 1.0);
        return scale(rgb(0.1, 0.04, 0.18), std::fmax(0.0, 1.0 - d));
    });
    for (int i = 0; i < 3; ++i) {
        double r = 70.0 + i * 14.0;
        for (int k = 0; k < 720; ++k) {
            double a = k * kPi / 360.0;
            p.addGlow(256 + r * std::cos(a) * 2.2, 128 + r * std::sin(a) * 0.9, 2.0,
                      scale(mix(rgb(0.2, 0.5, 1.0), rgb(1.0, 0.3, 0.7), i / 2.0), 0.25));
        }
    }
    centreText(p, bold, {"ORVANE", 84, 150, rgb(1.0, 0.85, 0.5)});
    centreText(p, light, {"T E A M", 26, 200, rgb(0.7, 0.85, 1.0)});
    return p;
}

Picture loading(const Font& bold, const Font& light) {
    Picture p = paint(480, 320, [](double u, double v) {
        double n = fractalNoise(u * 5, v * 5, 4, 0, 171);
        return mix(rgb(0.02, 0.03, 0.08), rgb(0.1, 0.12, 0.3), n * (1.0 - v * 0.5));
    });
    for (int i = 0; i < 9; ++i) p.addGlow(90 + i * 37.5, 250, 9, rgb(0.4, 0.6, 1.0));
    centreText(p, bold, {"ORVANE", 72, 150, rgb(0.9, 0.95, 1.0)});
    centreText(p, light, {"LOADING", 24, 205, rgb(0.6, 0.7, 0.9)});
    return p;
}

Picture title(const Font& bold) {
    Picture p(480, 320);
    Picture glow(480, 320);
    centreText(glow, bold, {"Orvane", 110, 200, rgb(1, 1, 1)});
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 480; ++x) {
            double a = 0.0;
            for (int k = -6; k <= 6; k += 2)
                for (int j = -6; j <= 6; j += 2) a += glow.get(x + k, y + j).r;
            a /= 49.0;
            Rgb c = scale(rgb(0.3, 0.45, 1.0), a * 1.6);
            double t = glow.get(x, y).r;
            c = add(c, scale(mix(rgb(1.0, 0.6, 0.2), rgb(1.0, 0.95, 0.7), y / 320.0), t));
            p.set(x, y, c);
        }
    }
    return p;
}

// [SECTION] Writer

struct Named {
    const char* file;
    std::function<Picture()> make;
};
}  // namespace

bool writePictures(const std::string& dir) {
    Font bold(fontPath("DejaVuSans-Bold.ttf"));
    Font light(fontPath("DejaVuSans.ttf"));
    if (!bold.ok() || !light.ok()) {
        std::fprintf(stderr, "datagen: cannot open the picture fonts\n");
        return false;
    }
    const std::vector<Named> pictures = {
        {"group.jpg", [&] { return emblem(bold, light); }},
        {"load.jpg", [&] { return loading(bold, light); }},
        {"fond1.jpg", [] { return backdrop(); }},
        {"tete.jpg", [&] { return title(bold); }},
        {"plume.jpg", [] { return sprite(softDisc, rgb(1, 1, 1)); }},
        {"spark.jpg", [] { return sprite(star, rgb(1.0, 0.75, 0.35)); }},
        {"flame.jpg", [] { return sprite(softDisc, rgb(1.0, 0.55, 0.15)); }},
        {"smoke.jpg", [] { return sprite(puff, rgb(0.55, 0.52, 0.5)); }},
        {"flare.jpg", [] { return sprite(point, rgb(0.85, 0.9, 1.0)); }},
        {"drop.jpg", [] { return sprite(droplet, rgb(0.7, 0.88, 1.0)); }},
        {"stone.jpg", [] { return stone(); }},
        {"brick.jpg", [] { return bricks(rgb(0.62, 0.28, 0.18), rgb(0.7, 0.68, 0.62), 201); }},
        {"darkbrick.jpg", [] { return bricks(rgb(0.35, 0.3, 0.32), rgb(0.5, 0.48, 0.45), 202); }},
        {"window.jpg", [] { return windows(211); }},
        {"window2.jpg", [] { return windows(212); }},
        {"metal.jpg", [] { return metal(); }},
        {"water.jpg", [] { return water(); }},
        {"marble.jpg", [] { return marble(); }},
        {"ring.jpg", [] { return glowBands(rgb(0.2, 0.8, 1.0), rgb(0.9, 0.2, 1.0)); }},
        {"ring2.jpg", [] { return glowBands(rgb(1.0, 0.6, 0.1), rgb(1.0, 0.2, 0.3)); }},
        {"plasma.jpg", [] { return plasma(); }},
        {"grass.jpg", [] { return grass(); }},
        {"track.jpg", [] { return track(); }},
        {"carred.jpg", [] { return carPaint(rgb(0.85, 0.1, 0.08)); }},
        {"carblue.jpg", [] { return carPaint(rgb(0.1, 0.3, 0.9)); }},
        {"caryellow.jpg", [] { return carPaint(rgb(0.95, 0.8, 0.1)); }},
        {"cargreen.jpg", [] { return carPaint(rgb(0.1, 0.7, 0.3)); }},
        {"wood.jpg", [] { return wood(); }},
        {"tiles.jpg", [] { return tiles(); }},
        {"rock.jpg", [] { return rock(); }},
        {"road.jpg", [] { return road(); }},
        {"gold.jpg", [] { return gold(); }},
        {"lamp.jpg", [] { return lampGlow(rgb(1.0, 0.8, 0.4)); }},
        {"bluelamp.jpg", [] { return lampGlow(rgb(0.4, 0.7, 1.0)); }},
        {"vesk.jpg", [] { return reliefColours(); }},
        {"nightsky.jpg", [] { return sky(rgb(0.12, 0.1, 0.2), rgb(0.0, 0.01, 0.05), 221); }},
        {"dusk.jpg", [] { return sky(rgb(0.65, 0.32, 0.2), rgb(0.03, 0.03, 0.14), 222); }},
    };
    bool ok = true;
    for (const Named& n : pictures) {
        if (!writeJpeg(n.make(), dir + "/" + n.file, kJpegQuality)) {
            std::fprintf(stderr, "datagen: cannot write %s/%s\n", dir.c_str(), n.file);
            ok = false;
        }
    }
    return ok;
}
