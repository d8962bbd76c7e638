// The program module's file name and command line, as the desktop is configured.
#include "system/system_state.h"

#include <winsim/sim.h>
#include <winsim/winbase.h>
#include <winsim/winerror.h>
#include <winsim/winres.h>

#include <cstring>
#include <string>

namespace winsim::system {
namespace {

std::string& CommandLineStorage() {
    static std::string commandLine;
    return commandLine;
}

} // namespace

void ResetModule() {
    CommandLineStorage().clear();
}

} // namespace winsim::system

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (!winsim::system::IsProgramModule(hModule)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string& path = winsim::Config().exePath;
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() + 1 > nSize) {
        // Cut and terminated (as since Windows Vista); the result is the buffer's size.
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

LPSTR WINAPI GetCommandLineA() {
    std::string& commandLine = winsim::system::CommandLineStorage();
    const winsim::DesktopConfig& config = winsim::Config();
    // The buffer changes only when a new start of the program was given another command line.
    std::string current =
        config.commandLine.empty() ? "\"" + config.exePath + "\"" : config.commandLine;
    if (commandLine != current) {
        commandLine = current;
    }
    return commandLine.data();
}

namespace winsim::system {

bool IsProgramModule(HMODULE module) {
    return module == nullptr || module == GetModuleHandleA(nullptr);
}

} // namespace winsim::system
