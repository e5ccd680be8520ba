#include "art/ShowBitmaps.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "art/Noise.h"
#include "formats/BmpWriter.h"

namespace {
constexpr uint32_t kReliefSeed = 77;
constexpr int kNameEmPx = 64;  // height-map name lettering
}  // namespace

std::vector<LetteringPlan> showLettering() {
    // file, text, start, home step, budget, window and lifetime as the scenes
    // run the walker; the home of the first glyph.
    return {
        {"orvane.bmp", "ORVANE", 52, 82, 21, 3000, 17.0, 4.0, 2},  // two homes in, to sit mid-screen
        {"codeby.bmp", "CODE.ORVANE", 52, 82, 21, 3000, 10.0, 4.0, 0},
        {"gfxby.bmp", "GFX.ORVANE", 52, 82, 21, 3000, 10.0, 4.0, 0},
        {"zikby.bmp", "TUNE.ORVANE", 52, 82, 21, 3000, 10.0, 4.0, 0},
        {"end.bmp", "THE.END", 121, 76, 21, 4000, 15.0, 8.0, 0, true},  // the show's last picture
    };
}

ByteBitmap makeHeightMap() {
    ByteBitmap map;
    Font font(fontPath("DejaVuSans-Bold.ttf"));
    Picture name(kBitmapW, kBitmapH);
    if (font.ok()) {
        int w = font.measure("ORVANE", kNameEmPx, kNameEmPx);
        font.draw(name, "ORVANE", (kBitmapW - w) / 2, 122, kNameEmPx, kNameEmPx, rgb(1, 1, 1));
    }
    for (int y = 0; y < kBitmapH; ++y) {
        for (int x = 0; x < kBitmapW; ++x) {
            double n = fractalNoise(x / 40.0, y / 40.0, 5, 0, kReliefSeed);
            double ridge = 1.0 - std::fabs(2.0 * fractalNoise(x / 70.0, y / 70.0, 3, 0, kReliefSeed + 9) - 1.0);
            double dx = (x - 160.0) / 160.0, dy = (y - 100.0) / 100.0;
            double rings = 0.5 + 0.5 * std::cos(std::sqrt(dx * dx + dy * dy) * 18.0);
            double h = 0.35 * n + 0.3 * ridge * ridge + 0.12 * rings;
            // The name, mirrored left to right: the mine wall reads its columns reversed.
            h += 0.45 * name.get(kBitmapW - 1 - x, y).r;
            map.put(x, y, static_cast<uint8_t>(std::lround(std::fmin(1.0, h) * 255.0)));
        }
    }
    return map;
}

bool writeBitmaps(const std::string& dir) {
    Font font(fontPath(kLetteringFont));
    if (!font.ok()) {
        std::fprintf(stderr, "datagen: cannot open the lettering font\n");
        return false;
    }
    bool ok = true;
    for (const LetteringPlan& plan : showLettering()) {
        ByteBitmap bitmap;
        LetteringReport report;
        std::string error;
        if (!buildLettering(font, plan, bitmap, report, error)) {
            std::fprintf(stderr, "datagen: %s\n", error.c_str());
            ok = false;
            continue;
        }
        const WalkResult& walk = report.walk;
        std::printf(
            "datagen: %-11s %4d of %4d pixels written, done after %4d of %d steps at %.1f %% of the window, "
            "%.1f %% lit then, %.1f %% at its end; capitals %d pixels tall\n",
            plan.file.c_str(), walk.emitted, walk.litPixels, walk.stepsToFinish, plan.totalSteps,
            100.0 * report.times.doneShare, 100.0 * report.times.litAtDone, 100.0 * report.times.litAtEnd,
            report.capHeightPx);
        ok = writeBmp(bitmap, dir + "/" + plan.file) && ok;
    }
    return writeBmp(makeHeightMap(), dir + "/vesk.bmp") && ok;
}
