#include "menu/IconVariants.h"

#include "menu/ColorBlend.h"
#include "platform/GdiHandles.h"

#include <algorithm>

namespace {

// What an effect does to one pixel, given its value and whether it is background; it returns
// the new value, or CLR_INVALID to leave the pixel alone.
using PixelRule = COLORREF (*)(COLORREF pixel, bool background, COLORREF argument);

// The value GetPixel gives for reference on a bitmap like the one selected into imageDc: a
// scratch bitmap of the same format is filled with it and its pixel (1, 1) read back. The
// scratch bitmap is at least 2 x 2, so that pixel exists even for the narrowest image.
COLORREF RenderedColour(HDC imageDc, int width, int height, COLORREF reference) {
    OwnedGdiObject scratch(
        CreateCompatibleBitmap(imageDc, std::max(width, 2), std::max(height, 2)));
    OwnedGdiObject brush(CreateSolidBrush(reference));
    OwnedMemoryDc scratchDc(imageDc);
    if (!scratch || !brush || !scratchDc) {
        return CLR_INVALID;
    }
    ScopedSelection selected(scratchDc.Get(), scratch.Get());
    if (!selected) {
        return CLR_INVALID;
    }
    const RECT all = {0, 0, std::max(width, 2), std::max(height, 2)};
    if (!FillRect(scratchDc.Get(), &all, static_cast<HBRUSH>(brush.Get()))) {
        return CLR_INVALID;
    }
    return GetPixel(scratchDc.Get(), 1, 1);
}

// The frame the effects share: selects the bitmap, finds the rendered background value, and
// visits the pixels column by column, top to bottom within each column.
bool ApplyToPixels(HBITMAP bitmap, COLORREF reference, PixelRule rule, COLORREF argument) {
    BITMAP info = {};
    if (bitmap == NULL || GetObjectA(bitmap, sizeof(info), &info) == 0) {
        return false;
    }
    OwnedMemoryDc imageDc(NULL);
    if (!imageDc) {
        return false;
    }
    ScopedSelection selected(imageDc.Get(), bitmap);
    if (!selected) {
        return false;
    }
    const COLORREF background =
        RenderedColour(imageDc.Get(), info.bmWidth, info.bmHeight, reference);
    if (background == CLR_INVALID) {
        return false;
    }
    for (int x = 0; x < info.bmWidth; ++x) {
        for (int y = 0; y < info.bmHeight; ++y) {
            const COLORREF pixel = GetPixel(imageDc.Get(), x, y);
            if (pixel == CLR_INVALID) {
                continue;
            }
            const COLORREF changed = rule(pixel, pixel == background, argument);
            if (changed != CLR_INVALID) {
                SetPixel(imageDc.Get(), x, y, changed);
            }
        }
    }
    return true;
}

COLORREF PaintBackground(COLORREF, bool background, COLORREF buttonFace) {
    return background ? buttonFace : CLR_INVALID;
}

COLORREF Fade(COLORREF pixel, bool background, COLORREF) {
    return background ? CLR_INVALID : BlendToWhite(pixel, 0.3);
}

COLORREF Silhouette(COLORREF, bool background, COLORREF buttonShadow) {
    return background ? CLR_INVALID : buttonShadow;
}

// The argument is the new background colour, 0 for none.
COLORREF Disable(COLORREF pixel, bool background, COLORREF newBackground) {
    if (background) {
        return newBackground != 0 ? newBackground : CLR_INVALID;
    }
    const int brightness = (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel)) / 3;
    return BlendToWhite(GetSysColor(COLOR_BTNSHADOW), brightness / 255.0);
}

} // namespace

bool ReplaceBackground(HBITMAP bitmap) {
    return ApplyToPixels(bitmap, RGB(192, 192, 192), PaintBackground, GetSysColor(COLOR_BTNFACE));
}

bool MakeFadedImage(HBITMAP bitmap) {
    return ApplyToPixels(bitmap, GetSysColor(COLOR_BTNFACE), Fade, 0);
}

bool MakeShadowImage(HBITMAP bitmap) {
    return ApplyToPixels(bitmap, GetSysColor(COLOR_BTNFACE), Silhouette,
                         GetSysColor(COLOR_BTNSHADOW));
}

bool MakeDisabledImage(HBITMAP bitmap, COLORREF background) {
    return ApplyToPixels(bitmap, GetSysColor(COLOR_BTNFACE), Disable, background);
}
