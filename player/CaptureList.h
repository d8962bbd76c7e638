// The program's capture list as scenarios check it: the stored texts of its entries, oldest
// first. The list is read from the running main dialog through a reader that the executable
// links in with the program, so that the player's own tests can run without the program.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace player {

// Gives the stored texts (in the desktop's ANSI code page); throws StepFailure when the program
// does not run.
using CaptureListReader = std::function<std::vector<std::string>()>;

// Called once by the build that links the program.
void SetCaptureListReader(CaptureListReader reader);

// The texts through the reader; throws StepFailure when no reader is linked in or the program
// does not run.
std::vector<std::string> ReadCaptureList();

} // namespace player
