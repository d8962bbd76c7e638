#include "gdi/syscolor_brush.h"

namespace winsim::gdi {

bool SysColorBrushColor(HBRUSH hbr, COLORREF& color) {
    // Not yet connected to the system colours: no handle is taken for a colour index.
    (void)hbr;
    (void)color;
    return false;
}

} // namespace winsim::gdi
