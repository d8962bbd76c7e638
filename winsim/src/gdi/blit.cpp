// BitBlt, StretchBlt, PatBlt and single pixels.
#include "gdi/blit.h"

#include "gdi/color.h"
#include "gdi/row_copy.h"

#include <winsim/winerror.h>

#include <cstdlib>

namespace winsim::gdi {

SourceMapper::SourceMapper(const Surface& src, const DcObj* srcDc, const Canvas& dst)
    : src_(src), dst_(dst) {
    const Surface& d = *dst.surface;
    const bool srcMono = src.model == ColorModel::Mono;
    const bool dstMono = d.model == ColorModel::Mono;
    if (src.bits == d.bits && src.model == d.model &&
        (src.model != ColorModel::Table || src.table.size() == d.table.size())) {
        bool sameTable = true;
        for (size_t i = 0; i < src.table.size(); ++i) {
            const RGBQUAD &a = src.table[i], &b = d.table[i];
            sameTable = sameTable && a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen &&
                        a.rgbBlue == b.rgbBlue;
        }
        mode_ = sameTable ? Mode::Raw : Mode::ViaColor;
    } else if (srcMono && !dstMono) {
        mode_ = Mode::MonoToColor;
        zeroPixel_ = ColorToDcPixel(*dst.dc, d, dst.dc->a.textColor);
        onePixel_ = ColorToDcPixel(*dst.dc, d, dst.dc->a.bkColor);
    } else if (!srcMono && dstMono && srcDc) {
        mode_ = Mode::ColorToMono;
        srcBackground_ = ColorToDcPixel(*srcDc, src, srcDc->a.bkColor);
    } else {
        mode_ = Mode::ViaColor;
    }
}

uint32_t SourceMapper::MapColor(COLORREF rgb) {
    return BlitColorToPixel(dst_, rgb);
}

uint32_t SourceMapper::Map(uint32_t s) {
    switch (mode_) {
    case Mode::Raw:
        return s;
    case Mode::MonoToColor:
        return s ? onePixel_ : zeroPixel_;
    case Mode::ColorToMono:
        return s == srcBackground_ ? 1u : 0u;
    case Mode::ViaColor:
        break;
    }
    auto it = cache_.find(s);
    if (it != cache_.end()) {
        return it->second;
    }
    const uint32_t mapped = MapColor(PixelToColor(src_, s));
    if (cache_.size() < 65536) {
        cache_.emplace(s, mapped);
    }
    return mapped;
}

namespace {

// A grab of the screen that fills a bitmap whole is left in the screen until either of the two
// is touched: a window grabbed and read straight back out as a DIB (every capture) then crosses
// memory once. Only bitmaps whose bytes the program cannot reach directly (not DIB sections)
// take a copy later.
bool CopyScreenLater(Canvas& dst, const Surface& src, int64_t sx, int64_t sy) {
    Surface& screen = Screen();
    const BitmapObj* bitmap = dst.dc->IsMemory() ? FindBitmap(dst.dc->a.bitmap) : nullptr;
    if (&src != &screen || screen.bottomUp || !bitmap || bitmap->dibSection ||
        &bitmap->surface != dst.surface || dst.surface->bottomUp) {
        return false;
    }
    Surface& d = *dst.surface;
    const size_t bytesPerPixel = static_cast<size_t>(d.bits / 8);
    PendingRowCopy copy;
    copy.sourceOffset =
        screen.RowOffset(static_cast<int>(sy)) + static_cast<size_t>(sx) * bytesPerPixel;
    copy.sourceStride = static_cast<size_t>(screen.stride);
    copy.stride = static_cast<size_t>(d.stride);
    copy.rows = static_cast<size_t>(d.height);
    copy.pixelsPerRow = static_cast<size_t>(d.width);
    copy.bits = d.bits;
    copy.clearUnused = d.bits == 32;
    return d.pixels.CopyRowsLater(screen.pixels, copy);
}

// SRCCOPY of an unstretched rectangle between surfaces of the same format, one span of bytes per
// row and clip rectangle. Pixels whose source lies outside the source surface are left alone.
void CopySpans(Canvas& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy) {
    Surface& d = *dst.surface;
    const RECT target{dx, dy, static_cast<LONG>(int64_t{dx} + w),
                      static_cast<LONG>(int64_t{dy} + h)};
    // Destination columns and rows whose source pixel exists.
    const int64_t srcLeft = int64_t{dx} - sx, srcTop = int64_t{dy} - sy;
    const size_t bytesPerPixel = static_cast<size_t>(d.bits / 8);
    for (const RECT& clip : dst.clip.Rects()) {
        const RECT r = Intersection(target, clip);
        const int64_t left = std::max<int64_t>(r.left, srcLeft);
        const int64_t right = std::min<int64_t>(r.right, srcLeft + src.width);
        const int64_t top = std::max<int64_t>(r.top, srcTop);
        const int64_t bottom = std::min<int64_t>(r.bottom, srcTop + src.height);
        if (left >= right) {
            continue;
        }
        const bool coversAll = dst.clip.Rects().size() == 1 && left == 0 && top == 0 &&
                               right == d.width && bottom == d.height &&
                               static_cast<size_t>(d.stride) == d.width * bytesPerPixel;
        if (coversAll) {
            if (CopyScreenLater(dst, src, left - srcLeft, top - srcTop)) {
                return;
            }
            d.pixels.SkipZeros(); // every byte is written below
        }
        for (int64_t y = top; y < bottom; ++y) {
            const uint8_t* from = src.Row(static_cast<int>(y - srcTop)) +
                                  static_cast<size_t>(left - srcLeft) * bytesPerPixel;
            uint8_t* to = d.Row(static_cast<int>(y)) + static_cast<size_t>(left) * bytesPerPixel;
            CopyPixelSpan(to, from, static_cast<size_t>(right - left), d.bits, d.bits == 32);
        }
    }
}

} // namespace

void StretchSurface(Canvas& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                    int sw, int sh, DWORD rop, SourceMapper& mapper) {
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) {
        return;
    }
    const bool flipX = (dw < 0) != (sw < 0);
    const bool flipY = (dh < 0) != (sh < 0);
    // A negative extent runs leftwards (upwards) from its start pixel, which it includes.
    const int dLeft = dw < 0 ? dx + dw + 1 : dx, dTop = dh < 0 ? dy + dh + 1 : dy;
    const int sLeft = sw < 0 ? sx + sw + 1 : sx, sTop = sh < 0 ? sy + sh + 1 : sy;
    const int64_t adw = std::abs(dw), adh = std::abs(dh), asw = std::abs(sw), ash = std::abs(sh);
    const RECT target{dLeft, dTop, static_cast<LONG>(dLeft + adw), static_cast<LONG>(dTop + adh)};

