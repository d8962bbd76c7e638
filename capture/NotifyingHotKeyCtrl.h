// The hot-key control of the main page. Losing the keyboard focus registers the combination it
// shows as the program's global hot-key, so a change takes effect as soon as the user moves on.
#pragma once

#include "framework/CHotKeyCtrl.h"

class CNotifyingHotKeyCtrl : public CHotKeyCtrl {
    DECLARE_DYNAMIC(CNotifyingHotKeyCtrl)
    DECLARE_MESSAGE_MAP()
public:
    CNotifyingHotKeyCtrl() = default;
    ~CNotifyingHotKeyCtrl() override;

protected:
    UINT OnGetDlgCode();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnKillFocus(CWnd* pNewWnd);
};
