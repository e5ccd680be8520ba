#include "app/ViewerTextures.h"

#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "media/Textures.h"

namespace fs = std::filesystem;

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The file name part of a name written on any system ("C:\maps\Wood.JPG").
std::string fileNamePart(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// A file in folder whose name equals fileName but for case; "" when none.
std::string findInFolder(const fs::path& folder, const std::string& fileName) {
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error)) return "";
    const std::string wanted = lowered(fileName);
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (lowered(entry->path().filename().string()) == wanted && entry->is_regular_file(error))
            return entry->path().string();
    }
    return "";
}

std::string findPicture(const std::string& name, const std::string& scenePath, const std::string& texturesDir) {
    std::error_code error;
    if (fs::is_regular_file(name, error)) return name;
    const std::string fileName = fileNamePart(name);
    const fs::path sceneFolder = fs::path(scenePath).parent_path();
    std::string found = findInFolder(sceneFolder.empty() ? fs::path(".") : sceneFolder, fileName);
    if (found.empty() && !texturesDir.empty()) found = findInFolder(texturesDir, fileName);
    return found;
}

bool isJpegName(const std::string& path) {
    const std::string extension = lowered(fs::path(path).extension().string());
    return extension == ".jpg" || extension == ".jpeg";
}

// The picture a material asks for, "" for none.
std::string pictureOf(const Scene& scene, const Material& material) {
    if (scene.materialBlockCount == 0) return material.name;
    const MaterialBlock* block = scene.findMaterialBlock(material.name);
    return block != nullptr ? block->map : "";
}

}  // namespace

void loadViewTextures(Scene& scene, const std::string& scenePath, const std::string& texturesDir,
                      std::set<std::string>& reported) {
    for (int32_t i = 0; i < scene.materialCount && i < kMaxMaterials; ++i) {
        Material& material = scene.materials[i];
        const std::string picture = pictureOf(scene, material);
        if (picture.empty()) continue;
        const std::string path = findPicture(picture, scenePath, texturesDir);
        if (!path.empty() && isJpegName(path)) {
            loadJpegTexture(&material.texture, path.c_str(), 0);
            continue;
        }
        if (!reported.insert(picture).second) continue;
        if (path.empty()) {
            std::fprintf(stderr, "orvane: %s: texture picture \"%s\" not found%s; drawn untextured\n",
                         scenePath.c_str(), picture.c_str(),
                         texturesDir.empty() ? " beside the file (--textures DIR looks in DIR too)"
                                             : " beside the file or in the --textures folder");
        } else {
            std::fprintf(stderr, "orvane: %s: texture picture %s is not a JPEG; drawn untextured\n", scenePath.c_str(),
                         path.c_str());
        }
    }
}

void releaseViewTextures(Scene& scene) {
    for (int32_t i = 0; i < scene.materialCount && i < kMaxMaterials; ++i) {
        if (scene.materials[i].texture != 0) glDeleteTextures(1, &scene.materials[i].texture);
        scene.materials[i].texture = 0;
    }
}
