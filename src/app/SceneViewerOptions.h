// The options of the scene viewer (--view and its companions), kept apart
// from the show's command line so that it only carries one record of them.
#pragma once

#include <string>

// Arguments of attachEmitters given by --emitters.
struct ViewEmitters {
    bool attach = false;
    int capacity = 0;       // particles per emitter
    float lifetime = 0.0f;  // seconds
    int rate = 0;           // particles per second
    float size = 0.0f;      // half side of a sprite, scene units
    float rise = 0.0f;      // scene units over a particle's life
};

struct ViewOptions {
    std::string path;      // --view FILE; empty: the show plays
    int frames = 0;        // --frames; 0: the file's frameCount
    double seconds = 0.0;  // --seconds; 0: frames / 30
    ViewEmitters emitters;
    std::string texturesDir;  // --textures DIR; empty: beside the file only
};

// True for the options this file parses (each takes a value).
bool isViewOption(const std::string& option);
// Reads one option's value into view; false with error set when the value
// is malformed or out of range.
bool parseViewOption(const std::string& option, const char* value, ViewOptions& view, std::string& error);
// False with error set when --frames, --seconds or --emitters come without
// --view.
bool viewOptionsFit(const ViewOptions& view, std::string& error);
