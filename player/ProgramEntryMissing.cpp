// This build has no program start-up yet: `start` and `logon` say so instead of running.
#include "player/ProgramEntry.h"

namespace player {

ProgramEntry LinkedProgramEntry() {
    return {};
}

} // namespace player
