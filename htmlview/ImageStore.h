// The pictures a document shows: bitmap resources of the module ("res://MODULE/#2/NAME") and
// picture files ("file:///PATH", read through the platform's picture loading), kept as
// device-independent bitmaps and drawn stretched to the size the page asks for.
#pragma once

#include "platform/win32.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace htmlview::internal {

class DibImage {
public:
    // A packed DIB: BITMAPINFOHEADER, colour table or masks, bits. Null when malformed.
    static std::unique_ptr<DibImage> FromPackedDib(const BYTE* data, size_t size);
    // 32 bits per pixel, top-down rows.
    static std::unique_ptr<DibImage> FromTopDownBgra(LONG width, LONG height,
                                                     std::vector<BYTE> bits);

    LONG width() const { return width_; }
    LONG height() const { return height_; }
    // Draws the whole picture into the destination rectangle.
    void Draw(HDC dc, int x, int y, int width, int height) const;

private:
    std::vector<BYTE> info_; // BITMAPINFOHEADER with its colour table or masks
    std::vector<BYTE> bits_;
    LONG width_ = 0;
    LONG height_ = 0;
};

class ImageStore {
public:
    using FileLoader = std::function<std::unique_ptr<DibImage>(const std::string& path)>;

    // module: whose resources res:// addresses name (the page's own module).
    void SetModule(HMODULE module) { module_ = module; }
    // How picture files are read (without one, file:/// pictures show as missing).
    void SetFileLoader(FileLoader loader) { fileLoader_ = std::move(loader); }
    // The picture behind url, loaded at the first request; nullptr when it cannot be had (the
    // failure is remembered, so a broken picture is not retried at every paint).
    const DibImage* Get(const std::string& url);
    void Clear() { images_.clear(); }

private:
    std::unique_ptr<DibImage> Load(const std::string& url) const;
    std::unique_ptr<DibImage> LoadResourceBitmap(const std::string& module, const std::string& type,
                                                 const std::string& name) const;

    HMODULE module_ = nullptr;
    FileLoader fileLoader_;
    std::map<std::string, std::unique_ptr<DibImage>> images_;
};

// Reads a picture file (JPEG, GIF, BMP ...) through the platform's OLE picture loading.
std::unique_ptr<DibImage> LoadPictureFile(const std::string& path);

// The path of a file:/// address as the file functions take it ("file:///C:\a b\x.jpg" gives
// "C:\a b\x.jpg"; escapes such as %20 are decoded, forward slashes become backslashes).
std::string FileUrlToPath(const std::string& url);

} // namespace htmlview::internal
