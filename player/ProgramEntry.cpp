// `start` and `logon` run the linked application object the way the executable's entry does on
// Windows.
#include "player/ProgramEntry.h"

#include "framework/CWinApp.h"

namespace player {

ProgramEntry LinkedProgramEntry() {
    return [] { return AfxRunApplication(); };
}

} // namespace player
