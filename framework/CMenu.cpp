#include "framework/CMenu.h"

#include "framework/AfxHandleMap.h"
#include "framework/AfxModule.h"
#include "framework/CWnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

CHandleMap<HMENU, CMenu>& MenuMap() {
    // Never destroyed: menu objects with static storage may outlive any other static.
    static auto* map =
        new CHandleMap<HMENU, CMenu>([](CMenu* pMenu, HMENU hMenu) { pMenu->m_hMenu = hMenu; });
    return *map;
}

// The popup being tracked and its owner; TrackPopupMenu calls nest when a menu is opened from a
// handler that runs inside another menu's loop, so the previous pair is restored afterwards.
HWND g_hTrackingWindow = nullptr;
HMENU g_hTrackingMenu = nullptr;

// Measure requests name only the command: the popup that holds it is searched in the menu being
// tracked for the window, else in the window's menu bar. Draw requests name the menu itself.
bool RouteMeasureItem(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    HMENU hMenu = CMenu::GetTrackingMenu(hWndOwner);
    if (hMenu == nullptr) {
        hMenu = ::GetMenu(hWndOwner);
    }
    CMenu* pPopup =
        CMenu::FindPopupMenuFromID(CMenu::FromHandle(hMenu), lpMeasureItemStruct->itemID);
    if (pPopup == nullptr) {
        return false;
    }
    pPopup->MeasureItem(lpMeasureItemStruct);
    return true;
}

bool RouteDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
    if (pMenu == nullptr) {
        return false;
    }
    pMenu->DrawItem(lpDrawItemStruct);
    return true;
}

const AfxMenuOwnerDrawRouter g_router = {&RouteMeasureItem, &RouteDrawItem};

} // namespace

CMenu::CMenu() {
    AfxSetMenuOwnerDrawRouter(&g_router);
}

CMenu::~CMenu() {
    if (m_hMenu != nullptr) {
        DestroyMenu();
    }
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    return MenuMap().FromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    return MenuMap().LookupPermanent(hMenu);
}

void CMenu::DeleteTempMap() {
    MenuMap().DeleteTemp(false);
}

bool CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr || m_hMenu != nullptr || FromHandlePermanent(hMenu) != nullptr) {
        return false;
    }
    m_hMenu = hMenu;
    MenuMap().SetPermanent(hMenu, this);
    return true;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr) {
        MenuMap().RemovePermanent(hMenu, this);
    }
    m_hMenu = nullptr;
    return hMenu;
}

bool CMenu::CreateMenu() {
    return Attach(::CreateMenu());
}

bool CMenu::CreatePopupMenu() {
    return Attach(::CreatePopupMenu());
}

bool CMenu::LoadMenu(UINT nIDResource) {
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

bool CMenu::LoadMenu(LPCSTR lpszResourceName) {
    HINSTANCE hModule = nullptr;
    if (AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(4) /* RT_MENU */, &hModule) ==
        nullptr) {
        return false;
    }
    HMENU hMenu = ::LoadMenuA(hModule, lpszResourceName);
    if (hMenu == nullptr) {
        return false;
    }
    if (!Attach(hMenu)) {
        ::DestroyMenu(hMenu);
        return false;
    }
    return true;
}

bool CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) {
        return false;
    }
    return ::DestroyMenu(Detach()) != FALSE;
}

bool CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem) != FALSE;
}

bool CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem) != FALSE;
}

bool CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem) != FALSE;
}

bool CMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
    return ::RemoveMenu(m_hMenu, nPosition, nFlags) != FALSE;
}

bool CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
    return ::DeleteMenu(m_hMenu, nPosition, nFlags) != FALSE;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

bool CMenu::SetDefaultItem(UINT uItem, bool fByPos) {
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos ? TRUE : FALSE) != FALSE;
}

CMenu* CMenu::GetSubMenu(int nPos) const {
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

int CMenu::GetMenuItemCount() const {
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const {
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const {
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    HWND hOwner = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    HWND previousWindow = g_hTrackingWindow;
    HMENU previousMenu = g_hTrackingMenu;
    g_hTrackingWindow = hOwner;
    g_hTrackingMenu = m_hMenu;
    BOOL result = FALSE;
    try {
        result = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hOwner, lpRect);
    } catch (...) {
        g_hTrackingWindow = previousWindow;
        g_hTrackingMenu = previousMenu;
        throw;
    }
    g_hTrackingWindow = previousWindow;
    g_hTrackingMenu = previousMenu;
    return result;
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

HMENU CMenu::GetTrackingMenu(HWND hWnd) {
    return (hWnd != nullptr && hWnd == g_hTrackingWindow) ? g_hTrackingMenu : nullptr;
}

CMenu* CMenu::FindPopupMenuFromID(CMenu* pMenu, UINT nID) {
    if (pMenu == nullptr) {
        return nullptr;
    }
    HMENU hMenu = pMenu->m_hMenu;
    int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        if (hPopup != nullptr) {
            if (CMenu* found = FindPopupMenuFromID(FromHandle(hPopup), nID)) {
                return found;
            }
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            return FromHandlePermanent(hMenu);
        }
    }
    return nullptr;
}
