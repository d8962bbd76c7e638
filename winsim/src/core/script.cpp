#include <winsim/script.h>

#include <deque>
#include <utility>

namespace winsim {
namespace {

struct Step {
    std::string description;
    std::function<void()> run;
};

struct ScriptState {
    std::deque<Step> steps;
    std::string current;
};

ScriptState& State() {
    static ScriptState state;
    return state;
}

} // namespace

void ScriptPush(std::string description, std::function<void()> step) {
    State().steps.push_back(Step{std::move(description), std::move(step)});
}

bool ScriptRunNext() {
    ScriptState& state = State();
    if (state.steps.empty()) {
        return false;
    }
    Step step = std::move(state.steps.front());
    state.steps.pop_front();
    state.current = step.description;
    step.run();
    return true;
}

size_t ScriptPending() {
    return State().steps.size();
}

const std::string& ScriptCurrentStep() {
    return State().current;
}

void ScriptClear() {
    State().steps.clear();
    State().current.clear();
}

void ScriptStepOrFail(const std::string& waitingIn) {
    if (!ScriptRunNext()) {
        throw ScriptExhausted(waitingIn);
    }
}

} // namespace winsim
