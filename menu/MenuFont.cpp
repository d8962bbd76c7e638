#include "menu/MenuFont.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

HFONT CreateMenuFont() {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return NULL;
    }
    return CreateFontIndirectA(&metrics.lfMenuFont);
}

namespace {

HWND MainOrDesktopWindow() {
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != NULL) {
        return pMainWnd->m_hWnd;
    }
    return GetDesktopWindow();
}

} // namespace

MenuOwnerDc::MenuOwnerDc() : OwnedWindowDc(MainOrDesktopWindow()) {}
