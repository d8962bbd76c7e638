// Screenshots of the screen surface as PNG files (libpng).
#include "gdi/color.h"
#include "gdi/dc.h"

#include <winsim/sim_gdi.h>

#include <png.h>

#include <cstdio>
#include <vector>

namespace winsim {
namespace {

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png))) {
        ok = false;
    } else if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                     8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y) {
            png_write_row(png, rgb.data() + static_cast<size_t>(y) * width * 3);
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

} // namespace

int ScreenWidth() {
    return gdi::Screen().width;
}

int ScreenHeight() {
    return gdi::Screen().height;
}

COLORREF ScreenPixel(int x, int y) {
    const gdi::Surface& s = gdi::Screen();
    if (!s.Contains(x, y)) {
        return CLR_INVALID;
    }
    return gdi::PixelToColor(s, s.Get(x, y));
}

bool SaveScreenRect(const RECT& rect, const std::string& path) {
    const gdi::Surface& s = gdi::Screen();
    const RECT r = gdi::Intersection(rect, RECT{0, 0, s.width, s.height});
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) {
        return false;
    }
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF c = gdi::PixelToColor(s, s.Get(r.left + x, r.top + y));
            uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = GetRValue(c);
            p[1] = GetGValue(c);
            p[2] = GetBValue(c);
        }
    }
    return WritePng(path, w, h, rgb);
}

bool SaveScreenshot(const std::string& path) {
    const gdi::Surface& s = gdi::Screen();
    return SaveScreenRect(RECT{0, 0, s.width, s.height}, path);
}

bool SaveWindowScreenshot(HWND hwnd, const std::string& path) {
    POINT origin;
    gdi::Region visible;
    if (!gdi::WindowDcGeometry(hwnd, true, origin, visible)) {
        return false;
    }
    RECT r;
    if (!gdi::WindowScreenRect(hwnd, r)) {
        return false;
    }
    return SaveScreenRect(r, path);
}

} // namespace winsim
