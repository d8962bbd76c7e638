// Menus from templates: the standard template (version 0) and the extended one (version 1),
// from memory or from the module's menu resources.
#include "user/menu_state.h"
#include "user/text_codec.h"

#include <cstring>

namespace winsim::user {
namespace {

class Reader {
public:
    Reader(const unsigned char* data, size_t size) : data_(data), size_(size) {}
    template <typename T> bool Read(T* v) {
        if (size_ - pos_ < sizeof(T)) {
            return false;
        }
        std::memcpy(v, data_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return true;
    }
    bool Text(std::string* out) {
        std::u16string text;
        for (;;) {
            WORD c;
            if (!Read(&c)) {
                return false;
            }
            if (!c) {
                break;
            }
            text += static_cast<char16_t>(c);
        }
        *out = ToAnsi(text.data(), text.size());
        return true;
    }
    bool Skip(size_t n) {
        if (size_ - pos_ < n) {
            return false;
        }
        pos_ += n;
        return true;
    }
    bool AlignDword() { return Skip(((pos_ + 3) & ~size_t{3}) - pos_); }

private:
    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

constexpr int kMaxDepth = 32;

bool ReadStandard(Reader& r, HMENU menu, int depth) {
    if (depth > kMaxDepth) {
        return false;
    }
    for (;;) {
        WORD flags;
        if (!r.Read(&flags)) {
            return false;
        }
        WORD id = 0;
        if (!(flags & MF_POPUP) && !r.Read(&id)) {
            return false;
        }
        std::string text;
        if (!r.Text(&text)) {
            return false;
        }
        UINT itemFlags = flags & ~static_cast<UINT>(MF_END);
        if (flags & MF_POPUP) {
            HMENU sub = CreatePopupMenu();
            if (!ReadStandard(r, sub, depth + 1)) {
                DestroyMenu(sub);
                return false;
            }
            AppendMenuA(menu, itemFlags, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else if (id == 0 && text.empty() && !(itemFlags & (MF_OWNERDRAW | MF_BITMAP))) {
            // "MENUITEM SEPARATOR" is stored as an item without id and text.
            AppendMenuA(menu, itemFlags | MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, itemFlags & ~static_cast<UINT>(MF_OWNERDRAW | MF_BITMAP), id,
                        text.c_str());
        }
        if (flags & MF_END) {
            return true;
        }
    }
}

bool ReadExtended(Reader& r, HMENU menu, int depth) {
    if (depth > kMaxDepth) {
        return false;
    }
    for (;;) {
        DWORD type;
        DWORD state;
        DWORD id;
        WORD resInfo;
        std::string text;
        if (!r.AlignDword() || !r.Read(&type) || !r.Read(&state) || !r.Read(&id) ||
            !r.Read(&resInfo) || !r.Text(&text)) {
            return false;
        }
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.fType = type;
        info.fState = state;
        info.wID = id;
        info.dwTypeData = text.data();
        HMENU sub = nullptr;
        if (resInfo & 0x01) {
            DWORD helpId;
            if (!r.AlignDword() || !r.Read(&helpId)) {
                return false;
            }
            sub = CreatePopupMenu();
            if (!ReadExtended(r, sub, depth + 1)) {
                DestroyMenu(sub);
                return false;
            }
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub;
        }
        int position = GetMenuItemCount(menu);
        AppendMenuA(menu, MF_STRING, 0, "");
        SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        if (resInfo & 0x80) {
            return true;
        }
    }
}

} // namespace

HMENU LoadMenuTemplate(const void* data, size_t size) {
    Reader r(static_cast<const unsigned char*>(data), size);
    WORD version;
    WORD offset;
    if (!data || !r.Read(&version) || !r.Read(&offset)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HMENU menu = CreateMenu();
    bool ok = false;
    if (version == 0) {
        ok = r.Skip(offset) && ReadStandard(r, menu, 0);
    } else if (version == 1) {
        // The extended header has a help id after the offset, which counts from there.
        ok = offset >= 4 && r.Skip(offset) && ReadExtended(r, menu, 0);
    }
    if (!ok) {
        DestroyMenu(menu);
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return menu;
}

} // namespace winsim::user

using namespace winsim::user;

HMENU WINAPI LoadMenuIndirectA(const MENUTEMPLATEA* lpMenuTemplate) {
    // A template handed over by pointer carries no size; a well-formed one ends before this.
    return LoadMenuTemplate(lpMenuTemplate, 1 << 20);
}

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    HRSRC found = FindResourceA(hInstance, lpMenuName, RT_MENU);
    if (!found) {
        return nullptr;
    }
    HGLOBAL loaded = LoadResource(hInstance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return nullptr;
    }
    return LoadMenuTemplate(data, SizeofResource(hInstance, found));
}
