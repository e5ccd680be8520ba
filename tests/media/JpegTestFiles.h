// JPEG files made on the spot with libjpeg's encoder, for the reader tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include "support/Chunk3dsWriter.h"  // writeScratchFile

// Value of component c at pixel (x, y), y = 0 the top row.
using PixelSource = std::function<uint8_t(int x, int y, int c)>;

// 37 x 22 test picture: red top half, blue bottom half (row order and
// colour at once).
inline uint8_t redOverBlue(int, int y, int c) { return c == 1 ? 10 : ((y < 11) == (c == 0) ? 230 : 10); }

// Encodes width x height pixels with 1 (greyscale) or 3 (RGB) components.
inline std::vector<uint8_t> encodeJpeg(int width, int height, int components, const PixelSource& source) {
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&encoder, &out, &outSize);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = components;
    encoder.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 95, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * components);
    while (encoder.next_scanline < encoder.image_height) {
        const int y = static_cast<int>(encoder.next_scanline);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) row[static_cast<size_t>(x * components + c)] = source(x, y, c);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    std::vector<uint8_t> bytes(out, out + outSize);
    jpeg_destroy_compress(&encoder);
    std::free(out);
    return bytes;
}
