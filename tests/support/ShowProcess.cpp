#include "support/ShowProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

// Scene durations of the show, seconds, in order.
constexpr int kShowScenes = 8;
constexpr float kSceneSeconds[kShowScenes] = {6.5f, 12.0f, 17.0f, 26.0f, 33.0f, 45.0f, 45.0f, 45.0f};

constexpr const char* kOrvaneProgram = ORVANE_BINARY_DIR "/src/app/orvane";

[[noreturn]] void execChild(const ShowRequest& request) {
    for (const std::string& name : request.unsetEnv) unsetenv(name.c_str());
    for (const std::string& entry : request.extraEnv) putenv(const_cast<char*>(entry.c_str()));
    if (!request.workDir.empty() && chdir(request.workDir.c_str()) != 0) _exit(126);
    if (request.removeWorkDir && rmdir(request.workDir.c_str()) != 0) _exit(126);
    const char* program = request.program.empty() ? kOrvaneProgram : request.program.c_str();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program));
    for (const std::string& arg : request.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program, argv.data());
    _exit(127);
}

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Reads both pipes to their end; signals the child as the request says and
// kills it at the deadline.
void collect(int outFd, int errFd, pid_t child, const ShowRequest& request, ShowRun& run) {
    const Clock::time_point start = Clock::now();
    // Seconds since start; < 0 until the text shows.
    double stopAt = request.stopOnText.empty() && request.onStop ? 0.0 : -1.0;
    bool stopped = false;
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    char buffer[4096];
    while (open > 0) {
        const double now = secondsSince(start);
        if (now > request.timeoutSeconds && !run.timedOut) {
            kill(child, SIGKILL);
            run.timedOut = true;
        }
        if (stopAt >= 0.0 && !stopped && now >= stopAt) {
            if (request.stopSignal != 0) kill(child, request.stopSignal);
            if (request.onStop) request.onStop(child);
            stopped = true;
        }
        if (poll(fds, 2, 50) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? run.output : run.errors).append(buffer, static_cast<size_t>(got));
        }
        if (stopAt < 0.0 && !request.stopOnText.empty() &&
            (run.output.find(request.stopOnText) != std::string::npos ||
             run.errors.find(request.stopOnText) != std::string::npos)) {
            stopAt = secondsSince(start) + request.stopDelaySeconds;
        }
    }
}

}  // namespace

ShowRun runShow(const ShowRequest& request) {
    ShowRun run;
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return run;
    const pid_t child = fork();
    if (child == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) close(fd);
        execChild(request);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    collect(outPipe[0], errPipe[0], child, request, run);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.killedBy = WTERMSIG(status);
    return run;
}

ShowRequest quietShow(const std::vector<std::string>& args, const std::string& workDir) {
    ShowRequest request;
    request.args = args;
    request.workDir = workDir;
    request.extraEnv = {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"};
    return request;
}

std::string shellOutput(const std::string& command, int* status) {
    std::string output;
    if (status != nullptr) *status = -1;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int raw = pclose(pipe);
    if (status != nullptr) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

std::string freshTempFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("orvane-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::string checkSceneTimings(const std::string& output, double fps) {
    const std::vector<std::string> lines = linesStartingWith(output, "scene ");
    if (lines.size() != static_cast<size_t>(kShowScenes)) {
        return "expected 8 scene lines, got " + std::to_string(lines.size()) + ":\n" + output;
    }
    const double frame = 1.0 / fps;
    for (int i = 0; i < kShowScenes; ++i) {
        const std::string& line = lines[static_cast<size_t>(i)];
        int scene = 0;
        long frames = 0;
        float duration = 0, first = 0, last = 0;
        if (std::sscanf(line.c_str(), "scene %d: duration %f s, %ld frames, first elapsed %f s, last elapsed %f s",
                        &scene, &duration, &frames, &first, &last) != 5) {
            return "unreadable timing line: " + line;
        }
        // Printed to the millisecond: a last frame just past the end may
        // read as the duration itself.
        const bool toItsEnd = last >= kSceneSeconds[i] - 0.0005 && last <= kSceneSeconds[i] + frame + 0.002;
        if (scene != i + 1 || duration != kSceneSeconds[i] || !toItsEnd || frames < kSceneSeconds[i] * fps) {
            return "scene not played to its end: " + line;
        }
    }
    return "";
}
