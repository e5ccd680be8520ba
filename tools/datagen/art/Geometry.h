// The scene model the generator builds in the show's axes (y up) before the
// 3DS writer turns it into file axes: meshes with their tracks, lights and
// the camera, and the builders that shape meshes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "art/Image.h"

struct V3 {
    double x = 0.0, y = 0.0, z = 0.0;
};
inline V3 v3(double x, double y, double z) { return V3{x, y, z}; }
inline V3 operator+(const V3& a, const V3& b) { return V3{a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(const V3& a, const V3& b) { return V3{a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(const V3& a, double k) { return V3{a.x * k, a.y * k, a.z * k}; }
double length(const V3& a);
V3 normalize(const V3& a);
V3 cross(const V3& a, const V3& b);
V3 lerp(const V3& a, const V3& b, double t);

struct UV {
    float u = 0.0f, v = 0.0f;
};

struct PositionKey {
    int frame = 0;
    V3 value;
};

// A rotation added to the previous key's: angle in radians about an axis
// (show axes). The first key of a track counts as no rotation.
struct RotationKey {
    int frame = 0;
    double angle = 0.0;
    V3 axis{0.0, 1.0, 0.0};
};

struct Mesh {
    std::string name;      // marks: '%' glow, '$' lit white, '*' emitter
    std::string material;  // a JPEG path, also the material's name
    std::vector<V3> vertices;
    std::vector<UV> uvs;  // one per vertex
    std::vector<std::array<uint16_t, 3>> faces;
    // Without keys the mesh stands still, its one key at centre(): the
    // place an emitter mesh emits from.
    std::vector<PositionKey> positionKeys;
    std::vector<RotationKey> rotationKeys;

    int addVertex(const V3& p, double u, double v);
    void addFace(int a, int b, int c);
    // Two triangles a-b-c, a-c-d.
    void addQuad(const V3& a, const V3& b, const V3& c, const V3& d, double u0, double v0, double u1, double v1);
    size_t triangleCount() const { return faces.size(); }
    // Middle of the vertices' bounding box.
    V3 centre() const;
};

struct Light {
    std::string name;
    V3 position;
    Rgb colour;
    V3 target;  // its distance from the light is the light's reach
};

struct Camera {
    std::string name = "Camera01";
    std::vector<PositionKey> positionKeys;
    std::vector<PositionKey> targetKeys;
    float lens = 35.0f;
};

struct SceneDesc {
    std::string file;  // file name inside the data directory
    std::vector<Mesh> meshes;
    std::vector<Light> lights;
    Camera camera;
    int frameFactor = 0;  // the show plays frames 0 to this
};

// [SECTION] Builders: all append to the mesh, texture repeats in world units.

// Axis-aligned box with one texture tile per `uvUnit` world units.
void addBox(Mesh& mesh, const V3& centre, const V3& half, double uvUnit);
// A surface through pos(u, v), u and v in [0, 1], nu x nv cells; the texture
// repeats uRepeat x vRepeat times over it.
void addSurface(Mesh& mesh, int nu, int nv, const std::function<V3(double, double)>& pos, double uRepeat,
                double vRepeat);
// Surface of revolution about the vertical axis through `base`: profile
// points (radius, height), bottom to top.
void addLathe(Mesh& mesh, const V3& base, const std::vector<std::array<double, 2>>& profile, int segments,
              double uRepeat, double vRepeat);
// Torus around `centre` in the plane spanned by unit vectors a and b.
void addTorus(Mesh& mesh, const V3& centre, const V3& a, const V3& b, double major, double minor, int segments,
              int sides, double uRepeat);
void addSphere(Mesh& mesh, const V3& centre, double radius, int segments, int rings);
// Vertical cylinder standing on `base`, with caps.
void addCylinder(Mesh& mesh, const V3& base, double radius, double height, int segments, double uRepeat);
// Flat grid in the horizontal plane at height y, heights added by `lift`.
void addGround(Mesh& mesh, double x0, double z0, double x1, double z1, double y, int nx, int nz, double uvUnit,
               const std::function<double(double, double)>& lift = nullptr);
// Tiny emitter body: a small tetrahedron whose faces hide under its sprites.
void addMarker(Mesh& mesh, const V3& centre, double size);

// [SECTION] Tracks

// Camera or mesh path: one key every `step` frames from 0 to past `last`,
// positions from path(frame).
std::vector<PositionKey> sampleTrack(int last, int step, const std::function<V3(double)>& path);
// Rotation about one axis by angle(frame) radians (absolute), as increments.
std::vector<RotationKey> sampleSpin(int last, int step, const V3& axis, const std::function<double(double)>& angle);
