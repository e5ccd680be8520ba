// The generator's own copy of the show's outline-walker rule, used to refuse
// a lettering bitmap that the walker would not write, or would write too
// early, too late or too slowly to be read. It follows the same steps as the
// show's traceOutline (restart, turn, move, emit) on a private copy of the
// bitmap and counts the pixels that would emit.
#pragma once

#include <vector>

#include "art/ByteBitmap.h"

// The mark of a written pixel: the walker walks it but never emits it, so a
// bitmap may carry strokes already marked, walked silently.
constexpr uint8_t kVisitedMark = 12;

struct WalkResult {
    int litPixels = 0;            // pixels that can emit: neither 0 nor the mark
    int emitted = 0;              // pixels the walk reaches for the first time
    int stepsToFinish = 0;        // steps after which nothing new emits
    std::vector<int> emitSteps;   // the step, counted from 1, of each emission in order
    double coverage() const { return litPixels ? static_cast<double>(emitted) / litPixels : 0.0; }
};

// marks, when given, receives the bitmap as the walk leaves it (12 where a
// pixel emitted).
WalkResult walkOutline(const ByteBitmap& bitmap, int totalSteps, int startX, int startY, int homeStep,
                       ByteBitmap* marks = nullptr);

// A window's writing as the show sees it: the walker called callsPerSecond
// times a second over windowSeconds, its particles living lifetimeSeconds.
struct WindowTiming {
    double windowSeconds = 10.0;
    double lifetimeSeconds = 4.0;
    double callsPerSecond = 30.0;
};
struct WritingTimes {
    double doneShare = 0.0;   // when the last pixel is written, as a share of the window
    double litAtDone = 0.0;   // share of the written pixels still alive then
    double litAtEnd = 0.0;    // and at the window's end
};
// Times a walk of totalSteps: a pixel emitted at step s appears at the first
// call whose budget, ceil(totalSteps * elapsed / window) in single precision
// as the show computes it, reaches s.
WritingTimes timeWriting(const WalkResult& walk, int totalSteps, const WindowTiming& window);
