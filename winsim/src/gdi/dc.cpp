// Device contexts: creation and release, selected objects, attributes, coordinates, SaveDC, and
// the device capabilities of the display.
#include "gdi/dc.h"

#include "gdi/color.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>

namespace winsim::gdi {

Surface* DcSurface(DcObj& dc) {
    if (dc.IsMemory()) {
        BitmapObj* bmp = FindBitmap(dc.a.bitmap);
        return bmp ? &bmp->surface : nullptr;
    }
    return &Screen();
}

bool MakeCanvas(HDC hdc, Canvas& c) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    c.dc = dc;
    c.surface = DcSurface(*dc);
    if (!c.surface) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const RECT bounds{0, 0, c.surface->width, c.surface->height};
    c.origin = POINT{0, 0};
    c.clip = Region(bounds);
    if (!dc->IsMemory() && dc->hwnd) {
        Region visible;
        if (!WindowDcGeometry(dc->hwnd, dc->windowDc, c.origin, visible)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return false;
        }
        c.clip.Intersect(visible);
    }
    if (dc->a.hasClip) {
        Region clip = dc->a.clip;
        clip.Offset(c.origin.x, c.origin.y);
        c.clip.Intersect(clip);
    }
    return true;
}

uint32_t ColorToDcPixel(const DcObj& dc, const Surface& s, COLORREF color) {
    const PaletteObj* pal = Find<PaletteObj>(dc.a.palette, OBJ_PAL);
    const bool realized = pal && s.model == ColorModel::SystemPalette &&
                          pal->systemIndex.size() == pal->entries.size() && !pal->entries.empty();
    const DWORD kind = color >> 24;
    COLORREF rgb = color & 0x00FFFFFF;
    if (kind == 0x01 && pal && !pal->entries.empty()) {
        size_t index = color & 0xFFFF;
        if (index >= pal->entries.size()) {
            index = 0;
        }
        if (realized) {
            return static_cast<uint32_t>(pal->systemIndex[index]);
        }
        rgb = ToColor(pal->entries[index]);
    } else if (kind == 0x02 && realized) {
        const int k = NearestIndex(pal->entries.data(), static_cast<int>(pal->entries.size()), rgb);
        return static_cast<uint32_t>(pal->systemIndex[k]);
    }
    return RgbToPixel(s, rgb);
}

COLORREF NearestDcColor(DcObj& dc, COLORREF color) {
    Surface* s = DcSurface(dc);
    if (!s) {
        return CLR_INVALID;
    }
    return PixelToColor(*s, ColorToDcPixel(dc, *s, color));
}

namespace {

HDC NewDc(bool memory, HWND hwnd, bool windowDc) {
    auto dc = std::make_unique<DcObj>(memory);
    dc->hwnd = hwnd;
    dc->windowDc = windowDc;
    dc->a.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    dc->a.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    dc->a.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    dc->a.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (memory) {
        dc->a.bitmap = DefaultBitmap();
    }
    return static_cast<HDC>(AddObject(std::move(dc)));
}

HDC DisplayDc(HWND hwnd, bool windowDc) {
    if (hwnd) {
        POINT origin;
        Region visible;
        if (!WindowDcGeometry(hwnd, windowDc, origin, visible)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    }
    return NewDc(false, hwnd, windowDc);
}

void DropDc(HDC hdc, DcObj& dc) {
    if (BitmapObj* bmp = FindBitmap(dc.a.bitmap)) {
        bmp->selectedIn = nullptr;
    }
    RemoveObject(hdc);
}

bool IsPaletteDisplay() {
    return Config().displayBits == 8;
}

} // namespace

} // namespace winsim::gdi

using namespace winsim::gdi;

HDC GetDC(HWND hWnd) {
    return DisplayDc(hWnd, false);
}

HDC GetWindowDC(HWND hWnd) {
    return DisplayDc(hWnd, true);
}

