#include "support/Chunk3dsWriter.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

// [SECTION] Common blocks -----------------------------------------------------

Chunk3dsWriter& Chunk3dsWriter::vertexList(const std::vector<std::vector<float>>& points) {
    begin(0x4110).u16(static_cast<uint16_t>(points.size()));
    for (const auto& p : points) point(p.at(0), p.at(1), p.at(2));
    return end();
}

Chunk3dsWriter& Chunk3dsWriter::beginFaceList(const std::vector<std::vector<uint16_t>>& faces) {
    begin(0x4120).u16(static_cast<uint16_t>(faces.size()));
    for (const auto& f : faces) u16(f.at(0)).u16(f.at(1)).u16(f.at(2)).u16(0);
    return *this;
}

Chunk3dsWriter& Chunk3dsWriter::faceMaterial(const std::string& name, uint16_t faceCount) {
    begin(0x4130).string(name).u16(faceCount);
    for (uint16_t i = 0; i < faceCount; ++i) u16(i);
    return end();
}

Chunk3dsWriter& Chunk3dsWriter::materialBlock(const std::string& name, std::vector<float> diffuse, bool asBytes,
                                              const std::string& map) {
    begin(0xAFFF).begin(0xA000).string(name).end();
    if (!diffuse.empty()) {
        begin(0xA020);
        if (asBytes) {
            begin(0x0011);
            for (float c : diffuse) u8(static_cast<uint8_t>(c * 255.0f + 0.5f));
        } else {
            begin(0x0010).point(diffuse[0], diffuse[1], diffuse[2]);
        }
        end().end();
    }
    if (!map.empty()) begin(0xA200).begin(0xA300).string(map).end().end();
    return end();
}

Chunk3dsWriter& Chunk3dsWriter::camera(const std::string& name, std::vector<float> position,
                                       std::vector<float> target) {
    begin(0x4000).string(name).begin(0x4700);
    point(position.at(0), position.at(1), position.at(2));
    point(target.at(0), target.at(1), target.at(2));
    return f32(0.0f).f32(50.0f).end().end();
}

Chunk3dsWriter& Chunk3dsWriter::positionTrack(const std::vector<uint32_t>& frames,
                                              const std::vector<std::vector<float>>& values) {
    begin(0xB020).u16(0).u32(0).u32(0).u32(static_cast<uint32_t>(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i)
        u32(frames[i]).u16(0).point(values.at(i).at(0), values.at(i).at(1), values.at(i).at(2));
    return end();
}

Chunk3dsWriter& Chunk3dsWriter::infoBlock(uint16_t id, const std::string& name, const std::vector<uint32_t>& frames,
                                          const std::vector<std::vector<float>>& values) {
    begin(id).begin(0xB010).string(name).u16(0).u16(0).u16(0xFFFF).end();
    return positionTrack(frames, values).end();
}

std::string Chunk3dsWriter::writeFile(const std::string& name) const {
    if (!allClosed()) throw std::logic_error("Chunk3dsWriter: chunk left open");
    return writeScratchFile(name, bytes());
}

std::string writeScratchFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string folder = std::string(ORVANE_BINARY_DIR) + "/test-scratch";
    std::filesystem::create_directories(folder);
    std::string path = folder + "/" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) throw std::runtime_error("cannot write " + path);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    return path;
}

void addMesh(Chunk3dsWriter& w, const std::string& name, const std::vector<std::vector<float>>& points,
             const std::vector<std::vector<uint16_t>>& faces, const std::string& material) {
    w.begin(0x4000).string(name).begin(0x4100);
    w.vertexList(points);
    w.beginFaceList(faces);
    if (!material.empty()) w.faceMaterial(material, static_cast<uint16_t>(faces.size()));
    w.end().end().end();
}

void addLight(Chunk3dsWriter& w, const std::string& name, std::vector<float> position, std::vector<float> color,
              const std::vector<float>* spot) {
    w.begin(0x4000).string(name).begin(0x4600);
    w.point(position.at(0), position.at(1), position.at(2));
    w.begin(0x0010).point(color.at(0), color.at(1), color.at(2)).end();
    if (spot) w.begin(0x4610).point(spot->at(0), spot->at(1), spot->at(2)).f32(30).f32(45).end();
    w.end().end();
}
