// The program's start-up is linked: `start` and `logon` run it.
#include "player/ProgramEntry.h"

namespace player {

ProgramEntry LinkedProgramEntry() {
    return [] { return VerbacapRun(); };
}

} // namespace player
