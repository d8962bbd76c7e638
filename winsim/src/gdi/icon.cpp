// Icons: creation from bitmaps, their description, copies, and DrawIconEx.
#include "gdi/icon.h"

#include "gdi/blit.h"
#include "gdi/color.h"
#include "gdi/resets.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>

#include <map>

namespace winsim::gdi {
namespace {

struct IconTable {
    std::map<uintptr_t, IconData> icons;
    uintptr_t next = 0x20000;
};

IconTable& Icons() {
    static IconTable table;
    return table;
}

} // namespace

IconData* FindIcon(HICON h) {
    auto& icons = Icons().icons;
    auto it = icons.find(reinterpret_cast<uintptr_t>(h));
    return it == icons.end() ? nullptr : &it->second;
}

HICON AddIcon(IconData data) {
    IconTable& t = Icons();
    const uintptr_t h = t.next;
    t.next += 4;
    t.icons.emplace(h, std::move(data));
    return reinterpret_cast<HICON>(h);
}

void ResetIcons() {
    Icons().icons.clear();
    Icons().next = 0x20000;
}

Surface ToDisplayFormat(const Surface& src) {
    Surface out;
    const int bits = Config().displayBits;
    InitSurface(out, src.width, src.height, bits, DdbModelFor(bits));
    const bool same = src.bits == out.bits && src.model == out.model;
    for (int y = 0; y < src.height; ++y) {
        for (int x = 0; x < src.width; ++x) {
            const uint32_t v = src.Get(x, y);
            out.Put(x, y, same ? v : RgbToPixel(out, PixelToColor(src, v)));
        }
    }
    return out;
}

Surface Resample(const Surface& src, int width, int height) {
    if (src.width == width && src.height == height) {
        Surface copy = src;
        return copy;
    }
    Surface out;
    InitSurface(out, width, height, src.bits, src.model);
    out.table = src.table;
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * src.height / (2LL * height));
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * src.width / (2LL * width));
            out.Put(x, y, src.Get(sx, sy));
        }
    }
    return out;
}

} // namespace winsim::gdi

using namespace winsim::gdi;

HICON CreateIconIndirect(PICONINFO piconinfo) {
    if (!piconinfo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BitmapObj* mask = FindBitmap(piconinfo->hbmMask);
    const BitmapObj* color = piconinfo->hbmColor ? FindBitmap(piconinfo->hbmColor) : nullptr;
    if (!mask || (piconinfo->hbmColor && !color)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    IconData icon;
    icon.isIcon = piconinfo->fIcon != FALSE;
    icon.hotX = piconinfo->xHotspot;
    icon.hotY = piconinfo->yHotspot;
    const Surface& m = mask->surface;
    if (color) {
        icon.width = color->surface.width;
        icon.height = color->surface.height;
        icon.color = ToDisplayFormat(color->surface);
    } else {
        // A monochrome icon: the AND mask on top of the XOR image in one bitmap.
        icon.width = m.width;
        icon.height = m.height / 2;
        Surface xorPart;
        InitSurface(xorPart, icon.width, icon.height, 1, ColorModel::Mono);
        for (int y = 0; y < icon.height; ++y) {
            for (int x = 0; x < icon.width; ++x) {
                xorPart.Put(x, y, m.Get(x, y + icon.height));
            }
        }
        icon.color = ToDisplayFormat(xorPart);
    }
    if (icon.width <= 0 || icon.height <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    InitSurface(icon.mask, icon.width, icon.height, 1, ColorModel::Mono);
    for (int y = 0; y < icon.height && y < m.height; ++y) {
        for (int x = 0; x < icon.width && x < m.width; ++x) {
            icon.mask.Put(x, y,
                          m.model == ColorModel::Mono
                              ? m.Get(x, y)
                              : (PixelToColor(m, m.Get(x, y)) == RGB(255, 255, 255)));
        }
    }
    return AddIcon(std::move(icon));
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    IconData* icon = FindIcon(hIcon);
    if (!icon || !piconinfo) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    piconinfo->fIcon = icon->isIcon ? TRUE : FALSE;
    piconinfo->xHotspot = icon->isIcon ? static_cast<DWORD>(icon->width / 2) : icon->hotX;
    piconinfo->yHotspot = icon->isIcon ? static_cast<DWORD>(icon->height / 2) : icon->hotY;
    // New bitmaps that the caller owns.
    piconinfo->hbmMask = CreateBitmap(icon->width, icon->height, 1, 1, nullptr);
    piconinfo->hbmColor =
        CreateBitmap(icon->width, icon->height, 1, static_cast<UINT>(icon->color.bits), nullptr);
    if (BitmapObj* m = FindBitmap(piconinfo->hbmMask)) {
        m->surface = icon->mask;
    }
    if (BitmapObj* c = FindBitmap(piconinfo->hbmColor)) {
        c->surface = icon->color;
    }
    return TRUE;
}

HICON CopyIcon(HICON hIcon) {
    IconData* icon = FindIcon(hIcon);
    if (!icon) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return nullptr;
    }
    IconData copy = *icon;
    return AddIcon(std::move(copy));
}

BOOL DestroyIcon(HICON hIcon) {
    auto& icons = Icons().icons;
    if (icons.erase(reinterpret_cast<uintptr_t>(hIcon)) == 0) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    IconData* icon = FindIcon(hIcon);
    if (!icon) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return FALSE;
    }
    if (cxWidth == 0) {
        cxWidth = (diFlags & DI_DEFAULTSIZE) ? 32 : icon->width;
    }
    if (cyWidth == 0) {
        cyWidth = (diFlags & DI_DEFAULTSIZE) ? 32 : icon->height;
    }
    if (cxWidth < 0 || cyWidth < 0 || cxWidth > 4096 || cyWidth > 4096 ||
        (diFlags & DI_NORMAL) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const Surface color = Resample(icon->color, cxWidth, cyWidth);
    const Surface mask = Resample(icon->mask, cxWidth, cyWidth);
    Surface& d = *c.surface;
    const int left = c.X(xLeft), top = c.Y(yTop);

    // With a flicker-free brush the icon is composed on a picture filled with the brush, and
    // the whole picture (transparent parts showing the brush) is copied at once.
    Surface composed;
    Pattern background;
    const bool offscreen = hbrFlickerFreeDraw != nullptr;
    if (offscreen) {
        if (!background.Load(c, hbrFlickerFreeDraw)) {
            background = Pattern::Solid(0);
        }
        InitSurface(composed, cxWidth, cyWidth, d.bits, d.model);
        composed.table = d.table;
        for (int y = 0; y < cyWidth; ++y) {
            for (int x = 0; x < cxWidth; ++x) {
                composed.Put(x, y, background.At(left + x, top + y));
            }
        }
    }
    SourceMapper mapper(color, nullptr, c);
    for (const RECT& clip : c.clip.Rects()) {
        const RECT r = Intersection(RECT{left, top, left + cxWidth, top + cyWidth}, clip);
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const int ix = x - left, iy = y - top;
                uint32_t v = offscreen ? composed.Get(ix, iy) : d.Get(x, y);
                if (diFlags & DI_MASK) {
                    v = mask.Get(ix, iy) ? v : 0;
                }
                if (diFlags & DI_IMAGE) {
                    const uint32_t image = mapper.Map(color.Get(ix, iy));
                    v = (diFlags & DI_MASK) ? (v ^ image) : image;
                }
                d.Put(x, y, v);
            }
        }
    }
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
