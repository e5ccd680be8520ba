// `orvane --inspect FILE.3ds`: what the show will use from one scene file, as
// JSON, then the warnings an artist needs (why a mesh is black, why a scene
// does not move). Loads without a GL context: textures are only named.
#include "scene3ds/SceneReport.h"

#include <cmath>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "scene3ds/Scene.h"

namespace {
// [SECTION] JSON writing

void writeString(FILE* out, const char* text) {
    std::fputc('"', out);
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c == '"' || *c == '\\') {
            std::fprintf(out, "\\%c", *c);
        } else if (*c < 0x20 || *c >= 0x7F) {
            std::fprintf(out, "\\u%04x", *c);  // bytes read as Latin-1
        } else {
            std::fputc(*c, out);
        }
    }
    std::fputc('"', out);
}

void writeNumber(FILE* out, double value) {
    if (std::isfinite(value)) {
        std::fprintf(out, "%.9g", value);
    } else {
        std::fputs("null", out);
    }
}

// {"name": ..., "diffuse": [r, g, b] or null, "map": ...}
void writeMaterialBlock(FILE* out, const MaterialBlock& block, int index) {
    std::fputs(index ? ", {\"name\": " : "{\"name\": ", out);
    writeString(out, block.name);
    std::fputs(", \"diffuse\": ", out);
    if (block.hasDiffuse) {
        std::fprintf(out, "[%.3f, %.3f, %.3f]", block.diffuse.r, block.diffuse.g, block.diffuse.b);
    } else {
        std::fputs("null", out);
    }
    std::fputs(", \"map\": ", out);
    writeString(out, block.map);
    std::fputc('}', out);
}

void writeVec3(FILE* out, const Vec3& v) {
    std::fputc('[', out);
    writeNumber(out, v.x);
    std::fputs(", ", out);
    writeNumber(out, v.y);
    std::fputs(", ", out);
    writeNumber(out, v.z);
    std::fputc(']', out);
}

void writeColor(FILE* out, const Color3& c) { writeVec3(out, Vec3{c.r, c.g, c.b}); }

const char* kindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Mesh: return "mesh";
    case ObjectKind::Camera: return "camera";
    case ObjectKind::Light: return "light";
    default: return "none";
    }
}

const char* boolText(bool value) { return value ? "true" : "false"; }

// [SECTION] Objects

void writeMarks(FILE* out, const SceneObject& mesh) {
    const char* name = mesh.name;
    std::fprintf(out, ", \"marks\": {\"additive\": %s, \"keepColors\": %s, \"white\": %s, \"emitter\": ",
                 boolText(name[0] == '%'), boolText(name[0] == '$' || name[1] == '$'),
                 boolText(name[0] == '$' || name[1] == '$' || name[4] == '$'));
    if (name[0] == '*') {
        std::fprintf(out, "{\"type\": \"%c\", \"depthTest\": %s}", name[1] >= '0' && name[1] <= '3' ? name[1] : '?',
                     boolText(name[2] != '0'));
    } else {
        std::fputs("null", out);
    }
    std::fputc('}', out);
}

void writeObject(FILE* out, const Scene& scene, const SceneObject& o) {
    std::fprintf(out, "    {\"kind\": \"%s\", \"name\": ", kindName(o.kind));
    writeString(out, o.name);
    if (o.kind == ObjectKind::Mesh) {
        std::fprintf(out, ", \"vertices\": %u, \"faces\": %u, \"texCoords\": %u, \"material\": ", o.vertexCount,
                     o.faceCount, o.texCoordCount);
        if (o.materialIndex >= 0 && o.materialIndex < scene.materialCount) {
            writeString(out, scene.materials[o.materialIndex].name);
        } else {
            std::fputs("null", out);
        }
        writeMarks(out, o);
    } else if (o.kind == ObjectKind::Light) {
        std::fputs(", \"position\": ", out);
        writeVec3(out, o.lightPosition);
        std::fputs(", \"color\": ", out);
        writeColor(out, o.lightColor);
        std::fputs(", \"range\": ", out);
        writeNumber(out, o.lightRange);
    }
    std::fprintf(out, ", \"positionKeys\": %u, \"rotationKeys\": %u}", o.positionKeyCount, o.rotationKeyCount);
}

