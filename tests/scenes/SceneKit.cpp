#include "SceneKit.h"

#include <GL/gl.h>

#include "core/RunSettings.h"
#include "media/Textures.h"
#include "support/GlHelpers.h"
#include "support/GlTestContext.h"
#include "support/TestScenes.h"

void setSlot(int slot, uint32_t below, int side, uint32_t above, int split) {
    if (textureTable[slot] != 0) glDeleteTextures(1, &textureTable[slot]);
    textureTable[slot] =
        testgl::makeTexture(side, [=](int, int row) { return row < split ? below : above; }, GL_LINEAR);
}

std::unique_ptr<Scene> makeScene(double x, double y, double z, double half) {
    auto scene = std::make_unique<Scene>();
    SceneObject& camera = testscenes::appendObject(*scene, ObjectKind::Camera, "camera");
    camera.cameraTarget = Vec3{0.0, 0.0, -1.0};
    scene->camera = &camera;
    scene->frameCount = 100000;
    scene->cursor = scene.get();
    if (half > 0) {
        SceneObject& square = testscenes::appendObject(*scene, ObjectKind::Mesh, "square");
        square.vertices = {{x - half, y - half, z}, {x + half, y - half, z}, {x + half, y + half, z},
                           {x - half, y + half, z}};
        square.vertexColors.assign(4, Color3{1.0f, 1.0f, 1.0f});
        square.texCoords.assign(4, TexCoord{});
        square.faces = {{0, 1, 2, 0}, {0, 2, 3, 0}};
        square.vertexCount = 4;
        square.texCoordCount = 4;
        square.faceCount = 2;
    }
    return scene;
}

uint32_t Pixels::at(int x, int y) const { return rgbAt(rgb, width, x, y); }

int Pixels::lit(int level) const {
    int count = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) count += rgb[i] >= level ? 1 : 0;
    return count;
}

Pixels readWindow() {
    return Pixels{runSettings.width, runSettings.height,
                  readFramebufferRgb(0, 0, runSettings.width, runSettings.height)};
}

Pixels readSlot(int slot) {
    Pixels pixels{512, 512, std::vector<uint8_t>(512 * 512 * 3)};
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.rgb.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

std::vector<uint8_t> serpentineBitmap(int startX, int startY) {
    constexpr int kRightX = 300, kLastRow = 196;
    std::vector<uint8_t> bitmap(kBitmapBytes, 0);
    auto set = [&](int x, int y) { bitmap[y * kBitmapWidth + x] = 255; };
    bool rightwards = true;
    for (int y = startY; y <= kLastRow; y += 2) {
        for (int x = startX; x <= kRightX; ++x) set(x, y);
        if (y + 2 <= kLastRow) set(rightwards ? kRightX : startX, y + 1);
        rightwards = !rightwards;
    }
    return bitmap;
}
