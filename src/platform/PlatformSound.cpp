#include "platform/PlatformSound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdarg>
#include <cstdio>

// One open stream: the mixer's music, decoded on the mixer thread.
struct SoundStream {
    Mix_Music* music = nullptr;
};

namespace {

const int kOutputChannels = 2;      // stereo device
const int kChunkFrames = 2048;      // device buffer, sample frames (46 ms at 44.1 kHz)
const int kSpectrumUnitHandle = 1;  // the one spectrum unit

// Sound state; lifetime: program. Written only by the program thread.
bool deviceOpen = false;
bool mixerCodecsLoaded = false;
int deviceOpenCount = 0;
bool spectrumOn = false;
SoundStream stream;  // the one stream slot
bool streamOpen = false;
std::vector<std::string> callLog;

void logCall(const char* format, ...) __attribute__((format(printf, 1, 2)));

void logCall(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    callLog.emplace_back(line);
}

void freeStream() {
    if (!streamOpen) return;
    Mix_FreeMusic(stream.music);  // halts it first if it is playing
    stream.music = nullptr;
    streamOpen = false;
}

}  // namespace

bool initSound(int mixRate, int softwareChannels, uint32_t flags) {
    logCall("init %d %d %u", mixRate, softwareChannels, flags);
    if (deviceOpen) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        fprintf(stderr, "orvane: no audio (%s); the show plays silently\n", SDL_GetError());
        return false;
    }
    deviceOpenCount++;
    mixerCodecsLoaded = (Mix_Init(MIX_INIT_MP3) & MIX_INIT_MP3) != 0;
    // No format changes allowed: SDL converts to whatever the device takes.
    if (Mix_OpenAudioDevice(mixRate, AUDIO_S16SYS, kOutputChannels, kChunkFrames, nullptr, 0) != 0) {
        fprintf(stderr, "orvane: no audio device (%s); the show plays silently\n", Mix_GetError());
        if (mixerCodecsLoaded) Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(softwareChannels);
    deviceOpen = true;
    return true;
}

int spectrumUnit() {
    logCall("spectrumUnit");
    return kSpectrumUnitHandle;
}

void setUnitActive(int unit, bool active) {
    logCall("unitActive %d %d", unit, active ? 1 : 0);
    if (unit == kSpectrumUnitHandle) spectrumOn = active;
}

bool spectrumActive() { return spectrumOn; }

SoundStream* openSoundStream(const char* path, uint32_t mode, int length) {
    logCall("openStream %s 0x%x %d", path ? path : "(null)", mode, length);
    if (!deviceOpen || !path) return nullptr;
    freeStream();
    // Mix_LoadMUS reads only the header here; the rest streams while playing.
    Mix_Music* music = Mix_LoadMUS(path);
    if (!music) {
        fprintf(stderr, "orvane: %s: cannot be played (%s); the show plays silently\n", path, Mix_GetError());
        return nullptr;
    }
    stream.music = music;
    streamOpen = true;
    return &stream;
}

bool playSoundStream(int channel, SoundStream* s) {
    logCall("play %d %s", channel, s ? "stream" : "null");
    if (!deviceOpen || s != &stream || !streamOpen) return false;
    // Once through, no loop: a shorter track simply ends.
    return Mix_PlayMusic(stream.music, 0) == 0;
}

void seekSoundStream(SoundStream* s, double seconds) {
    logCall("seek %.3f", seconds);
    if (!deviceOpen || s != &stream || !streamOpen) return;
    Mix_SetMusicPosition(seconds);
}

void stopSoundStream(SoundStream* s) {
    logCall("stop %s", s ? "stream" : "null");
    if (!deviceOpen || s != &stream || !streamOpen) return;
    Mix_HaltMusic();
}

void closeSound() {
    logCall("close");
    if (!deviceOpen) return;
    freeStream();
    Mix_CloseAudio();
    if (mixerCodecsLoaded) Mix_Quit();
    mixerCodecsLoaded = false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    deviceOpen = false;
    spectrumOn = false;
}

bool soundDeviceOpen() { return deviceOpen; }

int soundDeviceOpenCount() { return deviceOpenCount; }

bool soundStreamPlaying() { return deviceOpen && streamOpen && Mix_PlayingMusic() != 0; }

bool measureSoundFile(const char* path, SoundFileMeasure& measure) {
    measure = SoundFileMeasure{};
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (!deviceOpen || !path || !Mix_QuerySpec(&rate, &format, &channels)) return false;
    if (format != AUDIO_S16SYS || channels <= 0 || rate <= 0) return false;
    Mix_Chunk* chunk = Mix_LoadWAV(path);  // decodes the whole file
    if (!chunk) return false;
    const Sint16* samples = reinterpret_cast<const Sint16*>(chunk->abuf);
    size_t count = chunk->alen / sizeof(Sint16);
    int peak = 0;
    for (size_t i = 0; i < count; ++i) peak = SDL_max(peak, SDL_abs((int)samples[i]));
    measure.seconds = (double)(count / (size_t)channels) / rate;
    measure.peak = peak / 32768.0;
    Mix_FreeChunk(chunk);
    return true;
}

const std::vector<std::string>& soundCallLog() { return callLog; }

void clearSoundCallLog() { callLog.clear(); }
