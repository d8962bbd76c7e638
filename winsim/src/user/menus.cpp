// Menus and their items: creation, appending, modifying, queries and states.
#include "user/menu_state.h"

#include <cstring>
#include <map>

namespace winsim::user {
namespace {

struct MenuTable {
    std::map<HMENU, Menu> menus;
    uintptr_t next = 0x00300000;
};

MenuTable& Table() {
    static MenuTable table;
    return table;
}

HMENU NewMenu(bool popup) {
    MenuTable& t = Table();
    t.next += 4;
    HMENU h = reinterpret_cast<HMENU>(t.next);
    t.menus[h].popup = popup;
    return h;
}

void DestroyMenuTree(HMENU h) {
    Menu* m = FindMenu(h);
    if (!m) {
        return;
    }
    std::vector<HMENU> subs;
    for (const MenuItem& item : m->items) {
        if (item.submenu) {
            subs.push_back(item.submenu);
        }
    }
    Table().menus.erase(h);
    for (HMENU sub : subs) {
        DestroyMenuTree(sub);
    }
}

// Fills an item from the flags and arguments of AppendMenu, InsertMenu and ModifyMenu.
bool FillItem(MenuItem* item, UINT flags, UINT_PTR id, LPCSTR newItem) {
    UINT type = 0;
    if (flags & MF_POPUP) {
        HMENU sub = reinterpret_cast<HMENU>(id);
        if (!FindMenu(sub)) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return false;
        }
        item->submenu = sub;
        item->id = static_cast<UINT>(id);
    } else {
        item->submenu = nullptr;
        item->id = static_cast<UINT>(id);
    }
    item->text.clear();
    item->data = 0;
    item->bitmap = nullptr;
    if (flags & MF_SEPARATOR) {
        type |= MFT_SEPARATOR;
    }
    if (flags & MF_OWNERDRAW) {
        // Owner-drawn separators are measured and drawn by their owner like other items.
        type |= MFT_OWNERDRAW;
        item->data = reinterpret_cast<ULONG_PTR>(newItem);
    } else if ((flags & MF_BITMAP) && !(flags & MF_SEPARATOR)) {
        type |= MFT_BITMAP;
        item->bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
    } else if (newItem && !(flags & MF_SEPARATOR)) {
        item->text = newItem;
    }
    type |= flags & (MF_MENUBREAK | MF_MENUBARBREAK | MF_RIGHTJUSTIFY);
    item->type = type;
    item->state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_HILITE);
    return true;
}

bool LocateByCommand(HMENU menu, UINT id, HMENU* owner, size_t* position) {
    Menu* m = FindMenu(menu);
    if (!m) {
        return false;
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (item.submenu) {
            if (LocateByCommand(item.submenu, id, owner, position)) {
                return true;
            }
            // A popup item itself matches by its handle value, as on Windows.
            if (item.id == id) {
                *owner = menu;
                *position = i;
                return true;
            }
            continue;
        }
        if (item.id == id) {
            *owner = menu;
            *position = i;
            return true;
        }
    }
    return false;
}

MenuItem* Item(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr) {
    HMENU where = nullptr;
    size_t position = 0;
    if (!LocateItem(menu, item, (flags & MF_BYPOSITION) != 0, &where, &position)) {
        return nullptr;
    }
    if (owner) {
        *owner = where;
    }
    return &FindMenu(where)->items[position];
}

UINT StateFlags(const MenuItem& item) {
    UINT flags = item.type | item.state;
    if (item.submenu) {
        Menu* sub = FindMenu(item.submenu);
        UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
        return ((count & 0xFF) << 8) | ((flags | MF_POPUP) & 0xFF);
    }
    return flags;
}

bool Insert(HMENU hMenu, size_t position, UINT flags, UINT_PTR id, LPCSTR text) {
    Menu* m = FindMenuOrFail(hMenu);
    if (!m) {
        return false;
    }
    MenuItem item;
    if (!FillItem(&item, flags, id, text)) {
        return false;
    }
    m = FindMenu(hMenu);
    if (position > m->items.size()) {
        position = m->items.size();
    }
    m->items.insert(m->items.begin() + static_cast<long>(position), item);
    return true;
}

} // namespace

