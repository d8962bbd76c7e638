// Each area of the simulated desktop keeps its own state and clears it when the desktop is
// reset; ResetDesktop calls these in this order (windows go before the objects they use).
#pragma once

namespace winsim::internal {

void ResetUser();
void ResetGdi();
void ResetSystem();

} // namespace winsim::internal