int ReleaseDC(HWND, HDC hDC) {
    DcObj* dc = FindDc(hDC);
    if (!dc || dc->IsMemory()) {
        return 0;
    }
    DropDc(hDC, *dc);
    return 1;
}

HWND WindowFromDC(HDC hDC) {
    DcObj* dc = FindDc(hDC);
    return dc && !dc->IsMemory() ? dc->hwnd : nullptr;
}

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return NewDc(true, nullptr, false);
}

BOOL DeleteDC(HDC hdc) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    DropDc(hdc, *dc);
    return TRUE;
}

int SaveDC(HDC hdc) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    dc->saved.push_back(dc->a);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const int depth = static_cast<int>(dc->saved.size());
    // A negative number counts back from the latest save.
    const int level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > depth) {
        return FALSE;
    }
    DcAttributes restored = dc->saved[level - 1];
    if (dc->IsMemory() && restored.bitmap != dc->a.bitmap) {
        BitmapObj* wanted = FindBitmap(restored.bitmap);
        if (!wanted || (wanted->selectedIn && wanted->selectedIn != hdc)) {
            restored.bitmap = DefaultBitmap();
            wanted = FindBitmap(restored.bitmap);
        }
        if (BitmapObj* current = FindBitmap(dc->a.bitmap)) {
            current->selectedIn = nullptr;
        }
        wanted->selectedIn = wanted->stock ? nullptr : hdc;
    }
    dc->a = restored;
    dc->saved.resize(level - 1);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    DcObj* dc = FindDc(hdc);
    GdiObject* o = FindObject(h);
    if (!dc || !o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HGDIOBJ previous = nullptr;
    switch (o->type) {
    case OBJ_BRUSH:
        previous = dc->a.brush;
        dc->a.brush = static_cast<HBRUSH>(h);
        return previous;
    case OBJ_PEN:
        previous = dc->a.pen;
        dc->a.pen = static_cast<HPEN>(h);
        return previous;
    case OBJ_FONT:
        previous = dc->a.font;
        dc->a.font = static_cast<HFONT>(h);
        return previous;
    case OBJ_REGION: {
        const int result = SelectClipRgn(hdc, static_cast<HRGN>(h));
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(result));
    }
    case OBJ_BITMAP: {
        auto* bmp = static_cast<BitmapObj*>(o);
        if (!dc->IsMemory()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        if (h == dc->a.bitmap) {
            return h;
        }
        if (bmp->selectedIn) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        // A device-dependent colour bitmap must have the display's format.
        if (!bmp->dibSection && bmp->surface.bits != 1 &&
            bmp->surface.bits != winsim::Config().displayBits) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        previous = dc->a.bitmap;
        if (BitmapObj* old = FindBitmap(previous)) {
            old->selectedIn = nullptr;
        }
        bmp->selectedIn = bmp->stock ? nullptr : hdc;
        dc->a.bitmap = static_cast<HBITMAP>(h);
        return previous;
    }
    default:
        // Palettes go through SelectPalette; DCs cannot be selected.
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        return nullptr;
    }
    switch (type) {
    case OBJ_BRUSH:
        return dc->a.brush;
    case OBJ_PEN:
        return dc->a.pen;
    case OBJ_FONT:
        return dc->a.font;
    case OBJ_PAL:
        return dc->a.palette;
    case OBJ_BITMAP:
        return dc->IsMemory() ? dc->a.bitmap : nullptr;
    default:
        return nullptr;
    }
}

