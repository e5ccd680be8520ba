#include <SDL.h>

#include <string>

#include "platform/Platform.h"

const char* programFolder() {
    // Lifetime: program; the system's answer does not change.
    static const std::string folder = [] {
        char* base = SDL_GetBasePath();
        std::string path = base != nullptr ? base : "";
        SDL_free(base);
        return path;
    }();
    return folder.c_str();
}
