// The scripted person at the desktop. Tests and the scenario player queue steps; the simulated
// desktop runs the next step whenever the program waits for input (an empty message queue in a
// message loop, a modal loop, an open menu or dialog). When the program waits and no step is
// left, the run ends with ScriptExhausted, naming what was open, instead of hanging.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace winsim {

class ScriptExhausted : public std::runtime_error {
public:
    explicit ScriptExhausted(const std::string& waitingIn)
        : std::runtime_error("the program waits for input in " + waitingIn +
                             ", but the script has no step left") {}
};

// Appends a step. The description names it in errors and transcripts.
void ScriptPush(std::string description, std::function<void()> step);

// Runs the next step, if any; returns false when the script is empty.
bool ScriptRunNext();

// Number of steps not yet run.
size_t ScriptPending();

// Description of the step that runs now, or of the last one run.
const std::string& ScriptCurrentStep();

// Drops every step not yet run (also done by ResetDesktop).
void ScriptClear();

// For a loop that waits for input: runs the next step, or throws ScriptExhausted naming the
// loop ("the main dialog's modal loop", "the menu 'Fonctions'", "the save-file dialog" ...).
void ScriptStepOrFail(const std::string& waitingIn);

} // namespace winsim
