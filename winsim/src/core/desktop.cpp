#include "core/areas.h"
#include "core/process_heap.h"
#include "core/shell.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/winerror.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace winsim {
namespace {

struct DesktopState {
    DesktopConfig config;
    std::string rootDir;
    bool ownsRootDir = false;

    ~DesktopState() { DropTemporaryRoot(); }

    void DropTemporaryRoot() {
        if (ownsRootDir) {
            std::error_code ignored;
            std::filesystem::remove_all(rootDir, ignored);
        }
        ownsRootDir = false;
    }
};

DesktopState& State() {
    static DesktopState state;
    return state;
}

std::string MakeTemporaryRoot() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/winsim-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        return std::string();
    }
    return pattern;
}

void EnsureStarted() {
    DesktopState& state = State();
    if (state.rootDir.empty()) {
        state.rootDir = MakeTemporaryRoot();
        state.ownsRootDir = true;
    }
}

} // namespace

void ResetDesktop(const DesktopConfig& config) {
    internal::KeepFreedMemoryInHeap();
    ScriptClear();
    internal::ResetUser();
    internal::ResetGdi();
    internal::ResetSystem();

    DesktopState& state = State();
    state.DropTemporaryRoot();
    state.config = config;
    state.rootDir = config.rootDir;
    if (!state.rootDir.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(state.rootDir, ignored);
    }
    EnsureStarted();
    internal::ShellStarted();
    SetLastError(ERROR_SUCCESS);
}

void SetProgramCommandLine(const std::string& commandLine) {
    State().config.commandLine = commandLine;
}

const DesktopConfig& Config() {
    return State().config;
}

const std::string& RootDir() {
    EnsureStarted();
    return State().rootDir;
}

} // namespace winsim

namespace {
// One simulated thread: the last-error value is the desktop's.
DWORD g_lastError = ERROR_SUCCESS;
} // namespace

DWORD GetLastError() {
    return g_lastError;
}

void SetLastError(DWORD dwErrCode) {
    g_lastError = dwErrCode;
}
