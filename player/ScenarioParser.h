// Reads a whole scenario file into steps before anything runs, so that a fault anywhere in the
// file stops it before the desktop is touched.
#pragma once

#include "player/Scenario.h"

#include <string>
#include <string_view>

namespace player {

struct ParseError {
    int line = 0;
    std::string message;
};

bool ParseScenario(std::string_view text, Scenario& scenario, ParseError& error);

} // namespace player
