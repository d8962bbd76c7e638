// Image lists: images of one size in one format, each with a monochrome mask (1 where the
// background shows through) when the list was made with ILC_MASK.
#include "gdi/blit.h"
#include "gdi/color.h"
#include "gdi/icon.h"
#include "gdi/resets.h"

#include <winsim/commctrl.h>
#include <winsim/sim.h>
#include <winsim/winerror.h>

#include <memory>
#include <set>

struct _IMAGELIST {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int grow = 1;
    COLORREF background = CLR_NONE;
    int bits = 32;
    winsim::gdi::ColorModel model = winsim::gdi::ColorModel::Rgb888;
    std::vector<winsim::gdi::Surface> images;
    std::vector<winsim::gdi::Surface> masks;
};

namespace winsim::gdi {
namespace {

std::set<std::unique_ptr<_IMAGELIST>>& Lists() {
    static std::set<std::unique_ptr<_IMAGELIST>> lists;
    return lists;
}

_IMAGELIST* FindList(HIMAGELIST h) {
    for (const auto& list : Lists()) {
        if (list.get() == h) {
            return list.get();
        }
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

bool HasMask(const _IMAGELIST& l) {
    return (l.flags & ILC_MASK) != 0;
}

Surface NewImage(const _IMAGELIST& l) {
    Surface s;
    InitSurface(s, l.cx, l.cy, l.bits, l.model);
    if (l.model == ColorModel::Table) {
        const auto& pal = DefaultSystemPalette();
        for (const PALETTEENTRY& e : pal) {
            s.table.push_back(RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0});
        }
    }
    return s;
}

Surface NewMask(const _IMAGELIST& l) {
    Surface s;
    InitSurface(s, l.cx, l.cy, 1, ColorModel::Mono);
    return s;
}

// Copies the part of a source at (left, 0) into an image of the list, converting colours.
void CopyInto(Surface& image, const Surface& src, int left) {
    const bool same =
        src.bits == image.bits && src.model == image.model && src.model != ColorModel::Table;
    for (int y = 0; y < image.height && y < src.height; ++y) {
        for (int x = 0; x < image.width && left + x < src.width; ++x) {
            const uint32_t v = src.Get(left + x, y);
            image.Put(x, y, same ? v : RgbToPixel(image, PixelToColor(src, v)));
        }
    }
}

void CopyMaskInto(Surface& mask, const Surface& src, int left) {
    for (int y = 0; y < mask.height && y < src.height; ++y) {
        for (int x = 0; x < mask.width && left + x < src.width; ++x) {
            const uint32_t v = src.Get(left + x, y);
            mask.Put(x, y,
                     src.model == ColorModel::Mono                ? v
                     : PixelToColor(src, v) == RGB(255, 255, 255) ? 1u
                                                                  : 0u);
        }
    }
}

// Draws image i at surface position (left, top) of the canvas.
void DrawImage(_IMAGELIST& l, int i, Canvas& c, int left, int top, int width, int height,
               COLORREF background, UINT style) {
    const Surface& image = l.images[i];
    const Surface& mask = l.masks[i];
    Surface& d = *c.surface;
    const bool masked = HasMask(l);
    const bool maskOnly = (style & ILD_MASK) != 0;
    const bool transparent =
        masked && !maskOnly && ((style & ILD_TRANSPARENT) || background == CLR_NONE);
    const bool fillBackground = masked && !maskOnly && !transparent;
    const uint32_t bkPixel =
        fillBackground
            ? ColorToDcPixel(*c.dc, d, background == CLR_DEFAULT ? l.background : background)
            : 0;
    const uint32_t white = RgbToPixel(d, RGB(255, 255, 255));
    SourceMapper mapper(image, nullptr, c);
    for (const RECT& clip : c.clip.Rects()) {
        const RECT r = Intersection(RECT{left, top, left + width, top + height}, clip);
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const int ix = x - left, iy = y - top;
                const bool through = masked && mask.Get(ix, iy) != 0;
                if (maskOnly) {
                    d.Put(x, y, through ? white : 0);
                    continue;
                }
                const uint32_t v = mapper.Map(image.Get(ix, iy));
                if (transparent) {
                    // The screen shows through where the mask is set; icon images may invert
                    // it there.
                    d.Put(x, y, through ? (d.Get(x, y) ^ v) : v);
                } else if (fillBackground && through) {
                    d.Put(x, y, bkPixel);
                } else {
                    d.Put(x, y, v);
                }
            }
        }
    }
}

} // namespace

