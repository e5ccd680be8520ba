#include "SceneViewerFiles.h"

#include <cstdio>
#include <algorithm>
#include <filesystem>

namespace {

constexpr int kDarkThreshold = 24;  // channel value above which a pixel counts as lit
constexpr uint16_t kChunkRotationTrack = 0xB021;

uint32_t bigEndian(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    uint8_t buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

// The zlib stream of stored blocks into raw bytes; false on other blocks.
bool inflateStored(const std::vector<uint8_t>& z, std::vector<uint8_t>& raw) {
    size_t at = 2;  // zlib header
    for (;;) {
        if (at + 5 > z.size() || (z[at] & 0x06) != 0) return false;
        const bool last = (z[at] & 1) != 0;
        const size_t length = z[at + 1] | (z[at + 2] << 8);
        if (static_cast<size_t>((z[at + 3] | (z[at + 4] << 8)) ^ 0xFFFF) != length || at + 5 + length > z.size()) return false;
        raw.insert(raw.end(), z.begin() + at + 5, z.begin() + at + 5 + length);
        at += 5 + length;
        if (last) return true;
    }
}

}  // namespace

void addBoxMesh(Chunk3dsWriter& w, const std::string& name, std::vector<float> low, std::vector<float> high) {
    std::vector<std::vector<float>> points;
    for (int corner = 0; corner < 8; ++corner) {
        points.push_back({corner & 1 ? high[0] : low[0], corner & 2 ? high[1] : low[1], corner & 4 ? high[2] : low[2]});
    }
    const std::vector<std::vector<uint16_t>> faces = {{0, 1, 3}, {0, 3, 2}, {4, 6, 7}, {4, 7, 5}, {0, 4, 5}, {0, 5, 1},
                                                      {2, 3, 7}, {2, 7, 6}, {0, 2, 6}, {0, 6, 4}, {1, 5, 7}, {1, 7, 3}};
    addMesh(w, name, points, faces);
}

void addRotationTrack(Chunk3dsWriter& w, const std::vector<uint32_t>& frames, const std::vector<float>& angles,
                      const std::vector<std::vector<float>>& axes) {
    w.begin(kChunkRotationTrack).u16(0).u32(0).u32(0).u32(static_cast<uint32_t>(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i) {
        w.u32(frames[i]).u16(0).f32(angles[i]).point(axes[i][0], axes[i][1], axes[i][2]);
    }
    w.end();
}

std::vector<uint8_t> animatedSceneBytes(bool withEmitter) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    addBoxMesh(w, "Box", {-10, -10, -10}, {10, 10, 10});
    if (withEmitter) {
        addMesh(w, "*00Glow", {{-1, 0, 20}, {1, 0, 20}, {0, 0, 21}}, {{0, 1, 2}}, "glow.jpg");
    }
    const std::vector<float> spot = {0, 60, -60};
    addLight(w, "Lamp", {0, -60, 60}, {1, 1, 1}, &spot);
    w.camera("Cam", {0, -100, 30}, {0, 0, 0});
    w.end().begin(0xB000);
    w.infoBlock(0xB003, "Cam", {0, 30, 60}, {{0, -100, 30}, {-40, -90, 50}, {20, -80, 10}});
    w.infoBlock(0xB004, "Cam", {0, 60}, {{0, 0, 0}, {0, 0, 0}});
    w.begin(0xB002).begin(0xB010).string("Box").u16(0).u16(0).u16(0xFFFF).end();
    w.positionTrack({0, 60}, {{0, 0, 0}, {25, 0, 0}});
    addRotationTrack(w, {0, 30, 60}, {0.0f, 0.8f, 0.8f}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}});
    w.end();
    if (withEmitter) w.infoBlock(0xB002, "*00Glow", {0}, {{0, 0, 20}});
    w.end().end();
    return w.bytes();
}

std::vector<uint8_t> cameraLessBoxBytes(std::vector<float> low, std::vector<float> high) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    addBoxMesh(w, "Model", low, high);
    w.end().end();
    return w.bytes();
}

bool Picture::lit(unsigned x, unsigned y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return p[0] > kDarkThreshold || p[1] > kDarkThreshold || p[2] > kDarkThreshold;
}

bool readPng(const std::string& path, Picture& picture) {
    const std::vector<uint8_t> d = fileBytes(path);
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() < 8 || !std::equal(signature, signature + 8, d.begin())) return false;
    std::vector<uint8_t> z;
    for (size_t at = 8; at + 12 <= d.size();) {
        const size_t length = bigEndian(&d[at]);
        if (at + 12 + length > d.size()) return false;
        const std::string type(d.begin() + at + 4, d.begin() + at + 8);
        const uint8_t* data = &d[at + 8];
        if (type == "IHDR") {
            if (length != 13 || data[8] != 8 || data[9] != 2 || data[12] != 0) return false;
            picture.width = bigEndian(data);
            picture.height = bigEndian(data + 4);
        }
        if (type == "IDAT") z.insert(z.end(), data, data + length);
        at += 12 + length;
    }
    std::vector<uint8_t> raw;
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    if (picture.width == 0 || !inflateStored(z, raw) || raw.size() != (rowBytes + 1) * picture.height) return false;
    picture.rgb.clear();
    for (unsigned y = 0; y < picture.height; ++y) {
        const auto row = raw.begin() + static_cast<long>((rowBytes + 1) * y);
        if (*row != 0) return false;  // only filter type 0 is written
        picture.rgb.insert(picture.rgb.end(), row + 1, row + 1 + static_cast<long>(rowBytes));
    }
    return true;
}

bool litBox(const Picture& picture, PixelBox& box) {
    bool any = false;
    for (unsigned y = 0; y < picture.height; ++y) {
        for (unsigned x = 0; x < picture.width; ++x) {
            if (!picture.lit(x, y)) continue;
            if (!any) box = {x, y, x, y};
            any = true;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
        }
    }
    return any;
}

long litCount(const Picture& picture) {
    long count = 0;
    for (unsigned y = 0; y < picture.height; ++y) {
        for (unsigned x = 0; x < picture.width; ++x) count += picture.lit(x, y) ? 1 : 0;
    }
    return count;
}

long differingPixels(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    long count = 0;
    for (size_t i = 0; i + 2 < a.rgb.size(); i += 3) {
        count += (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]) ? 1 : 0;
    }
    return count;
}

std::string freshViewFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("orvane-view-tests-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

ProgramRun runView(const std::string& file, const std::string& times, const std::string& folder,
                   const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"--view", file, "--windowed", "--size", "320x240", "--fixed-fps", "30",
                                     "--frames-at", times, "--frames-dir", folder};
    args.insert(args.end(), extra.begin(), extra.end());
    return runOrvane(args, std::filesystem::temp_directory_path().string(),
                     {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"});
}

std::string viewFramePath(const std::string& folder, double time) {
    char name[64];
    std::snprintf(name, sizeof name, "/frame_%08.3f.png", time);
    return folder + name;
}
