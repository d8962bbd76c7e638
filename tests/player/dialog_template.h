// Dialog templates built in memory, for stand-in programs whose main window is a dialog.
#pragma once

#include <winsim/windows.h>

#include <string>
#include <vector>

namespace player {

// Dialog template bytes, DWORD-aligned where the format wants it.
class TemplateWriter {
public:
    void Word(WORD value) { words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const std::string& text) {
        for (char c : text) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void Align() {
        if (words.size() % 2 != 0) {
            Word(0);
        }
    }
    // The fixed part of a template without a menu and of the default class; then the title.
    void Dialog(DWORD style, WORD items, short cx, short cy, const std::string& title) {
        Dword(style);
        Dword(0);
        for (WORD value : {items, WORD(0), WORD(0), WORD(cx), WORD(cy), WORD(0), WORD(0)}) {
            Word(value);
        }
        Text(title);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id,
              const std::string& className) {
        Align();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (short value : {x, y, cx, cy}) {
            Word(static_cast<WORD>(value));
        }
        Word(id);
        Text(className);
        Text("");
        Word(0);
    }
    LPCDLGTEMPLATEA Get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(words.data()); }

private:
    std::vector<WORD> words;
};

} // namespace player
