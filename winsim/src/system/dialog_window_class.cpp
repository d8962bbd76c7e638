#include "system/dialog_window_class.h"

namespace winsim::system {

void RegisterDialogControlClass(const char* name, WNDPROC procedure, UINT style) {
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, name, &existing)) {
        return;
    }
    WNDCLASSA windowClass{};
    windowClass.style = style | CS_GLOBALCLASS;
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

} // namespace winsim::system
