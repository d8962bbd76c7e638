// The hot-key control ("msctls_hotkey32"): shows and edits one key combination, a virtual-key
// code and HOTKEYF_* modifier flags.
#pragma once

#include "framework/CWnd.h"

class CHotKeyCtrl : public CWnd {
    DECLARE_DYNAMIC(CHotKeyCtrl)
public:
    CHotKeyCtrl() = default;

    bool Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers);
    // The key code in the low byte, the modifier flags in the next one.
    DWORD GetHotKey() const;
    void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const;
    // Combinations made only of the forbidden modifiers get the modifiers wModifiers instead.
    void SetRules(WORD wInvalidComb, WORD wModifiers);
};
