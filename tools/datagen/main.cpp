// The data set generator: writes every picture, bitmap and scene file the
// show opens into one directory. Usage: orvane_datagen <output directory>
#include <sys/stat.h>

#include <cstdio>
#include <exception>
#include <string>

#include "art/ShowBitmaps.h"
#include "art/ShowPictures.h"
#include "scenes/SceneTable.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    mkdir(dir.c_str(), 0755);
    try {
        bool ok = writePictures(dir);
        ok = writeBitmaps(dir) && ok;
        ok = writeScenes(dir) && ok;
        if (!ok) {
            std::fprintf(stderr, "datagen: the data set is incomplete\n");
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
