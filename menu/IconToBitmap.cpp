#include "menu/IconToBitmap.h"

#include "platform/GdiHandles.h"

bool IconToBitmap(HDC dc, HIMAGELIST imageList, int index, HBITMAP& bitmap) {
    bitmap = NULL;
    HICON icon = ImageList_GetIcon(imageList, index, ILD_NORMAL);
    if (icon == NULL) {
        return false;
    }

    bool drawn = false;
    OwnedGdiObject picture(CreateCompatibleBitmap(dc, kMenuIconWidth, kMenuIconHeight));
    {
        OwnedGdiObject buttonFace(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        OwnedMemoryDc memory(dc);
        if (picture && buttonFace && memory) {
            ScopedSelection selected(memory.Get(), picture.Get());
            // The brush fills the picture first, so the icon's transparent parts show it.
            drawn =
                selected && DrawIconEx(memory.Get(), 0, 0, icon, kMenuIconWidth, kMenuIconHeight, 0,
                                       static_cast<HBRUSH>(buttonFace.Get()), DI_NORMAL);
        }
    }
    DestroyIcon(icon);

    if (!drawn) {
        return false;
    }
    bitmap = static_cast<HBITMAP>(picture.Release());
    return true;
}
