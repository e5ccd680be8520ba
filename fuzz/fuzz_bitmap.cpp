// libFuzzer target: arbitrary bytes as an indexed bitmap file through
// readIndexedBitmap; the buffer must come back fully written.
#include <sys/mman.h>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "media/Textures.h"
#include "platform/Platform.h"

void showMessageBox(const char*, const char*) {}

namespace {
// The input lives in a memory file opened by path, as the reader wants one.
int memoryFile = -1;
std::string memoryPath;
// Marker that no reader output takes in a fully written buffer's guard.
constexpr uint8_t kGuardByte = 0xA5;
constexpr size_t kGuardBytes = 64;
uint8_t buffer[kBitmapBytes + kGuardBytes];
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    memoryFile = memfd_create("fuzz_bitmap", 0);
    if (memoryFile < 0) std::abort();
    memoryPath = "/proc/self/fd/" + std::to_string(memoryFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ftruncate(memoryFile, 0) != 0) std::abort();
    if (size > 0 && pwrite(memoryFile, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    std::memset(buffer, kGuardByte, sizeof buffer);
    readIndexedBitmap(memoryPath.c_str(), buffer);
    // Pixels past the file's end are 255; pixels present are the file's bytes.
    const size_t pixelBytes = size > static_cast<size_t>(kBitmapPixelOffset) ? size - kBitmapPixelOffset : 0;
    for (int row = 0; row < kBitmapHeight; ++row) {
        const uint8_t* line = buffer + static_cast<size_t>(kBitmapHeight - 1 - row) * kBitmapWidth;
        for (int x = 0; x < kBitmapWidth; ++x) {
            const size_t at = static_cast<size_t>(row) * kBitmapWidth + x;
            const uint8_t expected = at < pixelBytes ? data[kBitmapPixelOffset + at] : 255;
            if (line[x] != expected) std::abort();
        }
    }
    for (size_t i = kBitmapBytes; i < sizeof buffer; ++i) {
        if (buffer[i] != kGuardByte) std::abort();
    }
    return 0;
}
