// A private copy of the build's generated data set in a fresh temporary
// folder, for runs that damage it; bytes that start like no format the show
// reads.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/ShowProcess.h"

inline std::string builtDataDir() { return ORVANE_BINARY_DIR "/data"; }

// File names in the build's data folder, sorted; empty when it is absent.
inline std::vector<std::string> builtDataFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(builtDataDir(), error)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The show played from workDir in a 160x120 window on the stepped clock,
// printing its --timings lines.
inline ShowRequest steppedShow(const std::string& workDir, const std::string& fps) {
    return quietShow({"--play", "--windowed", "--size", "160x120", "--fixed-fps", fps, "--timings"}, workDir);
}

// A temporary folder holding data/ copied from the build, removed (made
// writable first) on destruction.
class DataCopy {
public:
    explicit DataCopy(const std::string& tag) : root(freshTempFolder("rel-" + tag + "-" + std::to_string(getpid()))) {
        std::error_code error;
        std::filesystem::copy(builtDataDir(), root + "/data", std::filesystem::copy_options::recursive, error);
        copied = !error;
    }
    ~DataCopy() {
        std::error_code error;
        std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     error);
        std::filesystem::remove_all(root, error);
    }
    DataCopy(const DataCopy&) = delete;
    DataCopy& operator=(const DataCopy&) = delete;

    const std::string& folder() const { return root; }
    std::string file(const std::string& name) const { return root + "/data/" + name; }
    bool ok() const { return copied; }

private:
    const std::string root;
    bool copied = false;
};

// size bytes of xorshift noise (seeded by the size) after "ZZ": no JPEG
// marker, no "BM", no 3DS main chunk, no MP3 frame sync or ID3.
inline bool writeGarbage(const std::string& path, size_t size) {
    std::vector<char> bytes(size, 'Z');
    uint32_t state = (2463534242u ^ static_cast<uint32_t>(size)) | 1u;
    for (size_t i = 2; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = static_cast<char>(state >> 24);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(size));
    return static_cast<bool>(out.flush());
}
