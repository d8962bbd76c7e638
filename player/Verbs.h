// The verbs of the scenario language: each checks its arguments when the file is read and
// builds the action that runs the step.
#pragma once

#include "player/Scenario.h"
#include "player/Tokenizer.h"

#include <winsim/sim.h>

#include <string>
#include <vector>

namespace player {

class StepBuilder {
public:
    // Steps that configure the desktop write into `desktop`.
    explicit StepBuilder(winsim::DesktopConfig& desktop) : desktop_(desktop) {}

    // Builds the step of one line (its words); false with `error` for a fault in the line.
    bool Build(const std::vector<Token>& tokens, Step& step, std::string& error);

private:
    winsim::DesktopConfig& desktop_;
    bool programStarted_ = false;
};

// The words joined again, quoted where needed, as the transcript shows a step.
std::string StepText(const std::vector<Token>& tokens);

} // namespace player
