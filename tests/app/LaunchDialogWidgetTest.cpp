// The launch dialog on a real display: the orvane program is started with no
// arguments, its dialog is found by title and clicked with xdotool, and what
// follows is read back from the X server. Each test runs its own Xvfb, so
// windows of tests running beside it never mix in. Needs Xvfb, xdotool,
// xwininfo, xprop and xev; skipped without them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/LaunchDialogLayout.h"
#include "app/LaunchDialogLogic.h"

namespace {

// How long the program gets to show a window or to end; seconds.
constexpr int kWindowWaitSeconds = 30;
constexpr int kExitWaitSeconds = 60;
// Pause between polls of the X server; milliseconds.
constexpr int kPollMs = 50;

// Output of a shell command, and its exit status.
struct CommandResult {
    int status = -1;
    std::string output;
};

CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

bool toolsPresent() {
    return runCommand("command -v Xvfb && command -v xdotool && command -v xwininfo && command -v xprop && "
                      "command -v xev && command -v stdbuf").status == 0;
}

// How long a private X server gets to start; milliseconds.
constexpr int kServerStartMs = 20000;

// A private X server for one test; DISPLAY points at it while it lives.
class PrivateDisplay {
public:
    ~PrivateDisplay() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        if (hadDisplay) setenv("DISPLAY", previous.c_str(), 1);
        else unsetenv("DISPLAY");
    }
    // Starts Xvfb on a free display number, which it reports through a pipe when ready.
    bool start() {
        int fds[2];
        if (pipe(fds) != 0) return false;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            int quiet = open("/dev/null", O_WRONLY);
            if (quiet >= 0) {
                dup2(quiet, 1);
                dup2(quiet, 2);
            }
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number = readLine(fds[0]);
        close(fds[0]);
        if (pid <= 0 || number.empty()) return false;
        const char* old = std::getenv("DISPLAY");
        hadDisplay = old != nullptr;
        if (hadDisplay) previous = old;
        setenv("DISPLAY", (":" + number).c_str(), 1);
        return true;
    }

private:
    static std::string readLine(int fd) {
        std::string line;
        pollfd ready{fd, POLLIN, 0};
        char c;
        while (poll(&ready, 1, kServerStartMs) > 0 && read(fd, &c, 1) == 1 && c != '\n') line += c;
        return line;
    }
    pid_t pid = -1;
    bool hadDisplay = false;
    std::string previous;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The orvane program in an empty folder of its own, so it finds no data and
// plays silently; stderr goes to a file there.
class Program {
public:
    Program() {
        char pattern[] = "/tmp/orvane_dialog_XXXXXX";
        const char* made = mkdtemp(pattern);
        folder = made != nullptr ? made : "";
    }
    ~Program() {
        if (pid > 0 && !ended) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (!folder.empty()) runCommand("rm -rf '" + folder + "'");
    }
    bool start() {
        if (folder.empty()) return false;
        std::string binary = std::string(ORVANE_BINARY_DIR) + "/src/app/orvane";
        pid = fork();
        if (pid == 0) {
            if (chdir(folder.c_str()) != 0) _exit(127);
            int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (err >= 0) dup2(err, 2);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            setenv("ORVANE_HEADLESS", "1", 1);  // message boxes go to stderr
            execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid > 0;
    }
    // Waits for the program to end; its exit code, or -1 after the time limit.
    int waitExit(int seconds) {
        for (int waited = 0; waited < seconds * 1000; waited += kPollMs) {
            int raw = 0;
            if (waitpid(pid, &raw, WNOHANG) == pid) {
                ended = true;
                return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        }
        return -1;
    }
    // A visible window of this program titled "Orvane", other than `besides`.
    std::string findWindow(const std::string& besides, int seconds) const {
        for (int waited = 0; waited < seconds * 1000; waited += kPollMs) {
            std::istringstream ids(
                runCommand("xdotool search --onlyvisible --pid " + std::to_string(pid) + " --name '^Orvane$'").output);
            std::string id;
            while (ids >> id) {
                if (id != besides) return id;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        }
        return "";
    }
    bool windowExists(const std::string& id) const { return runCommand("xwininfo -id " + id).status == 0; }
    std::string stderrText() const { return readFile(folder + "/stderr.txt"); }

    std::string folder;
    pid_t pid = -1;
    bool ended = false;
};

// Clicks the middle of a control of the dialog.
void clickControl(const std::string& dialog, int32_t id) {
    const DialogControl* control = findDialogControl(id);
    ASSERT_NE(control, nullptr);
    PixelRect r = controlRect(*control);
    std::string command = "xdotool mousemove --sync --window " + dialog + " " + std::to_string(r.x + r.width / 2) +
                          " " + std::to_string(r.y + r.height / 2) + " click 1";
    ASSERT_EQ(runCommand(command).status, 0) << command;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

int geometryValue(const std::string& info, const std::string& key) {
    size_t at = info.find(key);
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + key.size());
}

// Whether xev logged an event of this kind (its reports start a line with the name).
bool hasEvent(const std::string& log, const std::string& kind) {
    return log.compare(0, kind.size(), kind) == 0 || log.find("\n" + kind + " event") != std::string::npos;
}

}  // namespace

// Each test gets its own X server.
class LaunchDialogWidget : public ::testing::Test {
protected:
    void SetUp() override {
        if (!toolsPresent()) GTEST_SKIP() << "needs Xvfb, xdotool, xwininfo, xprop, xev and stdbuf";
        ASSERT_TRUE(display.start()) << "Xvfb did not start";
    }
    PrivateDisplay display;
};

TEST_F(LaunchDialogWidget, ChoicesReachTheShowWindow) {
    Program program;
    ASSERT_TRUE(program.start());
    std::string dialog = program.findWindow("", kWindowWaitSeconds);
    ASSERT_FALSE(dialog.empty()) << "no dialog titled Orvane; stderr:\n" << program.stderrText();
    std::string info = runCommand("xwininfo -id " + dialog).output;
    EXPECT_EQ(geometryValue(info, "Absolute upper-left X:"), kDialogScreenX);
    EXPECT_EQ(geometryValue(info, "Absolute upper-left Y:"), kDialogScreenY);
    EXPECT_EQ(geometryValue(info, "Width:"), dialogUnitsToPixelsX(kDialogWidthUnits));
    EXPECT_EQ(geometryValue(info, "Height:"), dialogUnitsToPixelsY(kDialogHeightUnits));
    EXPECT_NE(runCommand("xprop -id " + dialog + " _NET_WM_ICON").output.find("32 x 32"), std::string::npos);

    // Neither Escape nor Enter does anything to the dialog.
    clickControl(dialog, kControl1152x864);
    runCommand("xdotool key Escape Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(program.windowExists(dialog)) << "Escape or Enter closed the dialog";
    ASSERT_EQ(program.waitExit(0), -1);

    clickControl(dialog, kControlWindowed);
    clickControl(dialog, kControl640x480);
    clickControl(dialog, kControlNoMusic);
    clickControl(dialog, kControlLaunch);

    std::string show = program.findWindow(dialog, kWindowWaitSeconds);
    ASSERT_FALSE(show.empty()) << "no show window; stderr:\n" << program.stderrText();
    EXPECT_FALSE(program.windowExists(dialog)) << "the dialog stays after Launch";
    info = runCommand("xwininfo -id " + show).output;
    EXPECT_EQ(geometryValue(info, "Width:"), 640);
    EXPECT_EQ(geometryValue(info, "Height:"), 480);
    // Windowed: decorated, not in the full-screen state, no mode switch tried.
    std::string props = runCommand("xprop -id " + show + " _NET_WM_STATE _MOTIF_WM_HINTS").output;
    EXPECT_EQ(props.find("FULLSCREEN"), std::string::npos) << props;
    EXPECT_EQ(props.find("_MOTIF_WM_HINTS) = 0x2, 0x0, 0x0"), std::string::npos) << "borderless: " << props;
    EXPECT_EQ(program.stderrText().find("Display Mode"), std::string::npos) << program.stderrText();

    // A close request ends the show through its normal teardown.
    runCommand("xdotool mousemove --sync --window " + show + " 320 240 key Escape");
    EXPECT_EQ(program.waitExit(kExitWaitSeconds), 0) << program.stderrText();
}

TEST_F(LaunchDialogWidget, ExitEndsTheProgramWithoutAShowWindow) {
    Program program;
    ASSERT_TRUE(program.start());
    std::string dialog = program.findWindow("", kWindowWaitSeconds);
    ASSERT_FALSE(dialog.empty()) << "no dialog titled Orvane; stderr:\n" << program.stderrText();

    // Watch every window made on the screen from here on; a move of the
    // dialog tells when the watcher is listening.
    std::string log = program.folder + "/xev.txt";
    CommandResult watcher = runCommand("(stdbuf -oL xev -root -event substructure > '" + log +
                                       "' 2>&1 & echo $!)");
    int watcherPid = std::atoi(watcher.output.c_str());
    ASSERT_GT(watcherPid, 0);
    bool listening = false;
    for (int tries = 0; tries < kWindowWaitSeconds * 1000 / kPollMs && !listening; ++tries) {
        runCommand("xdotool windowmove " + dialog + " " + std::to_string(kDialogScreenX + tries % 2) + " " +
                   std::to_string(kDialogScreenY));
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        listening = readFile(log).find("ConfigureNotify") != std::string::npos;
    }
    ASSERT_TRUE(listening) << "xev never reported the dialog moving";

    clickControl(dialog, kControlExit);
    int exitCode = program.waitExit(kExitWaitSeconds);
    kill(watcherPid, SIGTERM);
    EXPECT_EQ(exitCode, 0) << program.stderrText();
    std::string events = readFile(log);
    EXPECT_FALSE(hasEvent(events, "CreateNotify")) << "a window was made after Exit:\n" << events;
    EXPECT_FALSE(hasEvent(events, "MapNotify")) << events;
    EXPECT_TRUE(hasEvent(events, "DestroyNotify")) << "the dialog was never destroyed:\n" << events;
}
