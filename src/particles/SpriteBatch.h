// Many sprites in one glBegin/glEnd: each corner is carried to clip space
// on the CPU with the same float products the GL forms for a sprite drawn
// under its own modelview, so the GL receives the clip coordinates it would
// have computed itself and the pixels stay the same.
#pragma once

#include "scene3ds/Scene.h"

// The GL's product of the projection and the sprite's modelview T(-eye)
// T(at): the columns of a pure translation, in float as the GL forms them.
struct SpriteTransform {
    float projection[16];  // column-major, as glGetFloatv returns it
    float column[4];       // fourth column of projection x modelview
};

// Valid only for an eye that does not turn (the three angles are 0 as
// floats): the sprite matrix is then the translation at - eye, rounded once.
bool eyeFacesStraight(const Vec3& eyeRotation);

// The fourth column for a sprite at `at` seen from `eye` (no turn).
void placeSprite(SpriteTransform& transform, const Vec3& eye, const Vec3& at);

// Clip coordinates of the corner (x, y, 0, 1) of the placed sprite.
void clipCorner(const SpriteTransform& transform, float x, float y, float clip[4]);
