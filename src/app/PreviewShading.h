// The scene viewer's preview shading: a light at the eye plus a soft
// ambient term, per vertex from smoothed face normals, in the material's
// diffuse colour (grey without one), written into the vertex colours the
// renderer draws. Also keeps the file's own colours to put back.
#pragma once

#include <vector>

#include "scene3ds/Scene.h"

class PreviewShading {
public:
    // Normals, base colours and a copy of the file's colours of every mesh
    // (sized here, once per loaded file).
    void prepare(const Scene& scene);
    // Shades every mesh at its current pose for a view from eye to target.
    void shade(Scene& scene, const Vec3& eye, const Vec3& target) const;
    // Puts the file's own vertex colours back.
    void restore(Scene& scene) const;

private:
    struct Mesh {
        std::vector<Vec3> normals;  // unit length, or zero for a vertex of no face
        std::vector<Color3> fileColors;
        Color3 base;
    };
    std::vector<Mesh> meshes;  // in object order, one per mesh
};
