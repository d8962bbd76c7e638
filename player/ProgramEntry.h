// The program's start on the simulated desktop, as the `verbacap` executable calls it.
//
// `VerbacapRun` is what a start of Verbacap.exe does: the application's start-up with the
// desktop's command line (GetCommandLineA), the main dialog's modal run, and the end of the
// program; it returns when the program has ended, with the program's exit code. While the
// program waits for input, its loops run the scenario's next steps (winsim/script.h).
#pragma once

#include <functional>

extern "C" int VerbacapRun(void);

namespace player {

// How the player starts the program; empty when this build has no program to start.
using ProgramEntry = std::function<int()>;

// The entry this build links: VerbacapRun, or nothing while the program's start-up is missing.
ProgramEntry LinkedProgramEntry();

} // namespace player
