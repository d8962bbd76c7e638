// What the steps of one scenario run share: the program (started or not), the output folder,
// and what the steps have stated about the program's end.
#pragma once

#include "player/ProgramEntry.h"

#include <winsim/wintypes.h>

#include <filesystem>
#include <functional>
#include <string>

namespace player {

class ScenarioRun {
public:
    ScenarioRun(ProgramEntry program, std::filesystem::path outDir)
        : program_(std::move(program)), outDir_(std::move(outDir)) {}

    const std::filesystem::path& OutDir() const { return outDir_; }

    // Starts the program with this command line (empty: the quoted program path) and returns
    // when it has ended; the steps that follow run inside its loops meanwhile. Throws
    // StepFailure when it cannot start.
    void StartProgram(const std::string& commandLine);
    // Starts the program as a log-on does: with the data of its Run value as the command line.
    void LogOn();

    bool ProgramRunning() const { return running_; }
    int Starts() const { return starts_; }
    int LastExitCode() const { return lastExitCode_; }

    // `expect running yes|no` held: the last such statement decides whether a scenario that
    // ends with the program still waiting for input ends as intended.
    void NoteRunningStated(bool running) { statedRunning_ = running; }
    bool StatedRunning() const { return statedRunning_; }

    // Runs `action` the next time the program waits for input, before the scenario's next step
    // (at once when nothing provides for follow-ups).
    void FollowUp(std::function<void()> action) {
        if (followUps_) {
            followUps_(std::move(action));
        } else {
            action();
        }
    }
    void SetFollowUps(std::function<void(std::function<void()>)> followUps) {
        followUps_ = std::move(followUps);
    }

    // The window that the last `msgbox` or `dialog` step opened (for `foreground last`).
    HWND LastOpened() const { return lastOpened_; }
    void NoteOpened(HWND window) { lastOpened_ = window; }

private:
    ProgramEntry program_;
    std::filesystem::path outDir_;
    bool running_ = false;
    int starts_ = 0;
    int lastExitCode_ = 0;
    bool statedRunning_ = false;
    HWND lastOpened_ = nullptr;
    std::function<void(std::function<void()>)> followUps_;
};

} // namespace player
