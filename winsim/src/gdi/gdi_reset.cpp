#include "core/areas.h"
#include "gdi/resets.h"
#include "gdi/stock_icons.h"

namespace winsim::internal {

void ResetGdi() {
    gdi::ResetImageLists();
    gdi::ResetIcons();
    gdi::ResetStockIcons();
    gdi::ResetObjects();
    gdi::ResetScreen();
    gdi::ResetFonts();
}

} // namespace winsim::internal
