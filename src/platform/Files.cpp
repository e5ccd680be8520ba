// The program's own folder, 64-bit file positions and, on Windows, the
// console of the command line that started the program.
#include <SDL.h>

#include <string>

#include "platform/Platform.h"

#ifdef _WIN32
#include <windows.h>
#endif

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

int64_t fileLength(FILE* file) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) return -1;
    const int64_t length = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0) return -1;
    const int64_t length = ftello(file);
#endif
    return seekFile(file, 0) ? length : -1;
}

bool seekFile(FILE* file, uint64_t offset) {
    if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
#ifdef _WIN32
    return _fseeki64(file, static_cast<int64_t>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

void attachParentConsole() {
#ifdef _WIN32
    // Output already going somewhere (a pipe, a file, Wine's terminal) stays.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
#endif
}
