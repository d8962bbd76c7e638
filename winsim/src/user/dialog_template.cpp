#include "user/dialog_template.h"

#include "user/text_codec.h"

#include <cstring>

namespace winsim::user {
namespace {

class Reader {
public:
    Reader(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    bool Word(WORD* v) { return Raw(v, sizeof(*v)); }
    bool Dword(DWORD* v) { return Raw(v, sizeof(*v)); }
    bool Short(short* v) { return Raw(v, sizeof(*v)); }
    bool Byte(BYTE* v) { return Raw(v, sizeof(*v)); }

    bool String(std::string* out) {
        std::u16string text;
        for (;;) {
            WORD c;
            if (!Word(&c)) {
                return false;
            }
            if (c == 0) {
                break;
            }
            text += static_cast<char16_t>(c);
        }
        *out = ToAnsi(text.data(), text.size());
        return true;
    }

    bool NameOrOrdinalField(NameOrOrdinal* out) {
        WORD first;
        if (!Peek(&first)) {
            return false;
        }
        if (first == 0x0000) {
            pos_ += 2;
            *out = NameOrOrdinal{};
            return true;
        }
        if (first == 0xFFFF) {
            pos_ += 2;
            out->isOrdinal = true;
            return Word(&out->ordinal);
        }
        out->isOrdinal = false;
        return String(&out->name);
    }

    bool AlignDword() {
        size_t aligned = (pos_ + 3) & ~size_t{3};
        if (aligned > size_) {
            return false;
        }
        pos_ = aligned;
        return true;
    }

    bool Bytes(size_t n, std::vector<unsigned char>* out) {
        if (n > size_ - pos_) {
            return false;
        }
        out->assign(data_ + pos_, data_ + pos_ + n);
        pos_ += n;
        return true;
    }

private:
    bool Peek(WORD* v) {
        if (size_ - pos_ < sizeof(*v)) {
            return false;
        }
        std::memcpy(v, data_ + pos_, sizeof(*v));
        return true;
    }
    bool Raw(void* v, size_t n) {
        if (size_ - pos_ < n) {
            return false;
        }
        std::memcpy(v, data_ + pos_, n);
        pos_ += n;
        return true;
    }

    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

bool ReadItem(Reader& r, bool extended, DialogItemTemplate* item) {
    if (!r.AlignDword()) {
        return false;
    }
    if (extended) {
        if (!r.Dword(&item->helpId) || !r.Dword(&item->exStyle) || !r.Dword(&item->style)) {
            return false;
        }
    } else if (!r.Dword(&item->style) || !r.Dword(&item->exStyle)) {
        return false;
    }
    if (!r.Short(&item->x) || !r.Short(&item->y) || !r.Short(&item->cx) || !r.Short(&item->cy)) {
        return false;
    }
    if (extended) {
        if (!r.Dword(&item->id)) {
            return false;
        }
    } else {
        WORD id;
        if (!r.Word(&id)) {
            return false;
        }
        item->id = id;
    }
    if (!r.NameOrOrdinalField(&item->windowClass) || !r.NameOrOrdinalField(&item->title)) {
        return false;
    }
    WORD extra;
    if (!r.Word(&extra)) {
        return false;
    }
    return r.Bytes(extra, &item->creationData);
}

} // namespace

const char* PredefinedClassName(WORD ordinal) {
    switch (ordinal) {
    case 0x0080:
        return "Button";
    case 0x0081:
        return "Edit";
    case 0x0082:
        return "Static";
    case 0x0083:
        return "ListBox";
    case 0x0084:
        return "ScrollBar";
    case 0x0085:
        return "ComboBox";
    default:
        return nullptr;
    }
}

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* out) {
    if (!data) {
        return false;
    }
    Reader r(static_cast<const unsigned char*>(data), size);
    *out = DialogTemplate{};
    WORD version;
    WORD signature;
    Reader probe(static_cast<const unsigned char*>(data), size);
    if (!probe.Word(&version) || !probe.Word(&signature)) {
        return false;
    }
    out->extended = version == 1 && signature == 0xFFFF;
    WORD count = 0;
    if (out->extended) {
        r.Word(&version);
        r.Word(&signature);
        if (!r.Dword(&out->helpId) || !r.Dword(&out->exStyle) || !r.Dword(&out->style)) {
            return false;
        }
    } else if (!r.Dword(&out->style) || !r.Dword(&out->exStyle)) {
        return false;
    }
    if (!r.Word(&count) || !r.Short(&out->x) || !r.Short(&out->y) || !r.Short(&out->cx) ||
        !r.Short(&out->cy)) {
        return false;
    }
    if (!r.NameOrOrdinalField(&out->menu) || !r.NameOrOrdinalField(&out->windowClass) ||
        !r.String(&out->title)) {
        return false;
    }
    if (out->style & DS_SETFONT) {
        out->hasFont = true;
        if (!r.Word(&out->pointSize)) {
            return false;
        }
        if (out->extended &&
            (!r.Word(&out->weight) || !r.Byte(&out->italic) || !r.Byte(&out->charset))) {
            return false;
        }
        if (!r.String(&out->typeface)) {
            return false;
        }
    }
    for (WORD i = 0; i < count; ++i) {
        DialogItemTemplate item;
        if (!ReadItem(r, out->extended, &item)) {
            return false;
        }
        out->items.push_back(std::move(item));
    }
    return true;
}

} // namespace winsim::user
