// Fonts through FreeType: the Windows face names the program asks for map to the DejaVu faces
// of the Debian package; glyphs are rendered without anti-aliasing, so text has exactly the
// text colour at every depth and the same pixels run after run.
#pragma once

#include <winsim/wingdi.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace winsim::gdi {

struct Glyph {
    int advance = 0;
    int left = 0; // from the pen position to the first column
    int top = 0;  // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> ink; // width * rows, 1 where the glyph has ink
};

struct FontInstance {
    TEXTMETRICW tm{};
    int underlineOffset = 1; // below the baseline
    int lineThickness = 1;
    bool underline = false;
    bool strikeOut = false;
    const Glyph& GetGlyph(char16_t ch);

    void* face = nullptr; // FT_Face
    std::unordered_map<char16_t, Glyph> glyphs;
};

// The instance for a font handle (a font deleted while selected falls back to the system font).
FontInstance* FontFor(HFONT font);

// Width of a run of text in pixels (advances summed, no kerning, as GDI measures).
int TextWidth(FontInstance& f, const std::u16string& text);

// The system's ANSI code page to UTF-16.
std::u16string AnsiToWide(const char* text, int length);

} // namespace winsim::gdi
