// The program: command line, settings, launch dialog, the show.
#include "app/Program.h"

#include <cstdio>

#include "app/CommandLine.h"
#include "app/DataDirectory.h"
#include "app/FrameCapture.h"
#include "app/LaunchDialog.h"
#include "app/OptionValues.h"
#include "app/RunShow.h"
#include "app/SceneViewer.h"
#include "app/VideoCapture.h"
#include "app/VideoCaptureRun.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "scene3ds/SceneReport.h"
#include "scenes/SceneTimings.h"
#include "window/ShowWindow.h"

namespace {

// Every frame passes the frame and video captures just before its present.
void capturePresentedFrame() {
    captureFrameIfDue();
    captureVideoFrame();
}

int usageError(const CommandLine& line) {
    std::fprintf(stderr, "orvane: %s\nTry 'orvane --help'.\n", line.error.c_str());
    return kUsageExit;
}

}  // namespace

int runProgram(int argc, const char* const* argv) {
    attachParentConsole();
    CommandLine line;
    if (!parseCommandLine(argc, argv, line)) return usageError(line);
    anchorPathOptions(line);
    if (line.help) {
        std::fputs(commandLineHelp(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("orvane %s\n", ORVANE_VERSION);
        return 0;
    }
    if (!line.inspectPath.empty()) return inspectSceneFile(line.inspectPath.c_str(), stdout);

    resetRunSettings();
    applyCommandLine(line);
    if (line.fixedFps > 0.0) useSteppedClock(1000.0 / line.fixedFps);
    setTimingsPrinted(line.timings);
    presentHook = capturePresentedFrame;
    if (!line.view.path.empty()) return viewSceneFile(line);
    if (!line.capture.path.empty()) return runVideoCapture(line);
    enterDataDirectory();
    if (!line.play) runLaunchDialog();
    if (runSettings.quit != 0) return 0;
    if (!line.framesAt.empty() &&
        !setFrameCaptures(line.framesAt, line.framesDir, runSettings.width, runSettings.height)) {
        return kUsageExit;
    }
    return playShow(ShowPasses{line.passes, line.loopForever, line.startAt});
}
