#include "gdi/dc.h"

#include "gdi/color.h"

#include <winsim/sim.h>

namespace winsim::gdi {
namespace {

// The desktop's background colour, one of the static colours so that it looks the same at
// every depth.
constexpr COLORREF kDesktopColor = RGB(0, 128, 128);

Surface& ScreenStorage() {
    static Surface screen;
    return screen;
}

} // namespace

Surface& Screen() {
    Surface& s = ScreenStorage();
    if (!s.ops) {
        // Made on first use after a reset, so that it follows the new desktop's configuration.
        const DesktopConfig& config = Config();
        if (!InitSurface(s, config.screenWidth, config.screenHeight, config.displayBits,
                         DdbModelFor(config.displayBits))) {
            InitSurface(s, 1024, 768, 32, ColorModel::Rgb888);
        }
        SystemPalette() = DefaultSystemPalette();
        const uint32_t background = RgbToPixel(s, kDesktopColor);
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < s.width; ++x) {
                s.Put(x, y, background);
            }
        }
    }
    return s;
}

void ResetScreen() {
    Surface& s = ScreenStorage();
    s = Surface();
    SystemPalette() = DefaultSystemPalette();
}

} // namespace winsim::gdi
