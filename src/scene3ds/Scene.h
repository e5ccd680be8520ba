// One 3DS file in memory: a linked list of objects walked with a cursor, its
// lights, camera, materials, animation tracks and attached particle emitters.
// The Scene is itself the first object of its list.
// Lifetime: show (loaded once by the loading sequence, kept to the end).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class ParticleSystem;

// [SECTION] Value types ------------------------------------------------------

// Show axes: x = file X, y = file Z, z = -file Y.
struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

struct Color3 {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

struct TexCoord {
    float u = 0.0f, v = 0.0f;
};

struct Face {
    uint16_t a = 0, b = 0, c = 0;  // vertex indices
    uint16_t flags = 0;            // kept as stored, used by nobody
};

enum class ObjectKind : uint16_t {
    None = 0,
    Mesh = 0x1000,
    Camera = 0x2000,
    Light = 0x3000,
};

constexpr int kObjectNameBytes = 80;     // including the NUL
constexpr int kMaterialNameBytes = 256;  // including the NUL
constexpr int kMaxMaterials = 60;
constexpr int kMaxLights = 100;
constexpr int kMaxEmitters = 60;
// materialIndex of a mesh without a face material list: drawn untextured.
constexpr int32_t kNoMaterial = -1;

struct Material {
    char name[kMaterialNameBytes] = {};  // also the JPEG path of the texture
    uint32_t texture = 0;                // GL texture name, 0 for none
};

// A material as modelling programs write it, in its own block: a name, a
// diffuse colour and the file name of its texture picture. The show names
// its pictures in the face lists instead and never reads these; the scene
// viewer shades and textures files made elsewhere with them.
struct MaterialBlock {
    char name[kMaterialNameBytes] = {};
    Color3 diffuse{0.0f, 0.0f, 0.0f};
    bool hasDiffuse = false;
    char map[kMaterialNameBytes] = {};  // "" when the material has no picture
};

// [SECTION] Objects ----------------------------------------------------------

struct SceneObject {
    SceneObject* prev = nullptr;

    // Mesh geometry. The counts are authoritative; the arrays hold at least
    // that many entries, sized once at load.
    std::vector<Face> faces;
    std::vector<Vec3> vertices;
    std::vector<Color3> vertexColors;  // one per vertex, baked lighting
    std::vector<TexCoord> texCoords;   // one per vertex (missing ones are (0, 0))
    int32_t materialIndex = kNoMaterial;
    uint16_t texCoordCount = 0;
    uint16_t faceCount = 0;
    uint16_t vertexCount = 0;

    char name[kObjectNameBytes] = {};  // zero-filled, NUL-terminated
    ObjectKind kind = ObjectKind::None;

    // Camera.
    Vec3 cameraPosition;
    Vec3 cameraTarget;
    float cameraBank = 0.0f;
    float cameraLens = 0.0f;

    // Light.
    Vec3 lightPosition;
    Color3 lightColor;  // components made non-negative when read
    Vec3 spotTarget;
    float lightRange = 0.0f;  // distance from the light to its spot target
    float spotHotspot = 0.0f;
    float spotFalloff = 0.0f;

    // Current pose, written every frame by the keyframe evaluation.
    Vec3 rotation;  // degrees about x, y, z
    Vec3 position;
    Vec3 basePosition;  // first position key: the mesh turns about it

    // Tracks. The second ("rotation") track holds rotation increments for a
    // mesh (axis times angle in degrees, key 0 is zero) and target positions
    // for the camera.
    uint32_t positionKeyCount = 0;
    uint32_t rotationKeyCount = 0;
    std::vector<uint16_t> positionKeyFrames;
    int32_t positionKeyIndex = 0;
    std::vector<Vec3> positionKeys;
    std::vector<uint16_t> rotationKeyFrames;
    int32_t rotationKeyIndex = 0;
    Vec3 rotationBase;  // sum of the rotation keys already passed
    std::vector<Vec3> rotationKeys;

