// The 3DS chunk reader: little-endian primitives that never read past the
// chunk being read or the file, chunk headers checked against their parent,
// and the walk over a chunk's sub-chunks.
#include <cstdarg>
#include <cstring>

#include "platform/Platform.h"
#include "scene3ds/Scene.h"

void (*sceneTraceHook)(const char* text) = nullptr;

namespace {
constexpr uint32_t kChunkHeaderBytes = 6;
constexpr size_t kMaxProblems = 64;     // problems remembered per load
constexpr size_t kMaxProblemBoxes = 3;  // message boxes shown per load
constexpr char kReadErrorCaption[] = "-=(ERROR)=-";

uint16_t littleU16(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

uint32_t littleU32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}
}  // namespace

// [SECTION] Primitives --------------------------------------------------------

// Reads size bytes, or fills the destination with zeros and flags a short read
// when the chunk (or the file) holds fewer.
bool Scene::readBytes(void* destination, uint32_t size) {
    if (size == 0) return !shortRead;
    if (shortRead || bytesLeft() < size || std::fread(destination, 1, size, file) != size) {
        shortRead = true;
        std::memset(destination, 0, size);
        return false;
    }
    readPosition += size;
    return true;
}

uint16_t Scene::readU16() {
    unsigned char bytes[2];
    readBytes(bytes, sizeof bytes);
    return littleU16(bytes);
}

uint32_t Scene::readU32() {
    unsigned char bytes[4];
    readBytes(bytes, sizeof bytes);
    return littleU32(bytes);
}

float Scene::readFloat() {
    uint32_t bits = readU32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// File (X, Y, Z) becomes show (X, Z, -Y).
Vec3 Scene::readVec3() {
    Vec3 point;
    point.x = readFloat();
    point.z = -static_cast<double>(readFloat());
    point.y = readFloat();
    return point;
}

Color3 Scene::readColor3() {
    Color3 color;
    color.r = readFloat();
    color.g = readFloat();
    color.b = readFloat();
    return color;
}

// Reads a NUL-terminated string into capacity bytes and leaves the file just
// past its NUL. A longer string is cut to capacity - 1 characters (the rest
// is passed over); a string without NUL before the chunk's end is cut there.
void Scene::readString(char* destination, int capacity, const char* what) {
    std::memset(destination, 0, static_cast<size_t>(capacity));
    int length = 0;
    bool cut = false;
    for (;;) {
        if (bytesLeft() == 0) {
            reportProblem("%s \"%.40s\" has no end before its chunk's end", what, destination);
            return;
        }
        int byte = std::getc(file);
        if (byte == EOF) {
            shortRead = true;
            return;
        }
        ++readPosition;
        if (byte == 0) break;
        if (length < capacity - 1) {
            destination[length++] = static_cast<char>(byte);
        } else {
            cut = true;
        }
    }
    if (cut) {
        reportProblem("%s \"%.40s...\" is longer than %d characters, cut", what, destination, capacity - 1);
    }
}

// [SECTION] Chunks ------------------------------------------------------------

// Reads the header at the current position. False (ending the walk) when no
// chunk fits before parentEnd or the chunk's length is impossible.
bool Scene::readChunkHeader(ChunkHeader& header, uint32_t parentEnd) {
    header.start = readPosition;
    uint32_t room = parentEnd - readPosition;
    if (room == 0) return false;
    if (room < kChunkHeaderBytes) {
        reportProblem("%u stray bytes at the end of a chunk", room);
        return false;
    }
    uint32_t savedLimit = readLimit;
    readLimit = parentEnd;
    header.id = readU16();
    header.length = readU32();
    readLimit = savedLimit;
    if (shortRead) return false;
    if (header.length < kChunkHeaderBytes || header.length > room) {
        reportProblem("chunk 0x%04X claims %u bytes, %u are left in its parent", header.id, header.length, room);
        return false;
    }
    header.end = header.start + header.length;
    return true;
}

void Scene::seekChunkEnd(const ChunkHeader& header) {
    if (readPosition == header.end) return;
    if (!seekFile(file, header.end)) {
        shortRead = true;
        return;
    }
    readPosition = header.end;
}

// Handles the sub-chunks from the current position to parentEnd; the handler
// may read as much or as little of each as it likes, never past its end.
void Scene::walkChunks(uint32_t parentEnd, ChunkHandler handler) {
    ChunkHeader sub;
    while (!shortRead && readChunkHeader(sub, parentEnd)) {
        uint32_t outerLimit = readLimit;
        readLimit = sub.end;
        (this->*handler)(sub);
        readLimit = outerLimit;
        if (shortRead) {
            reportProblem("chunk 0x%04X at offset %u holds less than its data", sub.id, sub.start);
            shortRead = false;
        }
        seekChunkEnd(sub);
        if (sub.end >= parentEnd) break;
    }
}

// [SECTION] Reports -----------------------------------------------------------

void Scene::trace(const char* text) {
    if (sceneTraceHook) sceneTraceHook(text);
}

// Remembers a problem of the file and shows the first few in a message box;
// the reader then goes on with what it can use.
void Scene::reportProblem(const char* format, ...) {
    char reason[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(reason, sizeof reason, format, arguments);
    va_end(arguments);
    char text[512];
    if (file) {
        std::snprintf(text, sizeof text, "%s: %s (near offset %u)", fileName, reason, readPosition);
    } else {
        std::snprintf(text, sizeof text, "%s: %s", fileName, reason);
    }
    if (problems.size() < kMaxProblemBoxes) showMessageBox(text, kReadErrorCaption);
    if (problems.size() < kMaxProblems) problems.emplace_back(text);
}
