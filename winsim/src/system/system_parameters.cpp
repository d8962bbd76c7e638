// SystemParametersInfoA: the parameters the program and its framework read.
#include "system/system_metrics.h"
#include "system/windows_version.h"

#include <winsim/winerror.h>
#include <winsim/winuser_system.h>

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
    using winsim::system::CurrentLook;
    using winsim::system::Look;
    if (!pvParam) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    switch (uiAction) {
    case SPI_GETWORKAREA:
        *static_cast<RECT*>(pvParam) = winsim::system::WorkArea();
        return TRUE;
    case SPI_GETFLATMENU:
        // Flat menus came with Windows XP's own theme.
        *static_cast<BOOL*>(pvParam) = CurrentLook() == Look::Luna || CurrentLook() == Look::Aero ||
                                               CurrentLook() == Look::Modern
                                           ? TRUE
                                           : FALSE;
        return TRUE;
    case SPI_GETKEYBOARDCUES:
        *static_cast<BOOL*>(pvParam) = FALSE; // underlines appear only with the keyboard
        return TRUE;
    case SPI_GETMENUANIMATION:
    case SPI_GETMENUFADE:
        *static_cast<BOOL*>(pvParam) = FALSE; // the desktop draws menus at once
        return TRUE;
    case SPI_GETDROPSHADOW:
        *static_cast<BOOL*>(pvParam) =
            CurrentLook() != Look::Standard95 && CurrentLook() != Look::Classic ? TRUE : FALSE;
        return TRUE;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}
