#include "core/areas.h"
#include "system/paths.h"
#include "system/system_state.h"

namespace winsim::internal {

void ResetSystem() {
    // The clipboard frees what it owns before the global memory goes.
    system::ResetClipboard();
    system::ResetSaveDialog();
    system::ResetTray();
    system::ResetSound();
    system::ResetSysColorBrushes();
    system::ResetGlobalMemory();
    system::ResetRegistry();
    system::ResetModule();
    system::ResetCom();
    system::ResetPaths();
}

} // namespace winsim::internal
