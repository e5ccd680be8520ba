// A private copy of the build's generated data set in a fresh temporary
// folder, for runs that damage it.
#pragma once

#include <string>
#include <vector>

// The build's data folder.
std::string builtDataDir();
// File names in the build's data folder, sorted; empty when it is absent.
std::vector<std::string> builtDataFiles();

// A temporary folder holding data/ copied from the build, removed on
// destruction.
class DataCopy {
public:
    explicit DataCopy(const std::string& tag);
    ~DataCopy();
    DataCopy(const DataCopy&) = delete;
    DataCopy& operator=(const DataCopy&) = delete;

    const std::string& folder() const { return root; }
    std::string file(const std::string& name) const { return root + "/data/" + name; }
    bool ok() const { return copied; }

private:
    std::string root;
    bool copied = false;
};

// Deterministic bytes that start like no format the show reads.
std::vector<char> garbageBytes(size_t size, const std::string& seed);
bool writeFileBytes(const std::string& path, const std::vector<char>& bytes);
