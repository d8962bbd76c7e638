#include "core/areas.h"
#include "gdi/resets.h"

namespace winsim::internal {

void ResetGdi() {
    gdi::ResetImageLists();
    gdi::ResetIcons();
    gdi::ResetObjects();
    gdi::ResetScreen();
    gdi::ResetFonts();
}

} // namespace winsim::internal
