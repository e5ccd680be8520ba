// Lettering bitmaps for the outline walker. Each glyph is one closed stroke,
// one pixel wide, through its home point on the start row, homes 21 pixels
// apart, so the walker writes every stroke from its home point round to it.
// The walk from the start point begins with a silent lead-in: a long stroke
// below the text whose pixels already hold the walker's mark, walked without
// emitting, so the text is written late in its window and in a short
// enough time that all of it still glows when its last pixel is written.
#pragma once

#include <string>

#include "art/ByteBitmap.h"
#include "art/OutlineWalk.h"
#include "art/Strokes.h"
#include "art/Text.h"

// One lettering bitmap: its file, its text, and how its scene runs the walker.
struct LetteringPlan {
    std::string file;  // e.g. "orvane.bmp"
    std::string text;  // capitals; '.' is a small diamond separator
    int startX = 52, startY = 82;
    int homeStep = 21;             // pixels between home points
    int totalSteps = 3000;         // the walker's budget in the show
    double windowSeconds = 10.0;   // the window the budget is spread over
    double lifetimeSeconds = 4.0;  // the pool's particle lifetime
    // Home of the first glyph. 0: the first glyph hangs on the lead-in's
    // stroke; later homes: the homes between carry small silent strokes.
    int textHome = 0;
    bool litAtEnd = false;  // the text must still glow whole when its window ends
};

// The lettering font (fonts-dejavu-core), narrowed by its pixel sizes: a
// regular weight, whose counters stay open under the soft sprites.
constexpr const char* kLetteringFont = "DejaVuSans.ttf";

// What a lettering bitmap must do, measured with the walker called 30 times
// a second: write every pixel that can emit, finish between these shares of
// its window, and have this share of its pixels alive when it finishes (and
// when its window ends, for a text that closes the show).
constexpr double kEarliestDone = 0.5;
constexpr double kLatestDone = 0.9;
constexpr double kMinLit = 0.9;
// Where the lead-in aims to finish the text: late, so that the finished text
// holds the screen to near its window's end, with room below kLatestDone.
constexpr double kDoneShare = 0.88;

// The measurements of a built bitmap.
struct LetteringReport {
    WalkResult walk;
    WritingTimes times;
    int capHeightPx = 0;
};

// Checks a bitmap against the numbers above; false with the reason.
bool checkLettering(const ByteBitmap& bitmap, const LetteringPlan& plan, LetteringReport& report,
                    std::string& error);

// Builds the bitmap, its letters as tall as the checks allow. False (with a
// reason) when no size passes them.
bool buildLettering(const Font& font, const LetteringPlan& plan, ByteBitmap& out, LetteringReport& report,
                    std::string& error);
