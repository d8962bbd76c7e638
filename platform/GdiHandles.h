// Owners of the graphics objects and device contexts that drawing code makes for one call, so
// that every one of them is released on every way out of that call, an exception included. They
// use nothing but the Win32 API, so the program, the framework and the browser control share them.
#pragma once

#include "platform/win32.h"

// A graphics object (bitmap, brush, pen, font) deleted with DeleteObject unless released.
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(HGDIOBJ object) : m_hObject(object) {}
    ~OwnedGdiObject() {
        if (m_hObject != NULL) {
            DeleteObject(m_hObject);
        }
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

    HGDIOBJ Get() const { return m_hObject; }
    explicit operator bool() const { return m_hObject != NULL; }

    // Hands the object to the caller, who then owns it.
    HGDIOBJ Release() {
        HGDIOBJ object = m_hObject;
        m_hObject = NULL;
        return object;
    }

private:
    HGDIOBJ m_hObject;
};

// A memory device context deleted with DeleteDC.
class OwnedMemoryDc {
public:
    explicit OwnedMemoryDc(HDC compatibleWith) : m_hDc(CreateCompatibleDC(compatibleWith)) {}
    ~OwnedMemoryDc() {
        if (m_hDc != NULL) {
            DeleteDC(m_hDc);
        }
    }
    OwnedMemoryDc(const OwnedMemoryDc&) = delete;
    OwnedMemoryDc& operator=(const OwnedMemoryDc&) = delete;

    HDC Get() const { return m_hDc; }
    explicit operator bool() const { return m_hDc != NULL; }

private:
    HDC m_hDc;
};

// A window's device context (the screen's for a null window) given back with ReleaseDC.
class OwnedWindowDc {
public:
    explicit OwnedWindowDc(HWND window) : m_hWnd(window), m_hDc(GetDC(window)) {}
    ~OwnedWindowDc() {
        if (m_hDc != NULL) {
            ReleaseDC(m_hWnd, m_hDc);
        }
    }
    OwnedWindowDc(const OwnedWindowDc&) = delete;
    OwnedWindowDc& operator=(const OwnedWindowDc&) = delete;

    HDC Get() const { return m_hDc; }
    explicit operator bool() const { return m_hDc != NULL; }

private:
    HWND m_hWnd;
    HDC m_hDc;
};

// Selects an object into a device context and puts back the one it replaced. Declare it after
// the owners of the object and of the device context, so that it is undone before they go.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object)
        : m_hDc(dc), m_hReplaced(dc != NULL && object != NULL ? SelectObject(dc, object) : NULL) {
        if (m_hReplaced == HGDI_ERROR) {
            m_hReplaced = NULL;
        }
    }
    ~ScopedSelection() {
        if (m_hReplaced != NULL) {
            SelectObject(m_hDc, m_hReplaced);
        }
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    // Whether the object was selected (a bitmap already selected elsewhere is refused).
    explicit operator bool() const { return m_hReplaced != NULL; }

private:
    HDC m_hDc;
    HGDIOBJ m_hReplaced;
};
