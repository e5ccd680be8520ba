// A small show-like scene for the allocation test and the snapshot: a
// textured backdrop, a moving lit mesh, a glowing mesh and four emitters
// (one of each type).
#pragma once

#include <cmath>

#include "particles/Particles.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

namespace testscenes {

inline void buildFrameScene(Scene& scene)
{
    using testgl::makeTexture;
    SceneObject& cam = addStillCamera(scene, {0, 60, 300}, {0, 20, 0}, 300);
    setPositionTrack(cam, {0, 300}, {{-60, 60, 300}, {60, 80, 280}});

    scene.materials[0].texture = makeTexture(64, [](int x, int y) {
        return ((x / 8 + y / 8) % 2) ? 0x3050a0u : 0xd0d0e0u;
    });
    scene.materials[1].texture = makeTexture(16, [](int, int) { return 0xff8020u; });
    scene.materialCount = 2;

    SceneObject& backdrop = addSquareMesh(scene, "$backdrop", 0, 40, -60, 140);
    backdrop.materialIndex = 0;
    SceneObject& box = addSquareMesh(scene, "mover", -60, 20, 0, 25);
    box.materialIndex = 1;
    setPositionTrack(box, {0, 300}, {{0, 0, 0}, {120, 0, 20}});
    setRotationTrack(box, {0, 300}, {{0, 0, 0}, {0, 0, 360}});
    SceneObject& glow = addSquareMesh(scene, "%halo", 70, 70, 10, 20, Color3{0.6f, 0.2f, 0.6f});
    glow.materialIndex = kNoMaterial;
    addLight(scene, {-20, 40, 80}, 150.0f, {1.0f, 0.9f, 0.8f});
    addLight(scene, {80, 0, 40}, 120.0f, {0.3f, 0.3f, 1.0f});

    const char* names[] = {"*00still", "*10fountain", "*21smoke", "*31embers"};
    const double xs[] = {-90, -30, 30, 90};
    for (int i = 0; i < 4; ++i) {
        SceneObject& e = appendObject(scene, ObjectKind::Mesh, names[i]);
        e.position = {xs[i], -20, 40};
        e.materialIndex = kNoMaterial;
    }
    SceneObject* last = &scene;  // the embers emitter, last in the list
    while (last->next != nullptr)
        last = last->next;
    last->vertices = {{70, -20, 30}, {110, 0, 50}, {90, 20, 40}};
    last->vertexCount = 3;

    scene.attachEmitters(1000, 1.5f, 100, 6.0f, 80.0f);
    const GLuint sprite = makeTexture(32, [](int x, int y) {
        const double r = std::hypot(x - 15.5, y - 15.5) / 16.0;
        const int v = r >= 1.0 ? 0 : static_cast<int>(255 * (1.0 - r) * (1.0 - r));
        return static_cast<uint32_t>((v << 16) | ((v * 3 / 4) << 8) | (v / 3));
    });
    for (int i = 0; i < scene.emitterCount; ++i)
        scene.emitters[i]->texture = sprite;
}

}  // namespace testscenes
