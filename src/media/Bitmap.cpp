// Raw 320x200 8-bit BMPs: the pixel bytes only, flipped to top row first.
#include <cstdio>
#include <cstring>

#include "media/Textures.h"
#include "platform/Platform.h"

namespace {

// What a byte read past the end of the file becomes (EOF as a byte).
constexpr uint8_t kPastEndByte = 255;

}  // namespace

void readIndexedBitmap(const char* path, uint8_t* buffer) {
    if (buffer == nullptr) return;
    FILE* file = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr) {
        std::memset(buffer, 0, kBitmapBytes);
        showMessageBox(path != nullptr ? path : "", "-=(Status)=-");
        return;
    }
    const bool positioned = std::fseek(file, kBitmapPixelOffset, SEEK_SET) == 0;
    // The file holds the bottom row first.
    for (int fileRow = 0; fileRow < kBitmapHeight; ++fileRow) {
        uint8_t* row = buffer + (kBitmapHeight - 1 - fileRow) * kBitmapWidth;
        const size_t got = positioned ? std::fread(row, 1, kBitmapWidth, file) : 0;
        std::memset(row + got, kPastEndByte, kBitmapWidth - got);
    }
    std::fclose(file);
}
