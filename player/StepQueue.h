// Feeds a scenario to the desktop's script one action at a time. One action waits on the
// script while there is work: whoever waits for input next (the program's loops, or the player
// itself) runs it. So a step can ask for follow-up actions that run the next time the program
// waits for input, after it has handled what the step did and before the scenario's next step
// (a click into a field, then keys typed into it once it has the focus).
#pragma once

#include <deque>
#include <functional>
#include <string>

namespace player {

class StepQueue {
public:
    // Appends an action (a step of the scenario).
    void Append(std::string description, std::function<void()> action);

    // Adds an action that runs after the action running now and its earlier follow-ups, before
    // anything appended.
    void FollowUp(std::string description, std::function<void()> action);

private:
    struct Action {
        std::string description;
        std::function<void()> run;
    };

    void KeepOneWaiting();
    void RunFront();

    std::deque<Action> actions_;
    // Follow-ups that the action running now has put at the front.
    size_t followUps_ = 0;
    bool waiting_ = false;
};

} // namespace player
