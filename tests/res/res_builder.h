// Builds .res images in memory, record by record, for the tests of the resource reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace restest {

// A type or name: an ordinal, or a UTF-16 string when text is not empty.
struct Id {
    uint16_t ordinal = 0;
    std::u16string text;
    Id(int n) : ordinal(static_cast<uint16_t>(n)) {}
    Id(const char16_t* s) : text(s) {}
};

class ResBuilder {
public:
    // Starts with the empty record that opens every .res file.
    ResBuilder();
    ResBuilder& Add(const Id& type, const Id& name, uint16_t language,
                    const std::vector<uint8_t>& data);
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace restest
