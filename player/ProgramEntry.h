// How the player starts the program on the simulated desktop.
#pragma once

#include <functional>

namespace player {

// Runs one start of the program: its start-up with the desktop's command line
// (GetCommandLineA), its main dialog's modal run, and its end; returns the exit code once the
// program has ended. While the program waits for input, its loops run the scenario's next steps
// (winsim/script.h). An empty entry starts nothing: `start` then fails.
using ProgramEntry = std::function<int()>;

// The application's start as the executable's entry runs it: the application object linked
// into the executable.
ProgramEntry LinkedProgramEntry();

} // namespace player