    SceneObject* next = nullptr;
};

// One entry of a scene's particle draw list.
struct SortEntry {
    int32_t emitterIndex = 0;
    int32_t particleIndex = 0;
    float distance = 0.0f;  // city-block distance from the camera
};

// [SECTION] Reader hooks -----------------------------------------------------

// Makes a material's texture from its name (a JPEG path) into table[slot].
// Program-wide, loadJpegTexture by default; inspection and fuzzing put a
// GL-free stand-in here because they run without a GL context.
using SceneTextureLoader = int (*)(uint32_t* table, const char* path, int slot);
extern SceneTextureLoader sceneTextureLoader;
// Receives every chunk the reader handles, as a fixed trace text; null (the
// default) discards them. Tests and debugging listen here.
extern void (*sceneTraceHook)(const char* text);

// [SECTION] Scene ------------------------------------------------------------

struct ChunkHeader {
    uint32_t start = 0;  // file offset of the header's first byte
    uint16_t id = 0;
    uint32_t length = 0;  // header, data and sub-chunks
    uint32_t end = 0;     // start + length
};

struct Scene : SceneObject {
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    SceneObject* cursor = this;
    uint16_t objectCount = 0;
    SceneObject* lights[kMaxLights] = {};
    int32_t lightCount = 0;
    ParticleSystem* emitters[kMaxEmitters] = {};
    SceneObject* emitterObjects[kMaxEmitters] = {};
    int32_t emitterCount = 0;
    SortEntry* sortBuffer = nullptr;  // sized once by attachEmitters
    int32_t sortCount = 0;
    // Set by attachEmitters: frees what it allocated (the pools and the draw
    // list) when the Scene goes; scene3ds cannot see the pools' type.
    void (*destroyEmitters)(Scene&) = nullptr;
    SceneObject* camera = nullptr;
    Material materials[kMaxMaterials];
    int32_t materialCount = 0;
    MaterialBlock materialBlocks[kMaxMaterials];
    int32_t materialBlockCount = 0;
    double frame = 0.0;
    int32_t frameCount = 0;
    FILE* file = nullptr;  // open only during load

    // -- Loading and the object cursor (src/scene3ds) --
    // Reads a 3DS file; false when it cannot be opened, is not a 3DS file, or
    // lacks a playable camera (the reason is in loadError()). After a false
    // result the Scene is empty (no objects, lights, materials or camera,
    // `frameCount` 0) and plays as empty frames, unless keepUnplayable is set.
    bool load(const char* fileName);
    // load without making textures: every material's texture stays 0. For
    // what runs without a GL context (inspection, tests, benchmarks, the
    // fuzzer).
    bool loadWithoutTextures(const char* fileName);
    // Keeps what was read from a file refused for want of a camera
    // (inspection and tests look at such files); the show leaves it false.
    bool keepUnplayable = false;
    // The material block of this face-list material name, or null.
    const MaterialBlock* findMaterialBlock(const char* materialName) const;
    // Why the last load returned false; "" after a successful load.
    const char* loadError() const;
    // Every problem the last load met in the file (bounded list), in order.
    const std::vector<std::string>& loadProblems() const { return problems; }
    // Cursor to the first object (the Scene's own record).
    void rewind();
    // Cursor to the next object; stays on the last.
    void advance();
    // Cursor to the previous object; stays on the first.
    void retreat();
    // Cursor to the last object.
    void seekLast();
    // Bakes the lights into every mesh's vertexColors (run by load).
    void computeVertexLighting();
    // Debugging listing of the objects (and vertices) into a text file.
    void dumpText(const char* fileName, bool withVertices);

    // -- Animation and drawing (src/render: Keyframes.cpp, SceneRender.cpp) --
    void evaluateKeyframes();
    void render();
    // The scene viewer's switches; the show leaves both as they are. With
    // keepsVertexColors render draws vertexColors as the caller left them
    // (the viewer's preview shading) and never relights moving meshes.
    bool keepsVertexColors = false;
    bool drawsEmitters = true;

