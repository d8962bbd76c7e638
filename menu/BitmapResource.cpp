#include "menu/BitmapResource.h"

#include "framework/AfxModule.h"
#include "platform/GdiHandles.h"
#include "menu/IconVariants.h"
#include "menu/SharedIconList.h"

#include <cstring>
#include <vector>

namespace {

// The palette colours of a 16-colour bitmap that stand for parts of a button, and the system
// colours that replace them.
struct ColourMapping {
    COLORREF from;
    int to;
};
const ColourMapping kButtonColours[] = {
    {RGB(0, 0, 0), COLOR_BTNTEXT},
    {RGB(128, 128, 128), COLOR_BTNSHADOW},
    {RGB(192, 192, 192), COLOR_BTNFACE},
    {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT},
};

// The bytes of a bitmap resource (a packed DIB without file header), or none.
struct BitmapBytes {
    HINSTANCE module = NULL;
    const BYTE* data = nullptr;
    DWORD size = 0;
};

BitmapBytes FindBitmapBytes(LPCSTR name) {
    BitmapBytes bytes;
    HRSRC resource =
        AfxFindResourceHandle(name, MAKEINTRESOURCEA(2) /* RT_BITMAP */, &bytes.module);
    if (resource == NULL) {
        return BitmapBytes();
    }
    HGLOBAL loaded = LoadResource(bytes.module, resource);
    bytes.data = loaded != NULL ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    bytes.size = bytes.data != nullptr ? SizeofResource(bytes.module, resource) : 0;
    return bytes;
}

// Number of entries of the colour table that the header announces.
DWORD PaletteSize(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed != 0) {
        return header.biClrUsed;
    }
    switch (header.biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

bool ReadHeader(const BitmapBytes& bytes, BITMAPINFOHEADER& header) {
    if (bytes.data == nullptr || bytes.size < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    std::memcpy(&header, bytes.data, sizeof(header));
    return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biSize <= bytes.size;
}

// A 16-colour bitmap as a device-dependent bitmap of the display, its button colours mapped to
// the system's. NULL when the resource is shorter than its header says.
HBITMAP LoadMappedBitmap(const BitmapBytes& bytes, const BITMAPINFOHEADER& header) {
    const LONG width = header.biWidth;
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (width <= 0 || height <= 0 || header.biCompression != BI_RGB || header.biPlanes != 1 ||
        header.biBitCount > 8 || header.biBitCount == 0) {
        return NULL;
    }
    const size_t paletteBytes = 16 * sizeof(RGBQUAD);
    const size_t stride = ((static_cast<size_t>(width) * header.biBitCount + 31) / 32) * 4;
    const size_t bitsBytes = stride * static_cast<size_t>(height);
    if (bytes.size < header.biSize + paletteBytes + bitsBytes) {
        return NULL;
    }
    // A copy of the header with its colour table, the table's button colours replaced.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + paletteBytes);
    std::memcpy(info.data(), &header, sizeof(BITMAPINFOHEADER));
    auto* infoHeader = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    infoHeader->biSize = sizeof(BITMAPINFOHEADER);
    infoHeader->biClrUsed = 16;
    auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    std::memcpy(table, bytes.data + header.biSize, paletteBytes);
    for (size_t i = 0; i < 16; ++i) {
        const COLORREF colour = RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
        for (const ColourMapping& mapping : kButtonColours) {
            if (colour == mapping.from) {
                const COLORREF system = GetSysColor(mapping.to);
                table[i].rgbRed = GetRValue(system);
                table[i].rgbGreen = GetGValue(system);
                table[i].rgbBlue = GetBValue(system);
                break;
            }
        }
    }
    OwnedWindowDc screen(NULL);
    if (!screen) {
        return NULL;
    }
    HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), width, height);
    if (bitmap != NULL &&
        SetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height),
                  bytes.data + header.biSize + paletteBytes,
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS) == 0) {
        DeleteObject(bitmap);
        bitmap = NULL;
    }
    return bitmap;
}

} // namespace

bool AddBitmapResource(HIMAGELIST imageList, UINT bitmapId) {
    LPCSTR name = MAKEINTRESOURCEA(bitmapId);
    const BitmapBytes bytes = FindBitmapBytes(name);
    BITMAPINFOHEADER header = {};
    const bool sixteenColours = ReadHeader(bytes, header) && PaletteSize(header) == 16;

    HBITMAP bitmap = NULL;
    if (sixteenColours) {
        bitmap = LoadMappedBitmap(bytes, header);
    } else if (bytes.data != nullptr) {
        bitmap = LoadBitmapA(bytes.module, name);
        if (bitmap != NULL) {
            NoteTrueColourIconsLoaded();
            ReplaceBackground(bitmap);
        }
    }
    if (bitmap == NULL) {
        return false;
    }
    OwnedGdiObject owned(bitmap);
    return ImageList_AddMasked(imageList, bitmap, GetSysColor(COLOR_BTNFACE)) != -1;
}
