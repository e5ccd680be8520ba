// The launch dialog without its widgets: what each control does to
// runSettings and when the dialog closes, driven as the widgets drive it;
// its pictures (the BMP reader on built and broken files, the embedded
// resources) and its template geometry in pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/LaunchDialogLayout.h"
#include "app/LaunchDialogLogic.h"
#include "app/LaunchDialogPictures.h"
#include "core/RunSettings.h"

namespace {

constexpr int32_t kCloseBox = -2;  // stands for the window's close box in a click list

// Stands in for the widgets: automatic radio buttons select themselves and
// clear the others before the command arrives; actions are carried out.
struct FakeDialog {
    RadioChecks checks;
    std::vector<int> ticks = {0, 0, 0};  // Windowed, No lights, No music
    bool closed = false;

    static int radioIndex(int32_t id) {
        for (int i = 0; i < kRadioCount; ++i)
            if (kRadioIds[i] == id) return i;
        return -1;
    }
    void select(int32_t id) {
        checks = RadioChecks{};
        checks.checked[radioIndex(id)] = true;
    }
    void carryOut(const LaunchAction& action) {
        EXPECT_FALSE(closed) << "event after the dialog closed";
        if (action.selectRadio != 0) select(action.selectRadio);
        ticks = {ticks[0] | action.tickWindowed, ticks[1] | action.tickNoLights, ticks[2] | action.tickNoMusic};
        closed = action.close;
    }
    void click(int32_t id) {
        if (id == kCloseBox) return carryOut(launchDialogProc(LaunchEvent::Close, 0, checks));
        if (radioIndex(id) >= 0) select(id);
        carryOut(launchDialogProc(LaunchEvent::Command, id, checks));
    }
};

// Settings as width, height, full screen, no lights, no music, quit.
std::vector<int> settings() {
    return {runSettings.width,    runSettings.height,  runSettings.fullscreen,
            runSettings.noLights, runSettings.noMusic, runSettings.quit};
}

// From the settings before (as settings() has them: the defaults, or the
// command line's), the dialog shows them, and clicks change them and close
// it. Launch untouched plays what was set and clears an earlier quit.
TEST(LaunchDialogLogic, ClicksChangeTheSettingsAndCloseTheDialog) {
    const std::vector<int> defaults = {800, 600, 1, 0, 0, 0};
    const struct {
        std::vector<int> before;
        std::vector<int32_t> clicks;
        std::vector<int> after;
        bool closed;
    } cases[] = {
        {defaults, {}, defaults, false},
        {defaults, {kControl640x480, kControl800x600}, defaults, false},
        {defaults, {kControl1152x864, kControl640x480, kControlLaunch}, {640, 480, 1, 0, 0, 0}, true},
        {defaults,
         {kControlWindowed, kControlNoLights, kControlNoMusic, kControlNoLights},
         {800, 600, 0, 0, 1, 0},
         false},
        {defaults, {kControlWindowed, kControlWindowed, kControl1152x864, kControlExit}, {1152, 864, 1, 0, 0, 1}, true},
        {defaults, {kControlNoMusic, kCloseBox}, {800, 600, 1, 0, 1, 1}, true},
        {{1024, 768, 0, 1, 0, 1}, {kControlLaunch}, {1024, 768, 0, 1, 0, 0}, true},
        {{1152, 864, 1, 0, 1, 1}, {kControlLaunch}, {1152, 864, 1, 0, 1, 0}, true},
        {{1024, 600, 1, 0, 0, 1}, {kControlLaunch}, {1024, 600, 1, 0, 0, 0}, true},  // no radio has both
        {{1920, 1080, 0, 0, 0, 1}, {kControlLaunch}, {1920, 1080, 0, 0, 0, 0}, true},
    };
    const int32_t radioSizes[kRadioCount][2] = {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}};
    for (const auto& c : cases) {
        const std::vector<int>& b = c.before;
        runSettings = RunSettings{b[0], b[1], b[2] != 0, b[3] != 0, b[4] != 0, b[5]};
        FakeDialog dialog;
        dialog.carryOut(launchDialogProc(LaunchEvent::Init, 0, dialog.checks));
        EXPECT_EQ(dialog.ticks, (std::vector<int>{!b[2], b[3], b[4]})) << b[0] << "x" << b[1];
        for (int32_t id : c.clicks) dialog.click(id);
        EXPECT_EQ(settings(), c.after) << c.clicks.size() << " clicks from " << b[0] << "x" << b[1];
        EXPECT_EQ(dialog.closed, c.closed) << c.clicks.size() << " clicks";
        // The radio of the size chosen is the one checked: boxes leave the radios alone.
        for (int i = 0; i < kRadioCount; ++i) {
            EXPECT_EQ(dialog.checks.checked[i], radioSizes[i][0] == c.after[0] && radioSizes[i][1] == c.after[1]);
        }
    }

