#include "htmlview/src/ImageStore.h"

#include "htmlview/HtmlView.h"
#include "htmlview/src/Utf.h"

#include <algorithm>
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
    image->topDownBgra_ = true;
    return image;
}

void DibImage::Draw(HDC dc, int x, int y, int width, int height) const {
    if (width <= 0 || height <= 0) {
        return;
    }
    if (width == width_ && height == height_) {
        SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                          static_cast<UINT>(height_), bits_.data(),
                          reinterpret_cast<const BITMAPINFO*>(info_.data()), DIB_RGB_COLORS);
        return;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, width, height, 0, 0, width_, height_, bits_.data(),
                  reinterpret_cast<const BITMAPINFO*>(info_.data()), DIB_RGB_COLORS, SRCCOPY);
}

std::unique_ptr<DibImage> DibImage::ScaledDown(LONG width, LONG height) const {
    if (!topDownBgra_ || width <= 0 || height <= 0 || width > width_ || height > height_) {
        return nullptr;
    }
    // Each target pixel covers a box of source pixels, parts of the boxes' edge pixels counted
    // by how much of them lies inside: weights in 1/256ths of a source pixel's side.
    struct Span {
        LONG first;
        LONG last; // inclusive
        std::vector<uint32_t> weights;
    };
    const auto spans = [](LONG from, LONG to) {
        std::vector<Span> result(static_cast<size_t>(to));
        for (LONG i = 0; i < to; ++i) {
            const uint64_t start = static_cast<uint64_t>(i) * from * 256 / to;
            const uint64_t end = static_cast<uint64_t>(i + 1) * from * 256 / to;
            Span& span = result[static_cast<size_t>(i)];
            span.first = static_cast<LONG>(start / 256);
            span.last = static_cast<LONG>((end - 1) / 256);
            for (LONG s = span.first; s <= span.last; ++s) {
                const uint64_t low = std::max<uint64_t>(start, static_cast<uint64_t>(s) * 256);
                const uint64_t high = std::min<uint64_t>(end, static_cast<uint64_t>(s + 1) * 256);
                span.weights.push_back(static_cast<uint32_t>(high - low));
            }
        }
        return result;
    };
    const std::vector<Span> columns = spans(width_, width);
    const std::vector<Span> rows = spans(height_, height);
    std::vector<BYTE> out(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    // One row of column sums at a time: sums[x * 3 + c] over the source rows of a target row.
    std::vector<uint64_t> sums(static_cast<size_t>(width_) * 3);
    const size_t stride = static_cast<size_t>(width_) * 4;
    for (LONG ty = 0; ty < height; ++ty) {
        const Span& rowSpan = rows[static_cast<size_t>(ty)];
        std::fill(sums.begin(), sums.end(), 0);
        uint64_t rowWeight = 0;
        for (LONG sy = rowSpan.first; sy <= rowSpan.last; ++sy) {
            const uint32_t w = rowSpan.weights[static_cast<size_t>(sy - rowSpan.first)];
            rowWeight += w;
            const BYTE* source = bits_.data() + static_cast<size_t>(sy) * stride;
            for (LONG sx = 0; sx < width_; ++sx) {
                for (int c = 0; c < 3; ++c) {
                    sums[static_cast<size_t>(sx) * 3 + c] += w * source[sx * 4 + c];
                }
            }
        }
        BYTE* target = out.data() + static_cast<size_t>(ty) * static_cast<size_t>(width) * 4;
        for (LONG tx = 0; tx < width; ++tx) {
            const Span& columnSpan = columns[static_cast<size_t>(tx)];
            uint64_t total[3] = {0, 0, 0};
            uint64_t columnWeight = 0;
            for (LONG sx = columnSpan.first; sx <= columnSpan.last; ++sx) {
                const uint32_t w = columnSpan.weights[static_cast<size_t>(sx - columnSpan.first)];
                columnWeight += w;
                for (int c = 0; c < 3; ++c) {
                    total[c] += w * sums[static_cast<size_t>(sx) * 3 + c];
                }
            }
            const uint64_t weight = rowWeight * columnWeight;
            for (int c = 0; c < 3; ++c) {
                target[tx * 4 + c] = static_cast<BYTE>((total[c] + weight / 2) / weight);
            }
        }
    }
    return FromTopDownBgra(width, height, std::move(out));
}

bool FileStamp::operator==(const FileStamp& other) const {
    return exists == other.exists && size == other.size &&
           written.dwLowDateTime == other.written.dwLowDateTime &&
           written.dwHighDateTime == other.written.dwHighDateTime;
}

ImageStore::ImageStore() : fileStamper_(StampPictureFile) {}

ImageStore::Picture& ImageStore::Find(const std::string& url) {
    Picture& picture = pictures_[url];
    if (!picture.loaded) {
        Load(url, picture);
    }
    if (inLayout_) {
        picture.layout = layout_;
    }
    return picture;
}

bool ImageStore::Get(const std::string& url, Size* size) {
    const Picture& picture = Find(url);
    if (size) {
        *size = picture.size;
    }
    return picture.size.width > 0;
}

void ImageStore::Load(const std::string& url, Picture& picture) {
    const Size before = picture.size;
    const bool reload = picture.loaded;
    Forget(picture);
    picture.loaded = true;
    picture.isFile = StartsWith(AsciiLower(url), "file:");
    if (picture.isFile && fileStamper_) {
        picture.stamp = fileStamper_(FileUrlToPath(url));
        picture.paint = paint_;
    }
    picture.full = Read(url);
    picture.size = picture.full ? Size{picture.full->width(), picture.full->height()} : Size{};
    if (picture.full) {
        picture.lastUse = ++clock_;
        Hold(picture.full->bytes());
        Trim(&picture);
    }
    if (reload && (before.width != picture.size.width || before.height != picture.size.height)) {
        sizeChanged_ = true;
    }
}

const DibImage* ImageStore::Full(const std::string& url, Picture& picture) {
    if (!picture.full && picture.size.width > 0) {
        Load(url, picture); // dropped to keep within the budget: read once more
    }
    return picture.full.get();
}

FileStamp ImageStore::Look(const std::string& url) {
    return LookedAt(url).stamp;
}

ImageStore::Picture& ImageStore::LookedAt(const std::string& url) {
    Picture& picture = Find(url);
    if (picture.isFile && picture.paint != paint_ && fileStamper_) {
        picture.paint = paint_;
        if (fileStamper_(FileUrlToPath(url)) != picture.stamp) {
            Load(url, picture);
        }
    }
    return picture;
}

bool ImageStore::Draw(const std::string& url, HDC dc, int x, int y, int width, int height) {
    Picture& picture = LookedAt(url);
    if (picture.size.width <= 0 || width <= 0 || height <= 0) {
        return picture.size.width > 0;
    }
    picture.lastUse = ++clock_;
    const bool smaller = width <= picture.size.width && height <= picture.size.height &&
                         (width < picture.size.width || height < picture.size.height);
    if (smaller) {
        const auto key = std::make_pair(static_cast<LONG>(width), static_cast<LONG>(height));
        auto found = picture.scaled.find(key);
        if (found == picture.scaled.end()) {
            const DibImage* full = Full(url, picture);
            std::unique_ptr<DibImage> copy = full ? full->ScaledDown(width, height) : nullptr;
            if (copy) {
                Hold(copy->bytes());
                found = picture.scaled.emplace(key, std::move(copy)).first;
                Trim(&picture);
            }
        }
        if (found != picture.scaled.end()) {
            found->second->Draw(dc, x, y, width, height);
            return true;
        }
    }
    const DibImage* full = Full(url, picture);
    if (full) {
        full->Draw(dc, x, y, width, height);
    }
    return full != nullptr;
}

void ImageStore::Hold(size_t bytes) {
    held_ += bytes;
}

void ImageStore::Forget(Picture& picture) {
    if (picture.full) {
        held_ -= picture.full->bytes();
        picture.full.reset();
    }
    for (const auto& copy : picture.scaled) {
        held_ -= copy.second->bytes();
    }
    picture.scaled.clear();
}

void ImageStore::Trim(const Picture* keep) {
    while (held_ > budget_) {
        Picture* oldest = nullptr;
        for (auto& entry : pictures_) {
            Picture& candidate = entry.second;
            if (&candidate != keep && (candidate.full || !candidate.scaled.empty()) &&
                (!oldest || candidate.lastUse < oldest->lastUse)) {
                oldest = &candidate;
            }
        }
        if (!oldest) {
            return;
        }
        Forget(*oldest);
    }
}

void ImageStore::BeginLayout() {
    ++layout_;
    inLayout_ = true;
}

void ImageStore::EndLayout() {
    inLayout_ = false;
    for (auto it = pictures_.begin(); it != pictures_.end();) {
        if (it->second.layout != layout_) {
            Forget(it->second);
            it = pictures_.erase(it);
        } else {
            ++it;
        }
    }
}

bool ImageStore::TakeSizeChanged() {
    const bool changed = sizeChanged_;
    sizeChanged_ = false;
    return changed;
}

void ImageStore::Clear() {
    pictures_.clear();
    held_ = 0;
    sizeChanged_ = false;
}

std::unique_ptr<DibImage> ImageStore::Read(const std::string& url) const {
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
