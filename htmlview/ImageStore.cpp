#include "htmlview/ImageStore.h"

#include "htmlview/HtmlView.h"
#include "htmlview/Utf.h"

#include <cstring>

namespace htmlview::internal {

namespace {

// Bytes of colour table (or bit-field masks) that follow a DIB header.
size_t ColourTableBytes(const BITMAPINFOHEADER& header) {
    if (header.biCompression == BI_BITFIELDS) {
        return header.biSize == sizeof(BITMAPINFOHEADER) ? 3 * sizeof(DWORD) : 0;
    }
    if (header.biBitCount <= 8) {
        const DWORD entries = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
        return entries * sizeof(RGBQUAD);
    }
    return header.biClrUsed * sizeof(RGBQUAD);
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::unique_ptr<DibImage> DibImage::FromPackedDib(const BYTE* data, size_t size) {
    if (!data || size < sizeof(BITMAPINFOHEADER)) {
        return nullptr;
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof(header));
    const bool knownDepth = header.biBitCount == 1 || header.biBitCount == 4 ||
                            header.biBitCount == 8 || header.biBitCount == 16 ||
                            header.biBitCount == 24 || header.biBitCount == 32;
    const bool knownCompression =
        header.biCompression == BI_RGB || (header.biCompression == BI_BITFIELDS &&
                                           (header.biBitCount == 16 || header.biBitCount == 32));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biWidth > 0x8000 || header.biHeight > 0x8000 ||
        header.biHeight < -0x8000 || !knownDepth || !knownCompression || header.biClrUsed > 256) {
        return nullptr;
    }
    const size_t infoBytes = header.biSize + ColourTableBytes(header);
    const size_t rows =
        static_cast<size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    const size_t stride = ((static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    if (infoBytes > size || rows * stride > size - infoBytes) {
        return nullptr;
    }
    auto image = std::make_unique<DibImage>();
    // The header is kept in its plain 40-byte form, whatever version the data carries.
    image->info_.resize(sizeof(BITMAPINFOHEADER) + ColourTableBytes(header));
    header.biSize = sizeof(BITMAPINFOHEADER);
    std::memcpy(image->info_.data(), &header, sizeof(header));
    std::memcpy(image->info_.data() + sizeof(header), data + infoBytes - ColourTableBytes(header),
                ColourTableBytes(header));
    image->bits_.assign(data + infoBytes, data + infoBytes + rows * stride);
    image->width_ = header.biWidth;
    image->height_ = static_cast<LONG>(rows);
    return image;
}

std::unique_ptr<DibImage> DibImage::FromTopDownBgra(LONG width, LONG height,
                                                    std::vector<BYTE> bits) {
    if (width <= 0 || height <= 0 ||
        bits.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        return nullptr;
    }
    auto image = std::make_unique<DibImage>();
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    image->info_.resize(sizeof(header));
    std::memcpy(image->info_.data(), &header, sizeof(header));
    image->bits_ = std::move(bits);
    image->width_ = width;
    image->height_ = height;
    return image;
}

void DibImage::Draw(HDC dc, int x, int y, int width, int height) const {
    if (width <= 0 || height <= 0) {
        return;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, width, height, 0, 0, width_, height_, bits_.data(),
                  reinterpret_cast<const BITMAPINFO*>(info_.data()), DIB_RGB_COLORS, SRCCOPY);
}

const DibImage* ImageStore::Get(const std::string& url) {
    auto found = images_.find(url);
    if (found == images_.end()) {
        found = images_.emplace(url, Load(url)).first;
    }
    return found->second.get();
}

std::unique_ptr<DibImage> ImageStore::Load(const std::string& url) const {
    const std::string lower = AsciiLower(url);
    if (StartsWith(lower, "res://")) {
        // res://MODULE/TYPE/NAME, TYPE as "#2" or "2" (bitmaps are the only type shown).
        const std::string rest = url.substr(6);
        const size_t nameSlash = rest.find_last_of('/');
        if (nameSlash == std::string::npos || nameSlash == 0) {
            return nullptr;
        }
        const std::string front = rest.substr(0, nameSlash);
        const size_t typeSlash = front.find_last_of('/');
        if (typeSlash == std::string::npos) {
            return nullptr;
        }
        return LoadResourceBitmap(front.substr(0, typeSlash), front.substr(typeSlash + 1),
                                  rest.substr(nameSlash + 1));
    }
    if (StartsWith(lower, "file:")) {
        const std::string path = FileUrlToPath(url);
        return fileLoader_ && !path.empty() ? fileLoader_(path) : nullptr;
    }
    return nullptr;
}

std::unique_ptr<DibImage> ImageStore::LoadResourceBitmap(const std::string& module,
                                                         const std::string& type,
                                                         const std::string& name) const {
    const std::string typeNumber = type.size() > 1 && type[0] == '#' ? type.substr(1) : type;
    if (typeNumber != "2" || name.empty()) {
        return nullptr;
    }
    HMODULE source = module_;
    char ownPath[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module_, ownPath, MAX_PATH);
    if (length == 0 || AsciiLower(BaseName(std::string(ownPath, length))) != AsciiLower(module)) {
        source = GetModuleHandleA(module.c_str());
    }
    if (!source) {
        return nullptr;
    }
    // Resource names are looked up without regard to case, as the platform stores them.
    const std::string upperName = AsciiUpper(name);
    HRSRC found = FindResourceA(source, upperName.c_str(), MAKEINTRESOURCEA(2));
    if (!found) {
        return nullptr;
    }
    HGLOBAL loaded = LoadResource(source, found);
    const DWORD size = SizeofResource(source, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return nullptr;
    }
    return DibImage::FromPackedDib(static_cast<const BYTE*>(data), size);
}

std::string FileUrlToPath(const std::string& url) {
    std::string rest = url;
    const std::string lower = AsciiLower(url);
    if (StartsWith(lower, "file:///")) {
        rest = url.substr(8);
    } else if (StartsWith(lower, "file://")) {
        rest = url.substr(7);
    } else if (StartsWith(lower, "file:")) {
        rest = url.substr(5);
    }
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 &&
            HexValue(rest[i + 2]) >= 0) {
            path += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
            i += 2;
        } else if (rest[i] == '/') {
            path += '\\';
        } else {
            path += rest[i];
        }
    }
    return path;
}

} // namespace htmlview::internal
