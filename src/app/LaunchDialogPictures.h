// The dialog's pictures (bitmap 111 at its left, icon 103 on its title bar),
// built into the program from resources/ and decoded from BMP at start.
// The show window may use the icon as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An RGB picture, top row first, 3 bytes per pixel; empty when decoding failed.
struct DialogPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// Decodes an uncompressed 4- or 8-bit palette BMP. On a malformed file it
// returns false, leaves `out` empty and points `error` at the reason.
bool decodePaletteBmp(const uint8_t* bytes, size_t size, DialogPicture& out, const char** error);

// Bitmap 111: 150x112 pixels, shown at the dialog's left.
DialogPicture loadDialogBitmap();
// Icon 103: 32x32 pixels, the dialog's (and the show window's) icon.
DialogPicture loadDialogIcon();
