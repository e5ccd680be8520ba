// Pictures and bitmaps: JPEG files into mipmapped textures, raw 8-bit BMPs
// into 64000-byte buffers, and the program-wide texture table.
#pragma once

#include <cstdint>

// [SECTION] Texture table --------------------------------------------------

constexpr int kTextureSlots = 8;
// OpenGL texture names by slot. Lifetime: program. Filled by the loading
// sequence, never replaced.
extern uint32_t textureTable[kTextureSlots];
// The slots, by what the loading sequence puts there (2 and 6 stay empty).
constexpr int kTransitionSlot = 0;  // the hand-over: a scene's last frame, for the next
constexpr int kGroupSlot = 1;       // data/group.jpg
constexpr int kLoadingSlot = 3;     // data/load.jpg
constexpr int kBackdropSlot = 4;    // data/fond1.jpg
constexpr int kTitleSlot = 5;       // data/tete.jpg
constexpr int kRenderSlot = 7;      // the rooms scene's own render target
// Side of the two capture textures (slots 0 and 7) and of the corner of the
// frame copied into them, pixels.
constexpr int kCaptureSide = 512;

// [SECTION] Pictures ---------------------------------------------------------

// A decoded picture: 8-bit RGB rows, top row first, no padding.
struct RgbImage {
    int32_t stride = 0;  // bytes per row
    int32_t width = 0;
    int32_t height = 0;
    uint8_t* pixels = nullptr;
};

// Decodes a JPEG file into a new RgbImage, or returns null (reported once
// with a message box whose text is the path and caption "-=(Status)=-").
RgbImage* decodeJpegFile(const char* path);
// Decodes JPEG bytes held in memory (the fuzzer's entry); null when invalid.
RgbImage* decodeJpegMemory(const uint8_t* data, unsigned long size);
void releaseRgbImage(RgbImage* image);

// Generates a texture name into table[slot] and fills it from the picture at
// path, mipmapped. A null path does nothing. A picture that cannot be read
// leaves the slot with a name but no image. Needs a current GL context.
int loadJpegTexture(uint32_t* table, const char* path, int slot);

// A side x side blank (black) texture for frame captures, into table[slot].
void createBlankTexture(uint32_t* table, int side, int components, unsigned format, int slot);

// [SECTION] Indexed bitmaps --------------------------------------------------

constexpr int kBitmapWidth = 320;
constexpr int kBitmapHeight = 200;
constexpr int kBitmapBytes = kBitmapWidth * kBitmapHeight;
constexpr int64_t kBitmapPixelOffset = 1078;  // file header, info header, palette

// Reads the pixel bytes of a 320x200 8-bit BMP into buffer (kBitmapBytes),
// top row first. Bytes past the end of a short file are 255; a file that
// cannot be opened leaves the buffer zero-filled, with a message box.
void readIndexedBitmap(const char* path, uint8_t* buffer);
