// The Scene record: construction and release, the object cursor and the
// debugging listing.
#include "scene3ds/Scene.h"

Scene::Scene() { objectCount = 0; }

Scene::~Scene() {
    if (destroyEmitters) destroyEmitters(*this);
    releaseObjects();
    if (file) std::fclose(file);
}

// Frees the objects created behind the Scene's own record and empties it.
void Scene::releaseObjects() {
    SceneObject* object = next;
    while (object) {
        SceneObject* following = object->next;
        delete object;
        object = following;
    }
    static_cast<SceneObject&>(*this) = SceneObject();
    cursor = this;
    objectCount = 0;
}

// [SECTION] Cursor ------------------------------------------------------------

void Scene::rewind() { cursor = this; }

void Scene::advance() {
    if (cursor->next) cursor = cursor->next;
}

void Scene::retreat() {
    if (cursor->prev) cursor = cursor->prev;
}

void Scene::seekLast() {
    rewind();
    while (cursor->next) cursor = cursor->next;
}

// [SECTION] Listing -----------------------------------------------------------

// One line per object (name, counts, key counts) and, on request, one line
// per vertex. Nothing in the show calls it.
void Scene::dumpText(const char* fileName, bool withVertices) {
    FILE* out = std::fopen(fileName, "w");
    if (!out) return;
    for (SceneObject* object = this; object; object = object->next) {
        std::fprintf(out, "| name = %10s | number of face = %6d | number of vertex = %6d ", object->name,
                     object->faceCount, object->vertexCount);
        std::fprintf(out, "| cle position = %6d | cle rotation = %6d |\n", static_cast<int>(object->positionKeyCount),
                     static_cast<int>(object->rotationKeyCount));
        if (!withVertices) continue;
        for (int i = 0; i < object->vertexCount && i < static_cast<int>(object->vertices.size()); ++i) {
            const Vec3& vertex = object->vertices[i];
            std::fprintf(out, "| %d | {%f,%f,%f} |\n", i, vertex.x, vertex.y, vertex.z);
        }
    }
    std::fclose(out);
}
