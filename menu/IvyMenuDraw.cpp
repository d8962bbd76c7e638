// Drawing an owner-drawn item: the choice of style, the text both styles share, and the
// classic style.
#include "menu/IvyMenu.h"

#include "menu/ColorBlend.h"
#include "menu/DisabledIcon.h"
#include "platform/GdiHandles.h"
#include "menu/IconToBitmap.h"
#include "menu/IvyMenuDrawing.h"
#include "menu/MenuCheckMarks.h"
#include "menu/MenuPaint.h"
#include "menu/MenuStyle.h"
#include "menu/SharedIconList.h"

#include <algorithm>

namespace {

const int kClassicGap = 4;

} // namespace

namespace ivymenu_drawing {

ItemView ViewOf(const DRAWITEMSTRUCT& request) {
    ItemView view;
    view.rect = request.rcItem;
    view.height = request.rcItem.bottom - request.rcItem.top;
    view.record = reinterpret_cast<const IvyMenuItem*>(request.itemData);
    if (view.record != nullptr) {
        view.text = ToAnsiText(view.record->text);
        view.separator = (view.record->flags & MF_SEPARATOR) != 0;
        view.icon = view.record->sharedIcon;
        if (view.icon >= SharedIconCount() || SharedIconImages() == NULL) {
            view.icon = -1;
        }
    }
    view.checked = (request.itemState & ODS_CHECKED) != 0;
    view.selected = (request.itemState & ODS_SELECTED) != 0;
    view.disabled = (request.itemState & ODS_GRAYED) != 0;
    return view;
}

bool HasOwnCheckBitmap(const DRAWITEMSTRUCT& request) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    if (!GetMenuItemInfoA(reinterpret_cast<HMENU>(request.hwndItem), request.itemID, FALSE,
                          &info)) {
        return false;
    }
    return info.hbmpChecked != NULL;
}

void DrawSharedIcon(HDC dc, int index, int x, int y) {
    ImageList_Draw(SharedIconImages(), index, dc, x, y, ILD_TRANSPARENT);
}

void DrawDisabledIcon(HDC dc, int index, int x, int y, COLORREF background, bool greyed) {
    HBITMAP bitmap = NULL;
    if (!IconToBitmap(dc, SharedIconImages(), index, bitmap)) {
        return;
    }
    if (greyed) {
        DrawGreyed(dc, x, y, kMenuIconWidth, kMenuIconHeight, bitmap, background);
    } else {
        DrawEmbossed(dc, x, y, kMenuIconWidth, kMenuIconHeight, bitmap, background);
    }
    DeleteObject(bitmap);
}

void DrawItemText(HDC dc, const ItemView& view, int textLeft, COLORREF colour, int offset) {
    if (view.text.empty()) {
        return;
    }
    RECT rect = {textLeft + offset, view.rect.top - 1 + offset, view.rect.right + offset,
                 view.rect.bottom - 1 + offset};
    std::string left = view.text;
    std::string right;
    const size_t firstTab = view.text.find('\t');
    if (firstTab != std::string::npos) {
        left = view.text.substr(0, firstTab);
        right = view.text.substr(view.text.rfind('\t') + 1);
        // The accelerator column ends an icon's width before the item's right edge.
        rect.right -= kMenuIconWidth;
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    // No DT_NOPREFIX: an '&' underlines the next character.
    DrawTextA(dc, left.c_str(), static_cast<int>(left.size()), &rect, DT_SINGLELINE | DT_VCENTER);
    if (!right.empty()) {
        DrawTextA(dc, right.c_str(), static_cast<int>(right.size()), &rect,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

} // namespace ivymenu_drawing

using namespace ivymenu_drawing;

void IvyMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    // Palette displays cannot show the XP style's tints.
    const bool paletteDevice = (GetDeviceCaps(lpDrawItemStruct->hDC, RASTERCAPS) & RC_PALETTE) != 0;
    if (paletteDevice || !UsesXPStyle()) {
        DrawItemClassic(lpDrawItemStruct);
    } else {
        DrawItemXP(lpDrawItemStruct);
    }
}

void IvyMenu::DrawItemClassic(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    HDC dc = lpDrawItemStruct->hDC;
    const ItemView view = ViewOf(*lpDrawItemStruct);
    const RECT& r = view.rect;
    const COLORREF menu = ClassicMenuColour();

    if (view.separator) {
        FillSolid(dc, r, menu);
        RECT line = r;
        line.top += view.height >> 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }

    const bool hasIcon = view.icon >= 0;
    COLORREF textColour;
    if (view.selected) {
        RECT bar = r;
        if (hasIcon || view.checked) {
            bar.left = r.left + kMenuIconWidth + 5;
        }
        FillSolid(dc, bar, GetSysColor(COLOR_HIGHLIGHT));
        textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        FillSolid(dc, r, menu);
        FrameSolid(dc, r, menu);
        textColour = GetSysColor(COLOR_MENUTEXT);
    }

    const int dy = std::max(0, static_cast<int>(view.height - kMenuIconHeight - 4) / 2);
    const RECT inner = {r.left + 1, r.top + dy + 1, r.left + kMenuIconWidth + 3,
                        r.top + dy + kMenuIconHeight + 3};
    const RECT outer = {r.left, r.top + dy, r.left + kMenuIconWidth + 4,
                        r.top + dy + kMenuIconHeight + 4};
    const int iconX = r.left + 2;
    const int iconY = r.top + dy + 2;
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);

    if (hasIcon) {
        // Erases the 3D frame of an earlier state.
        FrameSolid(dc, inner, menu);
        if (view.disabled) {
            FrameSolid(dc, outer, menu);
            DrawDisabledIcon(dc, view.icon, iconX, iconY, menu, TrueColourIconsLoaded());
        } else if (view.selected) {
            FillSolid(dc, inner, menu);
            if (HasNewShell()) {
                if (view.checked) {
                    Frame3d(dc, outer, shadow, light);
                } else {
                    Frame3d(dc, outer, light, shadow);
                }
            }
            DrawSharedIcon(dc, view.icon, iconX, iconY);
        } else if (view.checked) {
            FillSolid(dc, inner, BlendToWhite(menu, 0.6));
            if (HasNewShell()) {
                Frame3d(dc, outer, shadow, light);
            }
            DrawSharedIcon(dc, view.icon, iconX, iconY);
        } else {
            FillSolid(dc, inner, menu);
            FrameSolid(dc, outer, menu);
            DrawSharedIcon(dc, view.icon, iconX, iconY);
        }
    } else if (view.checked) {
        const RECT box = {r.left + 1, r.top + dy + 2, r.left + kMenuIconWidth + 1,
                          r.top + dy + kMenuIconHeight + 2};
        DrawClassicCheck(dc, box, view.selected, HasOwnCheckBitmap(*lpDrawItemStruct));
    }

    const int textLeft = r.left + kMenuIconWidth + kClassicGap + 5;
    if (view.disabled && view.selected) {
        DrawItemText(dc, view, textLeft, menu, 0);
    } else if (view.disabled) {
        DrawItemText(dc, view, textLeft, light, 1);
        DrawItemText(dc, view, textLeft, GetSysColor(COLOR_GRAYTEXT), 0);
    } else {
        DrawItemText(dc, view, textLeft, textColour, 0);
    }
}
