// Measuring and drawing the items of an open menu window.
#include "user/menu_window.h"

#include "user/window_internal.h"

#include <algorithm>
#include <string>

namespace winsim::user {
namespace {

HFONT MenuFont(bool bold) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return nullptr;
    }
    if (bold) {
        metrics.lfMenuFont.lfWeight = FW_BOLD;
    }
    return CreateFontIndirectA(&metrics.lfMenuFont);
}

int TextWidth(const std::string& text, bool bold) {
    HDC dc = GetDC(nullptr);
    if (!dc) {
        return static_cast<int>(text.size()) * 6;
    }
    HFONT font = MenuFont(bold);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (font) {
        SelectObject(dc, old);
        DeleteObject(font);
    }
    ReleaseDC(nullptr, dc);
    return size.cx;
}

} // namespace

SIZE LayoutMenu(HMENU menu, HWND owner) {
    Menu* m = FindMenu(menu);
    if (!m) {
        return SIZE{0, 0};
    }
    const int itemHeight = GetSystemMetrics(SM_CYMENU);
    const int checkWidth = GetSystemMetrics(SM_CYMENUCHECK);
    int width = 0;
    int y = 0;
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuItem item = m->items[i];
        int w = 0;
        int h = itemHeight;
        if (item.type & MFT_OWNERDRAW) {
            MEASUREITEMSTRUCT mis{};
            mis.CtlType = ODT_MENU;
            mis.itemID = item.id;
            mis.itemHeight = static_cast<UINT>(itemHeight);
            mis.itemData = item.data;
            Send(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
            w = static_cast<int>(mis.itemWidth) + checkWidth;
            h = static_cast<int>(mis.itemHeight);
        } else if (item.type & MFT_SEPARATOR) {
            h = itemHeight / 2;
        } else {
            std::string left = item.text;
            std::string right;
            size_t tab = left.find('\t');
            if (tab != std::string::npos) {
                right = left.substr(tab + 1);
                left.erase(tab);
            }
            bool bold = (item.state & MFS_DEFAULT) != 0;
            w = 2 * checkWidth + TextWidth(PlainMenuText(left), bold) +
                (right.empty() ? 0 : checkWidth + TextWidth(right, bold));
        }
        m = FindMenu(menu);
        if (!m || i >= m->items.size()) {
            break;
        }
        m->items[i].rect = RECT{0, y, 0, y + h};
        width = std::max(width, w);
        y += h;
    }
    if (m) {
        for (MenuItem& item : m->items) {
            item.rect.right = width;
        }
    }
    return SIZE{width, y};
}

void DrawMenuItem(HMENU menu, HWND owner, HDC dc, size_t position, bool selected) {
    Menu* m = FindMenu(menu);
    if (!m || position >= m->items.size()) {
        return;
    }
    const MenuItem item = m->items[position];
    RECT r = item.rect;
    if (item.type & MFT_OWNERDRAW) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = item.id;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (selected ? ODS_SELECTED : 0) |
                        ((item.state & MF_GRAYED) ? ODS_GRAYED : 0) |
                        ((item.state & MF_DISABLED) ? ODS_DISABLED : 0) |
                        ((item.state & MF_CHECKED) ? ODS_CHECKED : 0) |
                        ((item.state & MFS_DEFAULT) ? ODS_DEFAULT : 0);
        dis.hwndItem = reinterpret_cast<HWND>(menu);
        dis.hDC = dc;
        dis.rcItem = r;
        dis.itemData = item.data;
        // As on Windows, the owner finds the menu font selected into the menu's device context.
        HFONT font = MenuFont((item.state & MFS_DEFAULT) != 0);
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        Send(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        if (font) {
            SelectObject(dc, oldFont);
            DeleteObject(font);
        }
        return;
    }
    bool disabled = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
    FillRect(
        dc, &r,
        GetSysColorBrush(selected && !(item.type & MFT_SEPARATOR) ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.type & MFT_SEPARATOR) {
        RECT line{r.left + 1, r.top + (r.bottom - r.top) / 2 - 1, r.right - 1, r.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const int checkWidth = GetSystemMetrics(SM_CYMENUCHECK);
    COLORREF color =
        GetSysColor(disabled ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    if (item.state & MFS_CHECKED) {
        // A check mark: two strokes in the check column.
        HPEN pen = CreatePen(PS_SOLID, 1, color);
        HGDIOBJ old = SelectObject(dc, pen);
        int cx = r.left + checkWidth / 2 - 3;
        int cy = (r.top + r.bottom) / 2;
        for (int k = 0; k < 3; ++k) {
            MoveToEx(dc, cx, cy - 1 + k, nullptr);
            LineTo(dc, cx + 2, cy + 1 + k);
            LineTo(dc, cx + 7, cy - 4 + k);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    HFONT font = MenuFont((item.state & MFS_DEFAULT) != 0);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    RECT text{r.left + checkWidth, r.top, r.right - checkWidth, r.bottom};
    std::string left = item.text;
    std::string right;
    size_t tab = left.find('\t');
    if (tab != std::string::npos) {
        right = left.substr(tab + 1);
        left.erase(tab);
    }
    DrawTextA(dc, left.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!right.empty()) {
        DrawTextA(dc, right.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    if (item.submenu) {
        // The arrow of an item that opens a submenu, in the right-hand column.
        HPEN pen = CreatePen(PS_SOLID, 1, color);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        int x = r.right - checkWidth / 2 - 2;
        int cy = (r.top + r.bottom) / 2;
        for (int k = 0; k < 4; ++k) {
            MoveToEx(dc, x + k, cy - 3 + k, nullptr);
            LineTo(dc, x + k, cy + 4 - k);
        }
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    if (font) {
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
}

} // namespace winsim::user
