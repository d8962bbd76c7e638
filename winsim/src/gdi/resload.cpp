// Bitmaps and icons from the module's resources: RT_BITMAP (a packed DIB), RT_GROUP_ICON with
// its RT_ICON images.
#include "gdi/color.h"
#include "gdi/dib.h"
#include "gdi/icon.h"
#include "gdi/stock_icons.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>
#include <winsim/winres.h>

#include <cstring>

using namespace winsim::gdi;

namespace {

// The bytes of a resource; false (with the resource functions' error) when it is missing.
bool ResourceBytes(HINSTANCE module, LPCSTR name, LPCSTR type, const uint8_t*& data, DWORD& size) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    size = SizeofResource(module, found);
    return data != nullptr;
}

// A packed DIB (header, colour table, bits) read into a surface, checking every size against
// the resource's length.
bool ReadPackedDib(const uint8_t* data, DWORD size, LONG heightOverride, Surface& out) {
    if (size < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof(h));
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biWidth <= 0 ||
        h.biWidth > 16384 || h.biHeight == 0 || h.biHeight > 32768 || h.biHeight < -32768) {
        return false;
    }
    const LONG height = heightOverride ? heightOverride : h.biHeight;
    const size_t table = static_cast<size_t>(DibTableEntries(h)) * 4;
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    const size_t bits = static_cast<size_t>(StrideFor(h.biWidth, h.biBitCount)) * rows;
    if (!OpsForBits(h.biBitCount) || h.biSize + table + bits > size) {
        return false;
    }
    // A private copy with the height adjusted, so that the reader sees one picture.
    std::vector<uint8_t> info(h.biSize + table + 12);
    std::memcpy(info.data(), data, h.biSize + table);
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biHeight = height;
    return SurfaceFromDib(reinterpret_cast<const BITMAPINFO*>(info.data()), data + h.biSize + table,
                          DIB_RGB_COLORS, nullptr, out);
}

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

// The icon image that suits the display best: the size nearest to the standard 32 x 32, then
// the largest bit count the display can show (or the smallest above it).
int ChooseIcon(const GroupIconEntry* entries, int count) {
    const int display = winsim::Config().displayBits;
    int best = -1;
    long bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const int w = entries[i].width ? entries[i].width : 256;
        const int bits = entries[i].bitCount;
        const long sizeScore = std::labs(w - 32L) * 1000;
        const long bitsScore = bits <= display ? (64 - bits) : 100 + bits;
        const long score = sizeScore + bitsScore;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    if (!hInstance) {
        // The system's own (OBM_) bitmaps are not offered.
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const uint8_t* data = nullptr;
    DWORD size = 0;
    if (!ResourceBytes(hInstance, lpBitmapName, RT_BITMAP, data, size)) {
        return nullptr;
    }
    Surface dib;
    if (!ReadPackedDib(data, size, 0, dib)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    // A device-dependent bitmap in the display's format, as LoadBitmap makes it.
    HBITMAP bmp = CreateBitmap(dib.width, dib.height, 1,
                               static_cast<UINT>(winsim::Config().displayBits), nullptr);
    if (BitmapObj* b = FindBitmap(bmp)) {
        b->surface = ToDisplayFormat(dib);
    }
    return bmp;
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    if (!hInstance) {
        return StockIcon(lpIconName);
    }
    const uint8_t* group = nullptr;
    DWORD groupSize = 0;
    if (!ResourceBytes(hInstance, lpIconName, RT_GROUP_ICON, group, groupSize)) {
        return nullptr;
    }
    GroupIconHeader header;
    if (groupSize < sizeof(header)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::memcpy(&header, group, sizeof(header));
    if (header.type != 1 || header.count == 0 ||
        sizeof(header) + header.count * sizeof(GroupIconEntry) > groupSize) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::vector<GroupIconEntry> entries(header.count);
    std::memcpy(entries.data(), group + sizeof(header), header.count * sizeof(GroupIconEntry));
    const GroupIconEntry& chosen = entries[ChooseIcon(entries.data(), header.count)];

    const uint8_t* data = nullptr;
    DWORD size = 0;
    if (!ResourceBytes(hInstance, MAKEINTRESOURCEA(chosen.id), RT_ICON, data, size)) {
        return nullptr;
    }
    BITMAPINFOHEADER h;
    if (size < sizeof(h)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::memcpy(&h, data, sizeof(h));
    // The header's height counts the XOR image and the AND mask together.
    const LONG height = h.biHeight / 2;
    Surface xorImage;
    if (height <= 0 || !ReadPackedDib(data, size, height, xorImage)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    const size_t table = static_cast<size_t>(DibTableEntries(h)) * 4;
    const size_t xorBytes = static_cast<size_t>(StrideFor(h.biWidth, h.biBitCount)) * height;
    const size_t maskOffset = h.biSize + table + xorBytes;
    const int maskStride = StrideFor(h.biWidth, 1);
    IconData icon;
    InitSurface(icon.mask, h.biWidth, height, 1, ColorModel::Mono);
    if (maskOffset + static_cast<size_t>(maskStride) * height <= size) {
        for (int r = 0; r < height; ++r) {
            std::memcpy(icon.mask.Row(height - 1 - r), data + maskOffset + r * maskStride,
                        static_cast<size_t>(maskStride));
        }
    }
    // Icons load at the standard size, stretched when the resource has no 32 x 32 image.
    icon.width = 32;
    icon.height = 32;
    icon.color = Resample(ToDisplayFormat(xorImage), 32, 32);
    icon.mask = Resample(icon.mask, 32, 32);
    return AddIcon(std::move(icon));
}
