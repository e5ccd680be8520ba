// The generator's own copy of the show's outline-walker rule, used to refuse
// a lettering bitmap that the walker would not write. It follows the same
// steps as the show's traceOutline (restart, turn, move, emit) on a private
// copy of the bitmap and counts the pixels that would emit.
#pragma once

#include "art/ByteBitmap.h"

struct WalkResult {
    int litPixels = 0;      // non-zero pixels of the bitmap
    int emitted = 0;        // pixels the walk reaches for the first time
    int stepsToFinish = 0;  // steps after which nothing new emits
    double coverage() const { return litPixels ? static_cast<double>(emitted) / litPixels : 0.0; }
};

// marks, when given, receives the bitmap as the walk leaves it (12 where a
// pixel emitted).
WalkResult walkOutline(const ByteBitmap& bitmap, int totalSteps, int startX, int startY, int homeStep,
                       ByteBitmap* marks = nullptr);
