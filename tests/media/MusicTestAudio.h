// Sound test helpers: a tone file to play, the disk driver's output read
// back, and the audio driver chosen per test. Header only: the platform and
// the media tests both use it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace musictest {

const int kRate = 44100;  // Hz, the rate the music opens the device at

// A fresh folder under the system's temporary folder, private to this
// process (other builds may run the same tests at once), removed afterwards.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) {
        std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("orvane-music-" + name + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        path = folder.string();
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;
};

// A 16-bit stereo WAV of a sine tone at half of full scale.
inline void writeToneWav(const std::string& path, double hz, double seconds) {
    uint32_t frames = (uint32_t)(seconds * kRate);
    std::vector<int16_t> samples(2 * (size_t)frames);
    for (uint32_t i = 0; i < frames; ++i) {
        int16_t v = (int16_t)std::lround(16384.0 * std::sin(6.283185307179586 * hz * i / kRate));
        samples[2 * i] = samples[2 * i + 1] = v;
    }
    uint32_t dataBytes = (uint32_t)(samples.size() * 2);
    auto u32 = [](std::ofstream& out, uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::ofstream& out, uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    u32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(out, 16);
    u16(out, 1);  // PCM
    u16(out, 2);
    u32(out, kRate);
    u32(out, kRate * 4);
    u16(out, 4);
    u16(out, 16);
    out.write("data", 4);
    u32(out, dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

// Chooses SDL's audio driver for one test and puts the previous choice back
// afterwards. The disk driver writes the mixed output to `outputFile` in
// real time.
class AudioDriverScope {
public:
    explicit AudioDriverScope(const char* driver, const std::string& outputFile = "")
        : driver_(get("SDL_AUDIODRIVER")), file_(get("SDL_DISKAUDIOFILE")) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        if (!outputFile.empty()) setenv("SDL_DISKAUDIOFILE", outputFile.c_str(), 1);
    }
    ~AudioDriverScope() {
        put("SDL_AUDIODRIVER", driver_);
        put("SDL_DISKAUDIOFILE", file_);
    }
    AudioDriverScope(const AudioDriverScope&) = delete;
    AudioDriverScope& operator=(const AudioDriverScope&) = delete;

private:
    static std::optional<std::string> get(const char* name) {
        const char* value = getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void put(const char* name, const std::optional<std::string>& value) {
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    std::optional<std::string> driver_, file_;
};

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
    std::vector<int16_t> samples;
    int16_t frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
        samples.push_back(frame[0]);
        samples.push_back(frame[1]);
    }
    result.frames = samples.size() / 2;
    for (size_t i = 0; i < result.frames; ++i) {
        int l = samples[2 * i], r = samples[2 * i + 1];
        int m = std::max(std::abs(l), std::abs(r));
        result.peak = std::max(result.peak, m);
        if (m > 512) result.loudFrames++;
        if (i > 0 && samples[2 * (i - 1)] < 0 && l >= 0) result.crossings++;
    }
    return result;
}

}  // namespace musictest
