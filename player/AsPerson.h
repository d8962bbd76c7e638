// Runs a call of the scripted person inside a step: its refusal (no menu open, no such item,
// a character it cannot type, a window gone) becomes the step's failure, while what ends the
// run anyway (a failure already, the script running out) passes through unchanged.
#pragma once

#include "player/Scenario.h"

#include <winsim/script.h>

#include <stdexcept>

namespace player {

template <typename Call> void AsPerson(Call call) {
    try {
        call();
    } catch (const StepFailure&) {
        throw;
    } catch (const winsim::ScriptExhausted&) {
        throw;
    } catch (const std::logic_error& error) {
        throw StepFailure(error.what());
    } catch (const std::runtime_error& error) {
        throw StepFailure(error.what());
    }
}

} // namespace player