    // -- Object-attached emitters (src/particles: AttachEmitters.cpp,
    // DrawEmitters.cpp); load-time allocations freed through destroyEmitters --
    void attachEmitters(int capacity, float lifetime, int rate, float size, float rise);
    // Feeds, ages and lifts the particles at the meshes' current poses,
    // without drawing (drawEmitters does this first, then draws).
    void updateEmitters();
    void drawEmitters();
    // Empties every pool, as after attachEmitters (a new pass of the show).
    void resetEmitters();
    bool releaseEmitters();

private:
    // [SECTION] Chunk reader (ChunkReader.cpp): bounded reads from `file`
    using ChunkHandler = void (Scene::*)(const ChunkHeader&);
    // Little-endian values; zero with `shortRead` set past `readLimit`.
    uint16_t readU16();
    uint32_t readU32();
    float readFloat();
    // Three floats as (X, Z, -Y).
    Vec3 readVec3();
    Color3 readColor3();
    // False (destination zeroed, `shortRead` set) when fewer bytes are left.
    bool readBytes(void* destination, uint32_t size);
    // A NUL-terminated string cut to capacity - 1 characters, with a report.
    void readString(char* destination, int capacity, const char* what);
    // False when no valid chunk fits before parentEnd (ends the walk).
    bool readChunkHeader(ChunkHeader& header, uint32_t parentEnd);
    void seekChunkEnd(const ChunkHeader& header);
    // Hands each sub-chunk up to parentEnd to handler, then seeks past it.
    void walkChunks(uint32_t parentEnd, ChunkHandler handler);
    uint32_t bytesLeft() const { return readLimit - readPosition; }
    // Announces a handled chunk to sceneTraceHook.
    void trace(const char* text);
    // Records a problem of the file; the first few also go to a message box.
    void reportProblem(const char* format, ...);

    // [SECTION] Editor chunks (EditorChunks.cpp): one dispatcher per level
    void onMainChunk(const ChunkHeader& header);
    void onEditorChunk(const ChunkHeader& header);
    void onObjectChunk(const ChunkHeader& header);
    void onMeshChunk(const ChunkHeader& header);
    void onFaceListChunk(const ChunkHeader& header);
    void onLightChunk(const ChunkHeader& header);
    // Material blocks (MaterialChunks.cpp).
    void readMaterialBlock(const ChunkHeader& header);
    void onMaterialChunk(const ChunkHeader& header);
    void onDiffuseChunk(const ChunkHeader& header);
    void onTextureMapChunk(const ChunkHeader& header);
    // Handlers of chunks with data; they write the object under `cursor`.
    void readObjectBlock(const ChunkHeader& header);
    void readVertexList();
    void readFaceList(const ChunkHeader& header);
    void readFaceMaterialList();
    void readMappingList();
    void readLight(const ChunkHeader& header);
    void readSpotlight();
    void readCamera();

    // [SECTION] Keyframer chunks (KeyframerChunks.cpp)
    void onKeyframerChunk(const ChunkHeader& header);
    void onInfoBlockChunk(const ChunkHeader& header);
    // One key track into a count, frame numbers and values.
    void readTrack(uint32_t& count, std::vector<uint16_t>& frames, std::vector<Vec3>& keys, bool rotationKeys);
    // The first object in list order with this exact name, or null.
    SceneObject* findObject(const char* objectName);

    // [SECTION] Loading (SceneLoad.cpp, Scene.cpp)
    // Empties the Scene for a new load of path.
    void clearForLoad(const char* path);
    // Opens `fileName` and reads the main chunk's header, its length cut to
    // the file; false (file closed, errorText set) when it is not a 3DS file.
    bool openMainChunk(ChunkHeader& main);
    // After the walk: closes the file, checks the meshes, sets the start
    // poses, the camera and the lighting; false when the scene is unplayable.
    bool finishLoad();
    // Frees the objects behind the Scene's own record and empties the list.
    void releaseObjects();
    // Drops faces past the vertices; pads colours and mapping coordinates.
    void checkMeshes();
    void setStartPoses();
    // Picks the first camera; false when there is none with a position key.
    bool setUpCamera();

    const char* fileName = "";              // during load
    uint32_t fileSize = 0;                  // bytes, capped at 4 GiB - 1
    uint32_t readPosition = 0;              // offset of the next byte `file` gives
    uint32_t readLimit = 0;                 // reads stop here: the end of the chunk being read
    bool shortRead = false;                 // a read met readLimit since the last check
    uint16_t infoBlockId = 0;               // keyframer block being walked
    SceneObject* infoObject = nullptr;      // its object, set by its name chunk
    std::vector<unsigned char> readBuffer;  // bulk array reads, sized per list
    std::vector<std::string> problems;
    std::string errorText;
};