void ResetImageLists() {
    Lists().clear();
}

} // namespace winsim::gdi

using namespace winsim::gdi;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
    if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096 || cInitial < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto l = std::make_unique<_IMAGELIST>();
    l->cx = cx;
    l->cy = cy;
    l->flags = flags;
    l->grow = cGrow > 0 ? cGrow : 1;
    const UINT depth = flags & ILC_COLORDDB;
    if (depth == ILC_COLORDDB) {
        l->bits = winsim::Config().displayBits;
        l->model = DdbModelFor(l->bits);
    } else if (depth == ILC_COLOR8) {
        l->bits = 8;
        l->model = ColorModel::Table;
    } else if (depth == ILC_COLOR16) {
        l->bits = 16;
        l->model = ColorModel::Rgb555;
    } else if (depth == ILC_COLOR24 || depth == ILC_COLOR32) {
        l->bits = depth == ILC_COLOR24 ? 24 : 32;
        l->model = ColorModel::Rgb888;
    } else {
        // ILC_COLOR and ILC_COLOR4: the 16 standard colours.
        l->bits = 4;
        l->model = ColorModel::Vga16;
    }
    HIMAGELIST h = l.get();
    Lists().insert(std::move(l));
    return h;
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
    auto& lists = Lists();
    for (auto it = lists.begin(); it != lists.end(); ++it) {
        if (it->get() == himl) {
            lists.erase(it);
            return TRUE;
        }
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
    _IMAGELIST* l = FindList(himl);
    const BitmapObj* image = FindBitmap(hbmImage);
    const BitmapObj* mask = hbmMask ? FindBitmap(hbmMask) : nullptr;
    if (!l || !image || (hbmMask && !mask)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    const int count = image->surface.width / l->cx;
    if (count <= 0) {
        return -1;
    }
    const int first = static_cast<int>(l->images.size());
    for (int k = 0; k < count; ++k) {
        Surface img = NewImage(*l), m = NewMask(*l);
        CopyInto(img, image->surface, k * l->cx);
        if (mask && HasMask(*l)) {
            CopyMaskInto(m, mask->surface, k * l->cx);
        }
        l->images.push_back(std::move(img));
        l->masks.push_back(std::move(m));
    }
    return first;
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
    _IMAGELIST* l = FindList(himl);
    BitmapObj* image = FindBitmap(hbmImage);
    if (!l || !image) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    Surface& src = image->surface;
    const int count = src.width / l->cx;
    if (count <= 0) {
        return -1;
    }
    // Pixels of the mask colour, compared as the bitmap holds them, become transparent, and
    // (as on Windows) black in the source bitmap itself.
    const uint32_t key = RgbToPixel(src, crMask);
    Surface maskOfSource;
    InitSurface(maskOfSource, src.width, src.height, 1, ColorModel::Mono);
    if (HasMask(*l)) {
        for (int y = 0; y < src.height; ++y) {
            for (int x = 0; x < src.width; ++x) {
                if (src.Get(x, y) == key) {
                    maskOfSource.Put(x, y, 1);
                    src.Put(x, y, RgbToPixel(src, RGB(0, 0, 0)));
                }
            }
        }
    }
    const int first = static_cast<int>(l->images.size());
    for (int k = 0; k < count; ++k) {
        Surface img = NewImage(*l), m = NewMask(*l);
        CopyInto(img, src, k * l->cx);
        CopyMaskInto(m, maskOfSource, k * l->cx);
        l->images.push_back(std::move(img));
        l->masks.push_back(std::move(m));
    }
    return first;
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
    _IMAGELIST* l = FindList(himl);
    IconData* icon = FindIcon(hicon);
    if (!l || !icon) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    const int count = static_cast<int>(l->images.size());
    if (i < -1 || i >= count) {
        return -1;
    }
    Surface img = NewImage(*l), m = NewMask(*l);
    CopyInto(img, Resample(icon->color, l->cx, l->cy), 0);
    if (HasMask(*l)) {
        CopyMaskInto(m, Resample(icon->mask, l->cx, l->cy), 0);
    }
    if (i == -1) {
        l->images.push_back(std::move(img));
        l->masks.push_back(std::move(m));
        return count;
    }
    l->images[i] = std::move(img);
    l->masks[i] = std::move(m);
    return i;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask) {
    _IMAGELIST* l = FindList(himl);
    const BitmapObj* image = FindBitmap(hbmImage);
    const BitmapObj* mask = hbmMask ? FindBitmap(hbmMask) : nullptr;
    if (!l || !image || (hbmMask && !mask) || i < 0 || i >= static_cast<int>(l->images.size())) {
        return FALSE;
    }
    Surface img = NewImage(*l), m = NewMask(*l);
    CopyInto(img, image->surface, 0);
    if (mask && HasMask(*l)) {
        CopyMaskInto(m, mask->surface, 0);
    }
    l->images[i] = std::move(img);
    l->masks[i] = std::move(m);
    return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
    _IMAGELIST* l = FindList(himl);
    if (!l || i < -1 || i >= static_cast<int>(l->images.size())) {
        return FALSE;
    }
    if (i == -1) {
        l->images.clear();
        l->masks.clear();
    } else {
        l->images.erase(l->images.begin() + i);
        l->masks.erase(l->masks.begin() + i);
    }
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT) {
    _IMAGELIST* l = FindList(himl);
    if (!l || i < 0 || i >= static_cast<int>(l->images.size())) {
        return nullptr;
    }
    IconData icon;
    icon.width = l->cx;
    icon.height = l->cy;
    icon.color = ToDisplayFormat(l->images[i]);
    icon.mask = l->masks[i];
    return AddIcon(std::move(icon));
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy,
                      COLORREF rgbBk, COLORREF, UINT fStyle) {
    _IMAGELIST* l = FindList(himl);
    if (!l || i < 0 || i >= static_cast<int>(l->images.size())) {
        return FALSE;
    }
    Canvas c;
    if (!MakeCanvas(hdcDst, c)) {
        return FALSE;
    }
    // Blending for the focus and selection looks is not drawn: the image appears as it is.
    const int width = dx > 0 ? std::min(dx, l->cx) : l->cx;
    const int height = dy > 0 ? std::min(dy, l->cy) : l->cy;
    DrawImage(*l, i, c, c.X(x), c.Y(y), width, height, rgbBk, fStyle);
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
    _IMAGELIST* l = FindList(himl);
    if (!l) {
        return FALSE;
    }
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, l->background, CLR_DEFAULT, fStyle);
}

int ImageList_GetImageCount(HIMAGELIST himl) {
    _IMAGELIST* l = FindList(himl);
    return l ? static_cast<int>(l->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    _IMAGELIST* l = FindList(himl);
    if (!l || !cx || !cy) {
        return FALSE;
    }
    *cx = l->cx;
    *cy = l->cy;
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
    _IMAGELIST* l = FindList(himl);
    if (!l) {
        return CLR_NONE;
    }
    const COLORREF old = l->background;
    l->background = clrBk;
    return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
    _IMAGELIST* l = FindList(himl);
    return l ? l->background : CLR_NONE;
}
