// Raw 320x200 8-bit BMPs: the pixel bytes only, flipped to top row first.
#include <cstdio>
#include <cstring>

#include "media/Textures.h"
#include "platform/Platform.h"

namespace {

// What a byte read past the end of the file becomes (EOF as a byte).
constexpr uint8_t kPastEndByte = 255;

constexpr int64_t kBitmapFileBytes = kBitmapPixelOffset + kBitmapBytes;

// Says once on standard error when the file is no BMP or too short; its
// bytes are read all the same.
void reportDamage(FILE* file, const char* path) {
    char magic[2] = {};
    const bool bmp = std::fread(magic, 1, 2, file) == 2 && magic[0] == 'B' && magic[1] == 'M';
    const int64_t size = fileLength(file);
    if (!bmp) {
        std::fprintf(stderr, "orvane: %s: not a BMP file\n", path);
    } else if (size >= 0 && size < kBitmapFileBytes) {
        std::fprintf(stderr, "orvane: %s: holds %lld of its %lld bytes; the rest reads as 255\n", path,
                     static_cast<long long>(size), static_cast<long long>(kBitmapFileBytes));
    }
}

}  // namespace

void readIndexedBitmap(const char* path, uint8_t* buffer) {
    if (buffer == nullptr) return;
    FILE* file = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr) {
        std::memset(buffer, 0, kBitmapBytes);
        showMessageBox(path != nullptr ? path : "", "-=(Status)=-");
        return;
    }
    reportDamage(file, path);
    const bool positioned = seekFile(file, kBitmapPixelOffset);
    // The file holds the bottom row first.
    for (int fileRow = 0; fileRow < kBitmapHeight; ++fileRow) {
        uint8_t* row = buffer + (kBitmapHeight - 1 - fileRow) * kBitmapWidth;
        const size_t got = positioned ? std::fread(row, 1, kBitmapWidth, file) : 0;
        std::memset(row + got, kPastEndByte, kBitmapWidth - got);
    }
    std::fclose(file);
}
