// The sound stream: the few operations the music needs, in the order it calls
// them, on SDL2_mixer. The file is streamed from disk and decoded on the
// mixer's own thread; nothing here waits for it.
// Lifetime: from initSound to closeSound (program thread only).
// Every operation is safe after a failure: no device, no file or a null stream
// turn the rest into no-ops, with one message on standard error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An open stream; opaque outside the platform layer.
struct SoundStream;

// Opens the audio device at a mixing rate with a number of software channels;
// flags are recorded only. False when there is no audio device.
bool initSound(int mixRate, int softwareChannels, uint32_t flags);
// The spectrum-analysis unit: a handle that can be switched on and off.
// Nothing reads a spectrum, so switching only records the flag.
int spectrumUnit();
void setUnitActive(int unit, bool active);
bool spectrumActive();
// Opens a file as a stream (mode and length are recorded only); null when the
// file cannot be opened or the device is not open.
SoundStream* openSoundStream(const char* path, uint32_t mode, int length);
// Starts the stream at once on a channel; it plays on in the background.
bool playSoundStream(int channel, SoundStream* stream);
// Moves a playing stream to a time from its start, seconds.
void seekSoundStream(SoundStream* stream, double seconds);
void stopSoundStream(SoundStream* stream);
// Shuts the library down: frees any open stream and closes the device.
void closeSound();

// [SECTION] Inspection (tests) -----------------------------------------------

// True while the audio device is open.
bool soundDeviceOpen();
// Times the audio subsystem has been opened since the program started.
int soundDeviceOpenCount();
// True while a stream is playing (false once it ends or is stopped).
bool soundStreamPlaying();
// A whole sound file decoded at the device's format (16-bit stereo at the
// opened rate): its length and its largest sample as a fraction of full
// scale. Needs the device open; false when the file cannot be decoded.
struct SoundFileMeasure {
    double seconds = 0.0;
    double peak = 0.0;
};
bool measureSoundFile(const char* path, SoundFileMeasure& measure);
// One line per call made, with the values passed, e.g. "init 44100 32 0".
const std::vector<std::string>& soundCallLog();
void clearSoundCallLog();
