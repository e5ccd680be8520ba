// The keyframer section of a 3DS file: object, camera and camera-target info
// blocks, matched to the editor's objects by name, with their key tracks.
#include <cstring>
#include <new>

#include "scene3ds/Scene.h"

namespace {
constexpr uint16_t kChunkObjectInfoBlock = 0xB002;
constexpr uint16_t kChunkCameraInfoBlock = 0xB003;
constexpr uint16_t kChunkCameraTargetInfoBlock = 0xB004;
constexpr uint16_t kChunkObjectName = 0xB010;
constexpr uint16_t kChunkPivotPoint = 0xB013;
constexpr uint16_t kChunkPositionTrack = 0xB020;
constexpr uint16_t kChunkRotationTrack = 0xB021;
constexpr uint32_t kTrackHeaderWords = 5;      // flags and two unused 32-bit values
constexpr uint32_t kPositionKeyMinBytes = 18;  // frame, spline flags, three floats
constexpr uint32_t kRotationKeyMinBytes = 22;  // frame, spline flags, four floats
constexpr int kSplineFlagBits = 5;             // tension, continuity, bias, ease to, ease from
constexpr double kHalfTurnDegrees = 180.0;
constexpr double kShowPi = 3.1415;  // the show's own pi, kept for its exact angles
}  // namespace

// [SECTION] Walk dispatch -----------------------------------------------------

void Scene::onKeyframerChunk(const ChunkHeader& header) {
    switch (header.id) {
    case kChunkObjectInfoBlock: trace("+--CHUNK_OBJETINFOBLOCK\n"); break;
    case kChunkCameraInfoBlock: trace("+--CHUNK_CAMERAINFOBLOCK\n"); break;
    case kChunkCameraTargetInfoBlock: trace("+--CHUNK_CAMERATARGETINFOBLOCK\n"); break;
    default: return;
    }
    infoBlockId = header.id;
    infoObject = nullptr;  // until the block's name chunk
    walkChunks(header.end, &Scene::onInfoBlockChunk);
    infoObject = nullptr;
}

// Tracks before the name chunk, or of a name no object carries, have
// nowhere to go and are passed over.
void Scene::onInfoBlockChunk(const ChunkHeader& header) {
    switch (header.id) {
    case kChunkObjectName: {
        trace("   +--CHUNK_OBJETNAME\n");
        char objectName[kObjectNameBytes];
        readString(objectName, kObjectNameBytes, "keyframer object name");
        infoObject = findObject(objectName);
        break;
    }
    case kChunkPivotPoint:
        trace("   +--CHUNK_OBJETPIVOTPOINT\n");
        if (infoObject) infoObject->rotation = readVec3();
        break;
    case kChunkPositionTrack:
        trace("   +--CHUNK_POSITIONTRACK\n");
        if (!infoObject) break;
        if (infoBlockId == kChunkCameraTargetInfoBlock) {
            readTrack(infoObject->rotationKeyCount, infoObject->rotationKeyFrames, infoObject->rotationKeys, false);
            infoObject->rotationKeyIndex = 1;
        } else {
            readTrack(infoObject->positionKeyCount, infoObject->positionKeyFrames, infoObject->positionKeys, false);
            infoObject->positionKeyIndex = 1;
        }
        break;
    case kChunkRotationTrack:
        trace("   +--CHUNK_ROTATIONTRACK\n");
        if (!infoObject || infoBlockId != kChunkObjectInfoBlock) break;
        readTrack(infoObject->rotationKeyCount, infoObject->rotationKeyFrames, infoObject->rotationKeys, true);
        infoObject->rotationKeyIndex = 0;
        break;
    default: break;
    }
}

// The first object in list order that carries the name exactly.
SceneObject* Scene::findObject(const char* objectName) {
    SceneObject* object = this;
    for (uint32_t i = 0; i < objectCount && object; ++i, object = object->next) {
        if (std::strcmp(object->name, objectName) == 0) return object;
    }
    return nullptr;
}

// [SECTION] Tracks ------------------------------------------------------------

// Reads a key track into count, frames (low 16 bits of each frame number) and
// values: positions as points, rotations as axis times angle in degrees with
// key 0 zeroed (each key adds to the previous one). A count the chunk cannot
// hold empties the track; keys cut short by the chunk's end are dropped.
void Scene::readTrack(uint32_t& count, std::vector<uint16_t>& frames, std::vector<Vec3>& keys, bool rotationKeys) {
    for (uint32_t i = 0; i < kTrackHeaderWords; ++i) readU16();
    uint32_t stored = readU32();
    uint32_t minKeyBytes = rotationKeys ? kRotationKeyMinBytes : kPositionKeyMinBytes;
    count = 0;
    frames.clear();
    keys.clear();
    if (shortRead) return;
    if (stored > bytesLeft() / minKeyBytes) {
        reportProblem("track of %u keys holds only %u bytes; track left out", stored, bytesLeft());
        return;
    }
    frames.resize(stored);
    keys.resize(stored);
    uint32_t complete = 0;
    for (; complete < stored; ++complete) {
        frames[complete] = static_cast<uint16_t>(readU32() & 0xFFFFu);
        uint16_t splineFlags = readU16();
        for (int bit = 0; bit < kSplineFlagBits; ++bit) {
            if (splineFlags & (1u << bit)) readFloat();
        }
        Vec3 value;
        if (rotationKeys) {
            double degrees = static_cast<double>(readFloat()) * kHalfTurnDegrees / kShowPi;
            Vec3 axis = readVec3();
            value = Vec3{axis.x * degrees, axis.y * degrees, axis.z * degrees};
        } else {
            value = readVec3();
        }
        if (shortRead) break;
        keys[complete] = value;
    }
    frames.resize(complete);
    keys.resize(complete);
    count = complete;
    if (rotationKeys && count > 0) keys[0] = Vec3();
}
