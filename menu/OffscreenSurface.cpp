#include "menu/OffscreenSurface.h"

OffscreenSurface::OffscreenSurface(HDC target, const RECT& rect)
    : m_hTargetDc(target), m_rect(rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (target == NULL || width <= 0 || height <= 0 ||
        GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER) {
        return;
    }
    m_hMemoryDc = CreateCompatibleDC(target);
    m_hBitmap = CreateCompatibleBitmap(target, width, height);
    if (m_hMemoryDc != NULL && m_hBitmap != NULL) {
        m_hReplacedBitmap = SelectObject(m_hMemoryDc, m_hBitmap);
    }
    if (m_hReplacedBitmap == NULL || m_hReplacedBitmap == HGDI_ERROR) {
        // Without a bitmap of its own the surface draws on the target directly.
        m_hReplacedBitmap = NULL;
        if (m_hBitmap != NULL) {
            DeleteObject(m_hBitmap);
            m_hBitmap = NULL;
        }
        if (m_hMemoryDc != NULL) {
            DeleteDC(m_hMemoryDc);
            m_hMemoryDc = NULL;
        }
        return;
    }
    SetWindowOrgEx(m_hMemoryDc, rect.left, rect.top, NULL);
    m_bOffscreen = true;
}

OffscreenSurface::~OffscreenSurface() {
    if (!m_bOffscreen) {
        return;
    }
    BitBlt(m_hTargetDc, m_rect.left, m_rect.top, m_rect.right - m_rect.left,
           m_rect.bottom - m_rect.top, m_hMemoryDc, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_hMemoryDc, m_hReplacedBitmap);
    DeleteObject(m_hBitmap);
    DeleteDC(m_hMemoryDc);
}
