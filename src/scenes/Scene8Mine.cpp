// Scene 8: the mine animation; the title leaves, a mesh ripples by a height
// map from frame 800, and the closing text is written over the last 15 s.
#include "scenes/Scene8Mine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "media/Textures.h"
#include "scenes/Layers.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

constexpr float kClosingLifetime = 8.0f;    // seconds, the pool's lifetime from here on
constexpr float kTitleLeaveSeconds = 2.0f;  // scene seconds
constexpr double kRippleFramesPerRadian = 10.0;
constexpr double kRippleDivisor = 5.0;  // peak amplitude 2 / 5
constexpr int kClosingStartX = 121;     // bitmap pixels
constexpr int kClosingStartY = 76;
// The rectangle of the mesh that the ripple reshapes, in scene units.
constexpr double kRippleMinX = -155.0, kRippleMaxX = 155.0;
constexpr double kRippleMinY = -95.0, kRippleMaxY = 100.0;
// Offsets from scene units to height-map columns and rows.
constexpr double kColumnOffset = 160.0, kRowOffset = 100.0;
// Where the material name holds the mesh's mark.
constexpr int kMarkOffset = 5;  // characters
constexpr char kRippleMark[] = "vesk";
constexpr int kRippleMarkLength = 4;

// [SECTION] Ripple -----------------------------------------------------------

double rippleAmplitude(double frame) {
    return (1.0 - std::cos((frame - kRippleStartFrame) / kRippleFramesPerRadian)) / kRippleDivisor;
}

int heightMapIndex(double x, double y) {
    // NaN coordinates fail every comparison and stay outside.
    if (!(x > kRippleMinX && x < kRippleMaxX && y > kRippleMinY && y < kRippleMaxY)) return -1;
    const int row = static_cast<int>(y + kRowOffset);
    const int col = static_cast<int>(x + kColumnOffset);
    // Inside the rectangle row is 5..199 and col 5..314, so the index is
    // 6..62395; the check keeps any other rectangle from reading outside.
    const int index = kBitmapBytes - (row * kBitmapWidth + col);
    if (index < 0 || index >= kBitmapBytes) return -1;
    return index;
}

static bool hasRippleMaterial(const Scene& scene, const SceneObject& object) {
    const int count = std::min<int>(scene.materialCount, kMaxMaterials);
    if (object.materialIndex < 0 || object.materialIndex >= count) return false;
    const char* name = scene.materials[object.materialIndex].name;
    if (strnlen(name, kMaterialNameBytes) < kMarkOffset + kRippleMarkLength) return false;
    return std::memcmp(name + kMarkOffset, kRippleMark, kRippleMarkLength) == 0;
}

SceneObject* findRippleMesh(Scene& scene) {
    SceneObject* found = nullptr;
    scene.rewind();
    // At most one test per object after the first: a scene without the mark
    // ends the search instead of spinning on its last object.
    for (int k = 1; k < scene.objectCount && !found; ++k) {
        scene.advance();
        if (hasRippleMaterial(scene, *scene.cursor)) found = scene.cursor;
    }
    scene.rewind();
    return found;
}

void applyRipple(SceneObject& mesh, const uint8_t* heightMap, double amplitude) {
    // The last vertex is not visited.
    const int end = std::min<int>(mesh.vertexCount, static_cast<int>(mesh.vertices.size())) - 1;
    for (int i = 0; i < end; ++i) {
        Vec3& v = mesh.vertices[i];
        const int index = heightMapIndex(v.x, v.y);
        if (index >= 0) v.z = heightMap[index] * amplitude;
    }
}

// [SECTION] Lettering and the frame loop -------------------------------------

bool closingLetteringShown(float t) { return t >= kClosingStart; }

void writeClosingLettering(float t, ParticleSystem& pool) {
    writeLettering(showBitmaps[kEndBmp], t - kClosingStart, kClosingSeconds, kClosingSteps, kClosingStartX,
                   kClosingStartY, pool);
}

void drawScene8Frame(Scene& scene, SceneObject* rippleMesh, float t) {
    clearFrame();
    const uint8_t* heightMap = showBitmaps[kVeskBmp];
    if (scene.frame >= kRippleStartFrame && rippleMesh && heightMap) {
        applyRipple(*rippleMesh, heightMap, rippleAmplitude(scene.frame));
    }
    scene.render();
    // The title leaves: from depth -2 facing the viewer to -6 edge-on.
    if (t <= kTitleLeaveSeconds) drawTitle(-2.0f - 2.0f * t, 45.0f * t);
    if (!sharedParticles || !closingLetteringShown(t)) return;
    writeClosingLettering(t, *sharedParticles);
    drawScreenSpace(*sharedParticles);
}

namespace {

// The ripple mesh's heights as loaded (the ripple rewrites them from its
// first frame on). Lifetime: program, kept by the first pass of the show.
std::vector<double> restingHeights;

}  // namespace

void keepRestingHeights() {
    Scene* scene = playableScene(8);
    SceneObject* mesh = scene ? findRippleMesh(*scene) : nullptr;
    restingHeights.clear();
    if (mesh) {
        for (const Vec3& v : mesh->vertices) restingHeights.push_back(v.z);
    }
}

void restoreRestingHeights() {
    Scene* scene = playableScene(8);
    SceneObject* mesh = scene ? findRippleMesh(*scene) : nullptr;
    if (!mesh) return;
    for (size_t i = 0; i < mesh->vertices.size() && i < restingHeights.size(); ++i)
        mesh->vertices[i].z = restingHeights[i];
}

void playScene8(float duration) {
    if (sharedParticles) {
        sharedParticles->count = 0;
        sharedParticles->lifetime = kClosingLifetime;
    }
    Scene* playable = playableScene(8);
    if (!playable) {
        playRefusedScene(duration, false);
        return;
    }
    Scene& scene = *playable;
    SceneObject* rippleMesh = findRippleMesh(scene);
    SceneClock clock;
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        const float t = clock.elapsed;
        scene.frame = sceneFrame(scenePlan(8), t, duration);
        // No rewind here: the keyframe evaluation starts from the first
        // object by itself.
        scene.evaluateKeyframes();
        if (!drawn) {
            scene.updateEmitters();
            if (sharedParticles && closingLetteringShown(t)) writeClosingLettering(t, *sharedParticles);
            clock.skipFrame();
            continue;
        }
        drawScene8Frame(scene, rippleMesh, t);
        pumpFrame();
    }
}
