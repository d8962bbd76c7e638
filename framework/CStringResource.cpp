// String resources of the framework's resource module.
#include "framework/AfxModule.h"
#include "framework/CString.h"

#include <vector>

bool CString::LoadString(UINT nID) {
    // String resources hold at most 65535 characters; grow until the text fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(static_cast<size_t>(size));
        int length = ::LoadStringA(AfxGetResourceHandle(), nID, buffer.data(), size);
        if (length <= 0) {
            return false;
        }
        if (length < size - 1) {
            m_str.assign(buffer.data(), static_cast<size_t>(length));
            return true;
        }
    }
    return false;
}