Menu* FindMenu(HMENU menu) {
    auto it = Table().menus.find(menu);
    return it == Table().menus.end() ? nullptr : &it->second;
}

Menu* FindMenuOrFail(HMENU menu) {
    Menu* m = FindMenu(menu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    }
    return m;
}

bool LocateItem(HMENU menu, UINT item, bool byPosition, HMENU* owner, size_t* position) {
    Menu* m = FindMenu(menu);
    if (!m) {
        return false;
    }
    if (byPosition) {
        if (item >= m->items.size()) {
            return false;
        }
        *owner = menu;
        *position = item;
        return true;
    }
    return LocateByCommand(menu, item, owner, position);
}

std::string PlainMenuText(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\t') {
            break;
        }
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

void ResetMenuDesk();

void ResetMenus() {
    ResetMenuDesk();
    Table() = MenuTable();
}

} // namespace winsim::user

using namespace winsim::user;

HMENU WINAPI CreateMenu() {
    return NewMenu(false);
}

HMENU WINAPI CreatePopupMenu() {
    return NewMenu(true);
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    if (!FindMenuOrFail(hMenu)) {
        return FALSE;
    }
    DestroyMenuTree(hMenu);
    return TRUE;
}

BOOL WINAPI IsMenu(HMENU hMenu) {
    return FindMenu(hMenu) != nullptr;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    Menu* m = FindMenuOrFail(hMenu);
    if (!m) {
        return FALSE;
    }
    return Insert(hMenu, m->items.size(), uFlags, uIDNewItem, lpNewItem);
}

BOOL WINAPI InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    Menu* m = FindMenuOrFail(hMenu);
    if (!m) {
        return FALSE;
    }
    if (uFlags & MF_BYPOSITION) {
        return Insert(hMenu, uPosition == static_cast<UINT>(-1) ? m->items.size() : uPosition,
                      uFlags, uIDNewItem, lpNewItem);
    }
    HMENU owner = nullptr;
    size_t position = 0;
    if (!LocateItem(hMenu, uPosition, false, &owner, &position)) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    return Insert(owner, position, uFlags, uIDNewItem, lpNewItem);
}

BOOL WINAPI ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    if (!FindMenuOrFail(hMnu)) {
        return FALSE;
    }
    MenuItem* item = Item(hMnu, uPosition, uFlags);
    if (!item) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    MenuItem changed = *item;
    if (!FillItem(&changed, uFlags, uIDNewItem, lpNewItem)) {
        return FALSE;
    }
    HMENU oldSub = item->submenu;
    // A submenu that the item no longer opens goes away with it, as on Windows.
    item = Item(hMnu, uPosition, uFlags);
    *item = changed;
    if (oldSub && oldSub != changed.submenu) {
        DestroyMenuTree(oldSub);
    }
    return TRUE;
}

BOOL WINAPI RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    if (!FindMenuOrFail(hMenu)) {
        return FALSE;
    }
    HMENU owner = nullptr;
    size_t position = 0;
    if (!LocateItem(hMenu, uPosition, (uFlags & MF_BYPOSITION) != 0, &owner, &position)) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    auto& items = FindMenu(owner)->items;
    items.erase(items.begin() + static_cast<long>(position));
    return TRUE;
}

