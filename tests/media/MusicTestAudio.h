// Sound test helpers: a tone file to play, the disk driver's output read
// back, and the audio driver chosen per test. Header only: the platform and
// the media tests both use it.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/ShowProcess.h"

namespace musictest {

const int kRate = 44100;  // Hz, the rate the music opens the device at

// A fresh folder under the system's temporary folder, private to this
// process (other builds may run the same tests at once).
inline std::string scratchFolder(const std::string& name) {
    return freshTempFolder("music-" + name + "-" + std::to_string(getpid()));
}

// A 16-bit stereo WAV of a sine tone at half of full scale.
inline void writeToneWav(const std::string& path, double hz, double seconds) {
    const uint32_t frames = static_cast<uint32_t>(seconds * kRate);
    std::vector<int16_t> samples(2 * size_t(frames));
    for (uint32_t i = 0; i < frames; ++i) {
        samples[2 * i] = samples[2 * i + 1] =
            static_cast<int16_t>(std::lround(16384.0 * std::sin(6.283185307179586 * hz * i / kRate)));
    }
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    // RIFF size, fmt size, PCM, 2 channels, rate, bytes/s, block, bits.
    const uint32_t header[] = {36 + dataBytes, 16, 1 | (2u << 16), uint32_t(kRate), uint32_t(kRate) * 4,
                               4 | (16u << 16)};
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4).write(reinterpret_cast<const char*>(header), 4).write("WAVEfmt ", 8);
    out.write(reinterpret_cast<const char*>(header + 1), sizeof header - 4).write("data", 4);
    out.write(reinterpret_cast<const char*>(&dataBytes), 4);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

// Chooses SDL's audio driver (and the disk driver's output file).
inline void useAudioDriver(const char* driver, const std::string& outputFile = "") {
    setenv("SDL_AUDIODRIVER", driver, 1);
    if (!outputFile.empty()) setenv("SDL_DISKAUDIOFILE", outputFile.c_str(), 1);
}

// What came out of the disk driver: 16-bit stereo samples.
struct DiskOutput {
    size_t frames = 0;
    int peak = 0;           // largest magnitude
    size_t loudFrames = 0;  // frames with a sample above 1/64 of full scale
    int crossings = 0;      // rising zero crossings of the left channel
};

inline DiskOutput readDiskOutput(const std::string& path) {
    DiskOutput result;
    std::ifstream in(path, std::ios::binary);
    int16_t frame[2], previousLeft = 0;
    for (; in.read(reinterpret_cast<char*>(frame), sizeof frame); ++result.frames) {
        const int magnitude = std::max(std::abs(int(frame[0])), std::abs(int(frame[1])));
        result.peak = std::max(result.peak, magnitude);
        if (magnitude > 512) result.loudFrames++;
        if (result.frames > 0 && previousLeft < 0 && frame[0] >= 0) result.crossings++;
        previousLeft = frame[0];
    }
    return result;
}

}  // namespace musictest
