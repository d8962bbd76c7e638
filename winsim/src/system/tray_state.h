// The icons of the notification area, for the inspection functions.
#pragma once

#include <winsim/wintypes.h>

#include <string>
#include <vector>

namespace winsim::system {

struct TrayIconRecord {
    HWND window = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0; // 0: the icon sends no messages
    HICON icon = nullptr;
    std::string tip;
    bool hidden = false;
    UINT version = 0;
};

// In the order they were added.
const std::vector<TrayIconRecord>& TrayIconList();
void ClickTrayIcon(HWND window, UINT id, int button);

} // namespace winsim::system