BOOL WINAPI DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    MenuItem* item = FindMenuOrFail(hMenu) ? Item(hMenu, uPosition, uFlags) : nullptr;
    HMENU sub = item ? item->submenu : nullptr;
    if (!RemoveMenu(hMenu, uPosition, uFlags)) {
        return FALSE;
    }
    if (sub) {
        DestroyMenuTree(sub);
    }
    return TRUE;
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
    Menu* m = FindMenuOrFail(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size()) {
        return nullptr;
    }
    return m->items[static_cast<size_t>(nPos)].submenu;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
    Menu* m = FindMenuOrFail(hMenu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    Menu* m = FindMenuOrFail(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size()) {
        return static_cast<UINT>(-1);
    }
    const MenuItem& item = m->items[static_cast<size_t>(nPos)];
    return item.submenu ? static_cast<UINT>(-1) : item.id;
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    if (!FindMenuOrFail(hMenu)) {
        return static_cast<UINT>(-1);
    }
    MenuItem* item = Item(hMenu, uId, uFlags);
    return item ? StateFlags(*item) : static_cast<UINT>(-1);
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    if (!FindMenuOrFail(hMenu)) {
        return 0;
    }
    MenuItem* item = Item(hMenu, uIDItem, flags);
    if (!item) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return 0;
    }
    if (!lpString || cchMax <= 0) {
        return static_cast<int>(item->text.size());
    }
    size_t n = std::min(item->text.size(), static_cast<size_t>(cchMax - 1));
    std::memcpy(lpString, item->text.data(), n);
    lpString[n] = '\0';
    return static_cast<int>(n);
}

BOOL WINAPI GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii) {
    if (!lpmii || (lpmii->cbSize != sizeof(MENUITEMINFOA) &&
                   lpmii->cbSize != sizeof(MENUITEMINFOA) - sizeof(HBITMAP))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!FindMenuOrFail(hmenu)) {
        return FALSE;
    }
    MenuItem* it = Item(hmenu, item, fByPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!it) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    UINT mask = lpmii->fMask;
    if (mask & (MIIM_FTYPE | MIIM_TYPE)) {
        lpmii->fType = it->type;
    }
    if (mask & MIIM_STATE) {
        lpmii->fState = it->state;
    }
    if (mask & MIIM_ID) {
        lpmii->wID = it->id;
    }
    if (mask & MIIM_SUBMENU) {
        lpmii->hSubMenu = it->submenu;
    }
    if (mask & MIIM_CHECKMARKS) {
        lpmii->hbmpChecked = it->checkedBitmap;
        lpmii->hbmpUnchecked = it->uncheckedBitmap;
    }
    if (mask & MIIM_DATA) {
        lpmii->dwItemData = it->data;
    }
    if ((mask & MIIM_BITMAP) && lpmii->cbSize == sizeof(MENUITEMINFOA)) {
        lpmii->hbmpItem = it->bitmap;
    }
    bool wantsText =
        (mask & MIIM_STRING) ||
        ((mask & MIIM_TYPE) && !(it->type & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW)));
    if ((mask & MIIM_TYPE) && (it->type & MFT_BITMAP)) {
        lpmii->dwTypeData = reinterpret_cast<LPSTR>(it->bitmap);
    }
    if (wantsText) {
        if (!lpmii->dwTypeData || lpmii->cch == 0) {
            lpmii->cch = static_cast<UINT>(it->text.size());
        } else {
            size_t n = std::min(it->text.size(), static_cast<size_t>(lpmii->cch - 1));
            std::memcpy(lpmii->dwTypeData, it->text.data(), n);
            lpmii->dwTypeData[n] = '\0';
            lpmii->cch = static_cast<UINT>(n);
        }
    }
    return TRUE;
}

