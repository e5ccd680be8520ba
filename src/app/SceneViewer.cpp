// The scene viewer: the show's loader and renderer on one file, with an
// orbit camera, preview shading, stepping and toggles on keys, a title that
// tells where the animation is, and the file reloaded when it changes.
#include "app/SceneViewer.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <system_error>

#include "app/FrameCapture.h"
#include "app/OptionValues.h"
#include "app/OrbitCamera.h"
#include "app/PreviewShading.h"
#include "app/SceneViewerCamera.h"
#include "app/ViewerTextures.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "render/ResetAnimation.h"
#include "window/ShowWindow.h"

namespace fs = std::filesystem;

namespace {

constexpr double kFramesPerSecond = 30.0;  // default playing speed of a file
constexpr double kViewDepth = 4000.0;      // scene units, the far plane of the show's projection
constexpr double kTitleSeconds = 0.5;      // the title's refresh
constexpr double kPollSeconds = 0.25;      // how often the file is checked for changes
constexpr ViewEmitters kDefaultEmitters = {true, 1000, 1.0f, 100, 10.0f, 0.0f};  // the E key's, as the show's

enum class Lighting { file, preview, none };
const char* const kLightingNames[] = {"file lighting", "preview shading", "no lighting"};

// What a file on disk was when last read: a change of either means a save.
struct FileStamp {
    fs::file_time_type time{};
    uintmax_t size = 0;
    bool operator!=(const FileStamp& other) const { return time != other.time || size != other.size; }
};

FileStamp stampOf(const std::string& path) {
    std::error_code error;
    FileStamp stamp;
    stamp.time = fs::last_write_time(path, error);
    stamp.size = error ? 0 : fs::file_size(path, error);
    return stamp;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Everything the viewer keeps between frames (lifetime: viewSceneFile).
struct Viewer {
    const ViewOptions* options = nullptr;
    std::string path;
    std::unique_ptr<Scene> scene;
    SceneObject* fileCamera = nullptr;  // null: the file has none (the orbit camera only)
    PreviewShading shading;
    OrbitCamera orbit;
    SceneObject orbitCamera;
    bool orbiting = false;
    Lighting lighting = Lighting::file;
    bool wireframe = false;
    bool textures = true;
    bool emitters = false;
    bool paused = false;
    ViewLoop loop;
    double time = 0.0;  // view time, seconds; stands still while paused
    int triangles = 0;
    FileStamp stamp;
    std::set<std::string> reportedPictures;
    bool shotWanted = false;
    std::string dropped;  // a file dropped on the window, to open
};
Viewer* activeViewer = nullptr;  // the viewer the input hook steers

// [SECTION] Files

// Frames and seconds of one pass: the options, else the file's length at
// 30 frames per second.
ViewLoop loopFor(Scene& scene, const ViewOptions& view) {
    // A file of 0 or 1 frames is a still picture of frame 0.
    scene.frameCount = std::max(scene.frameCount, 1);
    ViewLoop loop;
    loop.frames = view.frames > 0 ? view.frames : scene.frameCount;
    loop.seconds = view.seconds > 0.0 ? view.seconds : loop.frames / kFramesPerSecond;
    return loop;
}

// Reads a file without textures; null (reason printed) when there is
// nothing to show. A file refused for want of a camera is kept when it has
// meshes: the orbit camera shows it.
std::unique_ptr<Scene> readViewFile(const std::string& path) {
    auto scene = std::make_unique<Scene>();
    scene->keepUnplayable = true;
    if (scene->loadWithoutTextures(path.c_str())) return scene;
    Vec3 low, high;
    // The loader's reasons that name the camera are the ones the orbit camera mends.
    const bool cameraWanting = std::strstr(scene->loadError(), "camera") != nullptr;
    if (!cameraWanting || !meshBounds(*scene, low, high)) {
        std::fprintf(stderr, "orvane: cannot view %s: %s%s\n", path.c_str(), scene->loadError(),
                     cameraWanting ? ", and no mesh to frame" : "");
        return nullptr;
    }
    std::fprintf(stderr, "orvane: %s: %s; shown from the viewer's camera (the show refuses such a file)\n",
                 path.c_str(), scene->loadError());
    scene->camera = nullptr;
    scene->frameCount = meshAnimationLength(*scene);
    return scene;
}

double windowAspect() {
    int width = 0, height = 0;
    windowClientSize(&width, &height);
    return width > 0 && height > 0 ? static_cast<double>(width) / height : 4.0 / 3.0;
}

// The orbit camera on the whole model; returns the farthest depth it sees.
double frameModel(Viewer& v) {
    Vec3 low, high;
    if (!meshBounds(*v.scene, low, high)) return 0.0;
    SceneObject framing;
    const double depth = frameBox(low, high, windowAspect(), framing);
    v.orbit = orbitFrom(framing.cameraPosition, framing.cameraTarget);
    v.orbiting = true;
    return depth;
}

void attachViewEmitters(Scene& scene, const ViewEmitters& e) {
    scene.attachEmitters(e.capacity, e.lifetime, e.rate, e.size, e.rise);
}

// Replaces the viewed scene: textures, shading and emitters made for it.
// Keeps the orbit camera, lighting and toggles when the same file comes back.
void adopt(Viewer& v, std::unique_ptr<Scene> scene, bool sameFile) {
    if (v.scene) {
        v.scene->releaseEmitters();
        releaseViewTextures(*v.scene);
    }
    v.scene = std::move(scene);
    Scene& s = *v.scene;
    loadViewTextures(s, v.path, v.options->texturesDir, v.reportedPictures);
    v.fileCamera = s.camera;
    v.shading.prepare(s);
    if (v.emitters) attachViewEmitters(s, v.options->emitters.attach ? v.options->emitters : kDefaultEmitters);
    s.drawsEmitters = v.emitters;
    v.loop = loopFor(s, *v.options);
    v.triangles = 0;
    const SceneObject* o = &s;
    for (int n = 0; n < s.objectCount && o != nullptr; ++n, o = o->next)
        if (o->kind == ObjectKind::Mesh) v.triangles += o->faceCount;
    v.stamp = stampOf(v.path);
    if (sameFile && (v.orbiting || v.fileCamera != nullptr)) return;
    v.orbiting = false;
    if (v.fileCamera == nullptr && frameModel(v) > kViewDepth) {
        std::fprintf(stderr,
                     "orvane: %s reaches beyond %.0f units from the viewer's camera; the show draws nothing there\n",
                     v.path.c_str(), kViewDepth);
    }
    if (!runSettings.noLights) v.lighting = s.lightCount > 0 ? Lighting::file : Lighting::preview;
}

// A save of the file reloads it; a dropped file replaces it. A file that
// fails keeps the last good one on screen.
void followFiles(Viewer& v, std::chrono::steady_clock::time_point& lastPoll) {
    if (!v.dropped.empty()) {
        const std::string path = v.dropped;
        v.dropped.clear();
        std::unique_ptr<Scene> scene = readViewFile(path);
        if (!scene) return;
        v.path = path;
        adopt(v, std::move(scene), false);
        std::fprintf(stderr, "orvane: viewing %s\n", path.c_str());
        return;
    }
    if (secondsSince(lastPoll) < kPollSeconds) return;
    lastPoll = std::chrono::steady_clock::now();
    const FileStamp now = stampOf(v.path);
    if (!(now != v.stamp)) return;
    v.stamp = now;  // a broken save is reported once, not at every poll
    std::unique_ptr<Scene> scene = readViewFile(v.path);
    if (!scene) {
        std::fprintf(stderr, "orvane: %s changed; the last good version stays on screen\n", v.path.c_str());
        return;
    }
    adopt(v, std::move(scene), true);
    std::fprintf(stderr, "orvane: reloaded %s\n", v.path.c_str());
}

// [SECTION] Input

void useOrbit(Viewer& v) {
    if (v.orbiting || v.fileCamera == nullptr) return;
    v.orbit = orbitFrom(v.fileCamera->cameraPosition, v.fileCamera->cameraTarget);
    v.orbiting = true;
}

// Pauses on the animation frame after (step 1) or before (step -1) the one
// showing, wrapping within the loop.
void stepFrame(Viewer& v, int step) {
    v.paused = true;
    const ViewLoop& loop = v.loop;
    const double pass = std::floor(v.time / loop.seconds);
    const long shown = std::lround(std::floor((v.time - pass * loop.seconds) / loop.seconds * loop.frames + 1e-6));
    const long next = ((shown + step) % loop.frames + loop.frames) % loop.frames;
    // A hair past the frame, so that rounding never lands on the one before.
    v.time = pass * loop.seconds + (next + 1e-6) * loop.seconds / loop.frames;
}

void toggleEmitters(Viewer& v) {
    v.emitters = !v.emitters;
    Scene& s = *v.scene;
    if (v.emitters && s.emitterCount == 0)
        attachViewEmitters(s, v.options->emitters.attach ? v.options->emitters : kDefaultEmitters);
    s.drawsEmitters = v.emitters;
}

void onKey(Viewer& v, Key key) {
    switch (key) {
    case Key::space: v.paused = !v.paused; break;
    case Key::left: stepFrame(v, -1); break;
    case Key::right: stepFrame(v, 1); break;
    case Key::home:
        v.time = 0.0;
        v.loop.pass = -1;
        break;
    case Key::w: v.wireframe = !v.wireframe; break;
    case Key::l: v.lighting = static_cast<Lighting>((static_cast<int>(v.lighting) + 1) % 3); break;
    case Key::e: toggleEmitters(v); break;
    case Key::t: v.textures = !v.textures; break;
    case Key::f12: v.shotWanted = true; break;
    case Key::c:
        if (v.fileCamera != nullptr) v.orbiting = false;
        break;
    case Key::f: frameModel(v); break;
    case Key::none: break;
    }
}

void onInput(const WindowEvent& event) {
    Viewer& v = *activeViewer;
    if (event.kind == WindowEventKind::key) onKey(v, event.key);
    if (event.kind == WindowEventKind::wheel) {
        useOrbit(v);
        zoomOrbit(v.orbit, event.dy);
    }
    if (event.kind == WindowEventKind::drop) v.dropped = event.path;
    if (event.kind != WindowEventKind::pointerMove || event.buttons == 0) return;
    useOrbit(v);
    const bool pan = (event.buttons & (kRightButton | kMiddleButton)) != 0 || event.shift;
    int width = 0, height = 0;
    windowClientSize(&width, &height);
    if (pan) {
        panOrbit(v.orbit, event.dx, event.dy, height);
    } else {
        turnOrbit(v.orbit, event.dx, event.dy);
    }
}

// [SECTION] Drawing

// Vertex colours and the renderer's switches for the lighting chosen, seen
// from camera.
void applyLighting(Viewer& v, const SceneObject& camera) {
    Scene& s = *v.scene;
    const bool preview = v.lighting == Lighting::preview;
    if (!preview && s.keepsVertexColors) v.shading.restore(s);
    s.keepsVertexColors = preview;
    runSettings.noLights = v.lighting == Lighting::none;
    if (preview) v.shading.shade(s, camera.cameraPosition, camera.cameraTarget);
}

// Expects and leaves the state render expects (the show's starting state).
void drawView(Viewer& v) {
    Scene& s = *v.scene;
    s.camera = v.fileCamera;
    poseForView(s, v.loop, v.time);
    SceneObject* eye = v.fileCamera;
    if (v.orbiting || eye == nullptr) {
        placeCamera(v.orbit, v.orbitCamera);
        eye = &v.orbitCamera;
    }
    applyLighting(v, *eye);
    clearFrame();
    if (v.wireframe) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (!v.textures) glDisable(GL_TEXTURE_2D);
    s.camera = eye;
    s.render();
    s.camera = v.fileCamera;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
}

// FILE-FRAME.png beside the file, numbered on when it exists.
void writeShot(Viewer& v) {
    v.shotWanted = false;
    const fs::path file(v.path);
    const std::string stem = (file.parent_path() / file.stem()).string();
    const long frame = static_cast<long>(v.scene->frame);
    char name[64];
    std::string path;
    std::error_code error;
    for (int copy = 1; path.empty() || fs::exists(path, error); ++copy) {
        std::snprintf(name, sizeof name, copy == 1 ? "-%04ld.png" : "-%04ld-%d.png", frame, copy);
        path = stem + name;
    }
    if (saveDrawnFrame(path)) {
        std::printf("wrote %s\n", path.c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "orvane: cannot write %s\n", path.c_str());
    }
}

void showTitle(const Viewer& v, double fps) {
    char title[512];
    std::snprintf(title, sizeof title, "%s - frame %d/%d - %d triangles - %.0f fps - %s%s",
                  fs::path(v.path).filename().string().c_str(), static_cast<int>(v.scene->frame), v.scene->frameCount,
                  v.triangles, fps, kLightingNames[static_cast<int>(v.lighting)], v.paused ? " - paused" : "");
    setWindowTitle(title);
}

void playView(Viewer& v, bool capturing) {
    auto lastPoll = std::chrono::steady_clock::now();
    auto titleStart = lastPoll;
    long titleFrames = 0;
    double last = tickSeconds();
    markShowStart();
    while (!showQuitRequested()) {
        drainWindowEvents();
        followFiles(v, lastPoll);
        const double now = tickSeconds();
        if (!v.paused) v.time += now - last;
        last = now;
        drawView(v);
        if (v.shotWanted) writeShot(v);
        ++titleFrames;
        if (secondsSince(titleStart) >= kTitleSeconds) {
            showTitle(v, titleFrames / secondsSince(titleStart));
            titleStart = std::chrono::steady_clock::now();
            titleFrames = 0;
        }
        pumpFrame();
        if (capturing && framesMissed() == 0) break;
    }
}

}  // namespace

void poseForView(Scene& scene, ViewLoop& loop, double elapsed) {
    const double time = std::max(0.0, elapsed);
    const long pass = static_cast<long>(std::floor(time / loop.seconds));
    const double frame = (time - pass * loop.seconds) / loop.seconds * loop.frames;
    // A new pass, or a step back: the animation starts again, and the
    // camera, which catches up one key per evaluation, walks the frames up to here.
    if (pass != loop.pass || frame < scene.frame) {
        resetAnimation(scene);
        loop.pass = pass;
        for (int f = 1; f < frame; ++f) {
            scene.frame = f;
            scene.evaluateKeyframes();
        }
    }
    scene.frame = frame;
    scene.rewind();
    scene.evaluateKeyframes();
}

int viewSceneFile(const CommandLine& line) {
    const bool capturing = !line.framesAt.empty();
    Viewer viewer;
    viewer.options = &line.view;
    viewer.path = line.view.path;
    viewer.emitters = line.view.emitters.attach;
    if (runSettings.noLights) viewer.lighting = Lighting::none;
    if (!openShowWindow()) return 1;
    std::unique_ptr<Scene> scene = readViewFile(viewer.path);
    if (!scene) {
        shutdownWindow();
        return 1;
    }
    if (capturing && !setFrameCaptures(line.framesAt, line.framesDir, runSettings.width, runSettings.height)) {
        shutdownWindow();
        return kUsageExit;
    }
    adopt(viewer, std::move(scene), false);
    if (viewer.scene->lightCount == 0 && viewer.lighting == Lighting::preview) {
        std::fprintf(stderr,
                     "orvane: %s has no lights: the show draws its meshes black; shown with preview shading "
                     "(L: file lighting, preview, none)\n",
                     viewer.path.c_str());
    }
    std::printf("viewing %s: %d frames every %.3f s, %d emitters\n", viewer.path.c_str(), viewer.loop.frames,
                viewer.loop.seconds, viewer.scene->emitterCount);
    std::fflush(stdout);
    activeViewer = &viewer;
    inputHook = onInput;
    playView(viewer, capturing);
    inputHook = nullptr;
    activeViewer = nullptr;
    viewer.scene->releaseEmitters();
    releaseViewTextures(*viewer.scene);
    viewer.scene.reset();
    shutdownWindow();
    if (capturing && framesMissed() > 0) {
        std::fprintf(stderr, "orvane: the view ended before %d requested frame time(s)\n", framesMissed());
    }
    return 0;
}
