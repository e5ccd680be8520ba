// The one sprite quad both particle draw paths share.
#pragma once

#include <cstdint>

#include "scene3ds/Scene.h"

// Multiplies onto the current modelview: the eye's angles, the eye's place
// negated, the sprite's place, the angles negated in the same order.
void applyBillboardTransform(const Vec3& eyePosition, const Vec3& eyeRotation, const Vec3& at);

// applyBillboardTransform, then a camera-facing quad of half side `half`,
// textured and grey level `level`. Expects: modelview matrix mode,
// GL_TEXTURE_2D on. Leaves: the texture bound, colour level, the sprite's
// modelview.
void drawBillboard(const Vec3& eyePosition, const Vec3& eyeRotation, const Vec3& at, float half, float level,
                   uint32_t texture);
