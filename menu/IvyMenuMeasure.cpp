// The size of an owner-drawn item: its text in the menu font, beside the icon column.
#include "menu/IvyMenu.h"

#include "menu/IconToBitmap.h"
#include "menu/MenuFont.h"
#include "menu/MenuStyle.h"
#include "platform/GdiHandles.h"

#include <algorithm>

void IvyMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    const bool xpStyle = UsesXPStyle();
    const int gap = xpStyle ? 7 : 4;
    const IvyMenuItem* pRecord =
        reinterpret_cast<const IvyMenuItem*>(lpMeasureItemStruct->itemData);
    const int menuHeight = GetSystemMetrics(SM_CYMENU);

    if (pRecord != nullptr && (pRecord->flags & MF_SEPARATOR)) {
        lpMeasureItemStruct->itemWidth = 0;
        lpMeasureItemStruct->itemHeight =
            xpStyle ? 3 : static_cast<UINT>(std::max((kMenuIconHeight + gap) / 2, menuHeight / 2));
        return;
    }

    SIZE extent = {};
    {
        OwnedGdiObject menuFont(CreateMenuFont());
        MenuOwnerDc dc;
        if (dc) {
            // Systems before the new shell measure in the device context's own font.
            ScopedSelection fontSelection(dc.Get(), HasNewShell() ? menuFont.Get() : NULL);
            if (pRecord != nullptr && !pRecord->text.empty()) {
                GetTextExtentPoint32W(dc.Get(), pRecord->text.c_str(),
                                      static_cast<int>(pRecord->text.size()), &extent);
            }
        }
    }
    // Icon column, gap and margins: cx + gap + 8 in the XP style, 2 cx + 1 in the classic one.
    const LONG columns = xpStyle ? kMenuIconWidth + gap + 8 : 2 * kMenuIconWidth + 1;
    lpMeasureItemStruct->itemWidth = static_cast<UINT>(std::max<LONG>(0, extent.cx) + columns);
    lpMeasureItemStruct->itemHeight =
        static_cast<UINT>(std::max(kMenuIconHeight + gap, menuHeight));
}
