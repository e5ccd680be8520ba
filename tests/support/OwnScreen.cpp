#include "support/OwnScreen.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <thread>

#include "support/ShowProcess.h"

bool OwnScreen::start(const std::string& name) {
    if (const char* old = std::getenv("DISPLAY")) previousDisplay = old;
    folder = freshTempFolder(name + "-" + std::to_string(getpid()));
    server = std::atoi(shellOutput("(Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -fbdir '" +
                                   folder + "' 3>'" + folder + "/display' >/dev/null 2>&1 & echo $!)")
                           .c_str());
    std::string number;
    constexpr int kWaitMs = 20000;
    constexpr int kPollMs = 50;
    for (int waited = 0; waited < kWaitMs && number.find('\n') == std::string::npos; waited += kPollMs) {
        usleep(kPollMs * 1000);
        std::ifstream file(folder + "/display");
        number.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    if (number.find('\n') == std::string::npos) return false;
    setenv("DISPLAY", (":" + number.substr(0, number.find('\n'))).c_str(), 1);
    return true;
}

OwnScreen::~OwnScreen() {
    // The server removes its framebuffer file as it goes: wait for it (it is
    // not our child), then remove the folder without throwing.
    if (server > 0 && kill(server, SIGTERM) == 0)
        for (int waited = 0; waited < 5000 && kill(server, 0) == 0; waited += 20) usleep(20 * 1000);
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    if (previousDisplay.empty())
        unsetenv("DISPLAY");
    else
        setenv("DISPLAY", previousDisplay.c_str(), 1);
}

void pauseMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string findWindow(int pid, const std::string& titlePattern, const std::string& besides, int waitMs) {
    constexpr int kPollMs = 50;  // between polls of the X server
    for (int waited = 0; waited < waitMs; waited += kPollMs) {
        std::istringstream ids(shellOutput("xdotool search --onlyvisible --pid " + std::to_string(pid) + " --name '" +
                                           titlePattern + "'"));
        for (std::string id; ids >> id;)
            if (id != besides) return id;
        pauseMs(kPollMs);
    }
    return "";
}
