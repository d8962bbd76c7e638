#include "template_readers.h"

#include <winsim/windows.h>

namespace restest {
namespace {

class Cursor {
public:
    explicit Cursor(const Bytes& data) : data_(data) {}

    bool Ok() const { return ok_; }
    size_t At() const { return at_; }
    void AlignTo(size_t n) { at_ = (at_ + n - 1) / n * n; }

    uint8_t Byte() {
        if (at_ + 1 > data_.size()) {
            ok_ = false;
            return 0;
        }
        return data_[at_++];
    }
    uint16_t Word() {
        const uint8_t low = Byte();
        return static_cast<uint16_t>(low | (Byte() << 8));
    }
    uint32_t Dword() {
        const uint16_t low = Word();
        return low | (static_cast<uint32_t>(Word()) << 16);
    }
    std::u16string String() {
        std::u16string text;
        for (uint16_t unit = Word(); ok_ && unit != 0; unit = Word()) {
            text.push_back(static_cast<char16_t>(unit));
        }
        return text;
    }
    SzOrOrd SzOrOrdinal() {
        SzOrOrd value;
        const uint16_t first = Word();
        if (first == 0xFFFF) {
            value.isOrdinal = true;
            value.ordinal = Word();
        } else if (first != 0) {
            value.text.push_back(static_cast<char16_t>(first));
            value.text += String();
        }
        return value;
    }

private:
    const Bytes& data_;
    size_t at_ = 0;
    bool ok_ = true;
};

constexpr uint16_t kMfPopup = 0x10;
constexpr uint16_t kMfEnd = 0x80;

bool ParseMenuItems(Cursor& in, std::vector<MenuItem>& out, int depth) {
    if (depth > 8) {
        return false;
    }
    for (;;) {
        MenuItem item;
        const uint16_t flags = in.Word();
        item.flags = flags & ~kMfEnd;
        if (!(flags & kMfPopup)) {
            item.id = in.Word();
        }
        item.text = in.String();
        if (!in.Ok()) {
            return false;
        }
        if (flags & kMfPopup) {
            if (!ParseMenuItems(in, item.children, depth + 1)) {
                return false;
            }
        }
        out.push_back(std::move(item));
        if (flags & kMfEnd) {
            return true;
        }
    }
}

} // namespace

std::optional<Bytes> ResourceData(const char* name, const char* type) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, type);
    if (!found) {
        return std::nullopt;
    }
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    if (!data) {
        return std::nullopt;
    }
    return Bytes(data, data + SizeofResource(module, found));
}

std::optional<std::vector<MenuItem>> ParseMenuTemplate(const Bytes& data) {
    Cursor in(data);
    const uint16_t version = in.Word();
    const uint16_t offset = in.Word();
    if (!in.Ok() || version != 0) {
        return std::nullopt;
    }
    for (uint16_t i = 0; i < offset; ++i) {
        in.Byte();
    }
    std::vector<MenuItem> items;
    if (!ParseMenuItems(in, items, 0)) {
        return std::nullopt;
    }
    return items;
}

std::optional<DialogTemplateEx> ParseDialogTemplateEx(const Bytes& data) {
    Cursor in(data);
    DialogTemplateEx dlg;
    dlg.version = in.Word();
    dlg.signature = in.Word();
    if (dlg.version != 1 || dlg.signature != 0xFFFF) {
        return std::nullopt;
    }
    dlg.helpId = in.Dword();
    dlg.exStyle = in.Dword();
    dlg.style = in.Dword();
    const uint16_t count = in.Word();
    dlg.x = static_cast<int16_t>(in.Word());
    dlg.y = static_cast<int16_t>(in.Word());
    dlg.cx = static_cast<int16_t>(in.Word());
    dlg.cy = static_cast<int16_t>(in.Word());
    dlg.menu = in.SzOrOrdinal();
    dlg.windowClass = in.SzOrOrdinal();
    dlg.title = in.String();
    constexpr uint32_t kDsSetFont = 0x40;
    if (dlg.style & kDsSetFont) {
        dlg.pointSize = in.Word();
        dlg.weight = in.Word();
        dlg.italic = in.Byte();
        dlg.charset = in.Byte();
        dlg.typeface = in.String();
    }
    for (uint16_t i = 0; i < count && in.Ok(); ++i) {
        in.AlignTo(4);
        DialogItem item;
        item.helpId = in.Dword();
        item.exStyle = in.Dword();
        item.style = in.Dword();
        item.x = static_cast<int16_t>(in.Word());
        item.y = static_cast<int16_t>(in.Word());
        item.cx = static_cast<int16_t>(in.Word());
        item.cy = static_cast<int16_t>(in.Word());
        item.id = in.Dword();
        item.windowClass = in.SzOrOrdinal();
        item.title = in.SzOrOrdinal();
        item.extraCount = in.Word();
        for (uint16_t b = 0; b < item.extraCount; ++b) {
            in.Byte();
        }
        dlg.items.push_back(std::move(item));
    }
    if (!in.Ok()) {
        return std::nullopt;
    }
    return dlg;
}

