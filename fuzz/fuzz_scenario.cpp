// Scenario files through the player's parser: any file is read into steps or refused with a
// line and a message, never a crash, a hang or an exception.
#include "player/ScenarioParser.h"

#include <winsim/sim.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    winsim::ResetDesktop();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    player::Scenario scenario;
    player::ParseError error;
    if (!player::ParseScenario(std::string_view(reinterpret_cast<const char*>(data), size),
                               scenario, error) &&
        (error.line < 1 || error.message.empty())) {
        std::abort();
    }
    return 0;
}
