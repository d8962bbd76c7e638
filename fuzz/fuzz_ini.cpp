// Settings files as any editor or another program may leave them, read through the profile
// functions the program's settings use: every value read is bounded and ends in zero.
#include "HostFileWriter.h"

#include <winsim/sim.h>
#include <winsim/windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The file as another program would leave it, written straight into the desktop's folder.
const HostFileWriter* gFile = nullptr;

void CheckString(const char* section, const char* key) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    const DWORD length =
        GetPrivateProfileStringA(section, key, "default", buffer, 32, "Verbacap.INI");
    // At most the buffer less one (or two for the lists of names), then the zero; nothing
    // written behind the 32 bytes given.
    if (length > 31 || buffer[32] != 'x') {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    winsim::ResetDesktop();
    gFile = new HostFileWriter("C:\\WINDOWS\\Verbacap.INI");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gFile->Write(data, size);
    for (const char* key : {"VK", "Mod", "CopyAll", "MinimizeToTray"}) {
        GetPrivateProfileIntA("Settings", key, 0, "Verbacap.INI");
        CheckString("Settings", key);
    }
    CheckString("Settings", nullptr);
    CheckString(nullptr, nullptr);
    return 0;
}
