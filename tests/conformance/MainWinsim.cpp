// The suite's entry on the simulated desktop: a fresh desktop, then the same tests as on Windows.
// Never under Wine here.
#include "tests/conformance/Conformance.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

namespace conformance {

bool RunningOnWine() {
    return false;
}

bool RunningOnSimulator() {
    return true;
}

} // namespace conformance

int main() {
    winsim::ResetDesktop();
    // On a real desktop the clock runs by itself while a modal loop waits; here the scripted
    // person lets it run, so that timers fire inside message boxes as they do there.
    for (int step = 0; step < 100; ++step) {
        winsim::ScriptPush("let time pass", [] { winsim::LetTimePass(100); });
    }
    return conformance::RunAll();
}
