#include "menu/DisabledIcon.h"

#include "platform/GdiHandles.h"
#include "menu/IconVariants.h"

namespace {

// Destination XOR (source AND (pattern XOR destination)): the brush where the source is white,
// the destination unchanged where it is black.
constexpr DWORD kPaintBrushThroughMask = 0x00E20746;

} // namespace

bool DrawEmbossed(HDC dc, int x, int y, int width, int height, HBITMAP bitmap,
                  COLORREF background) {
    if (dc == NULL || bitmap == NULL || width <= 0 || height <= 0) {
        return false;
    }
    OwnedGdiObject highlightBrush(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
    OwnedGdiObject shadowBrush(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    OwnedGdiObject backgroundBrush(CreateSolidBrush(background));
    OwnedMemoryDc maskDc(NULL);
    OwnedMemoryDc colourDc(NULL);
    if (!highlightBrush || !shadowBrush || !backgroundBrush || !maskDc || !colourDc) {
        return false;
    }
    // A fresh memory device context holds a monochrome bitmap, so this mask is monochrome.
    OwnedGdiObject mask(CreateCompatibleBitmap(maskDc.Get(), width, height));
    if (!mask) {
        return false;
    }
    ScopedSelection maskSelected(maskDc.Get(), mask.Get());
    ScopedSelection colourSelected(colourDc.Get(), bitmap);
    if (!maskSelected || !colourSelected) {
        return false;
    }
    HDC maskBits = maskDc.Get();
    HDC picture = colourDc.Get();

    // The mask: white where the icon is button face or highlight (empty), black on the icon.
    PatBlt(maskBits, 0, 0, width, height, WHITENESS);
    SetBkColor(picture, GetSysColor(COLOR_BTNFACE));
    BitBlt(maskBits, 0, 0, width, height, picture, 0, 0, SRCCOPY);
    SetBkColor(picture, GetSysColor(COLOR_BTNHIGHLIGHT));
    BitBlt(maskBits, 0, 0, width, height, picture, 0, 0, SRCPAINT);

    const RECT all = {0, 0, width, height};
    FillRect(picture, &all, static_cast<HBRUSH>(backgroundBrush.Get()));

    // Monochrome onto colour: white mask bits become the background colour (black), black ones
    // the text colour (white), so the raster operation paints the brush on the icon's pixels.
    SetBkColor(picture, RGB(0, 0, 0));
    SetTextColor(picture, RGB(255, 255, 255));
    ScopedSelection brushSelected(picture, highlightBrush.Get());
    if (!brushSelected) {
        return false;
    }
    BitBlt(picture, 0, 0, width, height, maskBits, 0, 0, kPaintBrushThroughMask);
    BitBlt(dc, x + 1, y + 1, width, height, picture, 0, 0, SRCCOPY);
    BitBlt(picture, 1, 1, width, height, maskBits, 0, 0, kPaintBrushThroughMask);
    SelectObject(picture, shadowBrush.Get());
    BitBlt(picture, 0, 0, width, height, maskBits, 0, 0, kPaintBrushThroughMask);
    return BitBlt(dc, x, y, width, height, picture, 0, 0, SRCCOPY) != FALSE;
}

bool DrawGreyed(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, COLORREF background) {
    if (dc == NULL || !MakeDisabledImage(bitmap, background)) {
        return false;
    }
    OwnedMemoryDc imageDc(dc);
    if (!imageDc) {
        return false;
    }
    ScopedSelection selected(imageDc.Get(), bitmap);
    return selected && BitBlt(dc, x, y, width, height, imageDc.Get(), 0, 0, SRCCOPY) != FALSE;
}
