#include "system/dialog_template_writer.h"

#include "system/codepage.h"

#include <winsim/winuser.h>

namespace winsim::system {

DialogTemplateWriter::DialogTemplateWriter(DWORD style, const std::string& title, short cx,
                                           short cy, WORD pointSize, const std::string& typeface) {
    Dword(style | DS_SETFONT);
    Dword(0); // extended style
    countAt_ = words_.size();
    words_.push_back(0); // items, counted as they are added
    for (short v : {short{0}, short{0}, cx, cy}) {
        words_.push_back(static_cast<WORD>(v));
    }
    words_.push_back(0); // no menu
    words_.push_back(0); // the dialog class
    Text(title);
    words_.push_back(pointSize);
    Text(typeface);
}

void DialogTemplateWriter::Add(WORD classOrdinal, DWORD style, DWORD exStyle, short x, short y,
                               short cx, short cy, WORD id, const std::string& text) {
    Item(style, exStyle, x, y, cx, cy, id);
    words_.push_back(0xFFFF);
    words_.push_back(classOrdinal);
    End(text);
}

void DialogTemplateWriter::Add(const std::string& className, DWORD style, DWORD exStyle, short x,
                               short y, short cx, short cy, WORD id, const std::string& text) {
    Item(style, exStyle, x, y, cx, cy, id);
    Text(className);
    End(text);
}

void DialogTemplateWriter::Item(DWORD style, DWORD exStyle, short x, short y, short cx, short cy,
                                WORD id) {
    AlignDword();
    Dword(style);
    Dword(exStyle);
    for (short v : {x, y, cx, cy}) {
        words_.push_back(static_cast<WORD>(v));
    }
    words_.push_back(id);
}

void DialogTemplateWriter::End(const std::string& text) {
    Text(text);
    words_.push_back(0); // no creation data
    ++words_[countAt_];
}

void DialogTemplateWriter::Text(const std::string& ansi) {
    for (char16_t c : AnsiToWide(ansi)) {
        words_.push_back(static_cast<WORD>(c));
    }
    words_.push_back(0);
}

void DialogTemplateWriter::Dword(DWORD value) {
    words_.push_back(static_cast<WORD>(value & 0xFFFF));
    words_.push_back(static_cast<WORD>(value >> 16));
}

void DialogTemplateWriter::AlignDword() {
    if (words_.size() % 2) {
        words_.push_back(0);
    }
}

} // namespace winsim::system
