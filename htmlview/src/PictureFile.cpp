#include "htmlview/src/ImageStore.h"

#include "htmlview/HtmlView.h"
#include "htmlview/src/Utf.h"

namespace htmlview::internal {

std::unique_ptr<DibImage> LoadPictureFile(const std::string& path) {
    if (path.empty()) {
        return nullptr;
    }
    WideString widePath = FromUtf8(path);
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicturePath(widePath.data(), nullptr, 0, 0, IID_IPicture,
                                  reinterpret_cast<LPVOID*>(&picture))) ||
        !picture) {
        return nullptr;
    }
    std::unique_ptr<DibImage> image;
    OLE_HANDLE handle = 0;
    short type = 0;
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture->get_Handle(&handle))) {
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        BITMAP info = {};
        if (GetObjectA(bitmap, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight > 0) {
            BITMAPINFO request = {};
            request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            request.bmiHeader.biWidth = info.bmWidth;
            request.bmiHeader.biHeight = -info.bmHeight;
            request.bmiHeader.biPlanes = 1;
            request.bmiHeader.biBitCount = 32;
            request.bmiHeader.biCompression = BI_RGB;
            std::vector<BYTE> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4);
            HDC screen = GetDC(nullptr);
            const int copied =
                GetDIBits(screen, bitmap, 0, info.bmHeight, bits.data(), &request, DIB_RGB_COLORS);
            ReleaseDC(nullptr, screen);
            if (copied == info.bmHeight) {
                image = DibImage::FromTopDownBgra(info.bmWidth, info.bmHeight, std::move(bits));
            }
        }
    }
    picture->Release();
    return image;
}

FileStamp StampPictureFile(const std::string& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!path.empty() && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        stamp.exists = true;
        stamp.written = data.ftLastWriteTime;
        stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return stamp;
}

} // namespace htmlview::internal
