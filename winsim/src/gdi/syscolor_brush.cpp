#include "gdi/syscolor_brush.h"

#include "gdi/objects.h"

#include <winsim/winuser_system.h>

namespace winsim::gdi {

bool SysColorBrushColor(HBRUSH hbr, COLORREF& color) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(hbr);
    // COLOR_xxx + 1 stands for the colour; a real brush handle never has so small a value.
    if (value == 0 || value > COLOR_MENUBAR + 1 || FindObject(hbr)) {
        return false;
    }
    color = GetSysColor(static_cast<int>(value - 1));
    return true;
}

} // namespace winsim::gdi
