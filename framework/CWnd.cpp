#include "framework/CWnd.h"

#include "framework/AfxHandleMap.h"
#include "framework/AfxModule.h"
#include "framework/CWindowDC.h"
#include "framework/CException.h"
#include "framework/CWinApp.h"

#include <vector>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

CHandleMap<HWND, CWnd>& WindowMap() {
    // Never destroyed: window objects with static storage may outlive any other static.
    static auto* map =
        new CHandleMap<HWND, CWnd>([](CWnd* pWnd, HWND hWnd) { pWnd->m_hWnd = hWnd; });
    return *map;
}

const AfxMenuOwnerDrawRouter* g_pMenuRouter = nullptr;

std::vector<MSG>& CurrentMessages() {
    static std::vector<MSG> stack;
    return stack;
}

// An exception of the framework that reaches a window procedure is reported to the user and the
// message counts as handled; the program goes on.
void ReportException(HWND hWnd, CException* e) {
    char text[256];
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) {
        if (!e->GetErrorMessage(text, sizeof text)) {
            lstrcpynA(text, "An unsupported operation was attempted.", sizeof text);
        }
        MessageBoxA(hWnd, text, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
    }
    e->Delete();
}

} // namespace

void AfxSetMenuOwnerDrawRouter(const AfxMenuOwnerDrawRouter* pRouter) {
    g_pMenuRouter = pRouter;
}

const MSG* AfxGetCurrentMessage() {
    auto& stack = CurrentMessages();
    return stack.empty() ? nullptr : &stack.back();
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

namespace {

// The main window's object is going or its window is gone: the application has no main window.
void ForgetMainWindow(CWnd* pWnd) {
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == pWnd) {
        pApp->m_pMainWnd = nullptr;
    }
}

} // namespace

CWnd::~CWnd() {
    ForgetMainWindow(this);
    if (m_hWnd != nullptr && WindowMap().LookupPermanent(m_hWnd) == this) {
        // The object goes before its window: the window goes with it.
        DestroyWindow();
        if (m_hWnd != nullptr) {
            Detach();
        }
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return WindowMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return WindowMap().LookupPermanent(hWnd);
}

void CWnd::DeleteTempMap() {
    WindowMap().DeleteTemp(false);
}

bool CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr) {
        return false;
    }
    m_hWnd = hWndNew;
    WindowMap().SetPermanent(hWndNew, this);
    return true;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        WindowMap().RemovePermanent(hWnd, this);
    }
    m_hWnd = nullptr;
    return hWnd;
}

bool CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd)) {
        return false;
    }
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (previous == nullptr) {
        Detach();
        return false;
    }
    if (previous != &CWnd::AfxWndProc) {
        m_pfnSuper = previous;
    }
    return true;
}

bool CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == nullptr) {
        return false;
    }
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    if (m_pfnSuper != nullptr) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

bool CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return false;
    }
    HWND hWnd = m_hWnd;
    bool destroyed = ::DestroyWindow(hWnd) != FALSE;
    // A window that was not subclassed sends its last message elsewhere: detach here.
    if (destroyed && m_hWnd == hWnd) {
        Detach();
        ForgetMainWindow(this);
    }
    return destroyed;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr) {
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return CallFrameworkFunction(pWnd, msg, &CWnd::RunWindowProc);
}

LRESULT CWnd::RunWindowProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = pWnd->m_hWnd;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == pWnd) {
        // The window's last message: give back its procedure and let the object go.
        if (pWnd->m_pfnSuper != nullptr) {
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
            pWnd->m_pfnSuper = nullptr;
        }
        pWnd->Detach();
        ForgetMainWindow(pWnd);
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::CallFrameworkFunction(CWnd* pWnd, const MSG& msg, AFX_FRAMEWORK_FN fn) {
    CurrentMessages().push_back(msg);
    AfxEnterMessage();
    LRESULT result = 0;
    try {
        result = fn(pWnd, msg.message, msg.wParam, msg.lParam);
    } catch (CException* e) {
        ReportException(msg.hwnd, e);
        result = 0;
    } catch (...) {
        CurrentMessages().pop_back();
        AfxLeaveMessage();
        throw;
    }
    CurrentMessages().pop_back();
    AfxLeaveMessage();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return true;
        }
        return false;
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), message);
    if (entry == nullptr) {
        return false;
    }
    LRESULT result = 0;
    entry->pfn(this, message, wParam, lParam, &result);
    *pResult = result;
    return true;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    // Menus and accelerators send no control; their commands are plain commands.
    int nCode = hWndCtrl == nullptr ? CN_COMMAND : HIWORD(wParam);
    return OnCmdMsg(nID, nCode, hWndCtrl);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* current = AfxGetCurrentMessage();
    if (current == nullptr) {
        return 0;
    }
    return DefWindowProc(current->message, current->wParam, current->lParam);
}

void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnHotKey(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnExitMenuLoop(BOOL) {
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return static_cast<int>(Default());
}
void CWnd::OnPaint() {
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    const AfxMenuOwnerDrawRouter* router = g_pMenuRouter;
    if (lpMeasureItemStruct != nullptr && lpMeasureItemStruct->CtlType == ODT_MENU &&
        router != nullptr && router->measure(m_hWnd, lpMeasureItemStruct)) {
        return;
    }
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const AfxMenuOwnerDrawRouter* router = g_pMenuRouter;
    if (lpDrawItemStruct != nullptr && lpDrawItemStruct->CtlType == ODT_MENU && router != nullptr &&
        router->draw(lpDrawItemStruct)) {
        return;
    }
    Default();
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

bool CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    HWND insertAfter = pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr;
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, nFlags) != FALSE;
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, bool bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint ? TRUE : FALSE);
}

void CWnd::MoveWindow(LPCRECT lpRect, bool bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}

bool CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow) != FALSE;
}

bool CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd) != FALSE;
}

bool CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd) != FALSE;
}

bool CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd) != FALSE;
}

bool CWnd::EnableWindow(bool bEnable) {
    return ::EnableWindow(m_hWnd, bEnable ? TRUE : FALSE) != FALSE;
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::SetWindowText(LPCSTR lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    rString = CString(buffer.data(), copied);
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}

HICON CWnd::SetIcon(HICON hIcon, bool bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::GetForegroundWindow() {
    return FromHandle(::GetForegroundWindow());
}

CWnd* CWnd::GetDesktopWindow() {
    return FromHandle(::GetDesktopWindow());
}

bool CWnd::SetForegroundWindow() {
    return ::SetForegroundWindow(m_hWnd) != FALSE;
}

void CWnd::Invalidate(bool bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase ? TRUE : FALSE);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

bool CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent) != FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam) != FALSE;
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(),
                         nType);
}

CDC* CWnd::GetDC() {
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC() {
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC) {
    if (pDC == nullptr) {
        return 0;
    }
    return ::ReleaseDC(m_hWnd, pDC->m_hDC);
}
