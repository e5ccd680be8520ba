#include "app/LaunchDialogPictures.h"

#include <cstdio>

// The BMP files of resources/, embedded by the build.
extern const uint8_t orvaneDialogBmp[];
extern const size_t orvaneDialogBmpSize;
extern const uint8_t orvaneIconBmp[];
extern const size_t orvaneIconBmpSize;

namespace {

// File header (14 bytes) plus the smallest info header we accept (40 bytes).
constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kMinInfoHeaderBytes = 40;
// Largest side we decode; pixels. Our pictures are far smaller.
constexpr int32_t kMaxSide = 4096;
// Palette entries are blue, green, red, reserved.
constexpr size_t kPaletteEntryBytes = 4;

uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t readU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// The fields of the headers that decoding needs, checked against the file size.
struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    int bits = 0;
    uint32_t paletteCount = 0;
    size_t paletteOffset = 0;
    size_t pixelOffset = 0;
    size_t stride = 0;
};

const char* readLayout(const uint8_t* bytes, size_t size, BmpLayout& layout) {
    if (size < kFileHeaderBytes + kMinInfoHeaderBytes) return "file too short for its headers";
    if (bytes[0] != 'B' || bytes[1] != 'M') return "not a BMP file";
    const uint8_t* info = bytes + kFileHeaderBytes;
    uint32_t infoBytes = readU32(info);
    if (infoBytes < kMinInfoHeaderBytes || infoBytes > size - kFileHeaderBytes) return "bad info header size";
    int32_t width = int32_t(readU32(info + 4));
    int32_t height = int32_t(readU32(info + 8));
    layout.topDown = height < 0;
    layout.width = width;
    layout.height = height < 0 ? (height == INT32_MIN ? 0 : -height) : height;
    if (layout.width < 1 || layout.width > kMaxSide || layout.height < 1 || layout.height > kMaxSide)
        return "picture size out of range";
    layout.bits = readU16(info + 14);
    if (layout.bits != 4 && layout.bits != 8) return "only 4- and 8-bit palette pictures are read";
    if (readU32(info + 16) != 0) return "compressed pictures are not read";
    uint32_t maxColours = 1u << layout.bits;
    uint32_t used = readU32(info + 32);
    layout.paletteCount = used == 0 ? maxColours : used;
    if (layout.paletteCount > maxColours) return "palette larger than the bit depth allows";
    layout.paletteOffset = kFileHeaderBytes + infoBytes;
    if (layout.paletteCount * kPaletteEntryBytes > size - layout.paletteOffset)
        return "palette past the end of the file";
    layout.pixelOffset = readU32(bytes + 10);
    layout.stride = (size_t(layout.width) * size_t(layout.bits) + 31) / 32 * 4;
    if (layout.pixelOffset > size || layout.stride * size_t(layout.height) > size - layout.pixelOffset)
        return "pixel rows past the end of the file";
    return nullptr;
}

// Palette index of pixel x in one stored row.
unsigned pixelIndex(const uint8_t* row, int bits, int x) {
    if (bits == 8) return row[x];
    uint8_t pair = row[x / 2];
    return (x % 2 == 0) ? pair >> 4 : pair & 0x0F;
}

const char* decodeRows(const uint8_t* bytes, const BmpLayout& layout, DialogPicture& out) {
    out.width = layout.width;
    out.height = layout.height;
    out.rgb.assign(size_t(layout.width) * size_t(layout.height) * 3, 0);
    const uint8_t* palette = bytes + layout.paletteOffset;
    for (int y = 0; y < layout.height; ++y) {
        int stored = layout.topDown ? y : layout.height - 1 - y;
        const uint8_t* row = bytes + layout.pixelOffset + size_t(stored) * layout.stride;
        uint8_t* dst = out.rgb.data() + size_t(y) * size_t(layout.width) * 3;
        for (int x = 0; x < layout.width; ++x) {
            unsigned index = pixelIndex(row, layout.bits, x);
            if (index >= layout.paletteCount) return "pixel refers past the palette";
            const uint8_t* entry = palette + index * kPaletteEntryBytes;
            dst[x * 3 + 0] = entry[2];
            dst[x * 3 + 1] = entry[1];
            dst[x * 3 + 2] = entry[0];
        }
    }
    return nullptr;
}

DialogPicture loadEmbedded(const uint8_t* bytes, size_t size, const char* name) {
    DialogPicture picture;
    const char* error = nullptr;
    if (!decodePaletteBmp(bytes, size, picture, &error)) std::fprintf(stderr, "orvane: %s: %s\n", name, error);
    return picture;
}

}  // namespace

bool decodePaletteBmp(const uint8_t* bytes, size_t size, DialogPicture& out, const char** error) {
    out = DialogPicture{};
    BmpLayout layout;
    const char* reason = bytes == nullptr ? "no data" : readLayout(bytes, size, layout);
    if (reason == nullptr) reason = decodeRows(bytes, layout, out);
    if (reason != nullptr) {
        out = DialogPicture{};
        if (error != nullptr) *error = reason;
        return false;
    }
    return true;
}

DialogPicture loadDialogBitmap() { return loadEmbedded(orvaneDialogBmp, orvaneDialogBmpSize, "dialog.bmp"); }

DialogPicture loadDialogIcon() { return loadEmbedded(orvaneIconBmp, orvaneIconBmpSize, "icon.bmp"); }
