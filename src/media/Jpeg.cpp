// JPEG pictures into RgbImages with libjpeg. A fatal library error returns
// to the decoder through setjmp instead of ending the process.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "media/JpegRows.h"

#include <jerror.h>
#include "platform/Platform.h"

namespace {

constexpr uint64_t kMaxPicturePixels = 8192 * 8192;  // larger pictures are refused
const char* const kStatusCaption = "-=(Status)=-";

// The standard error manager with error_exit replaced by a longjmp.
struct JumpingErrors {
    jpeg_error_mgr standard;
    std::jmp_buf back;
    char reason[JMSG_LENGTH_MAX];
};

void jumpBack(j_common_ptr info) {
    JumpingErrors* errors = reinterpret_cast<JumpingErrors*>(info->err);
    (*info->err->format_message)(info, errors->reason);
    std::longjmp(errors->back, 1);
}

// Warnings of damaged data are not worth a line each.
void ignoreMessage(j_common_ptr, int) {}

// Runs one decode from a source already chosen by setSource; null on error.
template <typename SetSource>
RgbImage* decode(SetSource setSource, const char** reason) {
    jpeg_decompress_struct decompressor;
    JumpingErrors errors;
    decompressor.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = jumpBack;
    errors.standard.emit_message = ignoreMessage;
    errors.reason[0] = '\0';
    RgbImage* volatile image = nullptr;
    if (setjmp(errors.back) != 0) {
        jpeg_destroy_decompress(&decompressor);
        releaseRgbImage(image);
        static char lastReason[JMSG_LENGTH_MAX];
        std::memcpy(lastReason, errors.reason, sizeof lastReason);
        if (reason != nullptr) *reason = lastReason;
        return nullptr;
    }
    jpeg_create_decompress(&decompressor);
    setSource(&decompressor);
    image = new RgbImage();
    readJpegRows(&decompressor, image);
    jpeg_destroy_decompress(&decompressor);
    return image;
}

// Paths already reported: a picture that several materials or emitters
// share is said to be wrong once per run, not once per use.
constexpr size_t kMaxReportedPaths = 64;
std::vector<std::string> reportedPaths;

bool firstReport(const char* path) {
    if (std::find(reportedPaths.begin(), reportedPaths.end(), path) != reportedPaths.end()) return false;
    if (reportedPaths.size() < kMaxReportedPaths) reportedPaths.emplace_back(path);
    return true;
}

}  // namespace

void readJpegRows(jpeg_decompress_struct* decompressor, RgbImage* image) {
    jpeg_read_header(decompressor, TRUE);
    // Greyscale and YCbCr pictures alike come out as RGB.
    decompressor->out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(decompressor);
    // 64-bit: a long is 32 bits on Windows, where width x height could wrap.
    const uint64_t pixels = uint64_t{decompressor->output_width} * decompressor->output_height;
    if (pixels == 0 || pixels > kMaxPicturePixels) ERREXIT(decompressor, JERR_IMAGE_TOO_BIG);
    jpeg_start_decompress(decompressor);
    if (decompressor->output_components != 3) ERREXIT(decompressor, JERR_CONVERSION_NOTIMPL);
    image->width = static_cast<int32_t>(decompressor->output_width);
    image->height = static_cast<int32_t>(decompressor->output_height);
    image->stride = image->width * decompressor->output_components;
    const size_t bytes = static_cast<size_t>(image->stride) * static_cast<size_t>(image->height);
    image->pixels = new (std::nothrow) uint8_t[bytes]();
    JSAMPROW* rows = new (std::nothrow) JSAMPROW[image->height];
    if (image->pixels == nullptr || rows == nullptr) {
        delete[] rows;
        ERREXIT(decompressor, JERR_OUT_OF_MEMORY);
    }
    for (int32_t i = 0; i < image->height; ++i) rows[i] = image->pixels + static_cast<size_t>(i) * image->stride;
    while (decompressor->output_scanline < decompressor->output_height) {
        const JDIMENSION done = decompressor->output_scanline;
        if (jpeg_read_scanlines(decompressor, rows + done, decompressor->output_height - done) == 0) break;
    }
    delete[] rows;
    jpeg_finish_decompress(decompressor);
}

RgbImage* decodeJpegFile(const char* path) {
    if (path == nullptr) return nullptr;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        if (firstReport(path)) showMessageBox(path, kStatusCaption);
        return nullptr;
    }
    const char* reason = nullptr;
    RgbImage* image = decode([file](jpeg_decompress_struct* d) { jpeg_stdio_src(d, file); }, &reason);
    std::fclose(file);
    if (image == nullptr && firstReport(path)) {
        std::fprintf(stderr, "orvane: %s: %s\n", path, reason != nullptr ? reason : "not a JPEG picture");
        showMessageBox(path, kStatusCaption);
    }
    return image;
}

RgbImage* decodeJpegMemory(const uint8_t* data, unsigned long size) {
    if (data == nullptr || size == 0) return nullptr;
    return decode([data, size](jpeg_decompress_struct* d) { jpeg_mem_src(d, data, size); }, nullptr);
}

void releaseRgbImage(RgbImage* image) {
    if (image == nullptr) return;
    delete[] image->pixels;
    delete image;
}