    Surface& d = *dst.surface;
    const uint8_t code = RopCode(rop);
    Pattern pattern;
    if (RopUsesPattern(rop) && !pattern.Load(dst, dst.dc->a.brush)) {
        return; // a null brush paints nothing
    }
    const bool halftone = dst.dc->a.stretchMode == HALFTONE && (asw > adw || ash > adh) &&
                          d.model != ColorModel::Mono;

    // The source is read from a copy when it is the destination surface itself, so that
    // overlapping moves see the pixels as they were.
    Surface copy;
    const Surface* from = &src;
    if (&src == &d) {
        copy = src;
        from = &copy;
    }
    if (RowCopyEnabled() && mapper.Raw() && code == 0xCC && dw > 0 && dh > 0 && sw == dw &&
        sh == dh && d.bits >= 8) {
        CopySpans(dst, dx, dy, dw, dh, *from, sx, sy);
        return;
    }

    for (const RECT& clip : dst.clip.Rects()) {
        const RECT r = Intersection(target, clip);
        for (int y = r.top; y < r.bottom; ++y) {
            const int64_t j = y - dTop;
            int64_t k0 = (2 * j * ash) / (2 * adh);
            int64_t k1 = ((2 * j + 2) * ash) / (2 * adh);
            int64_t ky = ((2 * j + 1) * ash) / (2 * adh);
            if (flipY) {
                ky = ash - 1 - ky;
                const int64_t t = ash - k1;
                k1 = ash - k0;
                k0 = t;
            }
            const int64_t srcY = sTop + ky;
            if (srcY < 0 || srcY >= from->height) {
                continue;
            }
            uint8_t* row = d.Row(y);
            for (int x = r.left; x < r.right; ++x) {
                const int64_t i = x - dLeft;
                int64_t kx = ((2 * i + 1) * asw) / (2 * adw);
                if (flipX) {
                    kx = asw - 1 - kx;
                }
                const int64_t srcX = sLeft + kx;
                if (srcX < 0 || srcX >= from->width) {
                    continue;
                }
                uint32_t s;
                if (halftone) {
                    int64_t x0 = (i * asw) / adw, x1 = ((i + 1) * asw) / adw;
                    if (flipX) {
                        const int64_t t = asw - x1;
                        x1 = asw - x0;
                        x0 = t;
                    }
                    x1 = std::max(x1, x0 + 1);
                    const int64_t y1 = std::max(k1, k0 + 1);
                    uint64_t rs = 0, gs = 0, bs = 0, n = 0;
                    for (int64_t yy = sTop + k0; yy < sTop + y1; ++yy) {
                        for (int64_t xx = sLeft + x0; xx < sLeft + x1; ++xx) {
                            if (xx < 0 || yy < 0 || xx >= from->width || yy >= from->height) {
                                continue;
                            }
                            const COLORREF c = PixelToColor(
                                *from, from->Get(static_cast<int>(xx), static_cast<int>(yy)));
                            rs += GetRValue(c);
                            gs += GetGValue(c);
                            bs += GetBValue(c);
                            ++n;
                        }
                    }
                    n = n ? n : 1;
                    s = mapper.MapColor(RGB((rs + n / 2) / n, (gs + n / 2) / n, (bs + n / 2) / n));
                } else {
                    s = mapper.Map(from->Get(static_cast<int>(srcX), static_cast<int>(srcY)));
                }
                const uint32_t dv = d.ops->get(row, x);
                d.ops->put(row, x, Rop3(code, pattern.At(x, y), s, dv) & d.ops->mask);
            }
        }
    }
}

} // namespace winsim::gdi