void writeCamera(FILE* out, const SceneObject* camera) {
    std::fputs("  \"camera\": ", out);
    if (!camera) {
        std::fputs("null,\n", out);
        return;
    }
    std::fputs("{\"name\": ", out);
    writeString(out, camera->name);
    std::fputs(", \"position\": ", out);
    writeVec3(out, camera->cameraPosition);
    std::fputs(", \"target\": ", out);
    writeVec3(out, camera->cameraTarget);
    std::fputs(", \"bank\": ", out);
    writeNumber(out, camera->cameraBank);
    std::fputs(", \"lens\": ", out);
    writeNumber(out, camera->cameraLens);
    std::fprintf(out, ", \"positionKeys\": %u, \"targetKeys\": %u},\n", camera->positionKeyCount,
                 camera->rotationKeyCount);
}

// [SECTION] Warnings

std::vector<std::string> sceneWarnings(const Scene& scene) {
    std::vector<std::string> warnings(scene.loadProblems().begin(), scene.loadProblems().end());
    const SceneObject* firstCamera = nullptr;
    for (const SceneObject* o = &scene; o && scene.objectCount > 0; o = o->next) {
        std::string name = std::string("\"") + o->name + "\"";
        if (o->kind == ObjectKind::Camera && !firstCamera) firstCamera = o;
        if (o->kind == ObjectKind::Mesh && o->name[0] == '*') {
            if (o->materialIndex == kNoMaterial) {
                warnings.push_back("emitter mesh " + name + " has no material");
            }
            if (o->name[1] < '0' || o->name[1] > '3') {
                warnings.push_back("emitter mesh " + name + ": the second character is not an emitter type 0 to 3");
            }
        }
        if (o->kind == ObjectKind::Light && !(o->lightRange > 0.0f)) {
            warnings.push_back("light " + name + " has no spotlight target: it lights nothing");
        }
    }
    if (!firstCamera) {
        warnings.push_back("no camera: the scene shows nothing");
    } else if (firstCamera->positionKeyCount < 2) {
        warnings.push_back(std::string("camera \"") + firstCamera->name + "\" has " +
                           std::to_string(firstCamera->positionKeyCount) + " position key(s): the scene does not move");
    }
    return warnings;
}
}  // namespace

int inspectSceneFile(const char* path, FILE* out) {
    setHeadlessMessages(true);
    Scene scene;
    scene.keepUnplayable = true;
    const bool loaded = scene.loadWithoutTextures(path);

    std::fputs("{\n  \"file\": ", out);
    writeString(out, path);
    std::fprintf(out, ",\n  \"loaded\": %s,\n  \"error\": ", boolText(loaded));
    if (loaded) {
        std::fputs("null", out);
    } else {
        writeString(out, scene.loadError());
    }
    std::fputs(",\n  \"axes\": \"show (x, y, z) = file (X, Z, -Y)\",\n  \"objects\": [", out);
    int written = 0;
    for (const SceneObject* o = &scene; o && scene.objectCount > 0; o = o->next) {
        std::fputs(written++ ? ",\n" : "\n", out);
        writeObject(out, scene, *o);
    }
    std::fputs(written ? "\n  ],\n" : "],\n", out);
    writeCamera(out, scene.camera);
    std::fputs("  \"materials\": [", out);
    for (int32_t i = 0; i < scene.materialCount; ++i) {
        if (i) std::fputs(", ", out);
        writeString(out, scene.materials[i].name);
    }
    std::fputs("],\n  \"materialBlocks\": [", out);
    for (int32_t i = 0; i < scene.materialBlockCount; ++i) writeMaterialBlock(out, scene.materialBlocks[i], i);
    std::fprintf(out, "],\n  \"lightCount\": %d,\n  \"frameCount\": %d,\n  \"warnings\": [", scene.lightCount,
                 scene.frameCount);
    std::vector<std::string> warnings = sceneWarnings(scene);
    for (size_t i = 0; i < warnings.size(); ++i) {
        std::fputs(i ? ",\n    " : "\n    ", out);
        writeString(out, warnings[i].c_str());
    }
    std::fputs(warnings.empty() ? "]\n}\n" : "\n  ]\n}\n", out);
    return loaded ? 0 : 1;
}
