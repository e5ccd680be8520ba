#include "JpegTestFiles.h"

#include <cstdlib>

#include <jpeglib.h>

std::vector<uint8_t> encodeJpeg(int width, int height, int components, const PixelSource& source) {
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
