#include "menu/MenuTemplate.h"

#include <cstring>

namespace {

class WordReader {
public:
    WordReader(const BYTE* data, size_t size) : m_pData(data), m_nSize(size) {}

    bool Read(WORD& value) {
        if (m_nOffset + sizeof(WORD) > m_nSize) {
            return false;
        }
        std::memcpy(&value, m_pData + m_nOffset, sizeof(WORD));
        m_nOffset += sizeof(WORD);
        return true;
    }
    bool Skip(size_t bytes) {
        if (bytes > m_nSize - m_nOffset) {
            return false;
        }
        m_nOffset += bytes;
        return true;
    }
    bool ReadText(WideText& text) {
        text.clear();
        WORD unit = 0;
        while (Read(unit)) {
            if (unit == 0) {
                return true;
            }
            text.push_back(static_cast<WCHAR>(unit));
        }
        return false;
    }

private:
    const BYTE* m_pData;
    size_t m_nSize;
    size_t m_nOffset = 0;
};

} // namespace

bool ReadMenuTemplate(const void* data, size_t size, std::vector<MenuTemplateItem>& items) {
    items.clear();
    if (data == nullptr) {
        return false;
    }
    WordReader reader(static_cast<const BYTE*>(data), size);
    WORD version = 0;
    WORD headerSize = 0;
    if (!reader.Read(version) || !reader.Read(headerSize) || version != 0 ||
        !reader.Skip(headerSize)) {
        return false;
    }
    // The end marks of the menus still open: the template ends when the top level is closed.
    std::vector<bool> open(1, false);
    while (!open.empty()) {
        MenuTemplateItem item;
        if (!reader.Read(item.flags)) {
            return false;
        }
        const bool last = (item.flags & MF_END) != 0;
        if (item.flags & MF_POPUP) {
            if (!reader.ReadText(item.text)) {
                return false;
            }
            if (last) {
                open.back() = true;
            }
            open.push_back(false);
        } else {
            if (!reader.Read(item.commandId) || !reader.ReadText(item.text)) {
                return false;
            }
            if (last) {
                open.back() = true;
            }
            while (!open.empty() && open.back()) {
                open.pop_back();
            }
        }
        items.push_back(std::move(item));
    }
    return true;
}
