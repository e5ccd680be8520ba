// The dialog's pictures and template geometry: the BMP reader on built and
// broken files, the embedded resources, and dialog units to pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/LaunchDialogLayout.h"
#include "app/LaunchDialogLogic.h"
#include "app/LaunchDialogPictures.h"

namespace {

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// A palette BMP with rows given top first; stored bottom-up unless topDown.
std::vector<uint8_t> makeBmp(int width, const std::vector<std::vector<uint8_t>>& rows, int bits,
                             const std::vector<uint32_t>& paletteRgb, bool topDown = false) {
    int height = int(rows.size());
    size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    size_t offset = 14 + 40 + 4 * paletteRgb.size();
    std::vector<uint8_t> b(offset + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, uint32_t(b.size()));
    put32(b, 10, uint32_t(offset));
    put32(b, 14, 40);
    put32(b, 18, uint32_t(width));
    put32(b, 22, uint32_t(topDown ? -height : height));
    put16(b, 26, 1);
    put16(b, 28, uint32_t(bits));
    put32(b, 46, uint32_t(paletteRgb.size()));
    for (size_t i = 0; i < paletteRgb.size(); ++i) {
        b[54 + 4 * i + 0] = uint8_t(paletteRgb[i]);        // blue
        b[54 + 4 * i + 1] = uint8_t(paletteRgb[i] >> 8);   // green
        b[54 + 4 * i + 2] = uint8_t(paletteRgb[i] >> 16);  // red
    }
    for (int y = 0; y < height; ++y) {
        size_t row = offset + size_t(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            uint8_t v = rows[y][x];
            if (bits == 8) b[row + x] = v;
            else b[row + x / 2] |= uint8_t(x % 2 == 0 ? v << 4 : v);
        }
    }
    return b;
}

uint32_t pixelAt(const DialogPicture& p, int x, int y) {
    const uint8_t* px = p.rgb.data() + (size_t(y) * p.width + x) * 3;
    return uint32_t(px[0]) << 16 | uint32_t(px[1]) << 8 | px[2];
}

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
    const std::vector<std::vector<uint8_t>> rows = {{1, 2, 3}, {4, 0, 1}};
    for (int bits : {4, 8}) {
        for (bool topDown : {false, true}) {
            DialogPicture p;
            const std::vector<uint8_t> bmp = makeBmp(3, rows, bits, kPalette, topDown);
            ASSERT_TRUE(decodePaletteBmp(bmp.data(), bmp.size(), p, nullptr));
            ASSERT_EQ(p.width, 3);
            ASSERT_EQ(p.height, 2);
            EXPECT_EQ(pixelAt(p, 0, 0), 0xFF0000u) << bits << " bits";
            EXPECT_EQ(pixelAt(p, 1, 0), 0x00FF00u);
            EXPECT_EQ(pixelAt(p, 2, 0), 0x0000FFu);
            EXPECT_EQ(pixelAt(p, 0, 1), 0x123456u);
            EXPECT_EQ(pixelAt(p, 2, 1), 0xFF0000u);
        }
    }
}

TEST(LaunchDialogPictures, RejectsBrokenFilesWithAReason) {
    const std::vector<std::vector<uint8_t>> rows = {{1, 2}, {3, 4}};
    std::vector<uint8_t> good = makeBmp(2, rows, 8, kPalette);
    ASSERT_TRUE(decodes(good));
    for (size_t size = 0; size < good.size(); ++size) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(size));
        EXPECT_FALSE(decodes(cut)) << "cut to " << size << " bytes";
    }
    struct Damage {
        size_t at;
        uint32_t value;
    };
    const Damage damages[] = {
        {0, 'X'},                 // magic
        {14, 12},                 // info header too small
        {18, 0},                  // width 0
        {18, 100000},             // width beyond any picture we show
        {22, 0x80000000u},        // most negative height
        {28, 24},                 // not a palette picture
        {30, 1},                  // run-length compressed
        {46, 300},                // more colours than 8 bits index
        {46, 3},                  // pixel value 4 lies past a 3-colour palette
        {10, 0xFFFFFFF0u},        // pixel data far past the end
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bad = good;
        if (d.at == 0) bad[0] = uint8_t(d.value);
        else put32(bad, d.at, d.value);
        const char* error = nullptr;
        EXPECT_FALSE(decodes(bad, &error)) << "damage at " << d.at;
        EXPECT_NE(error, nullptr);
    }
}

TEST(LaunchDialogPictures, EmbeddedBitmapAndIconDecode) {
    DialogPicture bitmap = loadDialogBitmap();
    EXPECT_EQ(bitmap.width, 150);
    EXPECT_EQ(bitmap.height, 112);
    DialogPicture icon = loadDialogIcon();
    EXPECT_EQ(icon.width, 32);
    EXPECT_EQ(icon.height, 32);
    ASSERT_FALSE(bitmap.rgb.empty());
    // Night sky at the top, bright sun below it: rows are not upside down.
    uint32_t top = pixelAt(bitmap, 2, 2);
    uint32_t sun = pixelAt(bitmap, 75, 45);
    EXPECT_LT((top >> 16) & 0xFF, 64u);
    EXPECT_GT((sun >> 16) & 0xFF, 200u);
}

TEST(LaunchDialogLayout, DialogUnitsBecomePixelsOfThe8PointFont) {
    EXPECT_EQ(dialogUnitsToPixelsX(kDialogWidthUnits), 426);
    EXPECT_EQ(dialogUnitsToPixelsY(kDialogHeightUnits), 185);
    const DialogControl* launch = findDialogControl(kControlLaunch);
    ASSERT_NE(launch, nullptr);
    PixelRect r = controlRect(*launch);
    EXPECT_EQ(r.x, 180);
    EXPECT_EQ(r.y, 150);
    EXPECT_EQ(r.width, 75);
    EXPECT_EQ(r.height, 22);  // edges at 149.5 and 172.25 round to 150 and 172
    // Every control lies inside the client area, and the clickable ones do not overlap.
    int clientW = dialogUnitsToPixelsX(kDialogWidthUnits), clientH = dialogUnitsToPixelsY(kDialogHeightUnits);
    for (const DialogControl& a : kDialogControls) {
        PixelRect ra = controlRect(a);
        EXPECT_GE(ra.x, 0);
        EXPECT_GE(ra.y, 0);
        EXPECT_LE(ra.x + ra.width, clientW) << a.id;
        EXPECT_LE(ra.y + ra.height, clientH) << a.id;
        for (const DialogControl& b : kDialogControls) {
            if (&a == &b || a.id == kControlStatic || b.id == kControlStatic) continue;
            PixelRect rb = controlRect(b);
            bool apart = ra.x + ra.width <= rb.x || rb.x + rb.width <= ra.x || ra.y + ra.height <= rb.y ||
                         rb.y + rb.height <= ra.y;
            EXPECT_TRUE(apart) << a.id << " overlaps " << b.id;
        }
    }
}
