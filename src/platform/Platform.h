// The platform layer: the only code that knows SDL and Windows.
// What a port must supply (a headless port is the same with the stepped clock
// and non-blocking message boxes):
//   clock        tickCount, real or stepped
//   message box  showMessageBox
//   window       display mode, window, GL context, present, one event at a time
//   sound        the music stream (PlatformSound.h)
//   files        the program's own folder, 64-bit file positions, the console
//   dialog       a dialog from the program's resources (Windows; TemplateDialog.h)
// Everything here runs on the one program thread.
#pragma once

#include <cstdint>
#include <cstdio>

// [SECTION] Clock ------------------------------------------------------------

// Milliseconds since the program started (real clock), or the stepped clock's
// current time. Counting from program start keeps float seconds precise.
uint32_t tickCount();

// Stepped clock: every presented frame advances the time by msPerFrame
// (fractions accumulate exactly). Tests, benchmarks and capture use it.
void useSteppedClock(double msPerFrame);
void useRealClock();
bool clockIsStepped();
// Puts the stepped clock at a given time (tests, and each pass of a looping
// show, which starts at the first pass's time).
void setSteppedTime(double ms);
// The stepped clock's exact time, milliseconds.
double steppedTime();
// Switches to a stepped clock that starts at the current time (a stretch of
// the show run frame by frame without drawing); continueRealClock then goes
// back to the real clock from the time the stretch reached.
void continueSteppedClock(double msPerFrame);
void continueRealClock();
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
// The length of an open file in bytes, -1 when it cannot be told. Positions
// are 64-bit on every system (a long is 32 bits on Windows).
int64_t fileLength(FILE* file);
// Moves an open file to a byte offset from its start; false when it cannot.
bool seekFile(FILE* file, uint64_t offset);
// Windows: a program of the desktop's kind has no console; when it was
// started from one, its output goes there. Elsewhere nothing to do.
void attachParentConsole();
