#include "SceneFiles.h"

#include "platform/Platform.h"

ReaderRecorder recorder;

namespace {
SceneTextureLoader savedLoader = nullptr;

int recordTexture(uint32_t* table, const char* path, int slot) {
    recorder.textures.emplace_back(path);
    table[slot] = static_cast<uint32_t>(recorder.textures.size());
    return 1;
}

void recordTrace(const char* text) { recorder.trace += text; }
}  // namespace

void ReaderRecorder::install() {
    textures.clear();
    trace.clear();
    savedLoader = sceneTextureLoader;
    sceneTextureLoader = recordTexture;
    sceneTraceHook = recordTrace;
}

void ReaderRecorder::remove() {
    sceneTextureLoader = savedLoader;
    sceneTraceHook = nullptr;
}

void SceneFileTest::SetUp() {
    setHeadlessMessages(true);
    recorder.install();
}

void SceneFileTest::TearDown() { recorder.remove(); }

std::vector<uint8_t> sceneBytes(const ChunkBody& editor, const ChunkBody& keyframer,
                                int cameraKeys) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    if (editor) editor(w);
    w.camera("Cam", {0, -10, 0}, {0, 0, 0});
    w.end().begin(0xB000);
    std::vector<uint32_t> frames;
    std::vector<std::vector<float>> values;
    for (int i = 0; i < cameraKeys; ++i) {
        frames.push_back(static_cast<uint32_t>(i * 100));
        values.push_back({static_cast<float>(i), -20.0f, 5.0f});
    }
    w.infoBlock(0xB003, "Cam", frames, values);
    if (keyframer) keyframer(w);
    w.end().end();
    return w.bytes();
}

std::string sceneFile(const std::string& name, const ChunkBody& editor,
                      const ChunkBody& keyframer, int cameraKeys) {
    return writeScratchFile(name, sceneBytes(editor, keyframer, cameraKeys));
}

