// A window object over a window handle.
//
// The handle map ties handles to objects. A permanent object is attached to its handle (Attach,
// SubclassWindow, a dialog being created) until it is detached or the window is destroyed.
// FromHandle on a handle without one (another program's window, say) makes a temporary object;
// a temporary made while a message is being handled lives until that outermost message has been
// handled, one made outside any message until DeleteTempMap(). Do not keep temporary pointers.
//
// A subclassed window's messages go through WindowProc: the message map first, then the window's
// previous procedure (Default()).
#pragma once

#include "framework/CCmdTarget.h"
#include "framework/CRect.h"
#include "framework/CString.h"

class CDC;
class CMenu;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
    DECLARE_MESSAGE_MAP()
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd);
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();

    bool Attach(HWND hWndNew);
    HWND Detach();
    // Attaches and routes the window's messages through this object's message map.
    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    bool DestroyWindow();

    // The message being handled, passed on to the window's previous procedure.
    LRESULT Default();

    // Window functions.
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    bool SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, bool bRepaint = true);
    void MoveWindow(LPCRECT lpRect, bool bRepaint = true);
    bool ShowWindow(int nCmdShow);
    bool IsWindowVisible() const;
    bool IsIconic() const;
    bool IsWindowEnabled() const;
    bool EnableWindow(bool bEnable = true);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    HICON SetIcon(HICON hIcon, bool bBigIcon);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    static CWnd* GetForegroundWindow();
    static CWnd* GetDesktopWindow();
    bool SetForegroundWindow();
    void Invalidate(bool bErase = true);
    void UpdateWindow();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    bool KillTimer(UINT_PTR nIDEvent);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

    // The window procedure of every subclassed window.
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The positions of SetWindowPos's z-order argument.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Looks the message up in the map chain; false when no entry handles it.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone and detached; the object may delete itself here.
    virtual void PostNcDestroy() {}

    // The default handlers: the default processing of the message.
    void OnSize(UINT nType, int cx, int cy);
    void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    void OnClose();
    void OnDestroy();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnTimer(UINT_PTR nIDEvent);
    void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSetFocus(CWnd* pOldWnd);
    UINT OnGetDlgCode();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnPaint();
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    // Owner-draw requests for menu items go to the menu objects; the rest to the default.
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);

    WNDPROC m_pfnSuper = nullptr;

    // Runs fn for pWnd as the framework runs a message: the message is the current one (for
    // Default()), temporaries made meanwhile die when the outermost one ends, and a framework
    // exception is reported to the user and counts as a result of 0.
    typedef LRESULT (*AFX_FRAMEWORK_FN)(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CallFrameworkFunction(CWnd* pWnd, const MSG& msg, AFX_FRAMEWORK_FN fn);

private:
    static LRESULT RunWindowProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// How windows hand owner-draw requests for menu items to menu objects. The menu classes install
// it when the first menu object is made; until then there is no object to hand them to. Each
// function returns true when a menu object took the request.
struct AfxMenuOwnerDrawRouter {
    bool (*measure)(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    bool (*draw)(LPDRAWITEMSTRUCT lpDrawItemStruct);
};
void AfxSetMenuOwnerDrawRouter(const AfxMenuOwnerDrawRouter* pRouter);

// The current message of the innermost framework window procedure, or null outside one.
const MSG* AfxGetCurrentMessage();

// Standard window message entries for message maps.
#define ON_WM_SIZE()                                                                               \
    AFX_MSG_ENTRY(WM_SIZE, AFX_THIS(pTarget)->OnSize(static_cast<UINT>(wParam), LOWORD(lParam),    \
                                                     HIWORD(lParam)))
#define ON_WM_HOTKEY()                                                                             \
    AFX_MSG_ENTRY(WM_HOTKEY, AFX_THIS(pTarget)->OnHotKey(static_cast<UINT>(wParam),                \
                                                         LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, AFX_THIS(pTarget)->OnClose())
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, AFX_THIS(pTarget)->OnDestroy())
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, AFX_THIS(pTarget)->OnPaint())
#define ON_WM_ACTIVATE()                                                                           \
    AFX_MSG_ENTRY(WM_ACTIVATE,                                                                     \
                  AFX_THIS(pTarget)->OnActivate(LOWORD(wParam),                                    \
                                                CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),  \
                                                HIWORD(wParam)))
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, AFX_THIS(pTarget)->OnTimer(wParam))
#define ON_WM_EXITMENULOOP()                                                                       \
    AFX_MSG_ENTRY(WM_EXITMENULOOP, AFX_THIS(pTarget)->OnExitMenuLoop(static_cast<BOOL>(wParam)))
#define ON_WM_KILLFOCUS()                                                                          \
    AFX_MSG_ENTRY(WM_KILLFOCUS, AFX_THIS(pTarget)->OnKillFocus(                                    \
                                    CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_SETFOCUS()                                                                           \
    AFX_MSG_ENTRY(WM_SETFOCUS,                                                                     \
                  AFX_THIS(pTarget)->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_GETDLGCODE()                                                                         \
    AFX_MSG_ENTRY(WM_GETDLGCODE, *pResult = static_cast<LRESULT>(AFX_THIS(pTarget)->OnGetDlgCode()))
#define ON_WM_MOUSEACTIVATE()                                                                      \
    AFX_MSG_ENTRY(WM_MOUSEACTIVATE, *pResult = AFX_THIS(pTarget)->OnMouseActivate(                 \
                                        CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),          \
                                        LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_WINDOWPOSCHANGING()                                                                  \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING,                                                            \
                  AFX_THIS(pTarget)->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_MEASUREITEM()                                                                        \
    AFX_MSG_ENTRY(WM_MEASUREITEM,                                                                  \
                  AFX_THIS(pTarget)->OnMeasureItem(static_cast<int>(wParam),                       \
                                                   reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); \
                  *pResult = TRUE)
#define ON_WM_DRAWITEM()                                                                           \
    AFX_MSG_ENTRY(WM_DRAWITEM,                                                                     \
                  AFX_THIS(pTarget)->OnDrawItem(static_cast<int>(wParam),                          \
                                                reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));       \
                  *pResult = TRUE)