BOOL WINAPI SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOA lpmii) {
    if (!lpmii || (lpmii->cbSize != sizeof(MENUITEMINFOA) &&
                   lpmii->cbSize != sizeof(MENUITEMINFOA) - sizeof(HBITMAP))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!FindMenuOrFail(hmenu)) {
        return FALSE;
    }
    MenuItem* it = Item(hmenu, item, fByPositon ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!it) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    UINT mask = lpmii->fMask;
    if (mask & MIIM_SUBMENU) {
        if (lpmii->hSubMenu && !FindMenu(lpmii->hSubMenu)) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        it->submenu = lpmii->hSubMenu;
    }
    if (mask & (MIIM_FTYPE | MIIM_TYPE)) {
        it->type = lpmii->fType;
    }
    if (mask & MIIM_TYPE) {
        if (lpmii->fType & MFT_BITMAP) {
            it->bitmap = reinterpret_cast<HBITMAP>(lpmii->dwTypeData);
        } else if (!(lpmii->fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
            it->text = lpmii->dwTypeData ? lpmii->dwTypeData : "";
        }
    }
    if ((mask & MIIM_STRING) && lpmii->dwTypeData) {
        it->text = lpmii->dwTypeData;
    }
    if (mask & MIIM_STATE) {
        it->state = lpmii->fState;
    }
    if (mask & MIIM_ID) {
        it->id = lpmii->wID;
    }
    if (mask & MIIM_CHECKMARKS) {
        it->checkedBitmap = lpmii->hbmpChecked;
        it->uncheckedBitmap = lpmii->hbmpUnchecked;
    }
    if (mask & MIIM_DATA) {
        it->data = lpmii->dwItemData;
    }
    if ((mask & MIIM_BITMAP) && lpmii->cbSize == sizeof(MENUITEMINFOA)) {
        it->bitmap = lpmii->hbmpItem;
    }
    return TRUE;
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    if (!FindMenuOrFail(hMenu)) {
        return static_cast<DWORD>(-1);
    }
    MenuItem* item = Item(hMenu, uIDCheckItem, uCheck);
    if (!item) {
        return static_cast<DWORD>(-1);
    }
    DWORD previous = item->state & MF_CHECKED;
    item->state = (item->state & ~static_cast<UINT>(MF_CHECKED)) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    if (!FindMenuOrFail(hMenu)) {
        return -1;
    }
    MenuItem* item = Item(hMenu, uIDEnableItem, uEnable);
    if (!item) {
        return -1;
    }
    BOOL previous = static_cast<BOOL>(item->state & (MF_GRAYED | MF_DISABLED));
    item->state = (item->state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) |
                  (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

BOOL WINAPI SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
    Menu* m = FindMenuOrFail(hMenu);
    if (!m) {
        return FALSE;
    }
    size_t target = m->items.size();
    if (uItem != static_cast<UINT>(-1)) {
        bool found = false;
        for (size_t i = 0; i < m->items.size(); ++i) {
            if (fByPos ? i == uItem : (!m->items[i].submenu && m->items[i].id == uItem)) {
                target = i;
                found = true;
                break;
            }
        }
        if (!found) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return FALSE;
        }
    }
    // One default item per menu: setting one clears the others; -1 clears them all.
    for (size_t i = 0; i < m->items.size(); ++i) {
        if (i == target) {
            m->items[i].state |= MFS_DEFAULT;
        } else {
            m->items[i].state &= ~static_cast<UINT>(MFS_DEFAULT);
        }
    }
    return TRUE;
}

UINT WINAPI GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags) {
    (void)gmdiFlags;
    Menu* m = FindMenuOrFail(hMenu);
    if (!m) {
        return static_cast<UINT>(-1);
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        if (m->items[i].state & MFS_DEFAULT) {
            return fByPos ? static_cast<UINT>(i) : m->items[i].id;
        }
    }
    return static_cast<UINT>(-1);
}

HMENU WINAPI GetMenu(HWND hWnd) {
    Window* w = FindOrFail(hWnd);
    return w && IsTopLevel(*w) ? w->menu : nullptr;
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (!IsTopLevel(*w) || (w->style & WS_CHILD)) {
        SetLastError(ERROR_CHILD_WINDOW_MENU);
        return FALSE;
    }
    if (hMenu && !FindMenuOrFail(hMenu)) {
        return FALSE;
    }
    w->menu = hMenu;
    return TRUE;
}

LONG WINAPI GetMenuCheckMarkDimensions() {
    int size = GetSystemMetrics(SM_CYMENUCHECK);
    return MAKELONG(size, size);
}
