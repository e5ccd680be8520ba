// Video capture: every frame presented after scene 1 begins is read back from
// the back buffer and streamed, raw, to an ffmpeg child process that encodes
// it and muxes in the soundtrack. The loading frames are not written, so the
// music starts with the first video frame as it starts with scene 1 live.
// The file is written as FILE.part and renamed to FILE only on success.
// Lifetime: from startVideoCapture to finishVideoCapture.
#pragma once

#include <string>

struct VideoCaptureSetup {
    std::string path;        // the finished file (absolute)
    std::string music;       // soundtrack to mux in; empty: no sound
    double musicFrom = 0.0;  // seconds into the soundtrack the video starts at (--start-at)
    int fps = 60;            // frames per second of the video and the clock
    int width = 0;           // pixels read from the lower-left corner
    int height = 0;
    double lengthSeconds = 0.0;  // show time captured (progress and --stop-after)
    bool stopAtLength = false;   // end the show once lengthSeconds are written
};

// False where this build cannot run ffmpeg (the Windows build).
bool videoCaptureAvailable();
// Path of the ffmpeg program found on PATH, or empty.
std::string findFfmpeg();
// The ffmpeg muxer for FILE's extension (mp4, mov, mkv), or empty.
std::string containerFor(const std::string& path);
// Starts ffmpeg writing setup.path + ".part". False with a message when it
// cannot be started.
bool startVideoCapture(const VideoCaptureSetup& setup);
// Called by pumpFrame just before a frame is presented: writes it once the
// show has begun. Stops writing (and asks the show to end) when ffmpeg fails
// or the requested length is reached.
void captureVideoFrame();
// True once the capture has asked the show to end.
bool videoCaptureEnded();
// Ends ffmpeg; on a complete capture renames FILE.part to FILE, otherwise
// removes FILE.part. interrupted: the show ended early by a quit request.
// True when FILE was written.
bool finishVideoCapture(bool interrupted);
// Frames written so far.
long videoFramesWritten();
