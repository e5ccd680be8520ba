// The run sequence after the launch dialog: window, loading, music, the eight
// scenes, teardown. Returns the process exit code.
#pragma once

int playShow();