int GetDeviceCaps(HDC hdc, int index) {
    if (!FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const winsim::DesktopConfig& config = winsim::Config();
    const int bits = config.displayBits;
    switch (index) {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZSIZE:
        return config.screenWidth * 254 / 960;
    case VERTSIZE:
        return config.screenHeight * 254 / 960;
    case HORZRES:
        return config.screenWidth;
    case VERTRES:
        return config.screenHeight;
    case BITSPIXEL:
        return bits;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 20 : -1;
    case RASTERCAPS: {
        int caps = RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV |
                   RC_STRETCHBLT | RC_STRETCHDIB | RC_FLOODFILL;
        if (IsPaletteDisplay()) {
            caps |= RC_PALETTE;
        }
        return caps;
    }
    case CLIPCAPS:
        return 1;
    case ASPECTX:
    case ASPECTY:
        return 36;
    case ASPECTXY:
        return 51;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
        return IsPaletteDisplay() ? 256 : 0;
    case NUMRESERVED:
        return IsPaletteDisplay() ? 20 : 0;
    case COLORRES:
        return IsPaletteDisplay() ? 18 : (bits >= 24 ? 24 : bits);
    default:
        return 0;
    }
}

namespace {

template <typename T, typename F> T WithDc(HDC hdc, T failure, F f) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return failure;
    }
    return f(*dc);
}

template <typename T> T Swap(T& slot, T value) {
    T old = slot;
    slot = value;
    return old;
}

BOOL SetOrigin(HDC hdc, POINT DcAttributes::*member, int x, int y, LPPOINT old, bool offset) {
    return WithDc(hdc, FALSE, [&](DcObj& dc) {
        POINT& p = dc.a.*member;
        if (old) {
            *old = p;
        }
        p = offset ? POINT{p.x + x, p.y + y} : POINT{x, y};
        return TRUE;
    });
}

BOOL GetOrigin(HDC hdc, POINT DcAttributes::*member, LPPOINT out) {
    return WithDc(hdc, FALSE, [&](DcObj& dc) {
        if (!out) {
            return FALSE;
        }
        *out = dc.a.*member;
        return TRUE;
    });
}

} // namespace

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return WithDc(hdc, CLR_INVALID, [&](DcObj& dc) { return Swap(dc.a.bkColor, color); });
}
COLORREF GetBkColor(HDC hdc) {
    return WithDc(hdc, CLR_INVALID, [](DcObj& dc) { return dc.a.bkColor; });
}
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return WithDc(hdc, CLR_INVALID, [&](DcObj& dc) { return Swap(dc.a.textColor, color); });
}
COLORREF GetTextColor(HDC hdc) {
    return WithDc(hdc, CLR_INVALID, [](DcObj& dc) { return dc.a.textColor; });
}
int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDc(hdc, 0, [&](DcObj& dc) { return Swap(dc.a.bkMode, mode); });
}
int GetBkMode(HDC hdc) {
    return WithDc(hdc, 0, [](DcObj& dc) { return dc.a.bkMode; });
}
int SetROP2(HDC hdc, int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDc(hdc, 0, [&](DcObj& dc) { return Swap(dc.a.rop2, rop2); });
}
int GetROP2(HDC hdc) {
    return WithDc(hdc, 0, [](DcObj& dc) { return dc.a.rop2; });
}
int SetStretchBltMode(HDC hdc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDc(hdc, 0, [&](DcObj& dc) { return Swap(dc.a.stretchMode, mode); });
}
int GetStretchBltMode(HDC hdc) {
    return WithDc(hdc, 0, [](DcObj& dc) { return dc.a.stretchMode; });
}
UINT SetTextAlign(HDC hdc, UINT align) {
    return WithDc(hdc, static_cast<UINT>(GDI_ERROR),
                  [&](DcObj& dc) { return Swap(dc.a.textAlign, align); });
}
UINT GetTextAlign(HDC hdc) {
    return WithDc(hdc, static_cast<UINT>(GDI_ERROR), [](DcObj& dc) { return dc.a.textAlign; });
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcAttributes::windowOrg, x, y, lppt, false);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint) {
    return GetOrigin(hdc, &DcAttributes::windowOrg, lppoint);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcAttributes::viewportOrg, x, y, lppt, false);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
    return GetOrigin(hdc, &DcAttributes::viewportOrg, lppoint);
}
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcAttributes::viewportOrg, x, y, lppt, true);
}
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcAttributes::brushOrg, x, y, lppt, false);
}
