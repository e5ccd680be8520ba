#include "RunOrvane.h"

#include <signal.h>

#include "support/ShowProcess.h"

ProgramRun runOrvane(const std::vector<std::string>& args, const std::string& workDir,
                     const std::vector<std::string>& extraEnv, const std::vector<std::string>& unsetEnv,
                     const std::string& stopAfterLine) {
    ShowRequest request;
    request.args = args;
    request.workDir = workDir;
    request.extraEnv = extraEnv;
    request.unsetEnv = unsetEnv;
    request.timeoutSeconds = 600.0;
    request.stopOnText = stopAfterLine;
    request.stopSignal = stopAfterLine.empty() ? 0 : SIGTERM;
    const ShowRun shown = runShow(request);
    return {shown.exitCode, shown.output, shown.errors};
}
