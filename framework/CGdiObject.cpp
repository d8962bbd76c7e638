#include "framework/CGdiObject.h"

#include "framework/AfxHandleMap.h"
#include "framework/CDC.h"
#include "framework/CException.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

// A temporary object of the class that fits the handle's kind.
CGdiObject* MakeTemporary(HGDIOBJ hObject) {
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen();
    case OBJ_BRUSH:
        return new CBrush();
    case OBJ_FONT:
        return new CFont();
    case OBJ_BITMAP:
        return new CBitmap();
    case OBJ_PAL:
        return new CPalette();
    default:
        return new CGdiObject();
    }
}

CHandleMap<HGDIOBJ, CGdiObject>& GdiMap() {
    // Never destroyed: GDI objects with static storage may outlive any other static.
    static auto* map = new CHandleMap<HGDIOBJ, CGdiObject>(
        [](CGdiObject* pObject, HGDIOBJ hObject) { pObject->m_hObject = hObject; }, &MakeTemporary);
    return *map;
}

template <class T> T* TypedFromHandle(HGDIOBJ hObject) {
    CGdiObject* pObject = CGdiObject::FromHandle(hObject);
    return DYNAMIC_DOWNCAST(T, pObject);
}

} // namespace

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    return GdiMap().FromHandle(hObject);
}

void CGdiObject::DeleteTempMap() {
    GdiMap().DeleteTemp(false);
}

bool CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == nullptr || m_hObject != nullptr) {
        return false;
    }
    m_hObject = hObject;
    GdiMap().SetPermanent(hObject, this);
    return true;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ hObject = m_hObject;
    if (hObject != nullptr) {
        GdiMap().RemovePermanent(hObject, this);
    }
    m_hObject = nullptr;
    return hObject;
}

bool CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) {
        return false;
    }
    return ::DeleteObject(Detach()) != FALSE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

bool CGdiObject::CreateStockObject(int nIndex) {
    return Attach(::GetStockObject(nIndex));
}

CPen* CPen::FromHandle(HPEN hPen) {
    return TypedFromHandle<CPen>(hPen);
}
CBrush* CBrush::FromHandle(HBRUSH hBrush) {
    return TypedFromHandle<CBrush>(hBrush);
}
CFont* CFont::FromHandle(HFONT hFont) {
    return TypedFromHandle<CFont>(hFont);
}
CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) {
    return TypedFromHandle<CBitmap>(hBitmap);
}
CPalette* CPalette::FromHandle(HPALETTE hPalette) {
    return TypedFromHandle<CPalette>(hPalette);
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    if (!CreatePen(nPenStyle, nWidth, crColor)) {
        AfxThrowResourceException();
    }
}

bool CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

CBrush::CBrush(COLORREF crColor) {
    if (!CreateSolidBrush(crColor)) {
        AfxThrowResourceException();
    }
}

bool CBrush::CreateSolidBrush(COLORREF crColor) {
    return Attach(::CreateSolidBrush(crColor));
}

bool CFont::CreateFontIndirect(const LOGFONTA* lpLogFont) {
    return Attach(::CreateFontIndirectA(lpLogFont));
}

bool CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

bool CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return pDC != nullptr && Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

bool CPalette::CreatePalette(const LOGPALETTE* lpLogPalette) {
    return Attach(::CreatePalette(lpLogPalette));
}

int CPalette::GetEntryCount() const {
    WORD count = 0;
    if (m_hObject == nullptr || GetObject(sizeof count, &count) == 0) {
        return 0;
    }
    return count;
}
