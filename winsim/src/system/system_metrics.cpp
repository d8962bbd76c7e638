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

int WINAPI GetSystemMetrics(int nIndex) {
    using winsim::system::CurrentNonClientSizes;
    const winsim::DesktopConfig& config = winsim::Config();
    winsim::system::NonClientSizes sizes = CurrentNonClientSizes();
    RECT work = winsim::system::WorkArea();
    bool classicFrames = winsim::system::CurrentLook() == winsim::system::Look::Standard95 ||
                         winsim::system::CurrentLook() == winsim::system::Look::Classic;
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
        return config.screenWidth;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return config.screenHeight;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
        return 0;
    case SM_CXVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXHTHUMB:
        return sizes.scrollWidth;
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CYVTHUMB:
        return sizes.scrollHeight;
    case SM_CYCAPTION:
        return sizes.captionHeight + 1;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return sizes.frame;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
        return sizes.menuHeight + 1;
    case SM_CXMENUSIZE:
        return sizes.menuWidth;
    case SM_CYMENUSIZE:
        return sizes.menuHeight;
    case SM_CXFULLSCREEN:
        return work.right - work.left;
    case SM_CYFULLSCREEN:
        return work.bottom - work.top - (sizes.captionHeight + 1);
    case SM_CYKANJIWINDOW:
        return 0;
    case SM_MOUSEPRESENT:
        return 1;
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
        return 0;
    case SM_DBCSENABLED: {
        const winsim::system::CodePage* page = winsim::system::FindCodePage(0);
        return page && page->doubleByte ? 1 : 0;
    }
    case SM_CMOUSEBUTTONS:
        return 3;
    case SM_MOUSEWHEELPRESENT:
        return 1;
    case SM_CXSIZE:
        return sizes.captionWidth;
    case SM_CYSIZE:
        return sizes.captionHeight;
    case SM_CXSMSIZE:
        return sizes.smallCaptionWidth;
    case SM_CYSMSIZE:
        return sizes.smallCaptionHeight;
    case SM_CYSMCAPTION:
        return sizes.smallCaptionHeight + 1;
    case SM_CXMIN:
    case SM_CXMINTRACK:
        return classicFrames ? 112 : 123;
    case SM_CYMIN:
    case SM_CYMINTRACK:
        return sizes.captionHeight + 1 + 2 * sizes.frame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXMINSPACING:
        return 160;
    case SM_CYMINSPACING:
        return sizes.captionHeight + 6;
    case SM_CXMINIMIZED:
        return 160;
    case SM_CYMINIMIZED:
        return sizes.captionHeight + 6;
    case SM_CXMAXTRACK:
        return config.screenWidth + 12;
    case SM_CYMAXTRACK:
        return config.screenHeight + 12;
    case SM_CXMAXIMIZED:
        return work.right - work.left + 2 * sizes.frame;
    case SM_CYMAXIMIZED:
        return work.bottom - work.top + 2 * sizes.frame;
    case SM_NETWORK:
        return 3;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
        return 1;
    default:
        return 0; // unknown metrics are 0, as on Windows
    }
}
