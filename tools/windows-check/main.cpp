// Checks the cross-built Windows libraries from inside a Windows program:
// an OpenGL window through SDL2 (clear colour read back, a GLU matrix),
// an mp3 and a wav through SDL2_mixer (decoded samples reach the audio
// device) and a JPEG through libjpeg. Prints one line per check; exit code
// 0 when all of them pass.
//   windows_check MP3 WAV JPEG AUDIO_OUTPUT
// AUDIO_OUTPUT is the file SDL's "disk" audio driver writes
// (SDL_AUDIODRIVER=disk, SDL_DISKAUDIOFILE=AUDIO_OUTPUT).
#include <GL/glu.h>
#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_opengl.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

int failures = 0;

void report(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

bool within(int value, int expected, int tolerance) {
    return value >= expected - tolerance && value <= expected + tolerance;
}

std::vector<unsigned char> read_file(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void check_gl() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        report(false, std::string("SDL video: ") + SDL_GetError());
        return;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("windows check", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 320, 240,
                                          SDL_WINDOW_OPENGL);
    if (!window) {
        report(false, std::string("window: ") + SDL_GetError());
        return;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        report(false, std::string("GL context: ") + SDL_GetError());
        SDL_DestroyWindow(window);
        return;
    }
    std::printf("     GL %s, %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    glViewport(0, 0, 320, 240);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(160, 120, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    char line[96];
    std::snprintf(line, sizeof line, "glReadPixels after clear: %d %d %d", pixel[0], pixel[1], pixel[2]);
    report(
        within(pixel[0], 64, 1) && within(pixel[1], 128, 1) && within(pixel[2], 191, 1) && glGetError() == GL_NO_ERROR,
        line);

    // glu32: a perspective matrix has -1 in its third column, fourth row.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 4.0 / 3.0, 1.0, 100.0);
    float matrix[16];
    glGetFloatv(GL_PROJECTION_MATRIX, matrix);
    report(matrix[11] == -1.0f && matrix[15] == 0.0f, "gluPerspective");

    SDL_GL_SwapWindow(window);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void check_audio(const char* mp3, const char* wav, const char* output) {
    const int formats = Mix_Init(MIX_INIT_MP3);
    report((formats & MIX_INIT_MP3) != 0, "Mix_Init(MIX_INIT_MP3)");
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        report(false, std::string("Mix_OpenAudio: ") + Mix_GetError());
        return;
    }
    std::printf("     audio driver %s\n", SDL_GetCurrentAudioDriver());

    Mix_Music* music = Mix_LoadMUS(mp3);
    report(music && Mix_GetMusicType(music) == MUS_MP3,
           std::string("Mix_LoadMUS mp3") + (music ? "" : ": ") + (music ? "" : Mix_GetError()));
    if (music) {
        const double seconds = Mix_MusicDuration(music);
        char line[64];
        std::snprintf(line, sizeof line, "mp3 duration %.3f s", seconds);
        report(seconds > 0.95 && seconds < 1.1, line);
        report(Mix_PlayMusic(music, 0) == 0, "Mix_PlayMusic");
        SDL_Delay(400);
        report(Mix_PlayingMusic() == 1, "music still playing after 0.4 s");
        Mix_HaltMusic();
        Mix_FreeMusic(music);
    }

    Mix_Chunk* chunk = Mix_LoadWAV(wav);
    report(chunk != nullptr, std::string("Mix_LoadWAV wav") + (chunk ? "" : ": ") + (chunk ? "" : Mix_GetError()));
    if (chunk) {
        // 0.5 s of 16-bit stereo at 44100 Hz once converted.
        report(chunk->alen == 44100 * 2 * 2 / 2, "wav length");
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    Mix_Quit();

    // The disk driver wrote what was mixed: the mp3's sine, not silence.
    const std::vector<unsigned char> raw = read_file(output);
    int loud = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
        const int sample = static_cast<int16_t>(raw[i] | (raw[i + 1] << 8));
        if (sample > 4000 || sample < -4000) ++loud;
    }
    char line[96];
    std::snprintf(line, sizeof line, "audio output: %zu bytes, %d loud samples", raw.size(), loud);
    report(loud > 10000, line);
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jpeg_fail(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    info->err->format_message(info, message);
    std::printf("     libjpeg: %s\n", message);
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void check_jpeg(const char* path) {
    const std::vector<unsigned char> data = read_file(path);
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpeg_fail;
    std::vector<unsigned char> rgb;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        report(false, "JPEG decode");
        return;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const unsigned width = info.output_width, height = info.output_height;
    rgb.resize(static_cast<size_t>(width) * height * 3);
    while (info.output_scanline < height) {
        JSAMPROW row = rgb.data() + static_cast<size_t>(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);

    // The test picture: 64x48, left half 0x4080c0, right half 0xe0a020.
    const unsigned char* left = &rgb[(24 * width + 8) * 3];
    const unsigned char* right = &rgb[(24 * width + 56) * 3];
    char line[128];
    std::snprintf(line, sizeof line, "JPEG %ux%u, left %d %d %d, right %d %d %d", width, height, left[0], left[1],
                  left[2], right[0], right[1], right[2]);
    report(width == 64 && height == 48 && within(left[0], 0x40, 6) && within(left[1], 0x80, 6) &&
               within(left[2], 0xc0, 6) && within(right[0], 0xe0, 6) && within(right[1], 0xa0, 6) &&
               within(right[2], 0x20, 6),
           line);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: windows_check MP3 WAV JPEG AUDIO_OUTPUT\n");
        return 2;
    }
    SDL_version linked;
    SDL_GetVersion(&linked);
    std::printf("     SDL %d.%d.%d, SDL_mixer %d.%d.%d, libjpeg %d\n", linked.major, linked.minor, linked.patch,
                Mix_Linked_Version()->major, Mix_Linked_Version()->minor, Mix_Linked_Version()->patch,
                JPEG_LIB_VERSION);
    if (SDL_Init(0) != 0) {
        report(false, std::string("SDL_Init: ") + SDL_GetError());
        return 1;
    }
    check_gl();
    check_audio(argv[1], argv[2], argv[4]);
    check_jpeg(argv[3]);
    SDL_Quit();
    std::printf("%s\n", failures == 0 ? "all checks passed" : "checks failed");
    return failures == 0 ? 0 : 1;
}
