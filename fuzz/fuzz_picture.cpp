// Picture files as the browser control loads them for a page's images (JPEG and BMP through
// the platform's picture loader): a damaged or hostile file gives no picture or a whole one.
#include "htmlview/src/ImageStore.h"

#include "HostFileWriter.h"

#include <winsim/sim.h>

#include <cstdint>

namespace {

const char kBitmapPath[] = "C:\\fuzz.bmp";
const char kJpegPath[] = "C:\\fuzz.jpg";
// The loader tells the formats apart by the file's name, as the page's addresses name them.
const HostFileWriter* gBitmap = nullptr;
const HostFileWriter* gJpeg = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    winsim::ResetDesktop();
    gBitmap = new HostFileWriter(kBitmapPath);
    gJpeg = new HostFileWriter(kJpegPath);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool bitmap = size > 1 && data[0] == 'B' && data[1] == 'M';
    (bitmap ? gBitmap : gJpeg)->Write(data, size);
    const char* path = bitmap ? kBitmapPath : kJpegPath;
    htmlview::internal::LoadPictureFile(path);
    return 0;
}
