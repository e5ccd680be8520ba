#include "DataCopy.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

std::string builtDataDir() { return ORVANE_BINARY_DIR "/data"; }

std::vector<std::string> builtDataFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(builtDataDir(), error)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

DataCopy::DataCopy(const std::string& tag) {
    std::string pattern = (fs::temp_directory_path() / ("orvane-rel-" + tag + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    root = pattern;
    std::error_code error;
    fs::copy(builtDataDir(), root + "/data", fs::copy_options::recursive, error);
    copied = !error;
}

DataCopy::~DataCopy() {
    std::error_code error;
    if (!root.empty()) {
        // A read-only test folder must become writable again to go.
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(root, error);
    }
}

std::vector<char> garbageBytes(size_t size, const std::string& seed) {
    std::vector<char> bytes(size);
    uint32_t state = static_cast<uint32_t>(std::hash<std::string>{}(seed)) | 1u;
    for (char& byte : bytes) {
        // xorshift32: cheap, reproducible noise.
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state >> 24);
    }
    // No JPEG marker, no "BM", no 3DS main chunk, no MP3 frame sync or ID3.
    for (size_t i = 0; i < std::min<size_t>(size, 2); ++i) bytes[i] = 'Z';
    return bytes;
}

bool writeFileBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
