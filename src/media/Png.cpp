// PNG writing streams straight to the file: one IDAT chunk holding a zlib
// stream of stored deflate blocks, the CRC and Adler sums kept as it goes.
#include "media/Png.h"

#include <cstdio>

namespace {

constexpr int kMaxPngSide = 16384;           // pixels
constexpr uint32_t kStoredBlockMax = 65535;  // bytes per stored deflate block
constexpr uint32_t kAdlerModulus = 65521;

struct CrcTable {
    uint32_t entries[256];
    CrcTable() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
    }
};
const CrcTable crcTable;

// Writes bytes to the file, adding them to the running chunk CRC.
struct ChunkStream {
    FILE* file;
    uint32_t crc = 0;
    bool ok = true;

    void bytes(const uint8_t* data, size_t size) {
        if (size == 0) return;
        crc = pngCrc32(crc, data, size);
        if (std::fwrite(data, 1, size, file) != size) ok = false;
    }
    void byte(uint8_t value) { bytes(&value, 1); }
    void u32(uint32_t value) {
        const uint8_t be[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
        bytes(be, 4);
    }
    void begin(uint32_t length, const char* type) {
        u32(length);
        crc = 0;
        bytes(reinterpret_cast<const uint8_t*>(type), 4);
    }
    void end() { u32(crc); }
};

// Splits the raw image bytes into stored blocks, each with its header.
struct StoredDeflate {
    ChunkStream& out;
    uint64_t remaining;      // raw bytes still to come
    uint32_t blockLeft = 0;  // raw bytes left in the open block
    uint32_t adler = 1;

    void header() {
        const uint32_t size = remaining > kStoredBlockMax ? kStoredBlockMax : static_cast<uint32_t>(remaining);
        out.byte(remaining <= kStoredBlockMax ? 1 : 0);  // BFINAL, BTYPE 00
        const uint8_t lengths[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(~size), uint8_t(~size >> 8)};
        out.bytes(lengths, 4);
        blockLeft = size;
    }
    void bytes(const uint8_t* data, size_t size) {
        adler = pngAdler32(adler, data, size);
        while (size > 0) {
            if (blockLeft == 0) header();
            const size_t part = size < blockLeft ? size : blockLeft;
            out.bytes(data, part);
            data += part;
            size -= part;
            blockLeft -= static_cast<uint32_t>(part);
            remaining -= part;
        }
    }
};

void writeHeader(ChunkStream& out, int width, int height) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.bytes(signature, 8);
    out.begin(13, "IHDR");
    out.u32(static_cast<uint32_t>(width));
    out.u32(static_cast<uint32_t>(height));
    const uint8_t format[5] = {8, 2, 0, 0, 0};  // 8-bit, RGB, deflate, no filter choice, no interlace
    out.bytes(format, 5);
    out.end();
}

void writeImageData(ChunkStream& out, const uint8_t* pixels, int width, int height) {
    const uint64_t rowBytes = static_cast<uint64_t>(width) * 3;
    const uint64_t raw = (rowBytes + 1) * static_cast<uint64_t>(height);
    const uint64_t blocks = (raw + kStoredBlockMax - 1) / kStoredBlockMax;
    out.begin(static_cast<uint32_t>(2 + raw + 5 * blocks + 4), "IDAT");
    const uint8_t zlibHeader[2] = {0x78, 0x01};
    out.bytes(zlibHeader, 2);
    StoredDeflate deflate{out, raw};
    const uint8_t noFilter = 0;
    for (int y = 0; y < height; ++y) {
        deflate.bytes(&noFilter, 1);
        deflate.bytes(pixels + static_cast<uint64_t>(y) * rowBytes, rowBytes);
    }
    out.u32(deflate.adler);
    out.end();
}

}  // namespace

uint32_t pngCrc32(uint32_t crc, const uint8_t* data, size_t size) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = crcTable.entries[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t pngAdler32(uint32_t adler, const uint8_t* data, size_t size) {
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    return (b << 16) | a;
}

bool writePngRgb(const char* path, const uint8_t* pixels, int width, int height) {
    if (path == nullptr || pixels == nullptr) return false;
    if (width <= 0 || height <= 0 || width > kMaxPngSide || height > kMaxPngSide) return false;
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    ChunkStream out{file};
    writeHeader(out, width, height);
    writeImageData(out, pixels, width, height);
    out.begin(0, "IEND");
    out.end();
    const bool closed = std::fclose(file) == 0;
    return out.ok && closed;
}
