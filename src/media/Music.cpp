#include "media/Music.h"

#include "platform/PlatformSound.h"

namespace {

const int kMixRate = 44100;  // Hz
const int kSoftwareChannels = 32;
const uint32_t kInitFlags = 0;
const uint32_t kStreamMode = 0x2000;  // open as a stream from disk
const int kStreamLength = 0;          // the whole file
const int kMusicChannel = 0;

// The stream; lifetime: from startMusic to stopMusic. Null when the file or
// the device was missing: every later call on it does nothing.
SoundStream* musicStream = nullptr;

}  // namespace

// The calls, their order and values are fixed; no result changes the run.
void startMusic(const char* path, double fromSeconds) {
    initSound(kMixRate, kSoftwareChannels, kInitFlags);
    setUnitActive(spectrumUnit(), true);
    musicStream = openSoundStream(path, kStreamMode, kStreamLength);
    playSoundStream(kMusicChannel, musicStream);
    if (fromSeconds > 0.0) seekSoundStream(musicStream, fromSeconds);
}

void restartMusic(double fromSeconds) {
    if (musicStream == nullptr) return;
    stopSoundStream(musicStream);
    playSoundStream(kMusicChannel, musicStream);
    if (fromSeconds > 0.0) seekSoundStream(musicStream, fromSeconds);
}

void stopMusic() {
    setUnitActive(spectrumUnit(), false);
    stopSoundStream(musicStream);
    closeSound();
    musicStream = nullptr;
}
