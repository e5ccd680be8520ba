// libFuzzer target: arbitrary bytes through the JPEG texture path's decoder
// (no GL); a decoded picture is read to its stated size.
#include <cstdint>
#include <cstdlib>

#include "media/Textures.h"
#include "platform/Platform.h"

// The decoder of memory bytes reports nothing; a file path would.
void showMessageBox(const char*, const char*) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbImage* image = decodeJpegMemory(data, size);
    if (image == nullptr) return 0;
    if (image->width <= 0 || image->height <= 0 || image->pixels == nullptr || image->stride < image->width * 3) {
        std::abort();
    }
    // Every byte a texture upload would read; ASan catches a short buffer.
    unsigned sum = 0;
    const uint8_t* last = image->pixels + static_cast<size_t>(image->stride) * (image->height - 1);
    for (int32_t x = 0; x < image->width * 3; ++x) sum += image->pixels[x] + last[x];
    volatile unsigned sink = sum;
    (void)sink;
    releaseRgbImage(image);
    return 0;
}
