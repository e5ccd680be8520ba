// The soundtrack: one mp3 streamed from disk in the background.
// Lifetime: from startMusic to stopMusic; each is called at most once.
#pragma once

// Starts the soundtrack fromSeconds into it.
void startMusic(const char* path, double fromSeconds = 0.0);
// Plays the soundtrack again from fromSeconds (each pass of a loop).
void restartMusic(double fromSeconds);
void stopMusic();
