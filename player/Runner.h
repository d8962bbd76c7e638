// Plays a parsed scenario on a fresh simulated desktop.
//
// Every step goes onto the desktop's script queue. The player runs the queue; `start` runs the
// program, whose loops run the following steps whenever it waits for input; when the program
// ends, the player runs what is left. A scenario ends when its last step has run. If the program
// then still waits for input, the run ends there: as intended when the scenario has stated
// `expect running yes` last, and otherwise as a failure that names what the program waits in.
#pragma once

#include "player/ProgramEntry.h"
#include "player/Scenario.h"
#include "player/Transcript.h"

#include <filesystem>
#include <string>

namespace player {

struct RunOptions {
    std::filesystem::path outDir = "out";
    // Host folder behind drive C:; empty for a fresh temporary one.
    std::string rootDir;
};

struct RunResult {
    bool passed = true;
    // The failing step's line and the reason, when not passed.
    int line = 0;
    std::string reason;
};

RunResult RunScenario(const Scenario& scenario, const RunOptions& options,
                      const ProgramEntry& program, Transcript& transcript);

} // namespace player
