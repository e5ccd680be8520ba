// The run sequence after the launch dialog: window, loading, music, the eight
// scenes (once, a number of times, or until a quit request), teardown.
#pragma once

struct ShowPasses {
    int count = 1;         // passes of the show
    bool forever = false;  // until a quit request
    double startAt = 0.0;  // show seconds every pass starts drawing at
};

// Returns the process exit code.
int playShow(const ShowPasses& passes = {});
