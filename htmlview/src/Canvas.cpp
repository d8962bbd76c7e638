#include "htmlview/src/Canvas.h"

namespace htmlview::internal {

Canvas::~Canvas() {
    Release();
}

bool Canvas::Fits(HDC dc, SIZE size) {
    if (dc_ && size.cx == size_.cx && size.cy == size_.cy) {
        return true;
    }
    Release();
    dc_ = CreateCompatibleDC(dc);
    bitmap_ = dc_ ? CreateCompatibleBitmap(dc, size.cx, size.cy) : nullptr;
    if (!bitmap_) {
        Release();
        return false;
    }
    replaced_ = SelectObject(dc_, bitmap_);
    size_ = size;
    return false;
}

void Canvas::Release() {
    if (dc_ && replaced_) {
        SelectObject(dc_, replaced_);
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
    }
    if (dc_) {
        DeleteDC(dc_);
    }
    dc_ = nullptr;
    bitmap_ = nullptr;
    replaced_ = nullptr;
    size_ = SIZE{0, 0};
}

} // namespace htmlview::internal
