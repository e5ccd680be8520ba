// Lettering bitmaps for the outline walker: each glyph, and each frame round
// the text, is one closed stroke, one pixel wide, through its home point on
// the start row, homes 21 pixels apart, so the walker writes every stroke
// from its home point round to it. Frames make the walk last most of its
// window.
#pragma once

#include <string>

#include "art/ByteBitmap.h"
#include "art/OutlineWalk.h"
#include "art/Strokes.h"
#include "art/Text.h"

// One lettering bitmap: its file, its text, where the walker starts and its budget.
struct LetteringPlan {
    std::string file;  // e.g. "orvane.bmp"
    std::string text;  // capitals; '.' is a small diamond separator
    int startX = 52, startY = 82;
    int homeStep = 21;         // pixels between home points
    int totalSteps = 3000;     // the walker's budget in the show
    int emHeightPx = 46;       // glyph size; the width fits the home step
    int frames = 0;            // frames drawn round the text
    bool framesFirst = false;  // frames on the first home points, before the text
};

// The lettering font (fonts-dejavu-core), narrowed by its pixel sizes.
constexpr const char* kLetteringFont = "DejaVuSans-Bold.ttf";

// Minimum share of lit pixels the walker must write.
constexpr double kMinCoverage = 0.95;
// Share of the budget after which the frames' arches aim to finish the walk,
// so the writing fills most of its window.
constexpr double kTargetShare = 0.75;

// Builds the bitmap. False (with a reason) when a glyph has no usable stroke,
// the frames do not fit, or the walk, within the show's budget, writes less
// than kMinCoverage.
bool buildLettering(const Font& font, const LetteringPlan& plan, ByteBitmap& out, WalkResult& walk, std::string& error);
