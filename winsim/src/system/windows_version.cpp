#include "system/windows_version.h"

#include <winsim/sim.h>
#include <winsim/winbase.h>
#include <winsim/winerror.h>

#include <cstring>
#include <string>

namespace winsim::system {
namespace {

const VersionInfo kWin95{4, 0, 950, VER_PLATFORM_WIN32_WINDOWS, "", 0, 0xC3B60004};
const VersionInfo kWin98{4, 10, 1998, VER_PLATFORM_WIN32_WINDOWS, "", 0, 0xC0000A04};
const VersionInfo kWinMe{4, 90, 3000, VER_PLATFORM_WIN32_WINDOWS, "", 0, 0xC0005A04};
const VersionInfo kNt4{4, 0, 1381, VER_PLATFORM_WIN32_NT, "Service Pack 6", 6, 0x05650004};
const VersionInfo kWin2000{5, 0, 2195, VER_PLATFORM_WIN32_NT, "Service Pack 4", 4, 0x08930005};
const VersionInfo kWinXp{5, 1, 2600, VER_PLATFORM_WIN32_NT, "Service Pack 3", 3, 0x0A280105};
const VersionInfo kVista{6, 0, 6002, VER_PLATFORM_WIN32_NT, "Service Pack 2", 2, 0x176A0006};
const VersionInfo kWin7{6, 1, 7601, VER_PLATFORM_WIN32_NT, "Service Pack 1", 1, 0x1DB10106};
// Windows 10 reports Windows 8's version to a program whose manifest does not name Windows 10.
const VersionInfo kWin10AsSeen{6, 2, 9200, VER_PLATFORM_WIN32_NT, "", 0, 0x23F00206};

} // namespace

const VersionInfo& CurrentVersion() {
    const std::string& name = Config().windowsVersion;
    if (name == "95") {
        return kWin95;
    }
    if (name == "98") {
        return kWin98;
    }
    if (name == "me") {
        return kWinMe;
    }
    if (name == "nt4") {
        return kNt4;
    }
    if (name == "2000") {
        return kWin2000;
    }
    if (name == "vista") {
        return kVista;
    }
    if (name == "7") {
        return kWin7;
    }
    if (name == "10") {
        return kWin10AsSeen;
    }
    return kWinXp;
}

Look CurrentLook() {
    const std::string& name = Config().windowsVersion;
    if (name == "95" || name == "98" || name == "nt4") {
        return Look::Standard95;
    }
    if (name == "me" || name == "2000" || Config().classicTheme) {
        return Look::Classic;
    }
    if (name == "vista" || name == "7") {
        return Look::Aero;
    }
    if (name == "10") {
        return Look::Modern;
    }
    return Look::Luna;
}

} // namespace winsim::system

DWORD WINAPI GetVersion() {
    return winsim::system::CurrentVersion().getVersion;
}

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    if (!lpVersionInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const winsim::system::VersionInfo& version = winsim::system::CurrentVersion();
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    // The extended record came with NT 4 Service Pack 6; the 95 family never knew it.
    bool extendedKnown = version.platform == VER_PLATFORM_WIN32_NT;
    if (size != sizeof(OSVERSIONINFOA) && !(size == sizeof(OSVERSIONINFOEXA) && extendedKnown)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    lpVersionInformation->dwMajorVersion = version.major;
    lpVersionInformation->dwMinorVersion = version.minor;
    // The 95 family keeps the version in the high word of the build number.
    lpVersionInformation->dwBuildNumber =
        version.platform == VER_PLATFORM_WIN32_WINDOWS
            ? (version.major << 24) | (version.minor << 16) | version.build
            : version.build;
    lpVersionInformation->dwPlatformId = version.platform;
    std::memset(lpVersionInformation->szCSDVersion, 0, sizeof(lpVersionInformation->szCSDVersion));
    std::strncpy(lpVersionInformation->szCSDVersion, version.servicePack,
                 sizeof(lpVersionInformation->szCSDVersion) - 1);
    if (size == sizeof(OSVERSIONINFOEXA)) {
        auto* extended = reinterpret_cast<LPOSVERSIONINFOEXA>(lpVersionInformation);
        extended->wServicePackMajor = version.servicePackMajor;
        extended->wServicePackMinor = 0;
        extended->wSuiteMask = 0x0100; // VER_SUITE_SINGLEUSERTS
        extended->wProductType = VER_NT_WORKSTATION;
        extended->wReserved = 0;
    }
    return TRUE;
}
