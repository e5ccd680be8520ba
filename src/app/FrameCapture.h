// Frame capture for --frames-at: a PNG of the first frame presented at or
// after each requested show time (seconds since scene 1 began), read from
// the back buffer just before the swap.
// Lifetime: program; the pixel buffer is sized once by setFrameCaptures.
#pragma once

#include <string>
#include <vector>

// Show times in seconds (any order) and the folder for the PNGs; the frames
// are width x height pixels from the lower-left corner. False (with a
// message) when the folder cannot be made.
bool setFrameCaptures(const std::vector<double>& showTimes, const std::string& folder, int width, int height);
// Scene 1 of a pass (1, 2, ...) begins now: show time 0. Every pass writes
// the requested frames again, passes after the first with "-pN" in the name.
void markShowStart(int pass = 1);
// True once scene 1 has begun.
bool showHasStarted();
// Called by pumpFrame just before a frame is presented.
void captureFrameIfDue();
// Number of PNGs written, and of requested times not reached by the show.
int framesCaptured();
int framesMissed();
// The file name for a show time: folder/frame_SSSS.mmm.png, or
// frame_SSSS.mmm-pN.png in pass N > 1.
std::string frameCapturePath(double showTime, int pass = 1);

// Writes the frame being drawn (the back buffer, before its present) to a
// PNG at path; false when it cannot.
bool saveDrawnFrame(const std::string& path);
