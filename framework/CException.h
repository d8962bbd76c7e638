// The framework's exceptions. They are thrown as pointers, as the framework always did: the
// catcher calls Delete(), which frees the object unless it is one of the shared, pre-made ones.
#pragma once

#include "framework/CObject.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(bool bAutoDelete = true) : m_bAutoDelete(bAutoDelete) {}

    void Delete();
    // The text for the user; false when the exception has none.
    virtual bool GetErrorMessage(char* lpszError, unsigned nMaxError) const;

protected:
    bool m_bAutoDelete;
};

// A resource (a device context, a GDI object, a window) could not be had.
class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(bool bAutoDelete = true) : CException(bAutoDelete) {}
    bool GetErrorMessage(char* lpszError, unsigned nMaxError) const override;
};

// Memory could not be allocated.
class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(bool bAutoDelete = true) : CException(bAutoDelete) {}
    bool GetErrorMessage(char* lpszError, unsigned nMaxError) const override;
};

// A failure the user has already been told about (data exchange validation); never reported.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(bool bAutoDelete = true) : CException(bAutoDelete) {}
};

[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowUserException();
