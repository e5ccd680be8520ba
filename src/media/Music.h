// The soundtrack: one mp3 streamed from disk in the background.
// Lifetime: from startMusic to stopMusic; each is called at most once.
#pragma once

void startMusic(const char* path);
void stopMusic();
