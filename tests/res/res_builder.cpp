#include "res_builder.h"

namespace restest {
namespace {

void PutWord(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutDword(std::vector<uint8_t>& out, uint32_t value) {
    PutWord(out, static_cast<uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<uint16_t>(value >> 16));
}

void PutId(std::vector<uint8_t>& out, const Id& id) {
    if (id.text.empty()) {
        PutWord(out, 0xFFFF);
        PutWord(out, id.ordinal);
        return;
    }
    for (char16_t c : id.text) {
        PutWord(out, static_cast<uint16_t>(c));
    }
    PutWord(out, 0);
}

void PadToDword(std::vector<uint8_t>& out) {
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

} // namespace

ResBuilder::ResBuilder() {
    Add(0, 0, 0, {});
}

ResBuilder& ResBuilder::Add(const Id& type, const Id& name, uint16_t language,
                            const std::vector<uint8_t>& data) {
    std::vector<uint8_t> header;
    PutId(header, type);
    PutId(header, name);
    // Type and name follow the two size fields, so alignment counts from the record's start.
    while ((header.size() + 8) % 4 != 0) {
        header.push_back(0);
    }
    PutDword(header, 0);     // DataVersion
    PutWord(header, 0x1030); // MemoryFlags: moveable, pure, discardable
    PutWord(header, language);
    PutDword(header, 0); // Version
    PutDword(header, 0); // Characteristics

    PutDword(bytes_, static_cast<uint32_t>(data.size()));
    PutDword(bytes_, static_cast<uint32_t>(header.size() + 8));
    bytes_.insert(bytes_.end(), header.begin(), header.end());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    PadToDword(bytes_);
    return *this;
}

} // namespace restest
