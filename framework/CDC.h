// Device contexts. A CDC owns the handle attached to it (CreateCompatibleDC, Attach): its
// destructor deletes a handle still attached. The window DCs (CWindowDC.h) borrow theirs.
#pragma once

#include "framework/CGdiObject.h"
#include "framework/CRect.h"
#include "framework/CString.h"

class CWnd;

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    // Deletes a handle that is still attached.
    ~CDC() override;

    HDC m_hDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();

    bool Attach(HDC hDC);
    HDC Detach();
    bool CreateCompatibleDC(CDC* pDC);
    bool DeleteDC();

    CGdiObject* SelectObject(CGdiObject* pObject);
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, bool bForceBackground);
    UINT RealizePalette();

    int GetDeviceCaps(int nIndex) const;
    int SaveDC();
    bool RestoreDC(int nSavedDC);

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetBkColor(COLORREF crColor);
    int SetBkMode(int nBkMode);
    COLORREF GetPixel(int x, int y) const;
    COLORREF SetPixel(int x, int y, COLORREF crColor);

    bool BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    bool StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);
    bool PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    bool Rectangle(int x1, int y1, int x2, int y2);
    bool Rectangle(LPCRECT lpRect);
    CPoint MoveTo(int x, int y);
    bool LineTo(int x, int y);
    bool TextOut(int x, int y, const CString& str);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(const CString& str) const;
    int IntersectClipRect(LPCRECT lpRect);
    int ExcludeClipRect(LPCRECT lpRect);

    // HIMETRIC units (0.01 mm) to device pixels and back, through the device's pixels per inch.
    void HIMETRICtoDP(LPSIZE lpSize) const;
    void DPtoHIMETRIC(LPSIZE lpSize) const;
};
