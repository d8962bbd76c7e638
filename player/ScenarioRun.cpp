#include "player/ScenarioRun.h"

#include "player/ProgramSettings.h"
#include "player/Scenario.h"

#include <winsim/sim.h>

namespace player {

void ScenarioRun::StartProgram(const std::string& commandLine) {
    if (!program_) {
        throw StepFailure("there is no program to start");
    }
    if (running_) {
        throw StepFailure("the program is already running");
    }
    winsim::SetProgramCommandLine(commandLine);
    struct RunningFlag {
        bool& flag;
        explicit RunningFlag(bool& f) : flag(f) { flag = true; }
        ~RunningFlag() { flag = false; }
    } runningFlag(running_);
    ++starts_;
    statedRunning_ = false;
    lastExitCode_ = program_();
}

void ScenarioRun::LogOn() {
    std::optional<std::string> runValue = ReadRunValue();
    if (!runValue) {
        throw StepFailure(std::string("there is no Run value \"") + kRunValueName +
                          "\" to start the program with at log-on");
    }
    if (runValue->empty()) {
        throw StepFailure(std::string("the Run value \"") + kRunValueName + "\" is empty");
    }
    StartProgram(*runValue);
}

} // namespace player
