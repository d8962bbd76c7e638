// Picture files as the browser control loads them for a page's images (JPEG and BMP through
// the platform's picture loader): a damaged or hostile file gives no picture or a whole one.
#include "htmlview/src/ImageStore.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    winsim::ResetDesktop();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path =
        size > 1 && data[0] == 'B' && data[1] == 'M' ? "C:\\fuzz.bmp" : "C:\\fuzz.jpg";
    const std::optional<std::string> host = winsim::HostPath(path);
    if (!host) {
        std::abort();
    }
    std::ofstream(*host, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    htmlview::internal::LoadPictureFile(path);
    return 0;
}
