#include "gdi/font.h"

#include "gdi/objects.h"
#include "gdi/resets.h"

#include <winsim/sim.h>
#include <winsim/winbase.h>
#include <winsim/winerror.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstring>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>

namespace winsim::gdi {
namespace {

const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

struct FontKey {
    std::string file;
    int em;
    bool underline;
    bool strikeOut;
    bool operator<(const FontKey& o) const {
        return std::tie(file, em, underline, strikeOut) <
               std::tie(o.file, o.em, o.underline, o.strikeOut);
    }
};

// Every font file is opened once to learn its metrics, and once more for each size drawn with
// it (a face holds one size at a time); all stay open as long as the process runs.
struct FontCache {
    FT_Library library = nullptr;
    std::map<std::string, FT_Face> files; // the face that sizes are measured with, by file
    std::map<FontKey, std::unique_ptr<FontInstance>> fonts;

    ~FontCache() { Clear(); }
    void Clear() {
        for (auto& entry : fonts) {
            FT_Done_Face(static_cast<FT_Face>(entry.second->face));
        }
        fonts.clear();
        for (auto& entry : files) {
            FT_Done_Face(entry.second);
        }
        files.clear();
        if (library) {
            FT_Done_FreeType(library);
            library = nullptr;
        }
    }
};

FontCache& Cache() {
    static FontCache cache;
    return cache;
}

std::string Lower(const char16_t* face) {
    std::string s;
    for (int i = 0; i < LF_FACESIZE && face[i]; ++i) {
        const char16_t c = face[i];
        s += static_cast<char>(c < 0x80 ? std::tolower(static_cast<int>(c)) : '?');
    }
    return s;
}

// Every proportional face maps to DejaVu Sans; the fixed-pitch faces to DejaVu Sans Mono.
std::string FileFor(const LOGFONTW& lf) {
    const std::string face = Lower(lf.lfFaceName);
    const bool mono = face == "courier" || face == "courier new" || face == "fixedsys" ||
                      face == "terminal" || face == "lucida console" || face == "consolas" ||
                      (lf.lfPitchAndFamily & 3) == FIXED_PITCH;
    const bool bold = lf.lfWeight >= FW_SEMIBOLD;
    const bool italic = lf.lfItalic != 0;
    std::string name = mono ? "DejaVuSansMono" : "DejaVuSans";
    if (bold && italic) {
        name += mono ? "-BoldOblique" : "-BoldOblique";
    } else if (bold) {
        name += "-Bold";
    } else if (italic) {
        name += "-Oblique";
    }
    return kFontDir + name + ".ttf";
}

// Sizes beyond this many pixels per em are drawn at this size: a glyph never needs more.
constexpr int kLargestEm = 2000;

int EmPixels(FT_Face face, LONG height) {
    if (height < 0) {
        return static_cast<int>(std::clamp<int64_t>(-static_cast<int64_t>(height), 1, kLargestEm));
    }
    if (height == 0) {
        return 12;
    }
    // A positive height is the cell height: ascent plus descent.
    const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const int cell = os2 ? os2->usWinAscent + os2->usWinDescent : face->ascender - face->descender;
    const long em = std::lround(double(height) * face->units_per_EM / cell);
    return static_cast<int>(std::clamp<long>(em, 1, kLargestEm));
}

void Measure(FontInstance& f, FT_Face face, int em, const LOGFONTW& lf) {
    const double scale = double(em) / face->units_per_EM;
    const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const int ascentUnits = os2 ? os2->usWinAscent : face->ascender;
    const int descentUnits = os2 ? os2->usWinDescent : -face->descender;
    TEXTMETRICW& tm = f.tm;
    tm.tmAscent = static_cast<LONG>(std::ceil(ascentUnits * scale));
    tm.tmDescent = static_cast<LONG>(std::ceil(descentUnits * scale));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - em);
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = static_cast<LONG>(
        std::lround((os2 ? os2->xAvgCharWidth : face->max_advance_width / 2) * scale));
    tm.tmMaxCharWidth = static_cast<LONG>(std::ceil((face->bbox.xMax - face->bbox.xMin) * scale));
    tm.tmWeight = lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight;
    tm.tmOverhang = 0;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = lf.lfItalic ? 1 : 0;
    tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
    tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
    // The low bit set means variable pitch, as TEXTMETRIC has it.
    const bool fixed = FT_IS_FIXED_WIDTH(face);
    tm.tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                            TMPF_TRUETYPE | (fixed ? FF_MODERN : FF_SWISS));
    tm.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;
    f.lineThickness = std::max(1, em / 14);
    f.underlineOffset =
        std::max(1, static_cast<int>(std::lround(-face->underline_position * scale)));
    f.underlineOffset = std::min<int>(f.underlineOffset, tm.tmDescent - f.lineThickness);
    f.underlineOffset = std::max(1, f.underlineOffset);
}

