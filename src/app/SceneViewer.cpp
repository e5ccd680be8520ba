// The scene viewer: window, the show's loader, optional emitters, then the
// scene's own frame road (evaluateKeyframes, clearFrame, render, pumpFrame)
// in a loop until a quit request.
#include "app/SceneViewer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/FrameCapture.h"
#include "app/OptionValues.h"
#include "app/SceneViewerCamera.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "render/ResetAnimation.h"
#include "window/ShowWindow.h"

namespace {

constexpr double kFramesPerSecond = 30.0;  // default playing speed of a file
constexpr double kViewDepth = 4000.0;      // scene units, the far plane of the show's projection

// Width over height of the client area, the projection's aspect.
double windowAspect() {
    int width = 0, height = 0;
    windowClientSize(&width, &height);
    return width > 0 && height > 0 ? static_cast<double>(width) / height : 4.0 / 3.0;
}

// A file refused for want of a camera is kept by the loader; the viewer
// frames it from its own camera. False (reason printed) when there is
// nothing to show.
bool standInCamera(Scene& scene, SceneObject& standIn, const char* path) {
    Vec3 low, high;
    // The loader's reasons that name the camera are the ones a stand-in mends.
    const bool cameraWanting = std::strstr(scene.loadError(), "camera") != nullptr;
    if (!cameraWanting || !meshBounds(scene, low, high)) {
        std::fprintf(stderr, "orvane: cannot view %s: %s%s\n", path, scene.loadError(),
                     cameraWanting ? ", and no mesh to frame" : "");
        return false;
    }
    const double depth = frameBox(low, high, windowAspect(), standIn);
    scene.camera = &standIn;
    scene.frameCount = meshAnimationLength(scene);
    std::fprintf(stderr,
                 "orvane: %s: %s; shown from a default camera that frames the whole scene "
                 "(the show refuses such a file)\n",
                 path, scene.loadError());
    if (depth > kViewDepth) {
        std::fprintf(stderr, "orvane: %s reaches %.0f units from that camera; the show draws nothing beyond %.0f\n",
                     path, depth, kViewDepth);
    }
    return true;
}

// Without lights every mesh would be drawn black on the black background.
void lightlessNote(const Scene& scene, const char* path) {
    if (scene.lightCount > 0 || runSettings.noLights) return;
    runSettings.noLights = true;
    std::fprintf(stderr,
                 "orvane: %s has no lights: the show draws its meshes black; the view draws them "
                 "white, as --no-lights does\n",
                 path);
}

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

// Expects and leaves the state render expects (the show's starting state).
void playView(Scene& scene, ViewLoop& loop, bool capturing) {
    const float start = tickSeconds();
    markShowStart();
    while (!showQuitRequested()) {
        poseForView(scene, loop, tickSeconds() - start);
        clearFrame();
        scene.render();
        pumpFrame();
        if (capturing && framesMissed() == 0) break;
    }
}

}  // namespace

void poseForView(Scene& scene, ViewLoop& loop, double elapsed) {
    const double time = std::max(0.0, elapsed);
    const long pass = static_cast<long>(std::floor(time / loop.seconds));
    if (pass != loop.pass) {
        resetAnimation(scene);
        loop.pass = pass;
    }
    scene.frame = (time - pass * loop.seconds) / loop.seconds * loop.frames;
    scene.rewind();
    scene.evaluateKeyframes();
}

int viewSceneFile(const CommandLine& line) {
    const ViewOptions& view = line.view;
    const bool capturing = !line.framesAt.empty();
    if (!openShowWindow()) return 1;
    SceneObject standIn;  // the camera of a camera-less file; outlives the Scene
    Scene scene;
    scene.keepUnplayable = true;
    if (!scene.load(view.path.c_str()) && !standInCamera(scene, standIn, view.path.c_str())) {
        shutdownWindow();
        return 1;
    }
    if (capturing && !setFrameCaptures(line.framesAt, line.framesDir, runSettings.width, runSettings.height)) {
        shutdownWindow();
        return kUsageExit;
    }
    lightlessNote(scene, view.path.c_str());
    const ViewEmitters& e = view.emitters;
    if (e.attach) scene.attachEmitters(e.capacity, e.lifetime, e.rate, e.size, e.rise);
    ViewLoop loop = loopFor(scene, view);
    std::printf("viewing %s: %d frames every %.3f s, %d emitters\n", view.path.c_str(), loop.frames, loop.seconds,
                scene.emitterCount);
    std::fflush(stdout);
    playView(scene, loop, capturing);
    scene.releaseEmitters();
    shutdownWindow();
    if (capturing && framesMissed() > 0) {
        std::fprintf(stderr, "orvane: the view ended before %d requested frame time(s)\n", framesMissed());
    }
    return 0;
}
