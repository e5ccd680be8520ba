#include "app/DataDirectory.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/Platform.h"

#ifndef ORVANE_DATA_FROM_PROGRAM
#define ORVANE_DATA_FROM_PROGRAM "../share/orvane/data"
#endif

namespace {

// Changes to the folder holding `data`, a data folder; false when it is none.
bool enterParentOf(const std::filesystem::path& data) {
    std::error_code error;
    if (!std::filesystem::is_directory(data, error)) return false;
    std::filesystem::current_path(data.parent_path(), error);
    return !error;
}

}  // namespace

bool enterDataDirectory() {
    std::error_code error;
    if (std::filesystem::is_directory("data", error)) return true;
    // Beside the program (an unpacked archive), else where an install puts it.
    const std::filesystem::path program = programFolder();
    const std::filesystem::path beside = program / "data";
    const std::filesystem::path installed = (program / ORVANE_DATA_FROM_PROGRAM).lexically_normal();
    if (!program.empty() && (enterParentOf(beside) || enterParentOf(installed))) return true;
    std::fprintf(stderr, "orvane: no data folder here, at %s or at %s\n", beside.string().c_str(),
                 installed.string().c_str());
    return false;
}