using namespace winsim::gdi;

namespace {

BOOL Blit(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
          int wSrc, int hSrc, DWORD rop) {
    Canvas dst;
    if (!MakeCanvas(hdcDest, dst)) {
        return FALSE;
    }
    // Logical extents map one to one (MM_TEXT): the corners move with the origins.
    const int dx = dst.X(xDest), dy = dst.Y(yDest);
    if (!RopUsesSource(rop)) {
        Pattern pattern;
        if (RopUsesPattern(rop) && !pattern.Load(dst, dst.dc->a.brush)) {
            return TRUE;
        }
        const RECT r{std::min(dx, dx + wDest), std::min(dy, dy + hDest), std::max(dx, dx + wDest),
                     std::max(dy, dy + hDest)};
        FillSurfaceRect(dst, r, pattern, RopCode(rop));
        return TRUE;
    }
    DcObj* srcDc = FindDc(hdcSrc);
    Surface* src = srcDc ? DcSurface(*srcDc) : nullptr;
    if (!src) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // The source origin: its DC's window position on the screen plus its logical mapping. The
    // source is not clipped: covered parts of a window read what the screen shows there.
    POINT srcOrigin{0, 0};
    if (!srcDc->IsMemory() && srcDc->hwnd) {
        Region ignored;
        if (!WindowDcGeometry(srcDc->hwnd, srcDc->windowDc, srcOrigin, ignored)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
    }
    const int sx = xSrc - srcDc->a.windowOrg.x + srcDc->a.viewportOrg.x + srcOrigin.x;
    const int sy = ySrc - srcDc->a.windowOrg.y + srcDc->a.viewportOrg.y + srcOrigin.y;
    SourceMapper mapper(*src, srcDc, dst);
    StretchSurface(dst, dx, dy, wDest, hDest, *src, sx, sy, wSrc, hSrc, rop, mapper);
    return TRUE;
}

} // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return Blit(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
    return Blit(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    if (RopUsesSource(rop)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Blit(hdc, x, y, w, h, nullptr, 0, 0, w, h, rop);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return CLR_INVALID;
    }
    const int sx = c.X(x), sy = c.Y(y);
    if (!c.Visible(sx, sy)) {
        return CLR_INVALID;
    }
    return PixelToColor(*c.surface, c.surface->Get(sx, sy));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return CLR_INVALID;
    }
    const int sx = c.X(x), sy = c.Y(y);
    if (!c.Visible(sx, sy)) {
        return CLR_INVALID;
    }
    const uint32_t pixel = ColorToDcPixel(*c.dc, *c.surface, color);
    c.surface->Put(sx, sy, pixel);
    return PixelToColor(*c.surface, pixel);
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return CLR_INVALID;
    }
    return NearestDcColor(*dc, color);
}
