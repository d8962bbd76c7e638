// A bitmap of the view's size in a memory DC, kept between paints: what the page last painted
// stays there, and a new paint draws only what changed.
#pragma once

#include "htmlview/src/Internal.h"

#include "platform/win32.h"

namespace htmlview::internal {

class Canvas {
public:
    Canvas() = default;
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Makes the canvas size x size, compatible with dc. True when it already was, so that it
    // still holds what was painted into it; false when it was made anew (or could not be).
    bool Fits(HDC dc, SIZE size);
    // The memory DC with the canvas selected, or null when there is none.
    HDC dc() const { return dc_; }

private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ replaced_ = nullptr;
    SIZE size_ = {0, 0};
};

} // namespace htmlview::internal
