// Scene 2: the first two meshes of the meta scene drawn additively with
// spikes where they come near each other, between a backdrop band, scene 1's
// last frame receding with the group picture above it, and the spinning
// backdrop over everything.
#include "scenes/Scene2MeshPair.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "media/Textures.h"
#include "scenes/Layers.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

namespace {

constexpr float kSpikeRadius = 60.0f;  // scene units
constexpr double kSpikeGain = 2.0;     // largest push factor
constexpr double kPi = 3.14;           // the effect's own pi

// Scene 1's last frame, opaque, on a 2x2 quad at depth z, and the group
// picture added above it. Leaves blending on (GL_ONE, GL_ONE), depth on.
void drawRecedingFrame(float z) {
    glDisable(GL_DEPTH_TEST);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, z);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTransitionSlot]);
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.0f, 1.0f, 0.0f);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.0f, -1.0f, 0.0f);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(1.0f, -1.0f, 0.0f);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(1.0f, 1.0f, 0.0f);
    glEnd();
    // clang-format on
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, z);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textureTable[kGroupSlot]);
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.0f, 2.0f, 0.0f);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.0f, 1.0f, 0.0f);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(1.0f, 1.0f, 0.0f);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(1.0f, 2.0f, 0.0f);
    glEnd();
    // clang-format on
    glEnable(GL_DEPTH_TEST);
}

// Vertex i of a mesh in scene space: moved, not turned.
Vec3 placedVertex(const SceneObject& mesh, int i) {
    const Vec3& v = mesh.vertices[i];
    return {v.x - mesh.basePosition.x + mesh.position.x, v.y - mesh.basePosition.y + mesh.position.y,
            v.z - mesh.basePosition.z + mesh.position.z};
}

void emitCorner(const SceneObject& mesh, int i, const Vec3& w) {
    const bool mapped = i < static_cast<int>(mesh.texCoords.size()) && i < mesh.texCoordCount;
    const TexCoord uv = mapped ? mesh.texCoords[i] : TexCoord{};
    glTexCoord2f(uv.u, uv.v);
    glVertex3f(static_cast<float>(w.x), static_cast<float>(w.y), static_cast<float>(w.z));
}

// The faces of mesh, each first corner pushed away from the partner's
// reference point. Inside glBegin(GL_TRIANGLES).
void emitSpikedMesh(const SceneObject& mesh, const SceneObject& partner) {
    const Vec3 p{partner.position.x - partner.basePosition.x, partner.position.y - partner.basePosition.y,
                 partner.position.z - partner.basePosition.z};
    const int vertexCount = std::min<int>(mesh.vertexCount, static_cast<int>(mesh.vertices.size()));
    const int faceCount = std::min<int>(mesh.faceCount, static_cast<int>(mesh.faces.size()));
    for (int f = 0; f < faceCount; ++f) {
        const Face& face = mesh.faces[f];
        if (face.a >= vertexCount || face.b >= vertexCount || face.c >= vertexCount) continue;
        emitCorner(mesh, face.a, spikeCorner(placedVertex(mesh, face.a), p));
        emitCorner(mesh, face.b, placedVertex(mesh, face.b));
        emitCorner(mesh, face.c, placedVertex(mesh, face.c));
    }
}

}  // namespace

MeshPair findMeshPair(Scene& scene) {
    MeshPair pair;
    scene.rewind();
    SceneObject* first = scene.cursor;
    scene.advance();
    SceneObject* second = scene.cursor;
    scene.rewind();
    if (first == second || first->kind != ObjectKind::Mesh || second->kind != ObjectKind::Mesh) return pair;
    pair.first = first;
    pair.second = second;
    return pair;
}

Vec3 spikeCorner(const Vec3& w, const Vec3& p) {
    const double dx = w.x - p.x, dy = w.y - p.y, dz = w.z - p.z;
    const float distance = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    float k = kSpikeRadius - distance;
    if (k < 0.0f) k = 0.0f;
    const float s = static_cast<float>(kSpikeGain * std::sin(k * 90.0 / 60.0 * kPi / 180.0));
    return {w.x + std::fabs(dx) * s, w.y + std::fabs(dy) * s, w.z + std::fabs(dz) * s};
}

float recedeDepth(float e) {
    const float z = e > kRecedeSeconds ? kRecedeDepth : e / kRecedeSeconds * kRecedeDepth;
    return -z / 60.0f - 2.0f;
}

// Expects blending set by the caller (GL_ONE, GL_ONE) and the colour white;
// draws in the camera's view with the first mesh's texture, sets no colour,
// leaves the cursor on the first object.
void drawDeformedPair(Scene& scene, const MeshPair& pair) {
    scene.rewind();
    if (!pair.first || !pair.second || !scene.camera) return;
    const SceneObject& camera = *scene.camera;
    glLoadIdentity();
    glRotatef(static_cast<float>(camera.rotation.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.z), 0.0f, 0.0f, 1.0f);
    glTranslatef(static_cast<float>(-camera.cameraPosition.x), static_cast<float>(-camera.cameraPosition.y),
                 static_cast<float>(-camera.cameraPosition.z));
    const int material = pair.first->materialIndex;
    const bool textured = material >= 0 && material < scene.materialCount && material < kMaxMaterials;
    glBindTexture(GL_TEXTURE_2D, textured ? scene.materials[material].texture : 0);
    // clang-format off
    glBegin(GL_TRIANGLES);
        emitSpikedMesh(*pair.first, *pair.second);
        emitSpikedMesh(*pair.second, *pair.first);
    glEnd();
    // clang-format on
    scene.rewind();
}

// Expects the colour white and depth test on; leaves blending off, depth on,
// blend function (GL_ONE, GL_ONE).
void drawScene2Frame(Scene& scene, const MeshPair& pair, float e, float d) {
    clearFrame();
    // The band is opaque here: blending is off.
    drawBackdropBand();
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    drawDeformedPair(scene, pair);
    glDisable(GL_BLEND);
    drawRecedingFrame(recedeDepth(e));
    // Blending is still on: the same two layers as scenes 1 and 3, added.
    drawSpinningBackdrop(e, d);
}

void playScene2(float duration) {
    Scene* playable = playableScene(2);
    if (!playable) {
        playRefusedScene(duration, false);
        return;
    }
    Scene& scene = *playable;
    const MeshPair pair = findMeshPair(scene);
    SceneClock clock;
    glColor3d(1.0, 1.0, 1.0);
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        scene.frame = sceneFrame(scenePlan(2), clock.elapsed, duration);
        scene.evaluateKeyframes();
        if (!drawn) {
            clock.skipFrame();
            continue;
        }
        drawScene2Frame(scene, pair, clock.elapsed, duration);
        pumpFrame();
    }
}