FontInstance* Load(const LOGFONTW& lf) {
    FontCache& cache = Cache();
    if (!cache.library && FT_Init_FreeType(&cache.library) != 0) {
        return nullptr;
    }
    const std::string file = FileFor(lf);
    auto probe = cache.files.find(file);
    if (probe == cache.files.end()) {
        FT_Face opened = nullptr;
        if (FT_New_Face(cache.library, file.c_str(), 0, &opened) != 0) {
            return nullptr;
        }
        probe = cache.files.emplace(file, opened).first;
    }
    const int em = EmPixels(probe->second, lf.lfHeight);
    const FontKey key{file, em, lf.lfUnderline != 0, lf.lfStrikeOut != 0};
    auto it = cache.fonts.find(key);
    if (it != cache.fonts.end()) {
        return it->second.get();
    }
    FT_Face face = nullptr;
    if (FT_New_Face(cache.library, file.c_str(), 0, &face) != 0) {
        return nullptr;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
    auto f = std::make_unique<FontInstance>();
    f->face = face;
    f->underline = lf.lfUnderline != 0;
    f->strikeOut = lf.lfStrikeOut != 0;
    Measure(*f, face, em, lf);
    FontInstance* result = f.get();
    cache.fonts.emplace(key, std::move(f));
    return result;
}

} // namespace

const Glyph& FontInstance::GetGlyph(char16_t ch) {
    auto it = glyphs.find(ch);
    if (it != glyphs.end()) {
        return it->second;
    }
    Glyph g;
    FT_Face ftFace = static_cast<FT_Face>(face);
    if (ch == u'\t') {
        ch = u' '; // a tab outside expanded text measures as a space
    }
    const FT_UInt index = (ch == u'\r' || ch == u'\n') ? 0 : FT_Get_Char_Index(ftFace, ch);
    if ((ch == u'\r' || ch == u'\n')) {
        return glyphs.emplace(ch, g).first->second;
    }
    if (FT_Load_Glyph(ftFace, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
        const FT_GlyphSlot slot = ftFace->glyph;
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(slot->bitmap.width);
        g.rows = static_cast<int>(slot->bitmap.rows);
        g.ink.assign(static_cast<size_t>(g.width) * g.rows, 0);
        for (int y = 0; y < g.rows; ++y) {
            const uint8_t* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
            for (int x = 0; x < g.width; ++x) {
                g.ink[static_cast<size_t>(y) * g.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
            }
        }
    }
    return glyphs.emplace(ch, std::move(g)).first->second;
}

FontInstance* FontFor(HFONT font) {
    const FontObj* f = Find<FontObj>(font, OBJ_FONT);
    if (!f) {
        f = Find<FontObj>(GetStockObject(SYSTEM_FONT), OBJ_FONT);
    }
    // A font object's description never changes, and instances live as long as the process:
    // the instance found for it once is its instance for good.
    if (!f->instance) {
        f->instance = Load(f->lf);
    }
    return f->instance;
}

int TextWidth(FontInstance& f, const std::u16string& text) {
    int w = 0;
    for (char16_t ch : text) {
        w += f.GetGlyph(ch).advance;
    }
    return w;
}

std::u16string AnsiToWide(const char* text, int length) {
    if (length <= 0) {
        return std::u16string();
    }
    const int n = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
    if (n > 0) {
        MultiByteToWideChar(CP_ACP, 0, text, length, out.data(), n);
    }
    return out;
}

void ResetFonts() {
    // Faces stay loaded across desktops: they depend on nothing a desktop changes.
}

} // namespace winsim::gdi

using namespace winsim::gdi;

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto f = std::make_unique<FontObj>();
    f->lf = *lplf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(AddObject(std::move(f)));
}

HFONT CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    LOGFONTW w{};
    std::memcpy(&w, lplf, offsetof(LOGFONTA, lfFaceName));
    const std::u16string face =
        AnsiToWide(lplf->lfFaceName, static_cast<int>(strnlen(lplf->lfFaceName, LF_FACESIZE)));
    std::copy(face.begin(), face.begin() + std::min<size_t>(face.size(), LF_FACESIZE - 1),
              w.lfFaceName);
    return CreateFontIndirectW(&w);
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName) {
    LOGFONTA lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic);
    lf.lfUnderline = static_cast<BYTE>(bUnderline);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName) {
        strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    }
    return CreateFontIndirectA(&lf);
}
