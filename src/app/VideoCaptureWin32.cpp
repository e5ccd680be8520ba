// Video capture in the Windows build: not available (the ffmpeg child is a
// POSIX process); --capture is refused before the show.
#include "app/VideoCapture.h"

bool videoCaptureAvailable() { return false; }
std::string findFfmpeg() { return ""; }
std::string containerFor(const std::string&) { return ""; }
bool startVideoCapture(const VideoCaptureSetup&) { return false; }
void captureVideoFrame() {}
bool videoCaptureEnded() { return false; }
bool finishVideoCapture(bool) { return false; }
long videoFramesWritten() { return 0; }
