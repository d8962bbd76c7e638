// The system's standard icons (IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION,
// IDI_ASTERISK, IDI_WINLOGO), drawn once per desktop in the manner of the classic ones.
#include "gdi/stock_icons.h"

#include "gdi/icon.h"

#include <winsim/winerror.h>

#include <cmath>
#include <cstring>
#include <map>

namespace winsim::gdi {
namespace {

constexpr int kSize = 32;

enum class Shape { Window, Circle, Triangle };

struct Design {
    Shape shape;
    COLORREF fill;
    COLORREF ink;
    const char16_t* glyph;
};

bool Inside(Shape shape, int x, int y) {
    const double cx = x + 0.5, cy = y + 0.5;
    switch (shape) {
    case Shape::Window:
        return x >= 2 && x < 30 && y >= 4 && y < 28;
    case Shape::Circle:
        return (cx - 16) * (cx - 16) + (cy - 16) * (cy - 16) <= 14.5 * 14.5;
    case Shape::Triangle: {
        // Apex at the top centre, base along the bottom.
        if (cy < 2 || cy > 30) {
            return false;
        }
        const double half = (cy - 2) * 15.0 / 28.0;
        return std::fabs(cx - 16) <= half;
    }
    }
    return false;
}

HICON Draw(const Design& d) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kSize;
    bmi.bmiHeader.biHeight = kSize;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, color);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool inside = Inside(d.shape, x, y);
            // Light shapes get a dark outline so that they stand out on light backgrounds.
            const bool edge = inside && (!Inside(d.shape, x - 1, y) || !Inside(d.shape, x + 1, y) ||
                                         !Inside(d.shape, x, y - 1) || !Inside(d.shape, x, y + 1));
            const bool light = GetRValue(d.fill) + GetGValue(d.fill) + GetBValue(d.fill) > 500;
            SetPixel(dc, x, y, !inside ? RGB(0, 0, 0) : (edge && light) ? RGB(64, 64, 64) : d.fill);
        }
    }
    if (d.shape == Shape::Window) {
        RECT caption{2, 4, 30, 10};
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 128));
        FillRect(dc, &caption, blue);
        RECT frame{2, 4, 30, 28};
        FrameRect(dc, &frame, blue);
        DeleteObject(blue);
    }
    if (d.glyph) {
        LOGFONTW lf{};
        lf.lfHeight = -22;
        lf.lfWeight = FW_BOLD;
        std::memcpy(lf.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
        HFONT font = CreateFontIndirectW(&lf);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, d.ink);
        RECT box{0, d.shape == Shape::Triangle ? 6 : 1, kSize, kSize};
        DrawTextW(dc, d.glyph, -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
    SelectObject(dc, mask);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            SetPixel(dc, x, y, Inside(d.shape, x, y) ? RGB(0, 0, 0) : RGB(255, 255, 255));
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info{TRUE, kSize / 2, kSize / 2, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);
    DeleteObject(mask);
    return icon;
}

std::map<uintptr_t, HICON>& Made() {
    static std::map<uintptr_t, HICON> made;
    return made;
}

} // namespace

HICON StockIcon(LPCSTR name) {
    const uintptr_t id = reinterpret_cast<uintptr_t>(name);
    Design design{};
    switch (id) {
    case 32512: // IDI_APPLICATION
    case 32517: // IDI_WINLOGO
        design = Design{Shape::Window, RGB(255, 255, 255), 0, nullptr};
        break;
    case 32513: // IDI_HAND
        design = Design{Shape::Circle, RGB(255, 0, 0), RGB(255, 255, 255), u"X"};
        break;
    case 32514: // IDI_QUESTION
        design = Design{Shape::Circle, RGB(255, 255, 255), RGB(0, 0, 255), u"?"};
        break;
    case 32515: // IDI_EXCLAMATION
        design = Design{Shape::Triangle, RGB(255, 255, 0), RGB(0, 0, 0), u"!"};
        break;
    case 32516: // IDI_ASTERISK
        design = Design{Shape::Circle, RGB(255, 255, 255), RGB(0, 0, 255), u"i"};
        break;
    default:
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // Shared icons: the same handle every time, as LoadIcon gives for the system's icons.
    HICON& icon = Made()[id];
    if (!icon || !FindIcon(icon)) {
        icon = Draw(design);
    }
    return icon;
}

void ResetStockIcons() {
    Made().clear();
}

} // namespace winsim::gdi
