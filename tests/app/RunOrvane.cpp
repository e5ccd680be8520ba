#include "RunOrvane.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace {

const char* const kProgram = ORVANE_BINARY_DIR "/src/app/orvane";

[[noreturn]] void execChild(const std::vector<std::string>& args, const std::string& workDir,
                            const std::vector<std::string>& extraEnv, const std::vector<std::string>& unsetEnv) {
    for (const std::string& name : unsetEnv) unsetenv(name.c_str());
    for (const std::string& entry : extraEnv) putenv(const_cast<char*>(entry.c_str()));
    if (chdir(workDir.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kProgram));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(kProgram, argv.data());
    _exit(127);
}

// Reads both pipes to their end, signalling the child once stopAfterLine shows.
void collect(int outFd, int errFd, pid_t child, const std::string& stopAfterLine, ProgramRun& run) {
    bool signalled = false;
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    char buffer[4096];
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) break;
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
        if (!signalled && !stopAfterLine.empty() && !linesStartingWith(run.output, stopAfterLine).empty()) {
            kill(child, SIGTERM);
            signalled = true;
        }
    }
}

}  // namespace

ProgramRun runOrvane(const std::vector<std::string>& args, const std::string& workDir,
                     const std::vector<std::string>& extraEnv, const std::vector<std::string>& unsetEnv,
                     const std::string& stopAfterLine) {
    ProgramRun run;
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return run;
    const pid_t child = fork();
    if (child == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        close(outPipe[0]);
        close(errPipe[0]);
        close(outPipe[1]);
        close(errPipe[1]);
        execChild(args, workDir, extraEnv, unsetEnv);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    collect(outPipe[0], errPipe[0], child, stopAfterLine, run);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    return run;
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
    }
    return lines;
}
