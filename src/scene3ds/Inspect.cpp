#include "scene3ds/Inspect.h"

// Placeholder until the scene reader lands.
int inspectSceneFile(const char* path, FILE* out) {
    std::fprintf(out, "{\"file\": \"%s\", \"error\": \"not available\"}\n", path);
    return 1;
}
