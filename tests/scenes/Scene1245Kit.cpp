#include "Scene1245Kit.h"

#include <GL/gl.h>

#include "core/RunSettings.h"
#include "media/Textures.h"
#include "support/GlHelpers.h"
#include "support/GlTestContext.h"
#include "support/TestScenes.h"

namespace {

// Puts a new texture in textureTable[slot], freeing the one it held.
void replaceSlot(int slot, GLuint name) {
    if (textureTable[slot] != 0) glDeleteTextures(1, &textureTable[slot]);
    textureTable[slot] = name;
}

}  // namespace

void makeUniformTexture(int slot, uint32_t rgb, int side) {
    replaceSlot(slot, testgl::makeTexture(side, [rgb](int, int) { return rgb; }, GL_LINEAR));
}

void makeSplitTexture(int slot, uint32_t below, uint32_t above, int split) {
    replaceSlot(slot, testgl::makeTexture(512, [=](int, int row) { return row < split ? below : above; }, GL_LINEAR));
}

void makeBlankTransition() {
    if (textureTable[kTransitionSlot] == 0) {
        createBlankTexture(textureTable, 512, 3, GL_RGB, kTransitionSlot);
    } else {
        makeUniformTexture(kTransitionSlot, 0x000000, 512);
    }
}

Scene* makeEmptyScene() {
    Scene* scene = new Scene();
    SceneObject& camera = testscenes::appendObject(*scene, ObjectKind::Camera, "camera");
    camera.cameraTarget = Vec3{0.0, 0.0, -1.0};
    scene->camera = &camera;
    scene->frameCount = 100000;
    scene->cursor = scene;
    return scene;
}

Scene* makeSquareScene(double x, double y, double z, double half) {
    Scene* scene = makeEmptyScene();
    SceneObject& square = testscenes::appendObject(*scene, ObjectKind::Mesh, "square");
    square.vertices = {{x - half, y - half, z}, {x + half, y - half, z}, {x + half, y + half, z}, {x - half, y + half, z}};
    square.vertexColors.assign(4, Color3{1.0f, 1.0f, 1.0f});
    square.texCoords.assign(4, TexCoord{});
    square.faces = {{0, 1, 2, 0}, {0, 2, 3, 0}};
    square.vertexCount = 4;
    square.texCoordCount = 4;
    square.faceCount = 2;
    return scene;
}

SceneObject& squareOf(Scene& scene) { return *scene.next; }

uint32_t WindowPixels::at(int x, int y) const { return rgbAt(rgb, width, x, y); }

int WindowPixels::countRedAtLeast(int level) const {
    int count = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) count += rgb[i] >= level ? 1 : 0;
    return count;
}

WindowPixels readWindow() {
    WindowPixels pixels;
    pixels.width = runSettings.width;
    pixels.height = runSettings.height;
    pixels.rgb = readFramebufferRgb(0, 0, pixels.width, pixels.height);
    return pixels;
}

WindowPixels readSlot(int slot) {
    WindowPixels pixels;
    pixels.width = 512;
    pixels.height = 512;
    pixels.rgb.resize(512 * 512 * 3);
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.rgb.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}
