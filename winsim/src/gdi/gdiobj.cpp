// Creating, describing and deleting GDI objects (pens, brushes; bitmaps, fonts, palettes and
// regions are made in their own files).
#include "gdi/objects.h"

#include <winsim/winerror.h>

#include <algorithm>
#include <cstring>

using namespace winsim::gdi;

namespace {

int CopyOut(const void* data, int size, int c, LPVOID pv) {
    if (!pv) {
        return size;
    }
    const int n = std::min(size, c);
    if (n <= 0) {
        return 0;
    }
    std::memcpy(pv, data, static_cast<size_t>(n));
    return n;
}

int DescribeBitmap(const BitmapObj& b, int c, LPVOID pv) {
    const Surface& s = b.surface;
    DIBSECTION ds{};
    ds.dsBm.bmType = 0;
    ds.dsBm.bmWidth = s.width;
    ds.dsBm.bmHeight = s.height;
    ds.dsBm.bmPlanes = 1;
    ds.dsBm.bmBitsPixel = static_cast<WORD>(s.bits);
    if (b.dibSection) {
        ds.dsBm.bmWidthBytes = s.stride;
        ds.dsBm.bmBits = const_cast<uint8_t*>(s.pixels.data());
        if (c >= static_cast<int>(sizeof(DIBSECTION)) || !pv) {
            ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
            ds.dsBmih.biWidth = s.width;
            ds.dsBmih.biHeight = s.bottomUp ? s.height : -s.height;
            ds.dsBmih.biPlanes = 1;
            ds.dsBmih.biBitCount = static_cast<WORD>(s.bits);
            ds.dsBmih.biCompression = BI_RGB;
            ds.dsBmih.biSizeImage = static_cast<DWORD>(s.stride) * s.height;
            ds.dsBmih.biClrUsed = static_cast<DWORD>(s.table.size());
            if (!pv) {
                return sizeof(DIBSECTION);
            }
            return CopyOut(&ds, sizeof(DIBSECTION), c, pv);
        }
    } else {
        // Device-dependent bitmaps report rows padded to 16 bits.
        ds.dsBm.bmWidthBytes = ((s.width * s.bits + 15) / 16) * 2;
    }
    return CopyOut(&ds.dsBm, sizeof(BITMAP), c, pv);
}

int DescribeFont(const FontObj& f, int c, LPVOID pv, bool wide) {
    if (wide) {
        return CopyOut(&f.lf, sizeof(LOGFONTW), c, pv);
    }
    LOGFONTA a{};
    std::memcpy(&a, &f.lf, offsetof(LOGFONTA, lfFaceName));
    for (int i = 0; i < LF_FACESIZE; ++i) {
        const char16_t ch = f.lf.lfFaceName[i];
        a.lfFaceName[i] = static_cast<CHAR>(ch < 0x100 ? ch : '?');
    }
    return CopyOut(&a, sizeof(LOGFONTA), c, pv);
}

int GetObjectImpl(HANDLE h, int c, LPVOID pv, bool wide) {
    GdiObject* o = FindObject(h);
    if (!o || o->type == OBJ_DC || o->type == OBJ_MEMDC) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (o->type) {
    case OBJ_BITMAP:
        return DescribeBitmap(*static_cast<BitmapObj*>(o), c, pv);
    case OBJ_BRUSH:
        return CopyOut(&static_cast<BrushObj*>(o)->lb, sizeof(LOGBRUSH), c, pv);
    case OBJ_PEN:
        return CopyOut(&static_cast<PenObj*>(o)->lp, sizeof(LOGPEN), c, pv);
    case OBJ_FONT:
        return DescribeFont(*static_cast<FontObj*>(o), c, pv, wide);
    case OBJ_PAL: {
        const WORD count = static_cast<WORD>(static_cast<PaletteObj*>(o)->entries.size());
        return CopyOut(&count, sizeof(WORD), c, pv);
    }
    default:
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
}

} // namespace

int GetObjectA(HANDLE h, int c, LPVOID pv) {
    return GetObjectImpl(h, c, pv, false);
}

int GetObjectW(HANDLE h, int c, LPVOID pv) {
    return GetObjectImpl(h, c, pv, true);
}

DWORD GetObjectType(HGDIOBJ h) {
    GdiObject* o = FindObject(h);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return o->type;
}

BOOL DeleteObject(HGDIOBJ ho) {
    GdiObject* o = FindObject(ho);
    if (!o || o->type == OBJ_DC || o->type == OBJ_MEMDC) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (o->stock) {
        return TRUE; // stock objects outlive every request to delete them
    }
    if (o->type == OBJ_BITMAP && static_cast<BitmapObj*>(o)->selectedIn) {
        return FALSE; // still selected into a DC
    }
    // A pen, brush, font or palette still selected somewhere is deleted all the same; the DC
    // then draws with the stock object of that kind.
    RemoveObject(ho);
    return TRUE;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (!plbrush || (plbrush->lbStyle != BS_SOLID && plbrush->lbStyle != BS_NULL)) {
        // Hatched and pattern brushes are not offered.
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto b = std::make_unique<BrushObj>();
    b->lb = *plbrush;
    b->lb.lbHatch = 0;
    return static_cast<HBRUSH>(AddObject(std::move(b)));
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
    const BitmapObj* bmp = FindBitmap(hbm);
    if (!bmp || bmp->surface.width == 0 || bmp->surface.height == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto b = std::make_unique<BrushObj>();
    b->lb.lbStyle = BS_PATTERN;
    b->lb.lbHatch = reinterpret_cast<ULONG_PTR>(hbm);
    // The brush keeps its own copy: the bitmap may be changed or deleted afterwards.
    b->pattern = bmp->surface;
    b->pattern.bottomUp = false;
    for (int y = 0; y < bmp->surface.height; ++y) {
        std::memcpy(b->pattern.Row(y), bmp->surface.Row(y),
                    static_cast<size_t>(bmp->surface.stride));
    }
    return static_cast<HBRUSH>(AddObject(std::move(b)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    const LOGBRUSH lb{BS_SOLID, color, 0};
    return CreateBrushIndirect(&lb);
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
    if (!plpen || plpen->lopnStyle > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto p = std::make_unique<PenObj>();
    p->lp = *plpen;
    if (p->lp.lopnWidth.x < 0) {
        p->lp.lopnWidth.x = 0;
    }
    p->lp.lopnWidth.y = 0;
    return static_cast<HPEN>(AddObject(std::move(p)));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    LOGPEN lp{};
    lp.lopnStyle = static_cast<UINT>(iStyle);
    lp.lopnWidth.x = cWidth;
    lp.lopnColor = color;
    return CreatePenIndirect(&lp);
}
