// Icons of the owner-drawn items: from a toolbar resource into the shared icon list, and the
// search for the items of a command.
#include "menu/IvyMenu.h"

#include "framework/AfxModule.h"
#include "menu/BitmapResource.h"
#include "menu/IconToBitmap.h"
#include "menu/SharedIconList.h"

#include <cstring>

namespace {

// The resource type of toolbars: version, image width, image height, button count, then one
// command id per button (0 for a separator), 16-bit words each.
const WORD kToolbarResourceType = 241;

bool ReadToolbarButtons(UINT toolbarId, std::vector<WORD>& buttons) {
    HINSTANCE hModule = NULL;
    LPCSTR name = MAKEINTRESOURCEA(toolbarId);
    HRSRC hResource = AfxFindResourceHandle(name, MAKEINTRESOURCEA(kToolbarResourceType), &hModule);
    if (hResource == NULL) {
        return false;
    }
    HGLOBAL hLoaded = LoadResource(hModule, hResource);
    const BYTE* data = hLoaded != NULL ? static_cast<const BYTE*>(LockResource(hLoaded)) : nullptr;
    const size_t size = data != nullptr ? SizeofResource(hModule, hResource) : 0;
    WORD header[4] = {};
    if (size < sizeof(header)) {
        return false;
    }
    std::memcpy(header, data, sizeof(header));
    const size_t count = header[3];
    if (header[0] != 1 || size < sizeof(header) + count * sizeof(WORD)) {
        return false;
    }
    buttons.resize(count);
    if (count != 0) {
        std::memcpy(buttons.data(), data + sizeof(header), count * sizeof(WORD));
    }
    return true;
}

} // namespace

bool IvyMenu::AddToolbarIcons(UINT toolbarId) {
    std::vector<WORD> buttons;
    if (!ReadToolbarButtons(toolbarId, buttons)) {
        return false;
    }
    HIMAGELIST hImages =
        ImageList_Create(kMenuIconWidth, kMenuIconHeight, ILC_MASK | ILC_COLORDDB, 1, 1);
    if (hImages == NULL) {
        return false;
    }
    if (!AddBitmapResource(hImages, toolbarId)) {
        ImageList_Destroy(hImages);
        return false;
    }
    int image = 0;
    for (WORD commandId : buttons) {
        if (commandId == 0) {
            continue;
        }
        if (GetMenuState(commandId, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            SetItemIcon(nullptr, commandId, hImages, image);
        }
        ++image;
    }
    ImageList_Destroy(hImages);
    return true;
}

BOOL IvyMenu::SetItemIcon(LPCWSTR text, UINT commandId, HIMAGELIST imageList, int imageIndex) {
    std::vector<IvyMenu*> menus;
    std::vector<int> positions;
    int position = -1;
    BOOL result = FALSE;
    for (IvyMenu* pMenu = FindItemMenu(commandId, position); pMenu != nullptr;
         pMenu = FindNextItemMenu(commandId, position, menus, positions)) {
        IvyMenuItem* pRecord = pMenu->ItemRecord(position);
        if (pRecord == nullptr) {
            break;
        }
        if (text != nullptr) {
            pRecord->text = text;
        }
        if (imageList != NULL) {
            pRecord->sharedIcon = RegisterSharedIcon(imageList, imageIndex, commandId);
        }
        pRecord->flags = (pRecord->flags & ~static_cast<UINT>(MF_BYPOSITION)) | MF_OWNERDRAW;
        pRecord->commandId = commandId;
        // Each occurrence keeps its own record as its item data.
        result = ::ModifyMenuA(pMenu->m_hMenu, static_cast<UINT>(position),
                               pRecord->flags | MF_BYPOSITION, commandId,
                               reinterpret_cast<LPCSTR>(pRecord));
        menus.push_back(pMenu);
        positions.push_back(position);
    }
    return result;
}

IvyMenu* IvyMenu::FindItemMenu(UINT commandId, int& position) {
    return FindOccurrence(commandId, position, nullptr, nullptr);
}

IvyMenu* IvyMenu::FindNextItemMenu(UINT commandId, int& position,
                                   const std::vector<IvyMenu*>& menus,
                                   const std::vector<int>& positions) {
    return FindOccurrence(commandId, position, &menus, &positions);
}

IvyMenu* IvyMenu::FindOccurrence(UINT commandId, int& position, const std::vector<IvyMenu*>* menus,
                                 const std::vector<int>* positions) {
    auto alreadyFound = [&](int candidate) {
        if (menus == nullptr || positions == nullptr) {
            return false;
        }
        for (size_t i = 0; i < menus->size() && i < positions->size(); ++i) {
            if ((*menus)[i] == this && (*positions)[i] == candidate) {
                return true;
            }
        }
        return false;
    };
    const int count = GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        HMENU hPopup = ::GetSubMenu(m_hMenu, i);
        if (hPopup != NULL) {
            IvyMenu* pPopup = DYNAMIC_DOWNCAST(IvyMenu, CMenu::FromHandlePermanent(hPopup));
            if (pPopup != nullptr) {
                if (IvyMenu* pFound =
                        pPopup->FindOccurrence(commandId, position, menus, positions)) {
                    return pFound;
                }
            }
            continue;
        }
        if (GetMenuItemID(i) == commandId && !alreadyFound(i)) {
            position = i;
            return this;
        }
    }
    position = -1;
    return nullptr;
}
