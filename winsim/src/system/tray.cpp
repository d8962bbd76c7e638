// The notification area: the icons that programs add, each with its tip, and the clicks on them.
#include "system/clipboard_state.h"
#include "system/system_state.h"
#include "system/taskbar.h"
#include "system/tray_state.h"

#include <winsim/shellapi.h>
#include <winsim/winerror.h>
#include <winsim/winuser.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace winsim::system {
namespace {

std::vector<TrayIconRecord>& Icons() {
    static std::vector<TrayIconRecord> icons;
    return icons;
}

TrayIconRecord* Find(HWND window, UINT id) {
    for (TrayIconRecord& icon : Icons()) {
        if (icon.window == window && icon.id == id) {
            return &icon;
        }
    }
    return nullptr;
}

// The tip holds at most 64 characters with its zero in the first version, 128 later.
std::string ReadTip(const NOTIFYICONDATAA& data) {
    size_t limit = data.cbSize == NOTIFYICONDATAA_V1_SIZE ? 64 : 128;
    return std::string(data.szTip, strnlen(data.szTip, limit - 1));
}

void Apply(TrayIconRecord& icon, const NOTIFYICONDATAA& data) {
    if (data.uFlags & NIF_MESSAGE) {
        icon.callbackMessage = data.uCallbackMessage;
    }
    if (data.uFlags & NIF_ICON) {
        icon.icon = data.hIcon;
    }
    if (data.uFlags & NIF_TIP) {
        icon.tip = ReadTip(data);
    }
    if ((data.uFlags & NIF_STATE) && data.cbSize != NOTIFYICONDATAA_V1_SIZE) {
        icon.hidden = ((data.dwState & data.dwStateMask) & NIS_HIDDEN) != 0;
    }
}

} // namespace

void ClickTrayIcon(HWND window, UINT id, int button) {
    TrayIconRecord* icon = Find(window, id);
    if (!icon || icon->hidden) {
        throw std::runtime_error("no tray icon to click");
    }
    if (icon->callbackMessage == 0) {
        return; // an icon without NIF_MESSAGE tells its window nothing
    }
    UINT down = button == 0 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    UINT up = button == 0 ? WM_LBUTTONUP : WM_RBUTTONUP;
    PostMessageA(window, icon->callbackMessage, id, down);
    PostMessageA(window, icon->callbackMessage, id, up);
}

const std::vector<TrayIconRecord>& TrayIconList() {
    return Icons();
}

void ResetTray() {
    Icons().clear();
}

} // namespace winsim::system

BOOL WINAPI Shell_NotifyIconA(DWORD dwMessage, PNOTIFYICONDATAA lpData) {
    using namespace winsim::system;
    if (!lpData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD size = lpData->cbSize;
    if (size != NOTIFYICONDATAA_V1_SIZE && size != NOTIFYICONDATAA_V2_SIZE &&
        size != NOTIFYICONDATAA_V3_SIZE && size != sizeof(NOTIFYICONDATAA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsLiveWindow(lpData->hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    TrayIconRecord* icon = Find(lpData->hWnd, lpData->uID);
    switch (dwMessage) {
    case NIM_ADD: {
        if (icon) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        TrayIconRecord added;
        added.window = lpData->hWnd;
        added.id = lpData->uID;
        Apply(added, *lpData);
        Icons().push_back(added);
        PaintTaskbar();
        return TRUE;
    }
    case NIM_MODIFY:
        if (!icon) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        Apply(*icon, *lpData);
        PaintTaskbar();
        return TRUE;
    case NIM_DELETE:
        if (!icon) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        Icons().erase(Icons().begin() + (icon - Icons().data()));
        PaintTaskbar();
        return TRUE;
    case NIM_SETFOCUS:
        if (!icon) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        return TRUE;
    case NIM_SETVERSION:
        if (!icon || size == NOTIFYICONDATAA_V1_SIZE || lpData->uVersion > 4) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        icon->version = lpData->uVersion;
        return TRUE;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}
