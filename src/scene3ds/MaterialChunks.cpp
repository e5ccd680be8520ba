// Material blocks: name, diffuse colour and texture picture of each material
// a modelling program wrote. Only the scene viewer uses them.
#include <cstring>

#include "scene3ds/Scene.h"

namespace {
constexpr uint16_t kChunkMaterialName = 0xA000;
constexpr uint16_t kChunkDiffuse = 0xA020;
constexpr uint16_t kChunkTextureMap = 0xA200;
constexpr uint16_t kChunkMapFileName = 0xA300;
constexpr uint16_t kChunkColorFloats = 0x0010;
constexpr uint16_t kChunkColorBytes = 0x0011;
constexpr uint16_t kChunkLinearColorBytes = 0x0012;
constexpr uint16_t kChunkLinearColorFloats = 0x0013;

float clampUnit(float v) { return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f; }
}  // namespace

void Scene::readMaterialBlock(const ChunkHeader& header) {
    if (materialBlockCount >= kMaxMaterials) {
        reportProblem("more than %d material blocks: the rest are left out", kMaxMaterials);
        return;
    }
    materialBlocks[materialBlockCount++] = MaterialBlock();
    walkChunks(header.end, &Scene::onMaterialChunk);
}

void Scene::onMaterialChunk(const ChunkHeader& header) {
    MaterialBlock& block = materialBlocks[materialBlockCount - 1];
    if (header.id == kChunkMaterialName) readString(block.name, kMaterialNameBytes, "material block name");
    if (header.id == kChunkDiffuse) walkChunks(header.end, &Scene::onDiffuseChunk);
    if (header.id == kChunkTextureMap) walkChunks(header.end, &Scene::onTextureMapChunk);
}

// The first colour given wins (files give the gamma-corrected one first and
// may add a linear copy).
void Scene::onDiffuseChunk(const ChunkHeader& header) {
    MaterialBlock& block = materialBlocks[materialBlockCount - 1];
    if (block.hasDiffuse) return;
    if (header.id == kChunkColorBytes || header.id == kChunkLinearColorBytes) {
        unsigned char rgb[3];
        if (!readBytes(rgb, sizeof rgb)) return;
        block.diffuse = {rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f};
    } else if (header.id == kChunkColorFloats || header.id == kChunkLinearColorFloats) {
        const Color3 c = readColor3();
        if (shortRead) return;
        // NaN and values outside 0..1 would reach the vertex colours.
        block.diffuse = {clampUnit(c.r), clampUnit(c.g), clampUnit(c.b)};
    } else {
        return;
    }
    block.hasDiffuse = true;
}

void Scene::onTextureMapChunk(const ChunkHeader& header) {
    if (header.id != kChunkMapFileName) return;
    readString(materialBlocks[materialBlockCount - 1].map, kMaterialNameBytes, "texture file name");
}

const MaterialBlock* Scene::findMaterialBlock(const char* materialName) const {
    for (int32_t i = 0; i < materialBlockCount; ++i)
        if (std::strcmp(materialBlocks[i].name, materialName) == 0) return &materialBlocks[i];
    return nullptr;
}
