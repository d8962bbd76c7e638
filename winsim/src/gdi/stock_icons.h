// The system's standard icons, for LoadIcon with no module.
#pragma once

#include <winsim/wingdi.h>

namespace winsim::gdi {

// The shared icon for an IDI_ value, or nullptr (ERROR_RESOURCE_NAME_NOT_FOUND) for others.
HICON StockIcon(LPCSTR name);
void ResetStockIcons();

} // namespace winsim::gdi
