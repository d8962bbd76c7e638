#include "system/file_dialog_icons.h"

namespace winsim::system {
namespace {

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    RECT r{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Frame(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    RECT r{left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

} // namespace

void DrawSmallFolderIcon(HDC dc, int x, int y, bool enabled) {
    const COLORREF edge = enabled ? RGB(181, 138, 33) : GetSysColor(COLOR_GRAYTEXT);
    const COLORREF tab = enabled ? RGB(239, 200, 92) : GetSysColor(COLOR_3DFACE);
    const COLORREF body = enabled ? RGB(255, 221, 120) : GetSysColor(COLOR_3DFACE);
    Fill(dc, x + 1, y + 2, x + 7, y + 5, tab);
    Frame(dc, x + 1, y + 2, x + 7, y + 5, edge);
    Fill(dc, x + 1, y + 4, x + 15, y + 14, body);
    Frame(dc, x + 1, y + 4, x + 15, y + 14, edge);
    if (enabled) {
        Fill(dc, x + 2, y + 5, x + 14, y + 6, RGB(255, 241, 190)); // the light along its top
    }
}

void DrawSmallFileIcon(HDC dc, int x, int y) {
    const COLORREF edge = RGB(128, 128, 128);
    Fill(dc, x + 3, y + 1, x + 13, y + 15, RGB(255, 255, 255));
    Frame(dc, x + 3, y + 1, x + 13, y + 15, edge);
    Fill(dc, x + 10, y + 1, x + 13, y + 4, GetSysColor(COLOR_WINDOW));
    Fill(dc, x + 10, y + 1, x + 11, y + 4, edge);
    Fill(dc, x + 10, y + 3, x + 13, y + 4, edge);
    for (int line = 0; line < 4; ++line) {
        Fill(dc, x + 5, y + 6 + 2 * line, x + 11, y + 7 + 2 * line, RGB(160, 160, 200));
    }
}

void DrawUpArrow(HDC dc, int x, int y, COLORREF color) {
    for (int row = 0; row < 4; ++row) {
        Fill(dc, x + 3 - row, y + row, x + 4 + row, y + row + 1, color);
    }
    Fill(dc, x + 2, y + 4, x + 5, y + 9, color);
}

} // namespace winsim::system
