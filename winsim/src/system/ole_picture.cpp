// OLE pictures: OleLoadPicturePath reads a picture file (JPEG or BMP) from the drives into a
// bitmap picture object. Its size is given in HIMETRIC units (0.01 mm) at the screen's 96 dots
// per inch, and Render draws any part of it, stretched and mirrored as the rectangles say, with
// the source measured upwards from the picture's bottom edge as HIMETRIC coordinates are.
#include "system/codepage.h"
#include "system/host_file.h"
#include "system/paths.h"
#include "system/picture_decode.h"
#include "system/system_state.h"

#include <winsim/olectl.h>
#include <winsim/sim_system.h>
#include <winsim/winerror.h>
#include <winsim/wingdi.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

const IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IPicture = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

namespace winsim::system {
namespace {

constexpr LONG kHimetricPerInch = 2540;
constexpr LONG kScreenDpi = 96;
constexpr HRESULT kResourceNotFound =
    static_cast<HRESULT>(0x800C0005L); // INET_E_RESOURCE_NOT_FOUND

int g_comInitCount = 0;
int g_livePictures = 0;

LONG PixelsToHimetric(int pixels) {
    return static_cast<LONG>((static_cast<int64_t>(pixels) * kHimetricPerInch + kScreenDpi / 2) /
                             kScreenDpi);
}

class BitmapPicture final : public IPicture {
public:
    explicit BitmapPicture(DecodedPicture picture) : picture_(std::move(picture)) {
        ++g_livePictures;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override {
        if (!ppvObject) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPicture)) {
            *ppvObject = static_cast<IPicture*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE* pHandle) override {
        if (!pHandle) {
            return E_POINTER;
        }
        HBITMAP bitmap = Bitmap();
        auto value = reinterpret_cast<uintptr_t>(bitmap);
        if (!bitmap || value > 0xFFFFFFFFu) {
            *pHandle = 0;
            return E_FAIL;
        }
        *pHandle = static_cast<OLE_HANDLE>(value);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE* phPal) override {
        if (!phPal) {
            return E_POINTER;
        }
        *phPal = palette_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_Type(SHORT* pType) override {
        if (!pType) {
            return E_POINTER;
        }
        *pType = PICTYPE_BITMAP;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC* pWidth) override {
        if (!pWidth) {
            return E_POINTER;
        }
        *pWidth = PixelsToHimetric(picture_.width);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC* pHeight) override {
        if (!pHeight) {
            return E_POINTER;
        }
        *pHeight = PixelsToHimetric(picture_.height);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Render(HDC hDC, LONG x, LONG y, LONG cx, LONG cy,
                                     OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                                     OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                                     LPCRECT) override;

    HRESULT STDMETHODCALLTYPE set_hPal(OLE_HANDLE hPal) override {
        palette_ = hPal;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_CurDC(HDC* phDC) override {
        if (!phDC) {
            return E_POINTER;
        }
        *phDC = currentDc_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SelectPicture(HDC hDCIn, HDC* phDCOut,
                                            OLE_HANDLE* phBmpOut) override {
        HBITMAP bitmap = Bitmap();
        if (!bitmap || !hDCIn) {
            return E_FAIL;
        }
        if (!SelectObject(hDCIn, bitmap)) {
            return E_FAIL;
        }
        if (phDCOut) {
            *phDCOut = currentDc_;
        }
        currentDc_ = hDCIn;
        if (phBmpOut) {
            *phBmpOut = static_cast<OLE_HANDLE>(reinterpret_cast<uintptr_t>(bitmap));
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_KeepOriginalFormat(BOOL* pKeep) override {
        if (!pKeep) {
            return E_POINTER;
        }
        *pKeep = keepOriginal_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE put_KeepOriginalFormat(BOOL keep) override {
        keepOriginal_ = keep;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE PictureChanged() override { return S_OK; }

    // Saving needs an IStream, which this desktop does not offer.
    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM, BOOL, LONG*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE get_Attributes(DWORD* pDwAttr) override {
        if (!pDwAttr) {
            return E_POINTER;
        }
        *pDwAttr = 0; // a bitmap: neither scalable nor transparent
        return S_OK;
    }

private:
    ~BitmapPicture() {
        if (bitmap_) {
            DeleteObject(bitmap_);
        }
        --g_livePictures;
    }

    // The picture as a GDI bitmap, made at the first request.
    HBITMAP Bitmap() {
        if (bitmap_) {
            return bitmap_;
        }
        BITMAPINFO info{};
        info.bmiHeader = Header();
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap_ && bits) {
            std::copy(picture_.pixels.begin(), picture_.pixels.end(), static_cast<uint32_t*>(bits));
        }
        return bitmap_;
    }

    BITMAPINFOHEADER Header() const {
        BITMAPINFOHEADER header{};
        header.biSize = sizeof(header);
        header.biWidth = picture_.width;
        header.biHeight = -picture_.height; // top-down
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        return header;
    }

    DecodedPicture picture_;
    ULONG references_ = 1;
    HBITMAP bitmap_ = nullptr;
    HDC currentDc_ = nullptr;
    OLE_HANDLE palette_ = 0;
    BOOL keepOriginal_ = TRUE;
};

HRESULT BitmapPicture::Render(HDC hDC, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                              OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                              OLE_YSIZE_HIMETRIC cySrc, LPCRECT) {
    if (!hDC || cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0) {
        return E_INVALIDARG;
    }
    LONG left = std::min(x, x + cx);
    LONG top = std::min(y, y + cy);
    int width = std::abs(cx);
    int height = std::abs(cy);
    const double himetricWidth = PixelsToHimetric(picture_.width);
    const double himetricHeight = PixelsToHimetric(picture_.height);
    // Each destination pixel shows the source point that the two rectangles map onto it.
    std::vector<uint32_t> out(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        double destY = top + row + 0.5;
        double sourceY = ySrc + (destY - y) * cySrc / cy; // HIMETRIC, upwards from the bottom
        int fromBottom = static_cast<int>(std::floor(sourceY * picture_.height / himetricHeight));
        int pictureRow = std::clamp(picture_.height - 1 - fromBottom, 0, picture_.height - 1);
        for (int column = 0; column < width; ++column) {
            double destX = left + column + 0.5;
            double sourceX = xSrc + (destX - x) * cxSrc / cx;
            int pictureColumn =
                std::clamp(static_cast<int>(std::floor(sourceX * picture_.width / himetricWidth)),
                           0, picture_.width - 1);
            out[static_cast<size_t>(row) * static_cast<size_t>(width) +
                static_cast<size_t>(column)] =
                picture_
                    .pixels[static_cast<size_t>(pictureRow) * static_cast<size_t>(picture_.width) +
                            static_cast<size_t>(pictureColumn)];
        }
    }
    BITMAPINFO info{};
    info.bmiHeader = Header();
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    int lines = StretchDIBits(hDC, left, top, width, height, 0, 0, width, height, out.data(), &info,
                              DIB_RGB_COLORS, SRCCOPY);
    return lines == 0 ? E_FAIL : S_OK;
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// The Windows path of a file name or a file: URL; empty for other URLs.
std::string LocalPath(const std::u16string& name) {
    std::u16string path = name;
    const std::u16string scheme = u"file:";
    if (path.size() >= scheme.size() && EqualsNoCase(path.substr(0, scheme.size()), scheme)) {
        path = path.substr(scheme.size());
        while (!path.empty() && path[0] == u'/') {
            path.erase(0, 1);
        }
        // Escaped characters of the URL.
        std::u16string decoded;
        for (size_t i = 0; i < path.size(); ++i) {
            if (path[i] == u'%' && i + 2 < path.size() && HexValue(path[i + 1]) >= 0 &&
                HexValue(path[i + 2]) >= 0) {
                decoded.push_back(
                    static_cast<char16_t>(HexValue(path[i + 1]) * 16 + HexValue(path[i + 2])));
                i += 2;
            } else {
                decoded.push_back(path[i] == u'/' ? u'\\' : path[i]);
            }
        }
        path = decoded;
    } else if (path.find(u"://") != std::u16string::npos) {
        return std::string(); // no network on this desktop
    }
    return WideToAnsi(path);
}

} // namespace

void ResetCom() {
    g_comInitCount = 0;
}

} // namespace winsim::system

int winsim::LivePictureCount() {
    return winsim::system::g_livePictures;
}

HRESULT WINAPI CoInitialize(LPVOID) {
    return winsim::system::g_comInitCount++ == 0 ? S_OK : S_FALSE;
}

void WINAPI CoUninitialize() {
    if (winsim::system::g_comInitCount > 0) {
        --winsim::system::g_comInitCount;
    }
}

HRESULT WINAPI OleInitialize(LPVOID pvReserved) {
    return CoInitialize(pvReserved);
}

void WINAPI OleUninitialize() {
    CoUninitialize();
}

HRESULT WINAPI OleLoadPicturePath(LPOLESTR szURLorPath, LPUNKNOWN, DWORD, OLE_COLOR, REFIID riid,
                                  LPVOID* ppvRet) {
    using namespace winsim::system;
    if (!ppvRet) {
        return E_POINTER;
    }
    *ppvRet = nullptr;
    if (!szURLorPath) {
        return E_INVALIDARG;
    }
    std::string path = LocalPath(szURLorPath);
    WindowsPath windowsPath;
    std::string host;
    if (path.empty() || ResolvePath(path.c_str(), windowsPath, host) != ERROR_SUCCESS) {
        return kResourceNotFound;
    }
    std::vector<unsigned char> bytes;
    if (!ReadHostFile(host, bytes)) {
        return kResourceNotFound;
    }
    DecodedPicture picture;
    bool decoded = false;
    switch (SniffPictureFormat(bytes.data(), bytes.size())) {
    case PictureFormat::Jpeg:
        decoded = DecodeJpeg(bytes.data(), bytes.size(), picture);
        break;
    case PictureFormat::Bmp:
        decoded = DecodeBmp(bytes.data(), bytes.size(), picture);
        break;
    case PictureFormat::Gif:
    case PictureFormat::Icon:
    case PictureFormat::Metafile:
        return E_NOTIMPL; // pictures Windows reads but this desktop does not decode
    case PictureFormat::Unknown:
        break;
    }
    if (!decoded || picture.width <= 0 || picture.height <= 0) {
        return CTL_E_INVALIDPICTURE;
    }
    auto* object = new BitmapPicture(std::move(picture));
    HRESULT result = object->QueryInterface(riid, ppvRet);
    object->Release();
    return result;
}
