// Logical palettes and the system palette of the 8-bit palette display.
#include "gdi/color.h"
#include "gdi/dc.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>

#include <algorithm>
#include <array>

using namespace winsim::gdi;

namespace {

bool PaletteDisplay() {
    return winsim::Config().displayBits == 8;
}

PaletteObj* FindPalette(HPALETTE h) {
    return Find<PaletteObj>(h, OBJ_PAL);
}

int ExactSystemMatch(const PALETTEENTRY& e) {
    const auto& sys = SystemPalette();
    for (int i = 0; i < 256; ++i) {
        if (sys[i].peRed == e.peRed && sys[i].peGreen == e.peGreen && sys[i].peBlue == e.peBlue) {
            return i;
        }
    }
    return -1;
}

} // namespace

HPALETTE CreatePalette(const LOGPALETTE* plpal) {
    if (!plpal || plpal->palVersion != 0x300 || plpal->palNumEntries == 0 ||
        plpal->palNumEntries > 1024) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto p = std::make_unique<PaletteObj>();
    p->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    return static_cast<HPALETTE>(AddObject(std::move(p)));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBkgd) {
    DcObj* dc = FindDc(hdc);
    if (!dc || !FindPalette(hPal)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HPALETTE previous = dc->a.palette;
    if (!FindPalette(previous)) {
        previous = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    }
    dc->a.palette = hPal;
    dc->a.paletteBackground = bForceBkgd != FALSE;
    return previous;
}

UINT RealizePalette(HDC hdc) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return static_cast<UINT>(GDI_ERROR);
    }
    PaletteObj* pal = FindPalette(dc->a.palette);
    if (!pal || pal->stock || !PaletteDisplay()) {
        return 0;
    }
    auto& sys = SystemPalette();
    std::array<bool, 256> claimed{};
    int nextFree = 10;
    UINT changed = 0;
    pal->systemIndex.assign(pal->entries.size(), 0);
    for (size_t i = 0; i < pal->entries.size(); ++i) {
        const PALETTEENTRY& e = pal->entries[i];
        if (e.peFlags & PC_EXPLICIT) {
            pal->systemIndex[i] = (e.peRed | (e.peGreen << 8)) & 0xFF;
            continue;
        }
        int index = (e.peFlags & PC_NOCOLLAPSE) ? -1 : ExactSystemMatch(e);
        if (index < 0 && !dc->a.paletteBackground) {
            // A foreground palette takes over the non-static entries.
            while (nextFree < 246 && claimed[nextFree]) {
                ++nextFree;
            }
            if (nextFree < 246) {
                index = nextFree++;
                sys[index] = PALETTEENTRY{e.peRed, e.peGreen, e.peBlue, 0};
                ++changed;
            }
        }
        if (index < 0) {
            index = NearestIndex(sys.data(), 256, ToColor(e));
        }
        claimed[index] = true;
        pal->systemIndex[i] = index;
    }
    return changed;
}

UINT GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries) {
    if (!FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!PaletteDisplay()) {
        return 0; // a display without a palette has no system palette
    }
    if (!pPalEntries) {
        return 256;
    }
    if (iStart >= 256) {
        return 0;
    }
    const UINT n = std::min<UINT>(cEntries, 256 - iStart);
    const auto& sys = SystemPalette();
    std::copy(sys.begin() + iStart, sys.begin() + iStart + n, pPalEntries);
    return n;
}

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries) {
    PaletteObj* pal = FindPalette(hpal);
    if (!pal) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const UINT size = static_cast<UINT>(pal->entries.size());
    if (!pPalEntries) {
        return size;
    }
    if (iStart >= size) {
        return 0;
    }
    const UINT n = std::min(cEntries, size - iStart);
    std::copy(pal->entries.begin() + iStart, pal->entries.begin() + iStart + n, pPalEntries);
    return n;
}

UINT GetNearestPaletteIndex(HPALETTE h, COLORREF color) {
    PaletteObj* pal = FindPalette(h);
    if (!pal) {
        SetLastError(ERROR_INVALID_HANDLE);
        return CLR_INVALID;
    }
    return static_cast<UINT>(
        NearestIndex(pal->entries.data(), static_cast<int>(pal->entries.size()), color));
}
