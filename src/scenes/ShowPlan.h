// The show's one table: the eight scenes in playing order, with the file each
// animates, its duration, its frame factor and the emitters the loading
// sequence attaches to it. The loading sequence, the run sequence, the scene
// functions, the benchmark and the data-set tests all read it.
#pragma once

// Emitters attached to every "*" mesh of a scene at load.
struct EmitterSettings {
    int capacity;    // particles per emitter
    float lifetime;  // seconds
    int rate;        // particles per second
    float size;      // sprite side, scene units
    float rise;      // scene units per second of life
};

struct ScenePlan {
    int number;          // 1 to 8, the playing order
    const char* file;    // the 3DS file the scene animates
    float duration;      // seconds
    double frameFactor;  // animation frames per scene
    // The frame number is elapsed / duration x frameFactor, worked out in
    // float for these scenes and in double for the others; each keeps the
    // arithmetic it has always had, so every frame stays the same.
    bool floatFrames;
    EmitterSettings emitters;  // capacity 0: the scene has none
};

constexpr int kShowSceneCount = 8;

constexpr ScenePlan kShowPlan[kShowSceneCount] = {
    {1, "data/yoda.3ds", 6.5f, 699.0, false, {}},
    {2, "data/meta.3ds", 12.0f, 199.0, false, {}},
    {3, "data/entree.3ds", 17.0f, 799.0, true, {}},
    {4, "data/race.3ds", 26.0f, 215.0, false, {1000, 1.0f, 100, 10.0f, 0.0f}},
    {5, "data/city.3ds", 33.0f, 1485.0, false, {1000, 2.0f, 100, 3.0f, 0.0f}},
    {6, "data/rooms.3ds", 45.0f, 1590.0, true, {1000, 1.0f, 100, 30.0f, 0.0f}},
    {7, "data/water.3ds", 45.0f, 1500.0, true, {50, 1.0f, 10, 15.0f, 80.0f}},
    {8, "data/mine.3ds", 45.0f, 1299.0, true, {50, 1.5f, 20, 25.0f, 180.0f}},
};

// The plan of scene n (1 to 8).
constexpr const ScenePlan& scenePlan(int n) { return kShowPlan[n - 1]; }

// The animation frame at elapsed seconds of a scene played for duration.
inline double sceneFrame(const ScenePlan& plan, float elapsed, float duration) {
    if (plan.floatFrames) return elapsed / duration * static_cast<float>(plan.frameFactor);
    return elapsed / duration * plan.frameFactor;
}

// Seconds of show time from scene 1's start to scene 8's end (229.5).
// Show time at which scene n (1 to 8) begins by the plan.
constexpr double sceneStartSeconds(int n) {
    double seconds = 0.0;
    for (int k = 1; k < n && k <= kShowSceneCount; ++k) seconds += kShowPlan[k - 1].duration;
    return seconds;
}

constexpr double showLengthSeconds() {
    double seconds = 0.0;
    for (const ScenePlan& plan : kShowPlan) seconds += plan.duration;
    return seconds;
}
