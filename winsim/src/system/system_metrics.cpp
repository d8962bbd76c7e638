// System metrics and parameters of the imitated version and look at the configured screen size.
#include "system/codepage.h"
#include "system/system_metrics.h"
#include "system/windows_version.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>
#include <winsim/winuser_system.h>

namespace winsim::system {

NonClientSizes CurrentNonClientSizes() {
    switch (CurrentLook()) {
    case Look::Standard95:
    case Look::Classic:
        return NonClientSizes{1, 16, 16, 18, 18, 12, 15, 18, 18, 28, 4};
    case Look::Luna:
        return NonClientSizes{1, 17, 17, 18, 25, 17, 17, 18, 19, 30, 4};
    case Look::Aero:
        return NonClientSizes{1, 17, 17, 36, 21, 22, 21, 19, 19, 40, 8};
    case Look::Modern:
        return NonClientSizes{1, 17, 17, 36, 22, 22, 22, 19, 19, 40, 8};
    }
    return NonClientSizes{};
}

RECT WorkArea() {
    const DesktopConfig& config = Config();
    return RECT{0, 0, config.screenWidth, config.screenHeight - CurrentNonClientSizes().taskbar};
}

} // namespace winsim::system

// The screen, the work area and what a maximised window covers.
static bool ScreenMetric(int nIndex, int* value) {
    const winsim::DesktopConfig& config = winsim::Config();
    const winsim::system::NonClientSizes sizes = winsim::system::CurrentNonClientSizes();
    const RECT work = winsim::system::WorkArea();
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
        *value = config.screenWidth;
        return true;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        *value = config.screenHeight;
        return true;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
        *value = 0;
        return true;
    case SM_CXFULLSCREEN:
        *value = work.right - work.left;
        return true;
    case SM_CYFULLSCREEN:
        *value = work.bottom - work.top - (sizes.captionHeight + 1);
        return true;
    case SM_CXMAXTRACK:
        *value = config.screenWidth + 12;
        return true;
    case SM_CYMAXTRACK:
        *value = config.screenHeight + 12;
        return true;
    case SM_CXMAXIMIZED:
        *value = work.right - work.left + 2 * sizes.frame;
        return true;
    case SM_CYMAXIMIZED:
        *value = work.bottom - work.top + 2 * sizes.frame;
        return true;
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
        *value = 1;
        return true;
    default:
        return false;
    }
}

// Frames, borders, captions, menus and scroll bars, in the current look.
static bool FrameMetric(int nIndex, int* value) {
    const winsim::system::NonClientSizes sizes = winsim::system::CurrentNonClientSizes();
    const bool classicFrames = winsim::system::CurrentLook() == winsim::system::Look::Standard95 ||
                               winsim::system::CurrentLook() == winsim::system::Look::Classic;
    switch (nIndex) {
    case SM_CXVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXHTHUMB:
        *value = sizes.scrollWidth;
        return true;
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CYVTHUMB:
        *value = sizes.scrollHeight;
        return true;
    case SM_CYCAPTION:
        *value = sizes.captionHeight + 1;
        return true;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        *value = 1;
        return true;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        *value = 3;
        return true;
    case SM_CXFRAME:
    case SM_CYFRAME:
        *value = sizes.frame;
        return true;
    case SM_CYMENU:
        *value = sizes.menuHeight + 1;
        return true;
    case SM_CXMENUSIZE:
        *value = sizes.menuWidth;
        return true;
    case SM_CYMENUSIZE:
        *value = sizes.menuHeight;
        return true;
    case SM_CYKANJIWINDOW:
        *value = 0;
        return true;
    case SM_CXSIZE:
        *value = sizes.captionWidth;
        return true;
    case SM_CYSIZE:
        *value = sizes.captionHeight;
        return true;
    case SM_CXSMSIZE:
        *value = sizes.smallCaptionWidth;
        return true;
    case SM_CYSMSIZE:
        *value = sizes.smallCaptionHeight;
        return true;
    case SM_CYSMCAPTION:
        *value = sizes.smallCaptionHeight + 1;
        return true;
    case SM_CXMIN:
    case SM_CXMINTRACK:
        *value = classicFrames ? 112 : 123;
        return true;
    case SM_CYMIN:
    case SM_CYMINTRACK:
        *value = sizes.captionHeight + 1 + 2 * sizes.frame;
        return true;
    case SM_CXEDGE:
    case SM_CYEDGE:
        *value = 2;
        return true;
    default:
        return false;
    }
}

// Icons, cursors, the spacing of icons and minimised windows, and the mouse's double-click
// and drag rectangles.
static bool IconAndMouseMetric(int nIndex, int* value) {
    const winsim::system::NonClientSizes sizes = winsim::system::CurrentNonClientSizes();
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        *value = 32;
        return true;
    case SM_CXSMICON:
    case SM_CYSMICON:
        *value = 16;
        return true;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        *value = 4;
        return true;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        *value = 75;
        return true;
    case SM_CXMINSPACING:
        *value = 160;
        return true;
    case SM_CYMINSPACING:
        *value = sizes.captionHeight + 6;
        return true;
    case SM_CXMINIMIZED:
        *value = 160;
        return true;
    case SM_CYMINIMIZED:
        *value = sizes.captionHeight + 6;
        return true;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        *value = 13;
        return true;
    default:
        return false;
    }
}

// What the system has and is: a mouse, its buttons, double-byte text, a network, a debug
// build...
static bool SystemFlagMetric(int nIndex, int* value) {
    switch (nIndex) {
    case SM_MOUSEPRESENT:
        *value = 1;
        return true;
    case SM_DEBUG:
    case SM_SWAPBUTTON:
    case SM_PENWINDOWS:
    case SM_SECURE:
    case SM_MENUDROPALIGNMENT:
    case SM_CLEANBOOT:
    case SM_SLOWMACHINE:
    case SM_MIDEASTENABLED:
    case SM_SHOWSOUNDS:
    case SM_REMOTESESSION:
    case SM_ARRANGE:
        *value = 0;
        return true;
    case SM_DBCSENABLED: {
        const winsim::system::CodePage* page = winsim::system::FindCodePage(0);
        *value = page && page->doubleByte ? 1 : 0;
        return true;
    }
    case SM_CMOUSEBUTTONS:
        *value = 3;
        return true;
    case SM_MOUSEWHEELPRESENT:
        *value = 1;
        return true;
    case SM_NETWORK:
        *value = 3;
        return true;
    default:
        return false;
    }
}

int WINAPI GetSystemMetrics(int nIndex) {
    int value = 0;
    if (ScreenMetric(nIndex, &value) || FrameMetric(nIndex, &value) ||
        IconAndMouseMetric(nIndex, &value) || SystemFlagMetric(nIndex, &value)) {
        return value;
    }
    return 0; // unknown metrics are 0, as on Windows
}
