#include "menu/ColorBlend.h"

namespace {

bool IsBlendFactor(double factor) {
    return factor > 0.0 && factor <= 1.0;
}

// The converted double always lies in [0, 255] here, so the cast truncates toward zero safely.
BYTE TowardWhite(BYTE channel, double factor) {
    return static_cast<BYTE>(channel + factor * (255 - channel));
}

BYTE TowardBlack(BYTE channel, double factor) {
    return static_cast<BYTE>(channel - factor * channel);
}

} // namespace

COLORREF BlendToWhite(COLORREF colour, double factor) {
    if (!IsBlendFactor(factor)) {
        return colour;
    }
    return RGB(TowardWhite(GetRValue(colour), factor), TowardWhite(GetGValue(colour), factor),
               TowardWhite(GetBValue(colour), factor));
}

COLORREF BlendToBlack(COLORREF colour, double factor) {
    if (!IsBlendFactor(factor)) {
        return colour;
    }
    return RGB(TowardBlack(GetRValue(colour), factor), TowardBlack(GetGValue(colour), factor),
               TowardBlack(GetBValue(colour), factor));
}
