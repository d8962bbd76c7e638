// Writes a dialog template in memory (DLGTEMPLATE with its items), as a program or the system
// builds a dialog at run time for DialogBoxIndirectParam.
#pragma once

#include <winsim/wintypes.h>

#include <string>
#include <vector>

namespace winsim::system {

class DialogTemplateWriter {
public:
    // The dialog's style, title (ANSI), position and size in dialog units, and its font.
    DialogTemplateWriter(DWORD style, const std::string& title, short cx, short cy, WORD pointSize,
                         const std::string& typeface);

    // A control of a predefined class (0x0080 button, 0x0081 edit, 0x0082 static,
    // 0x0085 combo box).
    void Add(WORD classOrdinal, DWORD style, DWORD exStyle, short x, short y, short cx, short cy,
             WORD id, const std::string& text);
    // A control of a class registered by name.
    void Add(const std::string& className, DWORD style, DWORD exStyle, short x, short y, short cx,
             short cy, WORD id, const std::string& text);

    // The template, valid while the writer lives and no control is added.
    const void* Data() const { return words_.data(); }

private:
    void Item(DWORD style, DWORD exStyle, short x, short y, short cx, short cy, WORD id);
    void End(const std::string& text);
    void Text(const std::string& ansi);
    void Dword(DWORD value);
    void AlignDword();

    std::vector<WORD> words_;
    size_t countAt_ = 0; // where the number of items is kept
};

} // namespace winsim::system
