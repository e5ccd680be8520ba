// compare_frames A.png B.png: how far two frames the program wrote differ.
// Prints the pixels that differ at all, the mean channel difference over
// the whole frame and the largest one (0 to 255); exit 0 when they are the
// same, 1 when they differ, 2 when a file cannot be read or the sizes differ.
#include <cstdio>
#include <cstdlib>

#include "support/PngRead.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare_frames A.png B.png\n");
        return 2;
    }
    Picture a, b;
    if (!readPng(argv[1], a) || !readPng(argv[2], b) || a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "compare_frames: cannot compare %s with %s\n", argv[1], argv[2]);
        return 2;
    }
    long differing = 0;
    double sum = 0.0;
    int largest = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3) {
        bool differs = false;
        for (size_t c = 0; c < 3; ++c) {
            const int d = std::abs(int(a.rgb[i + c]) - int(b.rgb[i + c]));
            sum += d;
            largest = d > largest ? d : largest;
            differs = differs || d != 0;
        }
        differing += differs;
    }
    const double mean = a.rgb.empty() ? 0.0 : sum / double(a.rgb.size());
    std::printf("%ld differing pixels of %u, mean difference %.3f, largest %d\n", differing, a.width * a.height,
                mean, largest);
    return differing == 0 ? 0 : 1;
}
