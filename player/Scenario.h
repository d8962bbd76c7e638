// A parsed scenario: the desktop it runs on and its steps, each ready to run.
#pragma once

#include <winsim/sim.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace player {

class ScenarioRun;

struct Step {
    // Line number in the scenario file, from 1.
    int line = 0;
    // The step as written (canonical quoting), for the transcript and error messages.
    std::string text;
    // Runs the step; throws StepFailure when it cannot be done or an expectation does not hold.
    std::function<void(ScenarioRun&)> run;
    // `expect running yes`: the scenario states that the program keeps running.
    bool expectsRunning = false;
    bool expectsStopped = false;
};

struct Scenario {
    // The desktop as the steps before `start` configure it (root folder aside).
    winsim::DesktopConfig desktop;
    std::vector<Step> steps;
};

// A step that failed: the run stops and the scenario fails with the step's line.
class StepFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace player
