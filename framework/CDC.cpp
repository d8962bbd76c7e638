#include "framework/CDC.h"

#include "framework/AfxHandleMap.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

CHandleMap<HDC, CDC>& DcMap() {
    // Never destroyed: DC objects with static storage may outlive any other static.
    static auto* map = new CHandleMap<HDC, CDC>([](CDC* pDC, HDC hDC) { pDC->m_hDC = hDC; });
    return *map;
}

constexpr int kHimetricPerInch = 2540;

// value * numerator / denominator, rounded to the nearest integer (halves away from zero).
LONG ScaleRounded(LONG value, int numerator, int denominator) {
    if (denominator == 0) {
        return value;
    }
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    bool negative = (product < 0) != (denominator < 0);
    long long magnitude = (product < 0 ? -product : product) + (half < 0 ? -half : half);
    long long quotient = magnitude / (denominator < 0 ? -denominator : denominator);
    return static_cast<LONG>(negative ? -quotient : quotient);
}

HDC HandleOf(CDC* pDC) {
    return pDC != nullptr ? pDC->m_hDC : nullptr;
}

} // namespace

CDC::~CDC() {
    if (m_hDC != nullptr) {
        DeleteDC();
    }
}

CDC* CDC::FromHandle(HDC hDC) {
    return DcMap().FromHandle(hDC);
}

void CDC::DeleteTempMap() {
    DcMap().DeleteTemp(false);
}

bool CDC::Attach(HDC hDC) {
    if (hDC == nullptr || m_hDC != nullptr) {
        return false;
    }
    m_hDC = hDC;
    DcMap().SetPermanent(hDC, this);
    return true;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    if (hDC != nullptr) {
        DcMap().RemovePermanent(hDC, this);
    }
    m_hDC = nullptr;
    return hDC;
}

bool CDC::CreateCompatibleDC(CDC* pDC) {
    return Attach(::CreateCompatibleDC(HandleOf(pDC)));
}

bool CDC::DeleteDC() {
    if (m_hDC == nullptr) {
        return false;
    }
    return ::DeleteDC(Detach()) != FALSE;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    if (pObject == nullptr) {
        return nullptr;
    }
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject));
}

CPen* CDC::SelectObject(CPen* pPen) {
    CGdiObject* previous = SelectObject(static_cast<CGdiObject*>(pPen));
    return DYNAMIC_DOWNCAST(CPen, previous);
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    CGdiObject* previous = SelectObject(static_cast<CGdiObject*>(pBrush));
    return DYNAMIC_DOWNCAST(CBrush, previous);
}

CFont* CDC::SelectObject(CFont* pFont) {
    CGdiObject* previous = SelectObject(static_cast<CGdiObject*>(pFont));
    return DYNAMIC_DOWNCAST(CFont, previous);
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    CGdiObject* previous = SelectObject(static_cast<CGdiObject*>(pBitmap));
    return DYNAMIC_DOWNCAST(CBitmap, previous);
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    HGDIOBJ hStock = ::GetStockObject(nIndex);
    if (hStock == nullptr) {
        return nullptr;
    }
    return CGdiObject::FromHandle(::SelectObject(m_hDC, hStock));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, bool bForceBackground) {
    HPALETTE hPalette = pPalette != nullptr ? static_cast<HPALETTE>(pPalette->m_hObject) : nullptr;
    return CPalette::FromHandle(::SelectPalette(m_hDC, hPalette, bForceBackground ? TRUE : FALSE));
}

UINT CDC::RealizePalette() {
    return ::RealizePalette(m_hDC);
}

int CDC::GetDeviceCaps(int nIndex) const {
    return ::GetDeviceCaps(m_hDC, nIndex);
}

int CDC::SaveDC() {
    return ::SaveDC(m_hDC);
}

bool CDC::RestoreDC(int nSavedDC) {
    return ::RestoreDC(m_hDC, nSavedDC) != FALSE;
}

COLORREF CDC::SetTextColor(COLORREF crColor) {
    return ::SetTextColor(m_hDC, crColor);
}

COLORREF CDC::SetBkColor(COLORREF crColor) {
    return ::SetBkColor(m_hDC, crColor);
}

int CDC::SetBkMode(int nBkMode) {
    return ::SetBkMode(m_hDC, nBkMode);
}

COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) {
    return ::SetPixel(m_hDC, x, y, crColor);
}

bool CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, HandleOf(pSrcDC), xSrc, ySrc, dwRop) != FALSE;
}

bool CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, HandleOf(pSrcDC), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop) != FALSE;
}

bool CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop) != FALSE;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    if (pBrush != nullptr) {
        ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
    }
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    HBRUSH brush = ::CreateSolidBrush(clr);
    if (brush != nullptr) {
        ::FillRect(m_hDC, lpRect, brush);
        ::DeleteObject(brush);
    }
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    int x = lpRect->left;
    int y = lpRect->top;
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    if (pBrush != nullptr) {
        ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
    }
}

bool CDC::Rectangle(int x1, int y1, int x2, int y2) {
    return ::Rectangle(m_hDC, x1, y1, x2, y2) != FALSE;
}

bool CDC::Rectangle(LPCRECT lpRect) {
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT previous = {0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

bool CDC::LineTo(int x, int y) {
    return ::LineTo(m_hDC, x, y) != FALSE;
}

bool CDC::TextOut(int x, int y, const CString& str) {
    return ::TextOutA(m_hDC, x, y, str, str.GetLength()) != FALSE;
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(const CString& str) const {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, str, str.GetLength(), &size);
    return CSize(size);
}

int CDC::IntersectClipRect(LPCRECT lpRect) {
    return ::IntersectClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::ExcludeClipRect(LPCRECT lpRect) {
    return ::ExcludeClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const {
    lpSize->cx = ScaleRounded(lpSize->cx, GetDeviceCaps(LOGPIXELSX), kHimetricPerInch);
    lpSize->cy = ScaleRounded(lpSize->cy, GetDeviceCaps(LOGPIXELSY), kHimetricPerInch);
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const {
    int dpiX = GetDeviceCaps(LOGPIXELSX);
    int dpiY = GetDeviceCaps(LOGPIXELSY);
    if (dpiX > 0 && dpiY > 0) {
        lpSize->cx = ScaleRounded(lpSize->cx, kHimetricPerInch, dpiX);
        lpSize->cy = ScaleRounded(lpSize->cy, kHimetricPerInch, dpiY);
    }
}
