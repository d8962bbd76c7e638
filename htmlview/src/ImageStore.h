// The pictures a document shows: bitmap resources of the module ("res://MODULE/#2/NAME") and
// picture files ("file:///PATH", read through the platform's picture loading), kept as
// device-independent bitmaps and drawn at the size the page asks for.
//
// A picture is decoded once. A picture drawn smaller than it is gets a copy scaled down by
// averaging, made once and kept; decoded pictures and scaled copies together stay within a
// memory budget (the least recently drawn go first, to be made again if they are drawn again).
// A picture file is read again when it has changed on disk, and a picture that the page no
// longer shows is forgotten when the page is next laid out.
#pragma once

#include "htmlview/src/Internal.h"

#include "platform/win32.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
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
    size_t bytes() const { return info_.size() + bits_.size(); }
    // Draws the whole picture stretched into the destination rectangle, pixels dropped or
    // repeated.
    void Draw(HDC dc, int x, int y, int width, int height) const;
    // The picture scaled down to width x height (no larger than it is), each pixel the average
    // of the pixels it covers; nullptr when that size is larger or the picture has no 32-bit
    // top-down pixels.
    std::unique_ptr<DibImage> ScaledDown(LONG width, LONG height) const;

private:
    std::vector<BYTE> info_; // BITMAPINFOHEADER with its colour table or masks
    std::vector<BYTE> bits_;
    LONG width_ = 0;
    LONG height_ = 0;
    bool topDownBgra_ = false;
};

// When a picture file was last written and how long it is; a missing file has none.
struct FileStamp {
    bool exists = false;
    FILETIME written = {0, 0};
    uint64_t size = 0;
    bool operator==(const FileStamp& other) const;
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

class ImageStore {
public:
    using FileLoader = std::function<std::unique_ptr<DibImage>(const std::string& path)>;
    using FileStamper = std::function<FileStamp(const std::string& path)>;

    // The natural size of a picture (0 x 0 for one that could not be had).
    struct Size {
        LONG width = 0;
        LONG height = 0;
    };

    ImageStore();

    // module: whose resources res:// addresses name (the page's own module).
    void SetModule(HMODULE module) { module_ = module; }
    // How picture files are read (without one, file:/// pictures show as missing).
    void SetFileLoader(FileLoader loader) { fileLoader_ = std::move(loader); }
    // How a picture file's changes are seen (by default, its write time and length).
    void SetFileStamper(FileStamper stamper) { fileStamper_ = std::move(stamper); }
    // How many bytes of decoded pictures and scaled copies are kept at most.
    void SetMemoryBudget(size_t bytes) { budget_ = bytes; }

    // Whether the picture behind url can be shown, and its natural size. It is loaded at the
    // first request; a failure is remembered, so a broken picture is not retried at every
    // layout (only when its file changes).
    bool Get(const std::string& url, Size* size = nullptr);
    // Draws the picture into the rectangle: scaled down by averaging when it is drawn smaller
    // than it is, stretched otherwise. A picture file that changed on disk since it was read is
    // read again first. False when there is no picture to draw.
    bool Draw(const std::string& url, HDC dc, int x, int y, int width, int height);
    // What Draw would draw: the picture file is looked at as Draw does (read again when it
    // changed), and the stamp it was read with is returned (none for other pictures).
    FileStamp Look(const std::string& url);

    // A layout of the page begins: the pictures it asks for are the ones it shows.
    void BeginLayout();
    // The layout is made: pictures it did not ask for are forgotten.
    void EndLayout();
    // True once after a picture file was read again with another size than before: the page
    // must be laid out again.
    bool TakeSizeChanged();
    // A new paint of the page: each file shown is looked at once more for changes.
    void BeginPaint() { ++paint_; }

    void Clear();

    // What is held (for tests and measurements).
    size_t pictureCount() const { return pictures_.size(); }
    size_t bytesHeld() const { return held_; }

private:
    struct Picture {
        bool isFile = false;
        bool loaded = false; // tried at least once
        Size size;
        FileStamp stamp;
        std::unique_ptr<DibImage> full;
        std::map<std::pair<LONG, LONG>, std::unique_ptr<DibImage>> scaled;
        uint64_t lastUse = 0;
        unsigned layout = 0; // the last layout that asked for it
        unsigned paint = 0;  // the last paint that looked at the file
    };

    Picture& Find(const std::string& url);
    // Found, and its file looked at once in this paint (read again when it changed).
    Picture& LookedAt(const std::string& url);
    // Reads the picture (again), keeps its size; drops scaled copies.
    void Load(const std::string& url, Picture& picture);
    const DibImage* Full(const std::string& url, Picture& picture);
    void Forget(Picture& picture);
    void Hold(size_t bytes);
    // Drops the least recently drawn decoded pictures and copies until the budget holds, keeping
    // the picture being drawn.
    void Trim(const Picture* keep);
    std::unique_ptr<DibImage> Read(const std::string& url) const;
    std::unique_ptr<DibImage> LoadResourceBitmap(const std::string& module, const std::string& type,
                                                 const std::string& name) const;

    HMODULE module_ = nullptr;
    FileLoader fileLoader_;
    FileStamper fileStamper_;
    std::unordered_map<std::string, Picture> pictures_;
    size_t budget_ = size_t(32) << 20;
    size_t held_ = 0;
    uint64_t clock_ = 0;
    unsigned layout_ = 0;
    unsigned paint_ = 0;
    bool inLayout_ = false;
    bool sizeChanged_ = false;
};

// Reads a picture file (JPEG, GIF, BMP ...) through the platform's OLE picture loading.
std::unique_ptr<DibImage> LoadPictureFile(const std::string& path);
// The file's write time and length, through the platform's file functions.
FileStamp StampPictureFile(const std::string& path);

// The path of a file:/// address as the file functions take it ("file:///C:\a b\x.jpg" gives
// "C:\a b\x.jpg"; escapes such as %20 are decoded, forward slashes become backslashes).
std::string FileUrlToPath(const std::string& url);

} // namespace htmlview::internal
