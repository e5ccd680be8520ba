#include "DataSet.h"

std::string dataPath(const std::string& name) { return std::string(ORVANE_BINARY_DIR) + "/data/" + name; }

const std::vector<SceneUse>& sceneUses() {
    static const std::vector<SceneUse> uses = {
        {"yoda.3ds", 699, false}, {"meta.3ds", 199, false},  {"entree.3ds", 799, false},
        {"race.3ds", 215, true},  {"city.3ds", 1485, true},  {"rooms.3ds", 1590, true},
        {"water.3ds", 1500, true}, {"mine.3ds", 1299, true},
    };
    return uses;
}

std::unique_ptr<Scene> loadScene(const std::string& path) {
    SceneTextureLoader saved = sceneTextureLoader;
    sceneTextureLoader = [](uint32_t* table, const char*, int slot) { return static_cast<int>(table[slot] = 0); };
    auto scene = std::make_unique<Scene>();
    scene->load(path.c_str());
    sceneTextureLoader = saved;
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
