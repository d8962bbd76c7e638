#include "framework/CException.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)

namespace {

bool CopyMessage(const char* text, char* lpszError, unsigned nMaxError) {
    if (lpszError == nullptr || nMaxError == 0) {
        return false;
    }
    std::strncpy(lpszError, text, nMaxError - 1);
    lpszError[nMaxError - 1] = 0;
    return true;
}

} // namespace

void CException::Delete() {
    if (m_bAutoDelete) {
        delete this;
    }
}

bool CException::GetErrorMessage(char* lpszError, unsigned nMaxError) const {
    if (lpszError != nullptr && nMaxError > 0) {
        *lpszError = 0;
    }
    return false;
}

bool CResourceException::GetErrorMessage(char* lpszError, unsigned nMaxError) const {
    return CopyMessage("A required resource was unavailable.", lpszError, nMaxError);
}

bool CMemoryException::GetErrorMessage(char* lpszError, unsigned nMaxError) const {
    return CopyMessage("Out of memory.", lpszError, nMaxError);
}

// The shared objects: throwing never allocates, so it works when memory is short too.
void AfxThrowResourceException() {
    static CResourceException shared(false);
    throw static_cast<CResourceException*>(&shared);
}

void AfxThrowMemoryException() {
    static CMemoryException shared(false);
    throw static_cast<CMemoryException*>(&shared);
}

void AfxThrowUserException() {
    static CUserException shared(false);
    throw static_cast<CUserException*>(&shared);
}
