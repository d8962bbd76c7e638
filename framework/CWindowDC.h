// The device contexts of windows: borrowed from the window in the constructor and given back in
// the destructor. A constructor raises the framework's resource exception when the window's DC
// cannot be had.
#pragma once

#include "framework/CDC.h"

// The device context of the whole window, non-client area included.
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};

// The device context of the window's client area.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
