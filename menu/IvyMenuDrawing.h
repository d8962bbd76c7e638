// What the two drawing styles of IvyMenu share: the item as a draw request shows it, its icon,
// its check-bitmap test and its text.
#pragma once

#include "menu/IvyMenuItem.h"
#include "platform/win32.h"

#include <string>

namespace ivymenu_drawing {

struct ItemView {
    RECT rect = {};
    LONG height = 0;
    const IvyMenuItem* record = nullptr;
    // The record's text in the ANSI code page; empty without a record.
    std::string text;
    bool separator = false;
    // Index of the icon in the shared icon list, -1 for none.
    int icon = -1;
    bool checked = false;
    bool selected = false;
    bool disabled = false;
};

ItemView ViewOf(const DRAWITEMSTRUCT& request);

// The item has a checked-state bitmap of its own: its check mark is a bullet.
bool HasOwnCheckBitmap(const DRAWITEMSTRUCT& request);

void DrawSharedIcon(HDC dc, int index, int x, int y);

// The shared icon as a disabled one on background: greyed pixel by pixel, or embossed.
void DrawDisabledIcon(HDC dc, int index, int x, int y, COLORREF background, bool greyed);

// The item text in its rectangle from textLeft to the item's right edge, moved offset pixels
// right and down: left aligned, and the accelerator after the tab right aligned an icon's width
// before the edge.
void DrawItemText(HDC dc, const ItemView& view, int textLeft, COLORREF colour, int offset);

} // namespace ivymenu_drawing
