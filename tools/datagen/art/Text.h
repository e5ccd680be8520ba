// Glyph rendering through FreeType for the lettering bitmaps and the text in
// pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "art/Image.h"

// A glyph's grey coverage (0..255), `left` and `top` relative to the pen on
// the baseline (top is how far the first row lies above the baseline).
struct GlyphImage {
    int width = 0, height = 0, left = 0, top = 0, advance = 0;
    std::vector<uint8_t> coverage;
    uint8_t at(int x, int y) const {
        return (x < 0 || y < 0 || x >= width || y >= height) ? 0 : coverage[y * width + x];
    }
};

class Font {
public:
    // Opens a font file; ok() is false when it cannot.
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    bool ok() const { return face != nullptr; }

    // Renders one character at an em of widthPx x heightPx pixels.
    GlyphImage glyph(char32_t c, int widthPx, int heightPx) const;
    // Pixel width of a string at the given size.
    int measure(const std::string& text, int widthPx, int heightPx) const;
    // Draws a string with its baseline at y, blending colour by coverage.
    void draw(Picture& picture, const std::string& text, int x, int y, int widthPx, int heightPx,
              const Rgb& colour) const;

private:
    void* library = nullptr;
    void* face = nullptr;
};

// The fonts the generator uses.
std::string fontPath(const char* fileName);
