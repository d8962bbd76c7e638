// Rectangle regions and the DC's clip region.
#include "gdi/dc.h"

#include <winsim/winerror.h>

#include <algorithm>

using namespace winsim::gdi;

namespace {

RegionObj* FindRegion(HRGN h) {
    return Find<RegionObj>(h, OBJ_REGION);
}

RECT Ordered(int x1, int y1, int x2, int y2) {
    return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// Logical rectangle of the DC to device coordinates.
RECT ToDevice(const DcObj& dc, int l, int t, int r, int b) {
    const int dx = dc.a.viewportOrg.x - dc.a.windowOrg.x;
    const int dy = dc.a.viewportOrg.y - dc.a.windowOrg.y;
    return Ordered(l + dx, t + dy, r + dx, b + dy);
}

// The region a DC currently draws into, in device coordinates.
Region CurrentClip(HDC hdc, DcObj& dc) {
    if (dc.a.hasClip) {
        return dc.a.clip;
    }
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return Region();
    }
    Region r = c.clip;
    r.Offset(-c.origin.x, -c.origin.y);
    return r;
}

int ClipComplexity(HDC hdc) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return ERROR;
    }
    return c.clip.Complexity();
}

} // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
    auto r = std::make_unique<RegionObj>();
    r->region = Region(Ordered(x1, y1, x2, y2));
    return static_cast<HRGN>(AddObject(std::move(r)));
}

HRGN CreateRectRgnIndirect(const RECT* lprect) {
    if (!lprect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
    RegionObj* r = FindRegion(hrgn);
    if (!r) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    r->region = Region(Ordered(left, top, right, bottom));
    return TRUE;
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    RegionObj* dst = FindRegion(hrgnDst);
    RegionObj* a = FindRegion(hrgnSrc1);
    RegionObj* b = iMode == RGN_COPY ? a : FindRegion(hrgnSrc2);
    if (!dst || !a || !b || iMode < RGN_AND || iMode > RGN_COPY) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    Region result = a->region;
    switch (iMode) {
    case RGN_AND:
        result.Intersect(b->region);
        break;
    case RGN_OR:
        result.Union(b->region);
        break;
    case RGN_XOR:
        result.Xor(b->region);
        break;
    case RGN_DIFF:
        result.Subtract(b->region);
        break;
    default:
        break;
    }
    dst->region = result;
    return dst->region.Complexity();
}

int OffsetRgn(HRGN hrgn, int x, int y) {
    RegionObj* r = FindRegion(hrgn);
    if (!r) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    r->region.Offset(x, y);
    return r->region.Complexity();
}

int GetRgnBox(HRGN hrgn, LPRECT lprc) {
    RegionObj* r = FindRegion(hrgn);
    if (!r || !lprc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    *lprc = r->region.Box();
    return r->region.Complexity();
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
    RegionObj* r = FindRegion(hrgn);
    return r && r->region.Contains(x, y) ? TRUE : FALSE;
}

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    if (!hrgn) {
        if (mode != RGN_COPY) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR;
        }
        // No region: the whole drawing surface again.
        dc->a.hasClip = false;
        dc->a.clip = Region();
        return ClipComplexity(hdc);
    }
    RegionObj* r = FindRegion(hrgn);
    if (!r || mode < RGN_AND || mode > RGN_COPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    // The region is copied; its handle stays the caller's. Region coordinates are device
    // coordinates.
    Region clip = CurrentClip(hdc, *dc);
    switch (mode) {
    case RGN_AND:
        clip.Intersect(r->region);
        break;
    case RGN_OR:
        clip.Union(r->region);
        break;
    case RGN_XOR:
        clip.Xor(r->region);
        break;
    case RGN_DIFF:
        clip.Subtract(r->region);
        break;
    default:
        clip = r->region;
        break;
    }
    dc->a.hasClip = true;
    dc->a.clip = clip;
    return ClipComplexity(hdc);
}

int SelectClipRgn(HDC hdc, HRGN hrgn) {
    return ExtSelectClipRgn(hdc, hrgn, RGN_COPY);
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
    DcObj* dc = FindDc(hdc);
    RegionObj* r = FindRegion(hrgn);
    if (!dc || !r) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    if (!dc->a.hasClip) {
        return 0;
    }
    r->region = dc->a.clip;
    return 1;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    Region clip = CurrentClip(hdc, *dc);
    clip.Intersect(ToDevice(*dc, left, top, right, bottom));
    dc->a.hasClip = true;
    dc->a.clip = clip;
    return ClipComplexity(hdc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    Region clip = CurrentClip(hdc, *dc);
    clip.Subtract(ToDevice(*dc, left, top, right, bottom));
    dc->a.hasClip = true;
    dc->a.clip = clip;
    return ClipComplexity(hdc);
}

int GetClipBox(HDC hdc, LPRECT lprect) {
    Canvas c;
    if (!lprect || !MakeCanvas(hdc, c)) {
        return ERROR;
    }
    RECT box = c.clip.Box();
    // Back to logical coordinates.
    const int dx = c.origin.x + c.dc->a.viewportOrg.x - c.dc->a.windowOrg.x;
    const int dy = c.origin.y + c.dc->a.viewportOrg.y - c.dc->a.windowOrg.y;
    *lprect = RECT{box.left - dx, box.top - dy, box.right - dx, box.bottom - dy};
    return c.clip.Complexity();
}

BOOL PtVisible(HDC hdc, int x, int y) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return FALSE;
    }
    return c.Visible(c.X(x), c.Y(y)) ? TRUE : FALSE;
}
