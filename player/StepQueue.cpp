#include "player/StepQueue.h"

#include <winsim/script.h>

#include <utility>

namespace player {

void StepQueue::Append(std::string description, std::function<void()> action) {
    actions_.push_back(Action{std::move(description), std::move(action)});
    KeepOneWaiting();
}

void StepQueue::FollowUp(std::string description, std::function<void()> action) {
    actions_.insert(actions_.begin() + static_cast<std::ptrdiff_t>(followUps_),
                    Action{std::move(description), std::move(action)});
    ++followUps_;
    KeepOneWaiting();
}

void StepQueue::KeepOneWaiting() {
    if (waiting_ || actions_.empty()) {
        return;
    }
    waiting_ = true;
    winsim::ScriptPush(actions_.front().description, [this] { RunFront(); });
}

void StepQueue::RunFront() {
    waiting_ = false;
    Action action = std::move(actions_.front());
    actions_.pop_front();
    followUps_ = 0;
    // The next action waits before this one runs: this one may start the program, whose loops
    // then take it.
    KeepOneWaiting();
    action.run();
}

} // namespace player
