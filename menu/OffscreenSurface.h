// A device context that stands in for a target over one rectangle: drawing goes into a bitmap
// and reaches the target in one copy when the surface is destroyed, so the target never shows
// a half-drawn picture. On a printer, or when no bitmap can be made, drawing goes straight to
// the target.
#pragma once

#include "platform/win32.h"

class OffscreenSurface {
public:
    // Drawing at the target's coordinates inside rect lands in the surface.
    OffscreenSurface(HDC target, const RECT& rect);
    // Copies the picture to the target (when off screen) and releases what it made; the target
    // itself is left to its owner.
    ~OffscreenSurface();
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    // The device context to draw into. Objects selected into it must be deselected before the
    // surface is destroyed.
    HDC GetDc() const { return m_bOffscreen ? m_hMemoryDc : m_hTargetDc; }
    bool DrawsOffscreen() const { return m_bOffscreen; }

private:
    HDC m_hTargetDc;
    RECT m_rect;
    bool m_bOffscreen = false;
    HDC m_hMemoryDc = NULL;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hReplacedBitmap = NULL;
};