    // Any other command scans the radios: the first checked one in scan order
    // sets the size; none checked reselects 800x600 and keeps the size.
    const struct {
        std::vector<int> checked;
        int32_t id;
        std::vector<int> widthHeightRadio;
    } scans[] = {
        {{2, 3}, kControl1152x864, {1024, 768, 0}},
        {{}, kControl1024x768, {640, 480, kControl800x600}},
        {{3}, 1009, {1152, 864, 0}},
    };
    for (const auto& c : scans) {
        runSettings.width = 640;
        runSettings.height = 480;
        RadioChecks checks;
        for (int i : c.checked) checks.checked[i] = true;
        const LaunchAction action = launchDialogProc(LaunchEvent::Command, c.id, checks);
        EXPECT_EQ((std::vector<int>{runSettings.width, runSettings.height, action.selectRadio}), c.widthHeightRadio)
            << c.id;
        EXPECT_FALSE(action.close);
    }
}

// [SECTION] Pictures and layout

// Little-endian value of `bytes` bytes at b[at].
void put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A palette BMP with rows given top first; stored bottom-up unless topDown.
std::vector<uint8_t> makeBmp(int width, const std::vector<std::vector<uint8_t>>& rows, int bits, bool topDown = false) {
    const std::vector<uint32_t> paletteRgb = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    int height = int(rows.size());
    size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    size_t offset = 14 + 40 + 4 * paletteRgb.size();
    std::vector<uint8_t> b(offset + stride * height, 0);
    put(b, 0, 'B' | 'M' << 8, 2);
    put(b, 2, uint32_t(b.size()));
    put(b, 10, uint32_t(offset));
    put(b, 14, 40);
    put(b, 18, uint32_t(width));
    put(b, 22, uint32_t(topDown ? -height : height));
    put(b, 26, 1, 2);
    put(b, 28, uint32_t(bits), 2);
    put(b, 46, uint32_t(paletteRgb.size()));
    for (size_t i = 0; i < paletteRgb.size(); ++i) {
        put(b, 54 + 4 * i, paletteRgb[i], 3);  // blue, green, red
    }
    for (int y = 0; y < height; ++y) {
        size_t row = offset + size_t(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            uint8_t v = rows[y][x];
            if (bits == 8)
                b[row + x] = v;
            else
                b[row + x / 2] |= uint8_t(x % 2 == 0 ? v << 4 : v);
        }
    }
    return b;
}

bool decodes(const std::vector<uint8_t>& bytes, const char** error = nullptr) {
    DialogPicture picture;
    const char* reason = nullptr;
    bool ok = decodePaletteBmp(bytes.data(), bytes.size(), picture, &reason);
    if (error != nullptr) *error = reason;
    EXPECT_EQ(ok, !picture.rgb.empty());
    return ok;
}

