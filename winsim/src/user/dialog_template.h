// Reading dialog templates: DLGTEMPLATE and DLGTEMPLATEEX with their items.
#pragma once

#include <winsim/windows.h>

#include <string>
#include <vector>

namespace winsim::user {

// A name or an ordinal, as templates store class names, menus and texts.
struct NameOrOrdinal {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::string name; // in the ANSI code page
    bool Empty() const { return !isOrdinal && name.empty(); }
};

struct DialogItemTemplate {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    DWORD id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    std::vector<unsigned char> creationData;
};

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::string title;
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::string typeface;
    std::vector<DialogItemTemplate> items;
};

// Reads a template of at most size bytes; false when it is malformed or longer than that.
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* out);
// The class name of an ordinal of the predefined control classes (0x80 "Button" ...).
const char* PredefinedClassName(WORD ordinal);

} // namespace winsim::user
