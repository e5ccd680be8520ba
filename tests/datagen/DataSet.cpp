#include "DataSet.h"

std::string dataPath(const std::string& name) { return std::string(ORVANE_BINARY_DIR) + "/data/" + name; }

std::unique_ptr<Scene> loadScene(const std::string& path) {
    auto scene = std::make_unique<Scene>();
    scene->loadWithoutTextures(path.c_str());
    return scene;
}

Vec3 trackAt(const std::vector<uint16_t>& frames, const std::vector<Vec3>& keys, uint32_t count, double f) {
    if (count == 0) return Vec3();
    uint32_t i = 1;
    while (i < count && f > frames[i]) ++i;
    if (f <= frames[0] || i == count) return keys[f <= frames[0] ? 0 : count - 1];
    double t = (f - frames[i - 1]) / (frames[i] - frames[i - 1]);
    const Vec3 &a = keys[i - 1], &b = keys[i];
    return Vec3{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}
