#include "res/res_image.h"

#include <cstring>

namespace winsim::res {
namespace {

// The fixed part of a record's header behind its type and name: DataVersion, MemoryFlags,
// LanguageId, Version, Characteristics.
constexpr size_t kHeaderTail = 16;
// DataSize and HeaderSize.
constexpr size_t kHeaderHead = 8;

size_t AlignToDword(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

class Reader {
public:
    Reader(const BYTE* data, size_t end) : data_(data), end_(end) {}

    bool Word(size_t& at, WORD& out) const {
        if (at > end_ || end_ - at < 2) {
            return false;
        }
        out = static_cast<WORD>(data_[at] | (data_[at + 1] << 8));
        at += 2;
        return true;
    }

    bool Dword(size_t& at, DWORD& out) const {
        WORD low = 0;
        WORD high = 0;
        if (!Word(at, low) || !Word(at, high)) {
            return false;
        }
        out = static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16);
        return true;
    }

    // A type or name field: 0xFFFF and an ordinal, or a NUL-terminated UTF-16 string.
    bool Id(size_t& at, ResourceId& out) const {
        WORD first = 0;
        if (!Word(at, first)) {
            return false;
        }
        if (first == 0xFFFF) {
            out.isOrdinal = true;
            return Word(at, out.ordinal);
        }
        out.isOrdinal = false;
        out.text.clear();
        for (WORD unit = first; unit != 0;) {
            out.text.push_back(static_cast<char16_t>(unit));
            if (!Word(at, unit)) {
                return false;
            }
        }
        return true;
    }

private:
    const BYTE* data_;
    size_t end_;
};

} // namespace

std::optional<ResImage> ParseResImage(const void* data, size_t size) {
    if (!data && size != 0) {
        return std::nullopt;
    }
    ResImage image;
    image.bytes.resize(size);
    if (size != 0) {
        std::memcpy(image.bytes.data(), data, size);
    }
    const BYTE* bytes = image.bytes.data();

    size_t at = 0;
    while (at < size) {
        const size_t recordStart = at;
        DWORD dataSize = 0;
        DWORD headerSize = 0;
        Reader whole(bytes, size);
        if (!whole.Dword(at, dataSize) || !whole.Dword(at, headerSize)) {
            return std::nullopt;
        }
        if (headerSize < kHeaderHead + 8 + kHeaderTail || headerSize > size - recordStart) {
            return std::nullopt;
        }
        // The type and name must lie inside the header this record declares.
        const size_t headerEnd = recordStart + headerSize;
        Reader header(bytes, headerEnd);
        ResourceRecord record;
        if (!header.Id(at, record.type) || !header.Id(at, record.name)) {
            return std::nullopt;
        }
        at = AlignToDword(at);
        DWORD dataVersion = 0;
        WORD memoryFlags = 0;
        if (!header.Dword(at, dataVersion) || !header.Word(at, memoryFlags) ||
            !header.Word(at, record.language)) {
            return std::nullopt;
        }
        if (dataSize > size - headerEnd) {
            return std::nullopt;
        }
        record.dataOffset = headerEnd;
        record.dataSize = dataSize;
        // The first record of a .res file is an empty one that only marks the format.
        const bool marker = record.type.isOrdinal && record.type.ordinal == 0;
        if (!marker) {
            image.records.push_back(std::move(record));
        }
        at = AlignToDword(headerEnd + dataSize);
    }
    return image;
}

std::u16string UpperCaseName(const std::u16string& name) {
    std::u16string upper = name;
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - 0x20);
        } else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
            c = static_cast<char16_t>(c - 0x20);
        }
    }
    return upper;
}

} // namespace winsim::res
