// The dialog's pictures and template geometry: the BMP reader on built and
// broken files, the embedded resources, and dialog units to pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/LaunchDialogLayout.h"
#include "app/LaunchDialogLogic.h"
#include "app/LaunchDialogPictures.h"

namespace {

// Little-endian value of `bytes` bytes at b[at].
void put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A palette BMP with rows given top first; stored bottom-up unless topDown.
std::vector<uint8_t> makeBmp(int width, const std::vector<std::vector<uint8_t>>& rows, int bits,
                             const std::vector<uint32_t>& paletteRgb, bool topDown = false) {
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

int redAt(const DialogPicture& p, int x, int y) { return p.rgb[(size_t(y) * p.width + x) * 3]; }

const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};

bool decodes(const std::vector<uint8_t>& bytes, const char** error = nullptr) {
    DialogPicture picture;
    const char* reason = nullptr;
    bool ok = decodePaletteBmp(bytes.data(), bytes.size(), picture, &reason);
    if (error != nullptr) *error = reason;
    EXPECT_EQ(ok, !picture.rgb.empty());
    return ok;
}

}  // namespace

TEST(LaunchDialogPictures, DecodesRowsTopFirstInBothStorageOrders) {
    for (int bits : {4, 8}) {
        for (bool topDown : {false, true}) {
            DialogPicture p;
            const std::vector<uint8_t> bmp = makeBmp(3, {{1, 2, 3}, {4, 0, 1}}, bits, kPalette, topDown);
            ASSERT_TRUE(decodePaletteBmp(bmp.data(), bmp.size(), p, nullptr));
            EXPECT_TRUE(p.width == 3 && p.height == 2) << p.width << " x " << p.height;
            const std::vector<uint8_t> rgb = {0xFF, 0,    0,    0, 0xFF, 0, 0,    0, 0xFF,
                                              0x12, 0x34, 0x56, 0, 0,    0, 0xFF, 0, 0};
            EXPECT_EQ(p.rgb, rgb) << bits << " bits, top down " << topDown;
        }
    }
}

// Every cut and each damaged header field is refused with a reason.
TEST(LaunchDialogPictures, RejectsBrokenFilesWithAReason) {
    const std::vector<uint8_t> good = makeBmp(2, {{1, 2}, {3, 4}}, 8, kPalette);
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

TEST(LaunchDialogPictures, EmbeddedBitmapAndIconDecode) {
    const DialogPicture bitmap = loadDialogBitmap(), icon = loadDialogIcon();
    EXPECT_TRUE(bitmap.width == 150 && bitmap.height == 112) << bitmap.width << " x " << bitmap.height;
    EXPECT_TRUE(icon.width == 32 && icon.height == 32 && !icon.rgb.empty()) << icon.width << " x " << icon.height;
    ASSERT_FALSE(bitmap.rgb.empty());
    // Night sky at the top, bright sun below it: rows are not upside down.
    EXPECT_LT(redAt(bitmap, 2, 2), 64);
    EXPECT_GT(redAt(bitmap, 75, 45), 200);
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
