// The scene renderer: moving meshes relit, an opaque pass, an additive pass
// for "%" meshes, then the attached particle emitters.
#include <GL/gl.h>

#include <cstdint>

#include "core/RunSettings.h"
#include "particles/Particles.h"  // drawEmitters, a Scene member implemented there
#include "render/Render.h"

namespace {

GLuint meshTexture(const Scene& scene, const SceneObject& mesh) {
    const int index = mesh.materialIndex;
    // A mesh without a material (kNoMaterial) draws untextured.
    if (index < 0 || index >= scene.materialCount || index >= kMaxMaterials) return 0;
    return scene.materials[index].texture;
}

// The arrays hold at least the counts (the loader's promise); a mesh that
// breaks it is not drawn rather than read past its arrays.
bool meshArraysHoldCounts(const SceneObject& mesh) {
    const size_t n = mesh.vertexCount;
    return mesh.faces.size() >= mesh.faceCount && mesh.vertices.size() >= n && mesh.texCoords.size() >= n &&
           mesh.vertexColors.size() >= n;
}

void applyViewTransform(const SceneObject& camera) {
    glRotatef(static_cast<float>(camera.rotation.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.z), 0.0f, 0.0f, 1.0f);
    glTranslatef(-static_cast<float>(camera.cameraPosition.x), -static_cast<float>(camera.cameraPosition.y),
                 -static_cast<float>(camera.cameraPosition.z));
}

void applyModelTransform(const SceneObject& mesh) {
    glTranslatef(static_cast<float>(mesh.position.x), static_cast<float>(mesh.position.y),
                 static_cast<float>(mesh.position.z));
    glRotatef(static_cast<float>(mesh.rotation.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(mesh.rotation.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(mesh.rotation.z), 0.0f, 0.0f, 1.0f);
    glTranslatef(-static_cast<float>(mesh.basePosition.x), -static_cast<float>(mesh.basePosition.y),
                 -static_cast<float>(mesh.basePosition.z));
}

// Float positions, texture coordinates, colours and triangle corners of the
// mesh being drawn, filled for each draw. The GL reads these arrays, not the
// mesh's own: a driver may fetch a few bytes past the last vertex (Mesa's
// no-op driver even writes there), so each array has a tail to spare.
// Lifetime: program; sized for the largest mesh (16-bit counts).
constexpr int kMaxMeshVertices = 65535;
constexpr int kSpareFloats = 16;  // floats past the last vertex a driver may touch
float meshPositions[kMaxMeshVertices * 3 + kSpareFloats];
float meshTexCoords[kMaxMeshVertices * 2 + kSpareFloats];
float meshColours[kMaxMeshVertices * 3 + kSpareFloats];
uint16_t meshCorners[kMaxMeshVertices * 3 + kSpareFloats];

// The vertices as the GL takes them (float) and the corners of the faces
// whose three vertices exist, in face order; returns the corner count.
int fillMeshArrays(const SceneObject& mesh, bool withColours) {
    const unsigned vertexCount = mesh.vertexCount;
    for (unsigned v = 0; v < vertexCount; ++v) {
        const Vec3& p = mesh.vertices[v];
        meshPositions[3 * v] = static_cast<float>(p.x);
        meshPositions[3 * v + 1] = static_cast<float>(p.y);
        meshPositions[3 * v + 2] = static_cast<float>(p.z);
        meshTexCoords[2 * v] = mesh.texCoords[v].u;
        meshTexCoords[2 * v + 1] = mesh.texCoords[v].v;
    }
    for (unsigned v = 0; withColours && v < vertexCount; ++v) {
        meshColours[3 * v] = mesh.vertexColors[v].r;
        meshColours[3 * v + 1] = mesh.vertexColors[v].g;
        meshColours[3 * v + 2] = mesh.vertexColors[v].b;
    }
    int corners = 0;
    for (int f = 0; f < mesh.faceCount; ++f) {
        const Face& face = mesh.faces[f];
        if (face.a >= vertexCount || face.b >= vertexCount || face.c >= vertexCount) continue;
        meshCorners[corners++] = face.a;
        meshCorners[corners++] = face.b;
        meshCorners[corners++] = face.c;
    }
    return corners;
}

// One mesh as indexed triangles in its own transform and texture: the same
// corners, colours, texture coordinates and positions, in the same order,
// as one glBegin(GL_TRIANGLES) with a glColor/glTexCoord/glVertex per corner,
// with each vertex transformed once. Leaves the client arrays off.
void drawMesh(const Scene& scene, const SceneObject& camera, const SceneObject& mesh, bool withColours) {
    if (!meshArraysHoldCounts(mesh)) return;
    glLoadIdentity();
    applyViewTransform(camera);
    applyModelTransform(mesh);
    glBindTexture(GL_TEXTURE_2D, meshTexture(scene, mesh));
    const int corners = fillMeshArrays(mesh, withColours);
    if (corners == 0) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, meshPositions);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, meshTexCoords);
    if (withColours) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, meshColours);
    }
    glDrawElements(GL_TRIANGLES, corners, GL_UNSIGNED_SHORT, meshCorners);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

bool isMesh(const SceneObject& object) { return object.kind == ObjectKind::Mesh; }
bool isGlowing(const SceneObject& object) { return object.name[0] == '%'; }

}  // namespace

// Expects: the state of the show's GL set-up (GL_TEXTURE_2D and depth test
// on, smooth shading, modelview mode, perspective projection). Leaves:
// cursor on the first object, blending off, blend function (GL_ONE, GL_ONE),
// colour white, the modelview of the last mesh or sprite drawn.
void Scene::render() {
    static const SceneObject noCamera;
    const SceneObject& view = camera != nullptr ? *camera : noCamera;
    const bool noLights = runSettings.noLights;

    rewind();
    for (int n = 0; n < objectCount; ++n) {
        SceneObject& object = *cursor;
        if (isMesh(object)) {
            if (!keepsVertexColors && relitEachFrame(object, noLights)) relightMesh(*this, object);
            if (!isGlowing(object)) drawMesh(*this, view, object, !noLights);
        }
        advance();
    }

    rewind();
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    for (int n = 0; n < objectCount; ++n) {
        const SceneObject& object = *cursor;
        if (isMesh(object) && isGlowing(object)) drawMesh(*this, view, object, !noLights);
        advance();
    }
    glDisable(GL_BLEND);

    if (drawsEmitters && emitterCount > 0) drawEmitters();
    glColor3ub(255, 255, 255);
    rewind();
}
