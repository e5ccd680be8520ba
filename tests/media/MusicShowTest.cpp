// The program run whole with its soundtrack, heard through SDL's disk driver:
// music plays, "--no-music" opens no audio, a missing mp3 is silence.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "media/MusicTestAudio.h"

namespace {

using namespace musictest;

const char* const kProgram = ORVANE_BINARY_DIR "/src/app/orvane";
const double kLimitSeconds = 120.0;    // a run that takes longer has hung
const double kGraceSeconds = 30.0;     // from SIGTERM to exit

struct ShowRun {
    int exitCode = -1;  // -1 when it did not exit by itself
    std::string output, errors;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the program from `folder` with extra environment, and sends SIGTERM
// once ready(standard output so far) holds; the show then ends through its
// normal teardown (stopMusic included). Its output goes to `logFolder`.
ShowRun runShowUntil(const std::vector<std::string>& args, const std::string& folder,
                     const std::string& logFolder,
                     const std::vector<std::pair<std::string, std::string>>& env,
                     const std::function<bool(const std::string&)>& ready) {
    const std::string outPath = logFolder + "/stdout.txt", errPath = logFolder + "/stderr.txt";
    std::ofstream(outPath).close();  // empty before the child starts
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr)) _exit(126);
        std::vector<char*> argv{const_cast<char*>(kProgram)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(kProgram, argv.data());
        _exit(127);
    }
    ShowRun run;
    if (pid < 0) return run;
    auto start = std::chrono::steady_clock::now();
    bool signalled = false;
    double killAt = kLimitSeconds;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!signalled && (ready(readFile(outPath)) || elapsed > kLimitSeconds)) {
            kill(pid, SIGTERM);
            signalled = true;
            killAt = elapsed + kGraceSeconds;
        } else if (elapsed > killAt) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (status != -1 && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.output = readFile(outPath);
    run.errors = readFile(errPath);
    return run;
}

bool canRunTheShow(std::string& why) {
    if (!getenv("DISPLAY")) why = "needs a display (run under xvfb-run)";
    else if (access(kProgram, X_OK) != 0) why = std::string(kProgram) + " is not built";
    else if (!std::filesystem::exists(ORVANE_BINARY_DIR "/data/zik.mp3")) why = "the data set is not generated";
    return why.empty();
}

const std::vector<std::string> kShowArgs = {"--play", "--windowed", "--size", "320x240", "--timings"};

std::vector<std::pair<std::string, std::string>> diskAudio(const std::string& rawFile) {
    return {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", rawFile}, {"ORVANE_HEADLESS", "1"}};
}

bool sceneOneEnded(const std::string& output) { return output.find("scene 1:") != std::string::npos; }

TEST(MusicShowTest, ShowPlaysItsSoundtrack) {
    std::string why;
    if (!canRunTheShow(why)) GTEST_SKIP() << why;
    const ScratchFolder scratch("show-music");
    const std::string logs = scratch.path, raw = logs + "/out.raw";
    const size_t twoSeconds = 2 * kRate * 4;  // bytes of 16-bit stereo
    const ShowRun run = runShowUntil(kShowArgs, ORVANE_BINARY_DIR, logs, diskAudio(raw), [&](const std::string&) {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(raw, error);
        return !error && size >= twoSeconds;
    });
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const DiskOutput out = readDiskOutput(raw);
    EXPECT_GE(out.frames, (size_t)(2 * kRate));
    EXPECT_GT(out.loudFrames, (size_t)kRate) << "the soundtrack is audible from its start";
    EXPECT_LT(out.peak, 32767) << "no clipping";
}

TEST(MusicShowTest, NoMusicOpensNoAudio) {
    std::string why;
    if (!canRunTheShow(why)) GTEST_SKIP() << why;
    const ScratchFolder scratch("show-nomusic");
    const std::string logs = scratch.path, raw = logs + "/out.raw";
    std::vector<std::string> args = kShowArgs;
    args.push_back("--no-music");
    const ShowRun run = runShowUntil(args, ORVANE_BINARY_DIR, logs, diskAudio(raw), sceneOneEnded);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(sceneOneEnded(run.output)) << "the run got past the start of the music";
    EXPECT_FALSE(std::filesystem::exists(raw)) << "the audio device was opened";
}

TEST(MusicShowTest, MissingSoundtrackPlaysSilentlyAndExitsZero) {
    std::string why;
    if (!canRunTheShow(why)) GTEST_SKIP() << why;
    // A data folder with everything but the mp3.
    const ScratchFolder scratch("show-missing");
    const std::string& folder = scratch.path;
    std::filesystem::create_directories(folder + "/data");
    for (const auto& entry : std::filesystem::directory_iterator(ORVANE_BINARY_DIR "/data"))
        if (entry.path().filename() != "zik.mp3")
            std::filesystem::create_symlink(entry.path(), folder + "/data/" + entry.path().filename().string());
    const std::string raw = folder + "/out.raw";
    const ShowRun run = runShowUntil(kShowArgs, folder, folder, diskAudio(raw), sceneOneEnded);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(sceneOneEnded(run.output));
    EXPECT_NE(run.errors.find("data/zik.mp3"), std::string::npos) << run.errors;
    const DiskOutput out = readDiskOutput(raw);
    EXPECT_EQ(out.peak, 0);
}

}  // namespace
