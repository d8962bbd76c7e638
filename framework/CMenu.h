// A menu object over a menu handle, with a handle map like windows have (see CWnd.h): Attach
// makes the object the permanent one of its handle, FromHandle gives a temporary for others.
// A window routes owner-draw requests for menu items to the menu objects' MeasureItem and
// DrawItem (CWnd::OnMeasureItem, CWnd::OnDrawItem).
#pragma once

#include "framework/CObject.h"
#include "platform/win32.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu();
    // Destroys the menu if one is still attached.
    ~CMenu() override;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static CMenu* FromHandlePermanent(HMENU hMenu);
    static void DeleteTempMap();

    bool Attach(HMENU hMenu);
    HMENU Detach();

    bool CreateMenu();
    bool CreatePopupMenu();
    bool LoadMenu(UINT nIDResource);
    bool LoadMenu(LPCSTR lpszResourceName);
    bool DestroyMenu();

    bool AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    bool InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = nullptr);
    bool ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = nullptr);
    bool RemoveMenu(UINT nPosition, UINT nFlags);
    bool DeleteMenu(UINT nPosition, UINT nFlags);
    // The previous check state, or (UINT)-1 when the item does not exist.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    bool SetDefaultItem(UINT uItem, bool fByPos = false);
    CMenu* GetSubMenu(int nPos) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const;

    // Shows the popup owned by pWnd and returns when it closed. While it is open, the owner's
    // owner-draw requests are routed through this menu.
    // Nonzero on success; with TPM_RETURNCMD, the chosen command id (0 for none).
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // The menu handle that TrackPopupMenu is showing for the window, or null.
    static HMENU GetTrackingMenu(HWND hWnd);
    // The permanent object of the menu, within pMenu or its popups, that holds an item with the
    // command id nID; null when there is none.
    static CMenu* FindPopupMenuFromID(CMenu* pMenu, UINT nID);
};
