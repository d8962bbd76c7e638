// Text output: TextOut, ExtTextOut and DrawText, and the metrics of the selected font.
#include "gdi/font.h"
#include "gdi/raster.h"

#include <winsim/winerror.h>

#include <algorithm>
#include <cstring>

using namespace winsim::gdi;

namespace {

FontInstance* DcFont(HDC hdc) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return FontFor(dc->a.font);
}

struct Run {
    std::u16string text;
    std::vector<bool> underlined; // per character: the & prefix marks
};

// Draws a run with its cell's top-left corner at (sx, sy) in surface coordinates, inside the
// canvas clip (and the extra clip rectangle, in surface coordinates, when given).
void DrawRun(Canvas& c, FontInstance& f, int sx, int sy, const Run& run, const RECT* extraClip,
             const INT* dx = nullptr) {
    Canvas clipped = c;
    if (extraClip) {
        clipped.clip.Intersect(*extraClip);
    }
    const uint32_t ink = ColorToDcPixel(*c.dc, *c.surface, c.dc->a.textColor);
    int width = 0;
    for (size_t i = 0; i < run.text.size(); ++i) {
        width += dx ? dx[i] : f.GetGlyph(run.text[i]).advance;
    }
    if (c.dc->a.bkMode == OPAQUE) {
        const uint32_t bk = ColorToDcPixel(*c.dc, *c.surface, c.dc->a.bkColor);
        FillSurfaceRect(clipped, RECT{sx, sy, sx + width, sy + f.tm.tmHeight}, bk,
                        RopCode(PATCOPY));
    }
    Surface& s = *c.surface;
    const int baseline = sy + f.tm.tmAscent;
    auto plot = [&](int x, int y) {
        if (clipped.Visible(x, y)) {
            s.Put(x, y, ink);
        }
    };
    int penX = sx;
    for (size_t i = 0; i < run.text.size(); ++i) {
        const Glyph& g = f.GetGlyph(run.text[i]);
        for (int gy = 0; gy < g.rows; ++gy) {
            for (int gx = 0; gx < g.width; ++gx) {
                if (g.ink[static_cast<size_t>(gy) * g.width + gx]) {
                    plot(penX + g.left + gx, baseline - g.top + gy);
                }
            }
        }
        const int advance = dx ? dx[i] : g.advance;
        const bool underline = f.underline || (i < run.underlined.size() && run.underlined[i]);
        for (int t = 0; t < f.lineThickness; ++t) {
            for (int x = penX; x < penX + advance; ++x) {
                if (underline) {
                    plot(x, baseline + f.underlineOffset + t);
                }
                if (f.strikeOut) {
                    plot(x, baseline - f.tm.tmAscent / 3 + t);
                }
            }
        }
        penX += advance;
    }
}

BOOL TextOutImpl(HDC hdc, int x, int y, const std::u16string& text, UINT options, const RECT* rect,
                 const INT* dx) {
    Canvas c;
    if (!MakeCanvas(hdc, c)) {
        return FALSE;
    }
    FontInstance* f = FontFor(c.dc->a.font);
    if (!f) {
        return FALSE;
    }
    RECT clipRect{};
    if (rect) {
        clipRect = RECT{c.X(rect->left), c.Y(rect->top), c.X(rect->right), c.Y(rect->bottom)};
        if (options & ETO_OPAQUE) {
            FillSurfaceRect(c, clipRect, ColorToDcPixel(*c.dc, *c.surface, c.dc->a.bkColor),
                            RopCode(PATCOPY));
        }
    }
    Run run{text, {}};
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        width += dx ? dx[i] : f->GetGlyph(text[i]).advance;
    }
    const UINT align = c.dc->a.textAlign;
    const bool updateCp = (align & TA_UPDATECP) != 0;
    if (updateCp) {
        x = c.dc->a.current.x;
        y = c.dc->a.current.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) {
        left = x - width / 2;
    } else if (align & TA_RIGHT) {
        left = x - width;
    }
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top = y - f->tm.tmAscent;
    } else if (align & TA_BOTTOM) {
        top = y - f->tm.tmHeight;
    }
    DrawRun(c, *f, c.X(left), c.Y(top), run, rect && (options & ETO_CLIPPED) ? &clipRect : nullptr,
            dx);
    if (updateCp) {
        c.dc->a.current.x = (align & TA_RIGHT) ? x - width : x + width;
    }
    return TRUE;
}

std::u16string WideString(LPCWSTR s, int c) {
    if (!s) {
        return std::u16string();
    }
    if (c < 0) {
        return std::u16string(s);
    }
    return std::u16string(s, static_cast<size_t>(c));
}

