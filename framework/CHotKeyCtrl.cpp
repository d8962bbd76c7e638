#include "framework/CHotKeyCtrl.h"

IMPLEMENT_DYNAMIC(CHotKeyCtrl, CWnd)

bool CHotKeyCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    HWND hParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    HWND hWnd = ::CreateWindowExA(0, HOTKEY_CLASSA, "", dwStyle, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, hParent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr) {
        return false;
    }
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return false;
    }
    return true;
}

void CHotKeyCtrl::SetHotKey(WORD wVirtualKeyCode, WORD wModifiers) {
    SendMessage(HKM_SETHOTKEY, MAKEWORD(wVirtualKeyCode, wModifiers), 0);
}

DWORD CHotKeyCtrl::GetHotKey() const {
    return static_cast<DWORD>(SendMessage(HKM_GETHOTKEY));
}

void CHotKeyCtrl::GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const {
    DWORD value = GetHotKey();
    wVirtualKeyCode = LOBYTE(LOWORD(value));
    wModifiers = HIBYTE(LOWORD(value));
}

void CHotKeyCtrl::SetRules(WORD wInvalidComb, WORD wModifiers) {
    SendMessage(HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0));
}
