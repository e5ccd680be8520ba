// render hands each mesh to the GL as one indexed draw of arrays; the
// picture must be the one the immediate-mode triangles give, byte for byte:
// a turned, moved grid mesh with shared vertices, per-vertex colours, a
// texture, and one face whose corner does not exist (skipped by both).
#include <gtest/gtest.h>

#include <cmath>

#include "core/RunSettings.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

using namespace testscenes;
using namespace testgl;

namespace {

constexpr int kGridSide = 24;  // quads per side

// A kGridSide x kGridSide grid of shared vertices in a wavy sheet.
SceneObject& addGridMesh(Scene& scene) {
    SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, "grid");
    const int side = kGridSide + 1;
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            mesh.vertices.push_back({i * 5.0 - 60.0, j * 4.0 - 45.0, 6.0 * std::sin(i * 0.7 + j * 0.3)});
            mesh.texCoords.push_back({i / 7.0f, j / 5.0f});
            mesh.vertexColors.push_back({0.2f + 0.03f * i, 0.9f - 0.02f * j, 0.37f + 0.011f * (i ^ j)});
        }
    for (int j = 0; j < kGridSide; ++j)
        for (int i = 0; i < kGridSide; ++i) {
            const auto v = static_cast<uint16_t>(j * side + i);
            mesh.faces.push_back({v, static_cast<uint16_t>(v + 1), static_cast<uint16_t>(v + side), 0});
            mesh.faces.push_back({static_cast<uint16_t>(v + 1), static_cast<uint16_t>(v + side + 1),
                                  static_cast<uint16_t>(v + side), 0});
        }
    mesh.faces.push_back({0, 1, 60000, 0});  // a corner past the vertices
    mesh.vertexCount = static_cast<uint16_t>(mesh.vertices.size());
    mesh.texCoordCount = mesh.vertexCount;
    mesh.faceCount = static_cast<uint16_t>(mesh.faces.size());
    setPositionTrack(mesh, {0}, {{0.0, 0.0, 0.0}});
    setRotationTrack(mesh, {0}, {{0.0, 0.0, 0.0}});
    mesh.position = {7.5, -3.25, 11.0};
    mesh.basePosition = {1.0, 2.0, -3.0};
    mesh.rotation = {23.0, -41.0, 12.5};
    return mesh;
}

// The immediate-mode drawing: camera, mesh transform, one corner at a time.
void drawImmediate(const SceneObject& camera, const SceneObject& mesh, GLuint texture) {
    glLoadIdentity();
    glRotatef(static_cast<float>(camera.rotation.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.z), 0.0f, 0.0f, 1.0f);
    glTranslatef(-static_cast<float>(camera.cameraPosition.x), -static_cast<float>(camera.cameraPosition.y),
                 -static_cast<float>(camera.cameraPosition.z));
    glTranslatef(static_cast<float>(mesh.position.x), static_cast<float>(mesh.position.y),
                 static_cast<float>(mesh.position.z));
    glRotatef(static_cast<float>(mesh.rotation.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(mesh.rotation.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(mesh.rotation.z), 0.0f, 0.0f, 1.0f);
    glTranslatef(-static_cast<float>(mesh.basePosition.x), -static_cast<float>(mesh.basePosition.y),
                 -static_cast<float>(mesh.basePosition.z));
    glBindTexture(GL_TEXTURE_2D, texture);
    // clang-format off
    glBegin(GL_TRIANGLES);
    for (int f = 0; f < mesh.faceCount; ++f) {
        const Face& face = mesh.faces[f];
        if (face.a >= mesh.vertexCount || face.b >= mesh.vertexCount || face.c >= mesh.vertexCount)
            continue;
        for (const uint16_t v : {face.a, face.b, face.c}) {
            const Color3& c = mesh.vertexColors[v];
            glColor3d(c.r, c.g, c.b);
            glTexCoord2f(mesh.texCoords[v].u, mesh.texCoords[v].v);
            glVertex3f(static_cast<float>(mesh.vertices[v].x), static_cast<float>(mesh.vertices[v].y),
                       static_cast<float>(mesh.vertices[v].z));
        }
    }
    glEnd();
    // clang-format on
    glColor3ub(255, 255, 255);
}

}  // namespace

TEST(SameMeshPictureGl, IndexedArraysGiveTheImmediateModePicture) {
    openTestGlContext(kWidth, kHeight);
    runSettings.noLights = false;
    Scene scene;
    SceneObject& camera = addStillCamera(scene, {10, 20, 140}, {0, 0, 0});
    camera.rotation = {8.0, -6.5, 3.0};
    scene.materials[0].texture = makeTexture(
        32, [](int x, int y) { return static_cast<uint32_t>((x * 8) << 16 | (y * 8) << 8 | ((x ^ y) * 8)); },
        GL_LINEAR);
    scene.materialCount = 1;
    SceneObject& grid = addGridMesh(scene);
    grid.materialIndex = 0;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawImmediate(camera, grid, scene.materials[0].texture);
    const std::vector<uint8_t> expected = readFramebufferRgb(0, 0, kWidth, kHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.render();
    const std::vector<uint8_t> seen = readFramebufferRgb(0, 0, kWidth, kHeight);

    EXPECT_NE(expected, std::vector<uint8_t>(expected.size(), 0)) << "the grid is in view";
    EXPECT_TRUE(expected == seen) << "render's picture differs from the immediate-mode triangles";
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_TEXTURE_COORD_ARRAY) || glIsEnabled(GL_COLOR_ARRAY))
        << "client arrays left on";
    glDeleteTextures(1, &scene.materials[0].texture);
}