// ------------------------------------------------------------------------------------------
// DrawText

Run StripPrefixes(const std::u16string& text, UINT format) {
    Run run;
    if (format & DT_NOPREFIX) {
        run.text = text;
        run.underlined.assign(text.size(), false);
        return run;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            run.text += text[i];
            run.underlined.resize(run.text.size() - 1, false);
            run.underlined.push_back(text[i] != u'&' && !(format & DT_HIDEPREFIX));
        } else if (text[i] != u'&') {
            run.text += text[i];
        }
    }
    run.underlined.resize(run.text.size(), false);
    return run;
}

Run Slice(const Run& run, size_t from, size_t to) {
    Run out;
    out.text = run.text.substr(from, to - from);
    out.underlined.assign(run.underlined.begin() + static_cast<long>(from),
                          run.underlined.begin() + static_cast<long>(to));
    return out;
}

void ExpandTabs(Run& run, FontInstance& f) {
    const int tabWidth = 8 * std::max<LONG>(1, f.tm.tmAveCharWidth);
    Run out;
    int x = 0;
    const int space = std::max(1, f.GetGlyph(u' ').advance);
    for (size_t i = 0; i < run.text.size(); ++i) {
        if (run.text[i] == u'\t') {
            const int next = (x / tabWidth + 1) * tabWidth;
            while (x < next) {
                out.text += u' ';
                out.underlined.push_back(false);
                x += space;
            }
        } else {
            out.text += run.text[i];
            out.underlined.push_back(run.underlined[i]);
            x += f.GetGlyph(run.text[i]).advance;
        }
    }
    run = out;
}

