// Writes 3DS chunks byte by byte: nested chunks whose lengths are filled in
// when they close, values little-endian whatever the host. Calls chain; a
// writer with blocks of its own derives from ChunkWriterOf<itself> so that
// its blocks chain with these calls. The tests build their files with it.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

template <class Self>
class ChunkWriterOf {
public:
    // Opens a chunk; its length is written by the matching end().
    Self& begin(uint16_t id) {
        open.push_back(data.size());
        return u16(id).u32(0);
    }
    Self& end() {
        if (open.empty()) throw std::logic_error("ChunkWriter: end() without begin()");
        const size_t start = open.back();
        open.pop_back();
        const uint32_t length = static_cast<uint32_t>(data.size() - start);
        for (int i = 0; i < 4; ++i) data[start + 2 + i] = static_cast<uint8_t>(length >> (8 * i));
        return self();
    }

    Self& u8(uint8_t value) {
        data.push_back(value);
        return self();
    }
    Self& u16(uint16_t value) { return u8(static_cast<uint8_t>(value)).u8(static_cast<uint8_t>(value >> 8)); }
    Self& u32(uint32_t value) { return u16(static_cast<uint16_t>(value)).u16(static_cast<uint16_t>(value >> 16)); }
    Self& f32(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return u32(bits);
    }
    // The characters and their NUL.
    Self& string(const std::string& text) {
        for (char c : text) u8(static_cast<uint8_t>(c));
        return u8(0);
    }

    const std::vector<uint8_t>& bytes() const { return data; }
    bool allClosed() const { return open.empty(); }

protected:
    Self& self() { return static_cast<Self&>(*this); }

    std::vector<uint8_t> data;
    std::vector<size_t> open;  // offsets of the chunks not yet closed
};

class ChunkWriter : public ChunkWriterOf<ChunkWriter> {};
