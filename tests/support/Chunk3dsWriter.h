// Builds 3DS files for tests: the data-set tool's chunk writer with the
// common blocks written in file axes, and chunk headers given by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "datagen/formats/ChunkWriter.h"

class Chunk3dsWriter : public ChunkWriterOf<Chunk3dsWriter> {
public:
    // A chunk header with a length given by hand (for broken files).
    Chunk3dsWriter& header(uint16_t id, uint32_t length) { return u16(id).u32(length); }
    // Three floats in file order (X, Y, Z).
    Chunk3dsWriter& point(float x, float y, float z) { return f32(x).f32(y).f32(z); }

    // [SECTION] Common blocks (each a whole chunk)
    Chunk3dsWriter& vertexList(const std::vector<std::vector<float>>& points);
    // Faces of three indices; flags 0. Leaves the face list open for its
    // material chunks: close it with end().
    Chunk3dsWriter& beginFaceList(const std::vector<std::vector<uint16_t>>& faces);
    Chunk3dsWriter& faceMaterial(const std::string& name, uint16_t faceCount = 0);
    // A material block as modelling programs write it: name, diffuse colour
    // (none when empty; as bytes or as floats) and texture picture ("": none).
    Chunk3dsWriter& materialBlock(const std::string& name, std::vector<float> diffuse, bool asBytes,
                                  const std::string& map);
    Chunk3dsWriter& camera(const std::string& name, std::vector<float> position, std::vector<float> target);
    // A position track with spline flags 0: frames and (X, Y, Z) values.
    Chunk3dsWriter& positionTrack(const std::vector<uint32_t>& frames, const std::vector<std::vector<float>>& values);
    // A keyframer info block (0xB002, 0xB003 or 0xB004) with its name chunk
    // and one position track.
    Chunk3dsWriter& infoBlock(uint16_t id, const std::string& name, const std::vector<uint32_t>& frames,
                              const std::vector<std::vector<float>>& values);

    // Writes the bytes to a fresh file under the test scratch folder.
    std::string writeFile(const std::string& name) const;
};

// Writes bytes to a file of the test scratch folder and returns its path.
std::string writeScratchFile(const std::string& name, const std::vector<uint8_t>& bytes);

// An object block holding a mesh of these points and faces (and one face
// material list when material is not empty).
void addMesh(Chunk3dsWriter& w, const std::string& name, const std::vector<std::vector<float>>& points,
             const std::vector<std::vector<uint16_t>>& faces, const std::string& material = "");
// An object block holding a light; a spotlight target when spot is set.
void addLight(Chunk3dsWriter& w, const std::string& name, std::vector<float> position, std::vector<float> color,
              const std::vector<float>* spot);
