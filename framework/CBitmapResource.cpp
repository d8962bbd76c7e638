// Bitmaps from the module's resources.
#include "framework/AfxModule.h"
#include "framework/CGdiObject.h"

bool CBitmap::LoadBitmap(UINT nIDResource) {
    return LoadBitmap(MAKEINTRESOURCEA(nIDResource));
}

bool CBitmap::LoadBitmap(LPCSTR lpszResourceName) {
    HINSTANCE hModule = nullptr;
    if (AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(2) /* RT_BITMAP */, &hModule) ==
        nullptr) {
        return false;
    }
    return Attach(::LoadBitmapA(hModule, lpszResourceName));
}
