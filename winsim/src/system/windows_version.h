// The Windows version the desktop imitates, and the look that goes with it.
#pragma once

#include <winsim/wintypes.h>

namespace winsim::system {

enum class Look {
    Standard95, // Windows 95, 98 and NT 4: grey 192 and navy captions
    Classic,    // Windows Me and 2000, and the classic theme of later versions
    Luna,       // Windows XP with its own theme
    Aero,       // Windows Vista and 7
    Modern,     // Windows 10
};

struct VersionInfo {
    DWORD major;
    DWORD minor;
    DWORD build;
    DWORD platform; // VER_PLATFORM_WIN32_WINDOWS or VER_PLATFORM_WIN32_NT
    const char* servicePack;
    WORD servicePackMajor;
    DWORD getVersion; // what GetVersion returns
};

// As the program sees it (Windows 8.1 and later report 6.2 to programs that do not declare
// them in their manifest).
const VersionInfo& CurrentVersion();
Look CurrentLook();

} // namespace winsim::system
