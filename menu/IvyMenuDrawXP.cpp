// The XP style: a light item on a button-face icon bar, a tinted selection framed in the
// highlight colour, icons faded when idle and lifted over their shadow when selected.
#include "menu/IvyMenu.h"

#include "menu/ColorBlend.h"
#include "menu/IconToBitmap.h"
#include "menu/IvyMenuDrawing.h"
#include "menu/MenuCheckMarks.h"
#include "menu/MenuFont.h"
#include "menu/MenuPaint.h"
#include "menu/OffscreenSurface.h"
#include "menu/SharedIconList.h"
#include "platform/GdiHandles.h"

#include <algorithm>
#include <memory>

using namespace ivymenu_drawing;

namespace {

const int kXPGap = 7;
const int kBarWidth = kMenuIconWidth + kXPGap;

} // namespace

void IvyMenu::DrawItemXP(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    // A disabled item is never drawn selected.
    if (lpDrawItemStruct->itemState & ODS_GRAYED) {
        lpDrawItemStruct->itemState &= ~static_cast<UINT>(ODS_SELECTED);
    }
    const ItemView view = ViewOf(*lpDrawItemStruct);
    const RECT& r = view.rect;

    // A disabled item is drawn off screen in the menu font and reaches the menu in one copy
    // when the surface goes, after the font has been put back and deleted.
    std::unique_ptr<OffscreenSurface> surface;
    if (view.disabled) {
        surface = std::make_unique<OffscreenSurface>(lpDrawItemStruct->hDC, r);
    }
    const HDC dc = surface ? surface->GetDc() : lpDrawItemStruct->hDC;
    OwnedGdiObject menuFont(surface ? CreateMenuFont() : NULL);
    ScopedSelection fontSelection(dc, menuFont.Get());

    const COLORREF window = BlendToBlack(GetSysColor(COLOR_WINDOW), 0.02);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF selection = BlendToWhite(highlight, 0.7);
    const RECT bar = {r.left, r.top, r.left + kBarWidth, r.bottom};

    if (view.separator) {
        FillSolid(dc, r, window);
        RECT line = {r.left + kBarWidth + kXPGap, r.top + view.height / 2, r.right, r.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        FillSolid(dc, bar, face);
        FrameSolid(dc, bar, face);
    } else {
        if (view.selected) {
            FillSolid(dc, r, selection);
            FrameSolid(dc, r, highlight);
        } else {
            FillSolid(dc, r, window);
            FillSolid(dc, bar, face);
            FrameSolid(dc, r, window);
            FrameSolid(dc, bar, face);
        }

        const RECT cell = {r.left + 1, r.top + 1, r.left + kBarWidth - 2, r.bottom - 1};
        const int x =
            r.left + std::max(0, static_cast<int>((kBarWidth - kMenuIconWidth + 1) * 0.5));
        const int y =
            r.top + std::max(0, static_cast<int>((view.height - kMenuIconHeight + 1) * 0.5));

        if (view.icon >= 0) {
            const bool variants = HasIconVariants(view.icon);
            if (view.disabled) {
                if (variants) {
                    DrawSharedIcon(dc, view.icon + 3, x, y);
                } else {
                    DrawDisabledIcon(dc, view.icon, x, y, face, false);
                }
            } else if (view.checked) {
                FillSolid(dc, cell, BlendToWhite(highlight, view.selected ? 0.55 : 0.85));
                FrameSolid(dc, cell, highlight);
                DrawSharedIcon(dc, view.icon, x - 1, y - 1);
            } else if (view.selected) {
                FillSolid(dc, cell, selection);
                if (variants) {
                    DrawSharedIcon(dc, view.icon + 2, x + 1, y + 1);
                    DrawSharedIcon(dc, view.icon, x - 1, y - 1);
                } else {
                    DrawSharedIcon(dc, view.icon, x, y);
                }
            } else {
                FillSolid(dc, cell, face);
                FrameSolid(dc, cell, face);
                DrawSharedIcon(dc, variants ? view.icon + 1 : view.icon, x, y);
            }
        } else if (view.checked) {
            DrawXPCheck(dc, cell, view.selected, HasOwnCheckBitmap(*lpDrawItemStruct));
        }

        DrawItemText(dc, view, r.left + kBarWidth + 8,
                     GetSysColor(view.disabled ? COLOR_GRAYTEXT : COLOR_MENUTEXT), 0);
    }
}
