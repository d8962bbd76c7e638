// The `verbacap` executable's command line:
//   verbacap --scenario FILE [--out DIR] [--root DIR]
// Exit status 0 when every step ran and every expectation held; 1 with the failing line and the
// reason on the error stream; 2 for a command line, a scenario file or an output folder that
// cannot be used (nothing has run then).
#pragma once

#include "player/ProgramEntry.h"

#include <ostream>
#include <string>
#include <vector>

namespace player {

int PlayerMain(const std::vector<std::string>& args, const ProgramEntry& program, std::ostream& out,
               std::ostream& err);

} // namespace player
