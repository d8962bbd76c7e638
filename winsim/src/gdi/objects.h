// The GDI object table: handles of pens, brushes, fonts, palettes, bitmaps, regions and device
// contexts, the stock objects, and the look-up that checks a handle's type.
#pragma once

#include "gdi/region.h"
#include "gdi/surface.h"

#include <memory>
#include <vector>

namespace winsim::gdi {

struct GdiObject {
    explicit GdiObject(DWORD t) : type(t) {}
    virtual ~GdiObject() = default;
    DWORD type; // OBJ_PEN, OBJ_BRUSH ...
    bool stock = false;
};

struct BrushObj : GdiObject {
    BrushObj() : GdiObject(OBJ_BRUSH) {}
    LOGBRUSH lb{};
    Surface pattern; // BS_PATTERN: a copy of the bitmap, taken when the brush was made
};

struct PenObj : GdiObject {
    PenObj() : GdiObject(OBJ_PEN) {}
    LOGPEN lp{};
};

struct FontInstance;

struct FontObj : GdiObject {
    FontObj() : GdiObject(OBJ_FONT) {}
    LOGFONTW lf{};
    mutable FontInstance* instance = nullptr; // the rendered face, found at the first use
};

struct PaletteObj : GdiObject {
    PaletteObj() : GdiObject(OBJ_PAL) {}
    std::vector<PALETTEENTRY> entries;
    // System palette index of each entry once realised on the palette display; empty before.
    std::vector<int> systemIndex;
};

struct BitmapObj : GdiObject {
    BitmapObj() : GdiObject(OBJ_BITMAP) {}
    Surface surface;
    HDC selectedIn = nullptr;
    bool dibSection = false;
};

struct RegionObj : GdiObject {
    RegionObj() : GdiObject(OBJ_REGION) {}
    Region region;
};

// Everything a DC holds that SaveDC keeps.
struct DcAttributes {
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HPALETTE palette = nullptr;
    bool paletteBackground = false;
    HBITMAP bitmap = nullptr; // memory DCs
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    POINT current{0, 0};
    POINT brushOrg{0, 0};
    bool hasClip = false;
    Region clip; // device coordinates
};

struct DcObj : GdiObject {
    explicit DcObj(bool memory) : GdiObject(memory ? OBJ_MEMDC : OBJ_DC) {}
    bool IsMemory() const { return type == OBJ_MEMDC; }
    // Display DCs: the window (nullptr for the whole screen) and whether the origin is the
    // window's top-left corner (GetWindowDC) rather than the client area's.
    HWND hwnd = nullptr;
    bool windowDc = false;
    DcAttributes a;
    std::vector<DcAttributes> saved;
};

// Registers an object and returns its new handle.
HGDIOBJ AddObject(std::unique_ptr<GdiObject> object);
// The object behind a handle, or nullptr (also for a handle of another type when one is given).
GdiObject* FindObject(HGDIOBJ h);
template <typename T> T* Find(HGDIOBJ h, DWORD type) {
    GdiObject* o = FindObject(h);
    return o && o->type == type ? static_cast<T*>(o) : nullptr;
}
inline BitmapObj* FindBitmap(HGDIOBJ h) {
    return Find<BitmapObj>(h, OBJ_BITMAP);
}
DcObj* FindDc(HDC h);
void RemoveObject(HGDIOBJ h);

// The default 1 x 1 monochrome bitmap every memory DC starts with.
HBITMAP DefaultBitmap();

void ResetObjects();

} // namespace winsim::gdi