std::vector<Run> BreakLines(const Run& all, UINT format, FontInstance& f, int maxWidth) {
    std::vector<Run> lines;
    if (format & DT_SINGLELINE) {
        Run line;
        for (size_t i = 0; i < all.text.size(); ++i) {
            if (all.text[i] != u'\r' && all.text[i] != u'\n') {
                line.text += all.text[i];
                line.underlined.push_back(all.underlined[i]);
            }
        }
        lines.push_back(line);
        return lines;
    }
    size_t start = 0;
    while (start <= all.text.size()) {
        size_t end = all.text.find(u'\n', start);
        if (end == std::u16string::npos) {
            end = all.text.size();
        }
        size_t stop = end;
        if (stop > start && all.text[stop - 1] == u'\r') {
            --stop;
        }
        Run paragraph = Slice(all, start, stop);
        if ((format & DT_WORDBREAK) && maxWidth > 0) {
            // Greedy wrapping at spaces; a word wider than the line stays whole.
            size_t lineStart = 0;
            while (lineStart < paragraph.text.size() || lineStart == 0) {
                size_t lastBreak = std::u16string::npos;
                int w = 0;
                size_t i = lineStart;
                for (; i < paragraph.text.size(); ++i) {
                    w += f.GetGlyph(paragraph.text[i]).advance;
                    if (paragraph.text[i] == u' ') {
                        lastBreak = i;
                    }
                    if (w > maxWidth && paragraph.text[i] != u' ' &&
                        lastBreak != std::u16string::npos) {
                        break;
                    }
                }
                if (i >= paragraph.text.size()) {
                    lines.push_back(Slice(paragraph, lineStart, paragraph.text.size()));
                    break;
                }
                size_t lineEnd = lastBreak;
                while (lineEnd > lineStart && paragraph.text[lineEnd - 1] == u' ') {
                    --lineEnd;
                }
                lines.push_back(Slice(paragraph, lineStart, lineEnd));
                lineStart = lastBreak + 1;
                while (lineStart < paragraph.text.size() && paragraph.text[lineStart] == u' ') {
                    ++lineStart;
                }
                if (lineStart >= paragraph.text.size()) {
                    break;
                }
            }
        } else {
            lines.push_back(paragraph);
        }
        if (end == all.text.size()) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

int DrawTextImpl(HDC hdc, const std::u16string& text, LPRECT rect, UINT format) {
    Canvas c;
    if (!rect || !MakeCanvas(hdc, c)) {
        return 0;
    }
    FontInstance* f = FontFor(c.dc->a.font);
    if (!f) {
        return 0;
    }
    Run all = StripPrefixes(text, format);
    if (format & DT_EXPANDTABS) {
        ExpandTabs(all, *f);
    }
    const int boxWidth = rect->right - rect->left;
    const std::vector<Run> lines = BreakLines(all, format, *f, boxWidth);
    const int lineHeight =
        f->tm.tmHeight + ((format & DT_EXTERNALLEADING) ? f->tm.tmExternalLeading : 0);
    const int total = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Run& line : lines) {
            widest = std::max(widest, TextWidth(*f, line.text));
        }
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) || widest > boxWidth ||
            lines.size() <= 1) {
            rect->right = rect->left + widest;
        }
        rect->bottom = rect->top + total;
        return total;
    }

    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            top = (rect->top + rect->bottom - lineHeight) / 2;
        } else if (format & DT_BOTTOM) {
            top = rect->bottom - lineHeight;
        }
    }
    const RECT clip{c.X(rect->left), c.Y(rect->top), c.X(rect->right), c.Y(rect->bottom)};
    for (size_t i = 0; i < lines.size(); ++i) {
        const int width = TextWidth(*f, lines[i].text);
        int left = rect->left;
        if (format & DT_CENTER) {
            left = (rect->left + rect->right - width) / 2;
        } else if (format & DT_RIGHT) {
            left = rect->right - width;
        }
        DrawRun(c, *f, c.X(left), c.Y(top + lineHeight * static_cast<int>(i)), lines[i],
                (format & DT_NOCLIP) ? nullptr : &clip);
    }
    return top - rect->top + total;
}

} // namespace

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
    FontInstance* f = DcFont(hdc);
    if (!f || !lptm) {
        return FALSE;
    }
    *lptm = f->tm;
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    TEXTMETRICW w;
    if (!lptm || !GetTextMetricsW(hdc, &w)) {
        return FALSE;
    }
    std::memcpy(lptm, &w, offsetof(TEXTMETRICA, tmFirstChar));
    lptm->tmFirstChar = 0x1E;
    lptm->tmLastChar = 0xFF;
    lptm->tmDefaultChar = 0x1F;
    lptm->tmBreakChar = 0x20;
    lptm->tmItalic = w.tmItalic;
    lptm->tmUnderlined = w.tmUnderlined;
    lptm->tmStruckOut = w.tmStruckOut;
    lptm->tmPitchAndFamily = w.tmPitchAndFamily;
    lptm->tmCharSet = w.tmCharSet;
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
    FontInstance* f = DcFont(hdc);
    if (!f || !psizl || c < 0 || (c > 0 && !lpString)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    psizl->cx = TextWidth(*f, WideString(lpString, c));
    psizl->cy = f->tm.tmHeight;
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    if (c < 0 || (c > 0 && !lpString)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::u16string w = AnsiToWide(lpString, c);
    return GetTextExtentPoint32W(hdc, w.c_str(), static_cast<int>(w.size()), psizl);
}

int GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
    DcObj* dc = FindDc(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const FontObj* font = Find<FontObj>(dc->a.font, OBJ_FONT);
    std::string name;
    for (int i = 0; font && i < LF_FACESIZE && font->lf.lfFaceName[i]; ++i) {
        const char16_t ch = font->lf.lfFaceName[i];
        name += static_cast<char>(ch < 0x100 ? ch : '?');
    }
    if (!lpName) {
        return static_cast<int>(name.size()) + 1;
    }
    if (c <= 0) {
        return 0;
    }
    const size_t n = std::min(name.size(), static_cast<size_t>(c - 1));
    std::memcpy(lpName, name.data(), n);
    lpName[n] = 0;
    return static_cast<int>(n);
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
    if (c < 0 || (c > 0 && !lpString)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TextOutImpl(hdc, x, y, WideString(lpString, c), 0, nullptr, nullptr);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0 || (c > 0 && !lpString)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TextOutImpl(hdc, x, y, AnsiToWide(lpString, c), 0, nullptr, nullptr);
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c,
                 const INT* lpDx) {
    if (c > 0 && !lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TextOutImpl(hdc, x, y, WideString(lpString, static_cast<int>(c)), options, lprect, lpDx);
}

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    if (!lpchText || cchText < -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return DrawTextImpl(hdc, WideString(lpchText, cchText), lprc, format);
}

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    if (!lpchText || cchText < -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int n = cchText < 0 ? static_cast<int>(std::strlen(lpchText)) : cchText;
    return DrawTextImpl(hdc, AnsiToWide(lpchText, n), lprc, format);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                 const INT* lpDx) {
    if (c > 0 && !lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TextOutImpl(hdc, x, y, AnsiToWide(lpString ? lpString : "", static_cast<int>(c)),
                       options, lprect, lpDx);
}
