// Device-dependent test pictures at the display's depth, painted and read pixel by pixel.
#pragma once

#include "platform/win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace menu_test {

// A bitmap compatible with the screen, and a memory device context to paint and read it.
// Detach() deselects the bitmap so that the code under test may select it itself.
class Canvas {
public:
    Canvas(int width, int height) : m_nWidth(width), m_nHeight(height) {
        HDC screen = GetDC(NULL);
        m_hBitmap = CreateCompatibleBitmap(screen, width, height);
        m_hDc = CreateCompatibleDC(screen);
        ReleaseDC(NULL, screen);
        EXPECT_NE(nullptr, m_hBitmap);
        EXPECT_NE(nullptr, m_hDc);
        Attach();
    }
    ~Canvas() {
        Detach();
        DeleteDC(m_hDc);
        DeleteObject(m_hBitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Attach() {
        if (m_hReplaced == NULL) {
            m_hReplaced = SelectObject(m_hDc, m_hBitmap);
            EXPECT_NE(nullptr, m_hReplaced);
        }
    }
    void Detach() {
        if (m_hReplaced != NULL) {
            SelectObject(m_hDc, m_hReplaced);
            m_hReplaced = NULL;
        }
    }

    void Fill(COLORREF colour) {
        Attach();
        for (int x = 0; x < m_nWidth; ++x) {
            for (int y = 0; y < m_nHeight; ++y) {
                SetPixel(m_hDc, x, y, colour);
            }
        }
    }
    void Set(int x, int y, COLORREF colour) {
        Attach();
        SetPixel(m_hDc, x, y, colour);
    }
    COLORREF Get(int x, int y) {
        Attach();
        return GetPixel(m_hDc, x, y);
    }
    // The value that colour reads back as once stored in this canvas's format.
    COLORREF Rendered(COLORREF colour) {
        Attach();
        const COLORREF saved = GetPixel(m_hDc, 0, 0);
        SetPixel(m_hDc, 0, 0, colour);
        const COLORREF rendered = GetPixel(m_hDc, 0, 0);
        SetPixel(m_hDc, 0, 0, saved);
        return rendered;
    }

    HBITMAP Bitmap() {
        Detach();
        return m_hBitmap;
    }
    HDC Dc() {
        Attach();
        return m_hDc;
    }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

private:
    int m_nWidth;
    int m_nHeight;
    HBITMAP m_hBitmap = NULL;
    HDC m_hDc = NULL;
    HGDIOBJ m_hReplaced = NULL;
};

} // namespace menu_test
