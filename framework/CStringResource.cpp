// String resources of the framework's resource module.
#include "framework/AfxModule.h"
#include "framework/CString.h"

#include <string>

bool CString::LoadString(UINT nID) {
    // String tables hold blocks of 16 strings: block id/16 + 1, each string a 16-bit length and
    // that many UTF-16 units.
    const UINT blockId = nID / 16 + 1;
    HINSTANCE hModule = nullptr;
    HRSRC hResource = AfxFindResourceHandle(MAKEINTRESOURCEA(blockId),
                                            MAKEINTRESOURCEA(6) /* RT_STRING */, &hModule);
    if (hResource == nullptr) {
        return false;
    }
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const BYTE* data = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    DWORD size = ::SizeofResource(hModule, hResource);
    if (data == nullptr) {
        return false;
    }
    size_t offset = 0;
    for (UINT index = 0; index < 16; ++index) {
        if (offset + 2 > size) {
            return false;
        }
        size_t length = static_cast<size_t>(data[offset] | (data[offset + 1] << 8));
        offset += 2;
        if (offset + 2 * length > size) {
            return false;
        }
        if (index == nID % 16) {
            if (length == 0) {
                return false;
            }
            std::basic_string<WCHAR> text;
            for (size_t i = 0; i < length; ++i) {
                text.push_back(
                    static_cast<WCHAR>(data[offset + 2 * i] | (data[offset + 2 * i + 1] << 8)));
            }
            *this = CString(text.c_str());
            return true;
        }
        offset += 2 * length;
    }
    return false;
}
