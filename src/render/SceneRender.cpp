// The scene renderer: moving meshes relit, an opaque pass, an additive pass
// for "%" meshes, then the attached particle emitters.
#include <GL/gl.h>

#include "core/RunSettings.h"
#include "render/Render.h"

namespace {

GLuint meshTexture(const Scene& scene, const SceneObject& mesh)
{
    const int index = mesh.materialIndex;
    // A mesh without a material (kNoMaterial) draws untextured.
    if (index < 0 || index >= scene.materialCount || index >= kMaxMaterials)
        return 0;
    return scene.materials[index].texture;
}

// The arrays hold at least the counts (the loader's promise); a mesh that
// breaks it is not drawn rather than read past its arrays.
bool meshArraysHoldCounts(const SceneObject& mesh)
{
    const size_t n = mesh.vertexCount;
    return mesh.faces.size() >= mesh.faceCount && mesh.vertices.size() >= n && mesh.texCoords.size() >= n &&
           mesh.vertexColors.size() >= n;
}

void applyViewTransform(const SceneObject& camera)
{
    glRotatef(static_cast<float>(camera.rotation.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(camera.rotation.z), 0.0f, 0.0f, 1.0f);
    glTranslatef(-static_cast<float>(camera.cameraPosition.x), -static_cast<float>(camera.cameraPosition.y),
                 -static_cast<float>(camera.cameraPosition.z));
}

void applyModelTransform(const SceneObject& mesh)
{
    glTranslatef(static_cast<float>(mesh.position.x), static_cast<float>(mesh.position.y),
                 static_cast<float>(mesh.position.z));
    glRotatef(static_cast<float>(mesh.rotation.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(mesh.rotation.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(mesh.rotation.z), 0.0f, 0.0f, 1.0f);
    glTranslatef(-static_cast<float>(mesh.basePosition.x), -static_cast<float>(mesh.basePosition.y),
                 -static_cast<float>(mesh.basePosition.z));
}

void sendCorner(const SceneObject& mesh, unsigned v, bool withColours)
{
    if (withColours) {
        const Color3& c = mesh.vertexColors[v];
        glColor3d(c.r, c.g, c.b);
    }
    glTexCoord2f(mesh.texCoords[v].u, mesh.texCoords[v].v);
    const Vec3& p = mesh.vertices[v];
    glVertex3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}

// One mesh as immediate-mode triangles in its own transform and texture.
void drawMesh(const Scene& scene, const SceneObject& camera, const SceneObject& mesh, bool withColours)
{
    if (!meshArraysHoldCounts(mesh))
        return;
    glLoadIdentity();
    applyViewTransform(camera);
    applyModelTransform(mesh);
    glBindTexture(GL_TEXTURE_2D, meshTexture(scene, mesh));
    const unsigned vertexCount = mesh.vertexCount;
    glBegin(GL_TRIANGLES);
        for (int f = 0; f < mesh.faceCount; ++f) {
            const Face& face = mesh.faces[f];
            if (face.a >= vertexCount || face.b >= vertexCount || face.c >= vertexCount)
                continue;
            sendCorner(mesh, face.a, withColours);
            sendCorner(mesh, face.b, withColours);
            sendCorner(mesh, face.c, withColours);
        }
    glEnd();
}

bool isMesh(const SceneObject& object) { return object.kind == ObjectKind::Mesh; }
bool isGlowing(const SceneObject& object) { return object.name[0] == '%'; }

}  // namespace

// Expects: the state of the show's GL set-up (GL_TEXTURE_2D and depth test
// on, smooth shading, modelview mode, perspective projection). Leaves:
// cursor on the first object, blending off, blend function (GL_ONE, GL_ONE),
// colour white, the modelview of the last mesh or sprite drawn.
void Scene::render()
{
    static const SceneObject noCamera;
    const SceneObject& view = camera != nullptr ? *camera : noCamera;
    const bool noLights = runSettings.noLights;

    rewind();
    for (int n = 0; n < objectCount; ++n) {
        SceneObject& object = *cursor;
        if (isMesh(object)) {
            if (relitEachFrame(object, noLights))
                relightMesh(*this, object);
            if (!isGlowing(object))
                drawMesh(*this, view, object, !noLights);
        }
        advance();
    }

    rewind();
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    for (int n = 0; n < objectCount; ++n) {
        const SceneObject& object = *cursor;
        if (isMesh(object) && isGlowing(object))
            drawMesh(*this, view, object, !noLights);
        advance();
    }
    glDisable(GL_BLEND);

    if (emitterCount > 0)
        drawEmitters();
    glColor3ub(255, 255, 255);
    rewind();
}
