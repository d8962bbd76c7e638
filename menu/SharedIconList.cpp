#include "menu/SharedIconList.h"

#include "platform/GdiHandles.h"
#include "menu/IconToBitmap.h"
#include "menu/IconVariants.h"
#include "menu/MenuFont.h"
#include "menu/MenuStyle.h"

#include <vector>

namespace {

const UINT kIconListFlags = ILC_MASK | ILC_COLORDDB;

struct SharedIcons {
    HIMAGELIST images = NULL;
    // Entry k is the command whose image is image k of the list.
    std::vector<UINT> commandIds;
    bool trueColourLoaded = false;
};

SharedIcons& Store() {
    static SharedIcons store;
    return store;
}

// An icon handle destroyed at the end of the scope.
class OwnedIcon {
public:
    explicit OwnedIcon(HICON icon) : m_hIcon(icon) {}
    ~OwnedIcon() {
        if (m_hIcon != NULL) {
            DestroyIcon(m_hIcon);
        }
    }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    HICON Get() const { return m_hIcon; }

private:
    HICON m_hIcon;
};

// The faded, shadow and disabled variants of one icon, as bitmaps on button face.
struct IconVariantBitmaps {
    HBITMAP bitmaps[3] = {NULL, NULL, NULL};
    ~IconVariantBitmaps() {
        for (HBITMAP bitmap : bitmaps) {
            if (bitmap != NULL) {
                DeleteObject(bitmap);
            }
        }
    }
    bool Complete() const { return bitmaps[0] != NULL && bitmaps[1] != NULL && bitmaps[2] != NULL; }
};

void MakeVariants(HIMAGELIST sourceList, int sourceIndex, IconVariantBitmaps& variants) {
    MenuOwnerDc dc;
    if (!dc) {
        return;
    }
    for (HBITMAP& bitmap : variants.bitmaps) {
        if (!IconToBitmap(dc.Get(), sourceList, sourceIndex, bitmap)) {
            bitmap = NULL;
        }
    }
    if (!variants.Complete() || !MakeFadedImage(variants.bitmaps[0]) ||
        !MakeShadowImage(variants.bitmaps[1]) || !MakeDisabledImage(variants.bitmaps[2], 0)) {
        for (HBITMAP& bitmap : variants.bitmaps) {
            if (bitmap != NULL) {
                DeleteObject(bitmap);
                bitmap = NULL;
            }
        }
    }
}

// Replaces image index of the store with a variant bitmap, made an icon through a temporary
// masked list whose mask colour is button face.
void ReplaceWithBitmap(int index, HBITMAP bitmap) {
    HIMAGELIST temporary = ImageList_Create(16, 15, kIconListFlags, 1, 1);
    if (temporary == NULL) {
        return;
    }
    if (ImageList_AddMasked(temporary, bitmap, GetSysColor(COLOR_BTNFACE)) == 0) {
        OwnedIcon icon(ImageList_GetIcon(temporary, 0, ILD_NORMAL));
        if (icon.Get() != NULL) {
            ImageList_ReplaceIcon(Store().images, index, icon.Get());
        }
    }
    ImageList_Destroy(temporary);
}

} // namespace

int SharedIconIndex(UINT commandId) {
    const std::vector<UINT>& ids = Store().commandIds;
    for (size_t k = 0; k < ids.size(); ++k) {
        if (ids[k] == commandId) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

bool HasIconVariants(int index) {
    const std::vector<UINT>& ids = Store().commandIds;
    if (index < 0 || static_cast<size_t>(index) + 2 >= ids.size()) {
        return false;
    }
    const size_t k = static_cast<size_t>(index);
    return ids[k + 1] == ids[k] && ids[k + 2] == ids[k];
}

int RegisterSharedIcon(HIMAGELIST sourceList, int sourceIndex, UINT commandId) {
    SharedIcons& store = Store();
    if (store.images == NULL) {
        store.images = ImageList_Create(16, 15, kIconListFlags, 1, 1);
        if (store.images == NULL) {
            return -1;
        }
    }
    OwnedIcon icon(ImageList_GetIcon(sourceList, sourceIndex, ILD_NORMAL));
    if (icon.Get() == NULL) {
        return -1;
    }
    const bool xpStyle = UsesXPStyle();
    IconVariantBitmaps variants;
    if (xpStyle) {
        MakeVariants(sourceList, sourceIndex, variants);
    }

    const int existing = SharedIconIndex(commandId);
    if (existing != -1) {
        ImageList_ReplaceIcon(store.images, existing, icon.Get());
        if (xpStyle && variants.Complete() && HasIconVariants(existing) &&
            static_cast<size_t>(existing) + 3 < store.commandIds.size()) {
            for (int i = 0; i < 3; ++i) {
                ReplaceWithBitmap(existing + 1 + i, variants.bitmaps[i]);
            }
        }
        return existing;
    }

    // The list and the id array stay parallel: an id is recorded only for an image that the
    // list took, and variants are kept only all three together.
    const int index = static_cast<int>(store.commandIds.size());
    if (ImageList_ReplaceIcon(store.images, -1, icon.Get()) != index) {
        return -1;
    }
    store.commandIds.push_back(commandId);
    if (xpStyle && variants.Complete()) {
        const COLORREF mask = GetSysColor(COLOR_BTNFACE);
        int added = 0;
        for (HBITMAP bitmap : variants.bitmaps) {
            if (ImageList_AddMasked(store.images, bitmap, mask) != index + 1 + added) {
                break;
            }
            ++added;
        }
        if (added == 3) {
            store.commandIds.insert(store.commandIds.end(), 3, commandId);
        } else {
            for (int i = added; i > 0; --i) {
                ImageList_Remove(store.images, index + i);
            }
        }
    }
    return index;
}

HIMAGELIST SharedIconImages() {
    return Store().images;
}

int SharedIconCount() {
    return static_cast<int>(Store().commandIds.size());
}

bool TrueColourIconsLoaded() {
    return Store().trueColourLoaded;
}

void NoteTrueColourIconsLoaded() {
    Store().trueColourLoaded = true;
}

void ReleaseSharedIcons() {
    SharedIcons& store = Store();
    if (store.images != NULL) {
        ImageList_Destroy(store.images);
    }
    store.images = NULL;
    store.commandIds.clear();
    store.trueColourLoaded = false;
}
