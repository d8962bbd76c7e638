#include "menu/IvyMenu.h"

#include "framework/AfxModule.h"
#include "menu/MenuFont.h"
#include "menu/MenuTemplate.h"
#include "menu/SharedIconList.h"
#include "platform/GdiHandles.h"

#include <utility>

IMPLEMENT_DYNAMIC(IvyMenu, CMenu)

IvyMenu::IvyMenu() = default;

IvyMenu::~IvyMenu() {
    Destroy();
}

IvyMenuItem* IvyMenu::ItemRecord(int position) const {
    if (position < 0 || static_cast<size_t>(position) >= m_items.size()) {
        return nullptr;
    }
    return m_items[static_cast<size_t>(position)].get();
}

bool IvyMenu::LoadFromResource(UINT nIDResource) {
    return LoadFromResource(MAKEINTRESOURCEA(nIDResource));
}

bool IvyMenu::LoadFromResource(LPCSTR lpszResourceName) {
    HINSTANCE hModule = NULL;
    HRSRC hResource =
        AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(4) /* RT_MENU */, &hModule);
    if (hResource == NULL) {
        return false;
    }
    HGLOBAL hLoaded = LoadResource(hModule, hResource);
    const void* data = hLoaded != NULL ? LockResource(hLoaded) : nullptr;
    std::vector<MenuTemplateItem> entries;
    if (data == nullptr || !ReadMenuTemplate(data, SizeofResource(hModule, hResource), entries)) {
        return false;
    }

    Destroy();
    if (!CreateMenu()) {
        return false;
    }

    // The menus being filled, innermost last, each with the mark that its last item was seen.
    std::vector<std::pair<IvyMenu*, bool>> stack(1, {this, false});
    for (const MenuTemplateItem& entry : entries) {
        if (stack.empty()) {
            break;
        }
        const UINT itemFlags = entry.flags & ~static_cast<UINT>(MF_END);
        const bool last = (entry.flags & MF_END) != 0;
        if (entry.flags & MF_POPUP) {
            if (last) {
                stack.back().second = true;
            }
            auto popup = std::make_unique<IvyMenu>();
            if (!popup->CreatePopupMenu()) {
                Destroy();
                return false;
            }
            IvyMenu* pPopup = popup.get();
            if (!stack.back().first->AppendItem(entry.text.c_str(), itemFlags,
                                                reinterpret_cast<UINT_PTR>(pPopup->m_hMenu))) {
                popup.reset();
                Destroy();
                return false;
            }
            // Owned from now on through the parent's list of popups.
            popup.release();
            stack.emplace_back(pPopup, false);
        } else {
            stack.back().first->AppendItem(entry.text.c_str(), itemFlags, entry.commandId);
            if (last) {
                stack.back().second = true;
            }
            while (!stack.empty() && stack.back().second) {
                stack.back().first->PadAcceleratorColumn();
                stack.pop_back();
            }
        }
    }

    // The top level is a plain menu: only the items inside popups are drawn by their owner.
    for (size_t position = 0; position < m_items.size(); ++position) {
        IvyMenuItem& record = *m_items[position];
        const std::string text = ToAnsiText(record.text);
        const UINT nPosition = static_cast<UINT>(position);
        if (record.flags & MF_POPUP) {
            record.flags = MF_BYPOSITION | MF_POPUP;
        } else {
            record.flags = MF_BYPOSITION | MF_STRING;
        }
        ::ModifyMenuA(m_hMenu, nPosition, record.flags, record.commandId, text.c_str());
    }
    return true;
}

BOOL IvyMenu::AppendItem(LPCWSTR text, UINT flags, UINT_PTR commandId) {
    if (commandId != 0) {
        flags |= MF_OWNERDRAW;
    } else {
        flags = MF_SEPARATOR | MF_OWNERDRAW | (flags & MF_BYPOSITION);
    }
    if (flags & MF_POPUP) {
        m_submenuHandles.push_back(reinterpret_cast<HMENU>(commandId));
    }
    auto record = std::make_unique<IvyMenuItem>();
    if (text != nullptr) {
        record->text = text;
    }
    record->flags = flags;
    record->commandId = commandId;
    // An item whose command has its icon already shows it at once. A popup's id is a handle,
    // not a command.
    record->sharedIcon = (flags & MF_POPUP) ? -1 : SharedIconIndex(static_cast<UINT>(commandId));
    IvyMenuItem* pRecord = record.get();
    m_items.push_back(std::move(record));
    return ::AppendMenuA(m_hMenu, flags, commandId, reinterpret_cast<LPCSTR>(pRecord));
}

void IvyMenu::PadAcceleratorColumn() {
    OwnedGdiObject menuFont(CreateMenuFont());
    MenuOwnerDc dc;
    if (!dc) {
        return;
    }
    ScopedSelection fontSelection(dc.Get(), menuFont.Get());
    auto measure = [&dc](const std::string& text, LONG& width) {
        SIZE size = {};
        if (!GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size)) {
            return false;
        }
        width = size.cx;
        return true;
    };

    LONG widest = 0;
    for (const auto& record : m_items) {
        const std::string text = ToAnsiText(record->text);
        LONG width = 0;
        if (measure(text.substr(0, text.find('\t')) + " ", width) && width > widest) {
            widest = width;
        }
    }
    for (const auto& record : m_items) {
        const std::string text = ToAnsiText(record->text);
        const size_t tab = text.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        std::string padded = text.substr(0, tab);
        LONG width = 0;
        bool measured = measure(padded, width);
        while (measured && width < widest) {
            const LONG before = width;
            padded += ' ';
            measured = measure(padded, width);
            // A space of no width would never fill the column.
            if (measured && width <= before) {
                break;
            }
        }
        padded += text.substr(tab);
        record->text = ToWideText(padded);
    }
}

void IvyMenu::Destroy() {
    for (HMENU hSubmenu : m_submenuHandles) {
        CMenu* pSubmenu = CMenu::FromHandlePermanent(hSubmenu);
        if (IvyMenu* pIvySubmenu = DYNAMIC_DOWNCAST(IvyMenu, pSubmenu)) {
            delete pIvySubmenu;
        }
    }
    m_submenuHandles.clear();
    m_items.clear();
    DestroyMenu();
}
