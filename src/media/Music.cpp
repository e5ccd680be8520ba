#include "media/Music.h"

// Placeholder until playback lands: silence.
void startMusic(const char*) {}
void stopMusic() {}