// Built pictures and the embedded ones decode with their rows top first;
// broken ones are refused.
TEST(LaunchDialogPictures, DecodesRowsTopFirstInBothStorageOrdersAndRefusesBrokenFiles) {
    for (int bits : {4, 8}) {
        for (bool topDown : {false, true}) {
            DialogPicture p;
            const std::vector<uint8_t> bmp = makeBmp(3, {{1, 2, 3}, {4, 0, 1}}, bits, topDown);
            ASSERT_TRUE(decodePaletteBmp(bmp.data(), bmp.size(), p, nullptr));
            EXPECT_TRUE(p.width == 3 && p.height == 2) << p.width << " x " << p.height;
            const std::vector<uint8_t> rgb = {0xFF, 0,    0,    0, 0xFF, 0, 0,    0, 0xFF,
                                              0x12, 0x34, 0x56, 0, 0,    0, 0xFF, 0, 0};
            EXPECT_EQ(p.rgb, rgb) << bits << " bits, top down " << topDown;
        }
    }
    const DialogPicture bitmap = loadDialogBitmap(), icon = loadDialogIcon();
    EXPECT_TRUE(icon.width == 32 && icon.height == 32 && !icon.rgb.empty()) << icon.width << " x " << icon.height;
    ASSERT_TRUE(bitmap.width == 150 && bitmap.height == 112) << bitmap.width << " x " << bitmap.height;
    // Night sky at the top, bright sun below it: rows are not upside down.
    EXPECT_LT(bitmap.rgb[(2 * 150 + 2) * 3], 64);
    EXPECT_GT(bitmap.rgb[(45 * 150 + 75) * 3], 200);

    // Every cut and each damaged header field is refused with a reason.
    const std::vector<uint8_t> good = makeBmp(2, {{1, 2}, {3, 4}}, 8);
    ASSERT_TRUE(decodes(good));
    for (size_t size = 0; size < good.size(); ++size) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(size));
        EXPECT_FALSE(decodes(cut)) << "cut to " << size << " bytes";
    }
    const struct {
        size_t at;
        uint32_t value;
    } damages[] = {
        {0, 'X'},           // magic
        {14, 12},           // info header too small
        {18, 0},            // width 0
        {18, 100000},       // width beyond any picture we show
        {22, 0x80000000u},  // most negative height
        {28, 24},           // not a palette picture
        {30, 1},            // run-length compressed
        {46, 300},          // more colours than 8 bits index
        {46, 3},            // pixel value 4 lies past a 3-colour palette
        {10, 0xFFFFFFF0u},  // pixel data far past the end
    };
    for (const auto& d : damages) {
        std::vector<uint8_t> bad = good;
        put(bad, d.at, d.value, d.at == 0 ? 1 : 4);
        const char* error = nullptr;
        EXPECT_TRUE(!decodes(bad, &error) && error != nullptr) << "damage at " << d.at;
    }
}

TEST(LaunchDialogLayout, DialogUnitsBecomePixelsOfThe8PointFont) {
    EXPECT_EQ(dialogUnitsToPixelsX(kDialogWidthUnits), 426);
    EXPECT_EQ(dialogUnitsToPixelsY(kDialogHeightUnits), 185);
    const DialogControl* launch = findDialogControl(kControlLaunch);
    ASSERT_NE(launch, nullptr);
    const PixelRect r = controlRect(*launch);
    // Edges at 149.5 and 172.25 round to 150 and 172.
    EXPECT_EQ((std::vector<int>{r.x, r.y, r.width, r.height}), (std::vector<int>{180, 150, 75, 22}));
    // Every control lies inside the client area, and the clickable ones do not overlap.
    int clientW = dialogUnitsToPixelsX(kDialogWidthUnits), clientH = dialogUnitsToPixelsY(kDialogHeightUnits);
    for (const DialogControl& a : kDialogControls) {
        PixelRect ra = controlRect(a);
        EXPECT_TRUE(ra.x >= 0 && ra.y >= 0 && ra.x + ra.width <= clientW && ra.y + ra.height <= clientH) << a.id;
        for (const DialogControl& b : kDialogControls) {
            if (&a == &b || a.id == kControlStatic || b.id == kControlStatic) continue;
            PixelRect rb = controlRect(b);
            bool apart = ra.x + ra.width <= rb.x || rb.x + rb.width <= ra.x || ra.y + ra.height <= rb.y ||
                         rb.y + rb.height <= ra.y;
            EXPECT_TRUE(apart) << a.id << " overlaps " << b.id;
        }
    }
}

}  // namespace
