#include "app/DataDirectory.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef ORVANE_INSTALLED_DATA_DIR
#define ORVANE_INSTALLED_DATA_DIR ""
#endif

bool enterDataDirectory() {
    std::error_code error;
    if (std::filesystem::is_directory("data", error)) return true;
    const std::filesystem::path installed(ORVANE_INSTALLED_DATA_DIR);
    if (!installed.empty() && std::filesystem::is_directory(installed, error)) {
        // The show opens "data/..." relative to the current directory.
        std::filesystem::current_path(installed.parent_path(), error);
        if (!error) return true;
    }
    std::fprintf(stderr, "orvane: no data folder here or at %s\n", ORVANE_INSTALLED_DATA_DIR);
    return false;
}
