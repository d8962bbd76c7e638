// GDI object wrappers. Each object owns its handle: the destructor deletes it. FromHandle gives
// temporary objects for handles nobody attached (see CWnd.h for their lifetime), which is what
// CDC::SelectObject returns for the object that was selected before.
#pragma once

#include "framework/CObject.h"
#include "platform/win32.h"

class CDC;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    static void DeleteTempMap();

    bool Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    bool DeleteObject();
    int GetObject(int nCount, LPVOID lpObject) const;
    bool CreateStockObject(int nIndex);
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    // Raises the resource exception when the pen cannot be made.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    // The object of the handle when it is a CPen, else null.
    static CPen* FromHandle(HPEN hPen);
    bool CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    // Raises the resource exception when the brush cannot be made.
    explicit CBrush(COLORREF crColor);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    // The object of the handle when it is a CBrush, else null.
    static CBrush* FromHandle(HBRUSH hBrush);
    bool CreateSolidBrush(COLORREF crColor);
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    // The object of the handle when it is a CFont, else null.
    static CFont* FromHandle(HFONT hFont);
    bool CreateFontIndirect(const LOGFONTA* lpLogFont);
    int GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    // The object of the handle when it is a CBitmap, else null.
    static CBitmap* FromHandle(HBITMAP hBitmap);
    bool LoadBitmap(UINT nIDResource);
    bool LoadBitmap(LPCSTR lpszResourceName);
    bool CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    bool CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
};

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
    // The object of the handle when it is a CPalette, else null.
    static CPalette* FromHandle(HPALETTE hPalette);
    bool CreatePalette(const LOGPALETTE* lpLogPalette);
    int GetEntryCount() const;
};
