// The platform layer: the only code that knows SDL.
// What a port must supply (a headless port is the same with the stepped clock
// and non-blocking message boxes):
//   clock        tickCount, real or stepped
//   message box  showMessageBox
//   window       display mode, window, GL context, present, one event at a time
//   sound        the music stream (PlatformSound.h)
//   files        the program's own folder
// Everything here runs on the one program thread.
#pragma once

#include <cstdint>

// [SECTION] Clock ------------------------------------------------------------

// Milliseconds since the program started (real clock), or the stepped clock's
// current time. Counting from program start keeps float seconds precise.
uint32_t tickCount();

// Stepped clock: every presented frame advances the time by msPerFrame
// (fractions accumulate exactly). Tests, benchmarks and capture use it.
void useSteppedClock(double msPerFrame);
void useRealClock();
bool clockIsStepped();
// Puts the stepped clock at a given time (tests).
void setSteppedTime(double ms);
// Advances the stepped clock by one frame; presentFrame calls it.
void advanceSteppedClock();
// Seconds on the wall clock whatever the tick source (frame-rate reports).
double wallClockSeconds();
// The tick count in seconds, as the show times everything: tickCount() times
// the float nearest 0.001.
float tickSeconds();

// [SECTION] Message box ------------------------------------------------------

// Text, caption, OK. Blocks in an interactive run; in a headless run it is
// written to standard error as "caption: text" and returns at once.
// Headless: setHeadlessMessages(true), the stepped clock, ORVANE_HEADLESS=1,
// or no display to show a box on.
void showMessageBox(const char* text, const char* caption);
void setHeadlessMessages(bool headless);
bool headlessMessages();
// Number of message boxes shown so far (tests and whole-show checks).
int messageBoxCount();

// [SECTION] Files ------------------------------------------------------------

// The folder that holds the running program, ending in a separator; empty
// when the system does not tell.
const char* programFolder();
