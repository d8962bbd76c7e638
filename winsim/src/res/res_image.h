// A parsed .res image: the resource records of a module, each with its type, name, language
// and data, as windres and rc write them.
#pragma once

#include <winsim/wintypes.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace winsim::res {

// A resource type or name: an ordinal (0xFFFF followed by a 16-bit id in the file) or a
// UTF-16 string.
struct ResourceId {
    bool isOrdinal = true;
    WORD ordinal = 0;
    std::u16string text;
};

struct ResourceRecord {
    ResourceId type;
    ResourceId name;
    WORD language = 0;
    size_t dataOffset = 0; // into the image's bytes
    DWORD dataSize = 0;
};

struct ResImage {
    std::vector<BYTE> bytes;
    std::vector<ResourceRecord> records; // in file order, without the leading empty record
};

// Parses the image; nullopt when it is malformed.
std::optional<ResImage> ParseResImage(const void* data, size_t size);

// Upper-cases a resource name as Windows compares them (ASCII and Latin-1 letters).
std::u16string UpperCaseName(const std::u16string& name);

} // namespace winsim::res
