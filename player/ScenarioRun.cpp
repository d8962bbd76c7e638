#include "player/ScenarioRun.h"

#include "player/Scenario.h"

#include <winsim/sim.h>

namespace player {
namespace {

// The command line a start of the configured program gets when none is given.
std::string DefaultCommandLine() {
    return "\"" + winsim::Config().exePath + "\"";
}

} // namespace

void ScenarioRun::StartProgram(const std::string& commandLine) {
    if (!program_) {
        throw StepFailure("the program cannot be started yet: this build of verbacap has no "
                          "program start-up (not available yet)");
    }
    if (running_) {
        throw StepFailure("the program is already running");
    }
    const std::string& configured = winsim::Config().commandLine;
    std::string current = configured.empty() ? DefaultCommandLine() : configured;
    if (commandLine != current) {
        throw StepFailure("a later start with another command line (" + commandLine +
                          ") is not available yet; the desktop's command line is " + current);
    }
    struct RunningFlag {
        bool& flag;
        explicit RunningFlag(bool& f) : flag(f) { flag = true; }
        ~RunningFlag() { flag = false; }
    } runningFlag(running_);
    ++starts_;
    statedRunning_ = false;
    lastExitCode_ = program_();
}

} // namespace player
