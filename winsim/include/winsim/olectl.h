// OLE picture loading (OleLoadPicturePath, IPicture) and the OLE basics it needs.
#pragma once

#include "guiddef.h"
#include "wintypes.h"

typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
typedef DWORD OLE_COLOR;
typedef UINT OLE_HANDLE;
typedef LONG OLE_XPOS_HIMETRIC;
typedef LONG OLE_YPOS_HIMETRIC;
typedef LONG OLE_XSIZE_HIMETRIC;
typedef LONG OLE_YSIZE_HIMETRIC;

struct IStream;
typedef IStream* LPSTREAM;

#define PICTYPE_UNINITIALIZED (-1)
#define PICTYPE_NONE 0
#define PICTYPE_BITMAP 1
#define PICTYPE_METAFILE 2
#define PICTYPE_ICON 3
#define PICTYPE_ENHMETAFILE 4

#define PICTURE_SCALABLE 0x1
#define PICTURE_TRANSPARENT 0x2

// Errors of the OLE picture functions.
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#define CTL_E_INVALIDPICTURE ((HRESULT)0x800A01E1L)
#define CTL_E_PATHNOTFOUND ((HRESULT)0x800A004CL)
#define CTL_E_FILENOTFOUND ((HRESULT)0x800A0035L)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)

extern const IID IID_IPicture;

// The picture interface, in the vtable order of Windows.
struct IPicture : public IUnknown {
    STDMETHOD(get_Handle)(OLE_HANDLE* pHandle) PURE;
    STDMETHOD(get_hPal)(OLE_HANDLE* phPal) PURE;
    STDMETHOD(get_Type)(SHORT* pType) PURE;
    STDMETHOD(get_Width)(OLE_XSIZE_HIMETRIC* pWidth) PURE;
    STDMETHOD(get_Height)(OLE_YSIZE_HIMETRIC* pHeight) PURE;
    STDMETHOD(Render)
    (HDC hDC, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
     OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT pRcWBounds) PURE;
    STDMETHOD(set_hPal)(OLE_HANDLE hPal) PURE;
    STDMETHOD(get_CurDC)(HDC* phDC) PURE;
    STDMETHOD(SelectPicture)(HDC hDCIn, HDC* phDCOut, OLE_HANDLE* phBmpOut) PURE;
    STDMETHOD(get_KeepOriginalFormat)(BOOL* pKeep) PURE;
    STDMETHOD(put_KeepOriginalFormat)(BOOL keep) PURE;
    STDMETHOD(PictureChanged)() PURE;
    STDMETHOD(SaveAsFile)(LPSTREAM pStream, BOOL fSaveMemCopy, LONG* pCbSize) PURE;
    STDMETHOD(get_Attributes)(DWORD* pDwAttr) PURE;

protected:
    ~IPicture() = default;
};
typedef IPicture* LPPICTURE;

// COM on this thread. The picture loader needs it initialised, as on Windows.
HRESULT WINAPI CoInitialize(LPVOID pvReserved);
void WINAPI CoUninitialize();
HRESULT WINAPI OleInitialize(LPVOID pvReserved);
void WINAPI OleUninitialize();

HRESULT WINAPI OleLoadPicturePath(LPOLESTR szURLorPath, LPUNKNOWN punkCaller, DWORD dwReserved,
                                  OLE_COLOR clrReserved, REFIID riid, LPVOID* ppvRet);
