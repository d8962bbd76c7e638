// Icons: a colour image in the display's format and a monochrome AND mask of the same size
// (1 where the screen shows through).
#pragma once

#include "gdi/surface.h"

namespace winsim::gdi {

struct IconData {
    int width = 0;
    int height = 0;
    bool isIcon = true;
    DWORD hotX = 0, hotY = 0;
    Surface color; // display format
    Surface mask;  // 1 bit
};

IconData* FindIcon(HICON h);
HICON AddIcon(IconData data);

// Converts any surface into a display-format surface of the same size, colour by colour.
Surface ToDisplayFormat(const Surface& src);

// Samples a surface at another size (nearest pixel).
Surface Resample(const Surface& src, int width, int height);

} // namespace winsim::gdi
