#include "art/Geometry.h"

#include <cmath>
#include <stdexcept>

#include "common/MathConstants.h"

namespace {
constexpr int kMaxVertices = 65535;  // 16-bit counts in the file
}  // namespace

double length(const V3& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
V3 normalize(const V3& a) {
    double l = length(a);
    return l > 0.0 ? a * (1.0 / l) : a;
}
V3 cross(const V3& a, const V3& b) { return V3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 lerp(const V3& a, const V3& b, double t) { return a + (b - a) * t; }

int Mesh::addVertex(const V3& p, double u, double v) {
    if (vertices.size() >= static_cast<size_t>(kMaxVertices)) {
        throw std::runtime_error("mesh " + name + " has more vertices than a 3DS mesh holds");
    }
    vertices.push_back(p);
    uvs.push_back(UV{static_cast<float>(u), static_cast<float>(v)});
    return static_cast<int>(vertices.size()) - 1;
}

V3 Mesh::centre() const {
    if (vertices.empty()) return V3{};
    V3 lo = vertices[0], hi = vertices[0];
    for (const V3& p : vertices) {
        lo = V3{std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z)};
        hi = V3{std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z)};
    }
    return (lo + hi) * 0.5;
}

void Mesh::addFace(int a, int b, int c) {
    faces.push_back({static_cast<uint16_t>(a), static_cast<uint16_t>(b), static_cast<uint16_t>(c)});
}

void Mesh::addQuad(const V3& a, const V3& b, const V3& c, const V3& d, double u0, double v0, double u1, double v1) {
    int ia = addVertex(a, u0, v1), ib = addVertex(b, u1, v1);
    int ic = addVertex(c, u1, v0), id = addVertex(d, u0, v0);
    addFace(ia, ib, ic);
    addFace(ia, ic, id);
}

void addBox(Mesh& mesh, const V3& c, const V3& h, double uvUnit) {
    double sx = 2.0 * h.x / uvUnit, sy = 2.0 * h.y / uvUnit, sz = 2.0 * h.z / uvUnit;
    V3 p[8];
    for (int i = 0; i < 8; ++i) {
        p[i] = V3{c.x + ((i & 1) ? h.x : -h.x), c.y + ((i & 2) ? h.y : -h.y), c.z + ((i & 4) ? h.z : -h.z)};
    }
    mesh.addQuad(p[4], p[5], p[7], p[6], 0, 0, sx, sy);  // front (+z)
    mesh.addQuad(p[1], p[0], p[2], p[3], 0, 0, sx, sy);  // back (-z)
    mesh.addQuad(p[5], p[1], p[3], p[7], 0, 0, sz, sy);  // right (+x)
    mesh.addQuad(p[0], p[4], p[6], p[2], 0, 0, sz, sy);  // left (-x)
    mesh.addQuad(p[6], p[7], p[3], p[2], 0, 0, sx, sz);  // top
    mesh.addQuad(p[0], p[1], p[5], p[4], 0, 0, sx, sz);  // bottom
}

void addSurface(Mesh& mesh, int nu, int nv, const std::function<V3(double, double)>& pos, double uRepeat,
                double vRepeat) {
    int first = static_cast<int>(mesh.vertices.size());
    for (int j = 0; j <= nv; ++j) {
        for (int i = 0; i <= nu; ++i) {
            double u = static_cast<double>(i) / nu, v = static_cast<double>(j) / nv;
            mesh.addVertex(pos(u, v), u * uRepeat, v * vRepeat);
        }
    }
    for (int j = 0; j < nv; ++j) {
        for (int i = 0; i < nu; ++i) {
            int a = first + j * (nu + 1) + i;
            mesh.addFace(a, a + 1, a + nu + 2);
            mesh.addFace(a, a + nu + 2, a + nu + 1);
        }
    }
}

void addLathe(Mesh& mesh, const V3& base, const std::vector<std::array<double, 2>>& profile, int segments,
              double uRepeat, double vRepeat) {
    int rows = static_cast<int>(profile.size()) - 1;
    addSurface(
        mesh, segments, rows,
        [&](double u, double v) {
            int k = static_cast<int>(std::lround(v * rows));
            double a = u * 2.0 * kPi;
            return V3{base.x + profile[k][0] * std::cos(a), base.y + profile[k][1],
                      base.z + profile[k][0] * std::sin(a)};
        },
        uRepeat, vRepeat);
}

void addTorus(Mesh& mesh, const V3& c, const V3& a, const V3& b, double major, double minor, int segments, int sides,
              double uRepeat) {
    V3 n = normalize(cross(a, b));
    addSurface(
        mesh, segments, sides,
        [&](double u, double v) {
            double t = u * 2.0 * kPi, s = v * 2.0 * kPi;
            V3 radial = a * std::cos(t) + b * std::sin(t);
            return c + radial * (major + minor * std::cos(s)) + n * (minor * std::sin(s));
        },
        uRepeat, 1.0);
}

void addSphere(Mesh& mesh, const V3& c, double radius, int segments, int rings) {
    addSurface(
        mesh, segments, rings,
        [&](double u, double v) {
            double t = u * 2.0 * kPi, p = (v - 0.5) * kPi;
            return V3{c.x + radius * std::cos(p) * std::cos(t), c.y + radius * std::sin(p),
                      c.z + radius * std::cos(p) * std::sin(t)};
        },
        2.0, 1.0);
}

void addCylinder(Mesh& mesh, const V3& base, double radius, double height, int segments, double uRepeat) {
    addLathe(mesh, base, {{0.0, 0.0}, {radius, 0.0}, {radius, height}, {0.0, height}}, segments, uRepeat, 1.0);
}

void addGround(Mesh& mesh, double x0, double z0, double x1, double z1, double y, int nx, int nz, double uvUnit,
               const std::function<double(double, double)>& lift) {
    addSurface(
        mesh, nx, nz,
        [&](double u, double v) {
            double x = x0 + (x1 - x0) * u, z = z0 + (z1 - z0) * v;
            return V3{x, y + (lift ? lift(x, z) : 0.0), z};
        },
        (x1 - x0) / uvUnit, (z1 - z0) / uvUnit);
}

void addMarker(Mesh& mesh, const V3& c, double s) {
    int a = mesh.addVertex(c + v3(0, s, 0), 0.5, 0.0);
    int b = mesh.addVertex(c + v3(-s, -s, s), 0.0, 1.0);
    int d = mesh.addVertex(c + v3(s, -s, s), 1.0, 1.0);
    int e = mesh.addVertex(c + v3(0, -s, -s), 0.5, 0.5);
    mesh.addFace(a, b, d);
    mesh.addFace(a, d, e);
    mesh.addFace(a, e, b);
    mesh.addFace(b, e, d);
}

std::vector<PositionKey> sampleTrack(int last, int step, const std::function<V3(double)>& path) {
    std::vector<PositionKey> keys;
    int frame = 0;
    for (;;) {
        keys.push_back(PositionKey{frame, path(frame)});
        if (frame >= last) break;
        frame += step;
    }
    return keys;
}

std::vector<RotationKey> sampleSpin(int last, int step, const V3& axis, const std::function<double(double)>& angle) {
    std::vector<RotationKey> keys;
    double previous = angle(0.0);
    int frame = 0;
    for (;;) {
        double now = angle(frame);
        keys.push_back(RotationKey{frame, frame == 0 ? 0.0 : now - previous, axis});
        previous = now;
        if (frame >= last) break;
        frame += step;
    }
    return keys;
}
