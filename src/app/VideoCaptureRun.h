// The --capture run: checks, the show on the stepped clock, the finished file.
#pragma once

#include "app/CommandLine.h"

// Exit codes: 0 with FILE written; 1 when the show or ffmpeg failed or the
// run was interrupted (no FILE, no FILE.part); 2 when refused before the
// show (ffmpeg missing, FILE not writable, unknown container).
int runVideoCapture(const CommandLine& line);
