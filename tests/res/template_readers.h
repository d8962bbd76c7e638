// Readers of the binary resource formats, written from the format descriptions, to check the
// compiled resources independently of the code that will use them: menu templates, extended
// dialog templates, toolbar resources, bitmaps, icon groups and WAVE sounds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace restest {

using Bytes = std::vector<uint8_t>;

// The data of a resource of the program module, through the resource functions; nullopt when
// FindResourceA fails.
std::optional<Bytes> ResourceData(const char* name, const char* type);

// A standard menu template: flags word, command id unless a popup, UTF-16 text.
struct MenuItem {
    uint16_t flags = 0; // MF_END removed
    uint16_t id = 0;
    std::u16string text;
    std::vector<MenuItem> children;
    bool IsSeparator() const { return flags == 0 && id == 0 && text.empty(); }
};
std::optional<std::vector<MenuItem>> ParseMenuTemplate(const Bytes& data);

// A type or name in a dialog template: an ordinal or a string.
struct SzOrOrd {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string text;
};

struct DialogItem {
    uint32_t helpId = 0, exStyle = 0, style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint32_t id = 0;
    SzOrOrd windowClass;
    SzOrOrd title;
    uint16_t extraCount = 0;
};

struct DialogTemplateEx {
    uint16_t version = 0, signature = 0;
    uint32_t helpId = 0, exStyle = 0, style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    SzOrOrd menu, windowClass;
    std::u16string title;
    uint16_t pointSize = 0, weight = 0;
    uint8_t italic = 0, charset = 0;
    std::u16string typeface;
    std::vector<DialogItem> items;
};
std::optional<DialogTemplateEx> ParseDialogTemplateEx(const Bytes& data);

// The MFC-style toolbar resource: version, image size, button ids.
struct Toolbar {
    uint16_t version = 0, width = 0, height = 0;
    std::vector<uint16_t> buttons;
};
std::optional<Toolbar> ParseToolbar(const Bytes& data);

// A packed DIB (BITMAPINFOHEADER then colours and bits) as RT_BITMAP holds it.
struct Dib {
    int32_t width = 0, height = 0;
    uint16_t planes = 0, bitCount = 0;
    uint32_t compression = 0;
    Bytes bits; // the rows as stored, bottom-up when height > 0
    // The colour of a pixel of a 24-bit DIB, x from the left, y from the top, as 0xRRGGBB.
    uint32_t Pixel24(int x, int y) const;
};
// An icon image (RT_ICON) is a DIB of twice the icon's height: the colour rows, then the AND
// mask rows at 1 bit per pixel; bits then holds the colour rows only.
std::optional<Dib> ParseDib(const Bytes& data, bool iconImage = false);

// An RT_GROUP_ICON directory entry.
struct IconGroupEntry {
    uint8_t width = 0, height = 0;
    uint16_t bitCount = 0;
    uint32_t bytes = 0;
    uint16_t iconId = 0;
};
std::optional<std::vector<IconGroupEntry>> ParseIconGroup(const Bytes& data);

// A RIFF WAVE file with a PCM "fmt " chunk and its "data" chunk.
struct Wave {
    uint16_t formatTag = 0, channels = 0, bitsPerSample = 0, blockAlign = 0;
    uint32_t samplesPerSec = 0, avgBytesPerSec = 0;
    std::vector<int16_t> samples; // interleaved, 16-bit only
};
std::optional<Wave> ParseWave(const Bytes& data);

} // namespace restest
