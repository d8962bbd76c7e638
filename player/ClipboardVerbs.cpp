// The steps of other programs that use the clipboard.
#include "player/VerbSupport.h"

#include <winsim/sim_system.h>

#include <cmath>

namespace player {

bool BuildClipboardHeld(BuildContext& c) {
    double seconds = 0;
    if (!ParseSeconds(c.Arg(0), seconds)) {
        return c.Fail("'" + c.Arg(0) + "' is not a number of seconds");
    }
    const DWORD milliseconds = static_cast<DWORD>(std::lround(seconds * 1000));
    c.step.run = [milliseconds](ScenarioRun&) {
        winsim::HoldClipboardAsOtherProgram(milliseconds);
    };
    return true;
}

} // namespace player
