// The brushes of the system colours. Windows keeps one per colour for the whole session; here
// one is made at the first request and made again should the program have deleted it.
#include "system/system_colors.h"
#include "system/system_state.h"

#include <winsim/wingdi.h>
#include <winsim/winuser_system.h>

#include <array>

namespace winsim::system {
namespace {

std::array<HBRUSH, kSysColorCount>& Brushes() {
    static std::array<HBRUSH, kSysColorCount> brushes{};
    return brushes;
}

} // namespace

void ResetSysColorBrushes() {
    // The GDI objects went with the previous desktop.
    Brushes().fill(nullptr);
}

} // namespace winsim::system

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    if (!winsim::system::SysColorIndexValid(nIndex)) {
        return nullptr;
    }
    HBRUSH& brush = winsim::system::Brushes()[static_cast<size_t>(nIndex)];
    if (!brush || GetObjectType(brush) != OBJ_BRUSH) {
        brush = CreateSolidBrush(GetSysColor(nIndex));
    }
    return brush;
}