std::optional<Toolbar> ParseToolbar(const Bytes& data) {
    Cursor in(data);
    Toolbar toolbar;
    toolbar.version = in.Word();
    toolbar.width = in.Word();
    toolbar.height = in.Word();
    const uint16_t count = in.Word();
    for (uint16_t i = 0; i < count; ++i) {
        toolbar.buttons.push_back(in.Word());
    }
    if (!in.Ok() || in.At() != data.size()) {
        return std::nullopt;
    }
    return toolbar;
}

std::optional<Dib> ParseDib(const Bytes& data, bool iconImage) {
    Cursor in(data);
    Dib dib;
    const uint32_t headerSize = in.Dword();
    dib.width = static_cast<int32_t>(in.Dword());
    dib.height = static_cast<int32_t>(in.Dword());
    dib.planes = in.Word();
    dib.bitCount = in.Word();
    dib.compression = in.Dword();
    if (!in.Ok() || headerSize != 40 || dib.width <= 0 || dib.height == 0) {
        return std::nullopt;
    }
    size_t colours = 0;
    if (dib.bitCount <= 8) {
        colours = size_t{1} << dib.bitCount;
    }
    const size_t bitsAt = headerSize + colours * 4;
    const size_t stride = (static_cast<size_t>(dib.width) * dib.bitCount + 31) / 32 * 4;
    size_t rows = static_cast<size_t>(dib.height < 0 ? -dib.height : dib.height);
    size_t maskBytes = 0;
    if (iconImage) {
        rows /= 2;
        maskBytes = (static_cast<size_t>(dib.width) + 31) / 32 * 4 * rows;
    }
    const size_t needed = bitsAt + stride * rows + maskBytes;
    if (iconImage ? needed != data.size() : needed > data.size()) {
        return std::nullopt;
    }
    dib.bits.assign(data.begin() + static_cast<long>(bitsAt),
                    data.begin() + static_cast<long>(bitsAt + stride * rows));
    return dib;
}

uint32_t Dib::Pixel24(int x, int y) const {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    const int rows = height < 0 ? -height : height;
    const size_t row = static_cast<size_t>(height > 0 ? rows - 1 - y : y);
    const uint8_t* p = bits.data() + row * stride + static_cast<size_t>(x) * 3;
    return (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
}

std::optional<std::vector<IconGroupEntry>> ParseIconGroup(const Bytes& data) {
    Cursor in(data);
    const uint16_t reserved = in.Word();
    const uint16_t type = in.Word();
    const uint16_t count = in.Word();
    if (!in.Ok() || reserved != 0 || type != 1) {
        return std::nullopt;
    }
    std::vector<IconGroupEntry> entries;
    for (uint16_t i = 0; i < count; ++i) {
        IconGroupEntry entry;
        entry.width = in.Byte();
        entry.height = in.Byte();
        in.Byte(); // colour count
        in.Byte(); // reserved
        in.Word(); // planes
        entry.bitCount = in.Word();
        entry.bytes = in.Dword();
        entry.iconId = in.Word();
        entries.push_back(entry);
    }
    if (!in.Ok()) {
        return std::nullopt;
    }
    return entries;
}

std::optional<Wave> ParseWave(const Bytes& data) {
    Cursor in(data);
    if (in.Dword() != 0x46464952 /* RIFF */) {
        return std::nullopt;
    }
    const uint32_t riffSize = in.Dword();
    if (riffSize + 8 != data.size() || in.Dword() != 0x45564157 /* WAVE */) {
        return std::nullopt;
    }
    Wave wave;
    bool haveFormat = false;
    while (in.Ok() && in.At() + 8 <= data.size()) {
        const uint32_t id = in.Dword();
        const uint32_t size = in.Dword();
        const size_t end = in.At() + size;
        if (end > data.size()) {
            return std::nullopt;
        }
        if (id == 0x20746d66 /* "fmt " */) {
            wave.formatTag = in.Word();
            wave.channels = in.Word();
            wave.samplesPerSec = in.Dword();
            wave.avgBytesPerSec = in.Dword();
            wave.blockAlign = in.Word();
            wave.bitsPerSample = in.Word();
            haveFormat = true;
        } else if (id == 0x61746164 /* "data" */ && haveFormat && wave.bitsPerSample == 16) {
            while (in.At() + 2 <= end) {
                wave.samples.push_back(static_cast<int16_t>(in.Word()));
            }
        }
        while (in.Ok() && in.At() < end) {
            in.Byte();
        }
        in.AlignTo(2);
    }
    if (!haveFormat) {
        return std::nullopt;
    }
    return wave;
}

} // namespace restest
