// The picture of one whole window, as the screen shows it, written as a JPEG file.
#include "imaging/WindowCapture.h"

#include "framework/CGdiObject.h"
#include "framework/CWindowDC.h"
#include "framework/CWnd.h"

#include <memory>
#include <vector>

namespace {

// Keeps the captured bitmap selected into the memory DC only while pixels are copied into it;
// the bitmap that was there before goes back also when an exception leaves early, so the
// captured one is never deleted while selected.
class BitmapSelection {
public:
    BitmapSelection(CDC& dc, CBitmap& bitmap)
        : dc_(dc), previous_(::SelectObject(dc.m_hDC, bitmap.m_hObject)) {}
    ~BitmapSelection() { Restore(); }
    BitmapSelection(const BitmapSelection&) = delete;
    BitmapSelection& operator=(const BitmapSelection&) = delete;

    bool Selected() const { return previous_ != nullptr; }
    void Restore() {
        if (previous_ != nullptr) {
            ::SelectObject(dc_.m_hDC, previous_);
            previous_ = nullptr;
        }
    }

private:
    CDC& dc_;
    HGDIOBJ previous_;
};

struct GlobalFreeDeleter {
    void operator()(BITMAPINFOHEADER* dib) const { ::GlobalFree(dib); }
};
using DibBlock = std::unique_ptr<BITMAPINFOHEADER, GlobalFreeDeleter>;

// On a palette display the DIB's colour table is taken from the colours the screen shows: a
// logical palette of the system palette's entries. Only the first 255 are read. Leaves
// `palette` empty when the system palette cannot be read.
void BuildSystemPalette(CDC& windowDc, CPalette& palette) {
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
    logical->palVersion = 0x300;
    const UINT read = ::GetSystemPaletteEntries(windowDc.m_hDC, 0, 255, logical->palPalEntry);
    logical->palNumEntries = static_cast<WORD>(read);
    if (read > 0) {
        palette.CreatePalette(logical);
    }
}

} // namespace

CSize WindowCapture::CaptureWindowToFile(LPCSTR szPath, CWnd* pWnd) const {
    // No window to grab (none in the foreground, or gone since): no picture.
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || !::IsWindow(pWnd->m_hWnd)) {
        return CSize(0, 0);
    }

    // Declared so that they are released in this order, also when an exception leaves: the
    // palette, the memory DC, the window's DC, the bitmap.
    CBitmap bitmap;
    CWindowDC windowDc(pWnd); // the whole window, its origin at the window's top left corner
    CDC memoryDc;
    CPalette palette;

    if (!memoryDc.CreateCompatibleDC(&windowDc)) {
        return CSize(0, 0);
    }
    RECT rect = {};
    if (!::GetWindowRect(pWnd->m_hWnd, &rect)) {
        return CSize(0, 0); // destroyed after its DC was taken
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return CSize(0, 0);
    }
    // Compatible with the window's DC: a memory DC starts with a one-pixel monochrome bitmap.
    if (!bitmap.CreateCompatibleBitmap(&windowDc, width, height)) {
        return CSize(0, 0);
    }
    {
        BitmapSelection selection(memoryDc, bitmap);
        if (!selection.Selected()) {
            return CSize(0, 0);
        }
        memoryDc.BitBlt(0, 0, width, height, &windowDc, 0, 0, SRCCOPY);
        if ((windowDc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0) {
            BuildSystemPalette(windowDc, palette);
        }
    } // the captured bitmap is selected nowhere from here on

    DibBlock dib(BitmapToDib(bitmap, BI_RGB, palette.m_hObject != nullptr ? &palette : nullptr));
    if (!dib) {
        return CSize(0, 0);
    }
    // What went wrong while writing is the JPEG writer's to show; the picture was taken.
    std::string error;
    WriteJpeg(dib.get(), 100, szPath, &error);
    return CSize(width, height);
}
