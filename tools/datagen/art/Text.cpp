#include "art/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {
constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";
}

std::string fontPath(const char* fileName) { return std::string(kFontDir) + fileName; }

Font::Font(const std::string& path) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) return;
    library = lib;
    FT_Face f = nullptr;
    if (FT_New_Face(lib, path.c_str(), 0, &f) == 0) face = f;
}

Font::~Font() {
    if (face) FT_Done_Face(static_cast<FT_Face>(face));
    if (library) FT_Done_FreeType(static_cast<FT_Library>(library));
}

GlyphImage Font::glyph(char32_t c, int widthPx, int heightPx) const {
    GlyphImage g;
    if (!face) return g;
    FT_Face f = static_cast<FT_Face>(face);
    FT_Set_Pixel_Sizes(f, static_cast<FT_UInt>(widthPx), static_cast<FT_UInt>(heightPx));
    if (FT_Load_Char(f, c, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) return g;
    const FT_Bitmap& bm = f->glyph->bitmap;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.left = f->glyph->bitmap_left;
    g.top = f->glyph->bitmap_top;
    g.advance = static_cast<int>(f->glyph->advance.x >> 6);
    g.coverage.resize(static_cast<size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) g.coverage[y * g.width + x] = bm.buffer[y * bm.pitch + x];
    return g;
}

int Font::measure(const std::string& text, int widthPx, int heightPx) const {
    int w = 0;
    for (char c : text) w += glyph(static_cast<unsigned char>(c), widthPx, heightPx).advance;
    return w;
}

void Font::draw(Picture& picture, const std::string& text, int x, int y, int widthPx, int heightPx,
                const Rgb& colour) const {
    for (char c : text) {
        GlyphImage g = glyph(static_cast<unsigned char>(c), widthPx, heightPx);
        for (int gy = 0; gy < g.height; ++gy)
            for (int gx = 0; gx < g.width; ++gx)
                picture.blend(x + g.left + gx, y - g.top + gy, colour, g.at(gx, gy) / 255.0);
        x += g.advance;
    }
}
