// Clip-space corners of an unturned sprite, rounded step by step as the GL
// rounds them: the translation as two float additions, the projection times
// the translation as a row of products summed left to right, and the vertex
// as the first product plus the rest of the row.
#include "particles/SpriteBatch.h"

namespace {

// Element (row, col) of a column-major 4x4 matrix.
float at4(const float* m, int row, int col) { return m[col * 4 + row]; }

}  // namespace

bool eyeFacesStraight(const Vec3& eyeRotation) {
    return static_cast<float>(eyeRotation.x) == 0.0f && static_cast<float>(eyeRotation.y) == 0.0f &&
           static_cast<float>(eyeRotation.z) == 0.0f;
}

void placeSprite(SpriteTransform& transform, const Vec3& eye, const Vec3& at) {
    // glTranslatef(-eye) then glTranslatef(at) on an identity: each element
    // of the last column is at + (-eye), one rounding.
    const float t[3] = {static_cast<float>(at.x) + -static_cast<float>(eye.x),
                        static_cast<float>(at.y) + -static_cast<float>(eye.y),
                        static_cast<float>(at.z) + -static_cast<float>(eye.z)};
    const float* p = transform.projection;
    for (int row = 0; row < 4; ++row) {
        float sum = at4(p, row, 0) * t[0];
        sum = sum + at4(p, row, 1) * t[1];
        sum = sum + at4(p, row, 2) * t[2];
        transform.column[row] = sum + at4(p, row, 3);
    }
}

void clipCorner(const SpriteTransform& transform, float x, float y, float clip[4]) {
    // The first three columns of projection x translation are the
    // projection's own; z is 0 and w is 1.
    const float* p = transform.projection;
    for (int row = 0; row < 4; ++row) {
        float sum = at4(p, row, 0) * x;
        sum = sum + at4(p, row, 1) * y;
        sum = sum + at4(p, row, 2) * 0.0f;
        clip[row] = sum + transform.column[row];
    }
}
