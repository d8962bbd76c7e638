#include "htmlview/src/GdiContainer.h"

#include "htmlview/src/HtmlSerializer.h"
#include "htmlview/src/LayoutElements.h"
#include "htmlview/src/Utf.h"
#include "platform/GdiHandles.h"

#include <litehtml/el_para.h>
#include <litehtml/el_table.h>
#include <litehtml/el_td.h>
#include <litehtml/el_tr.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace htmlview::internal {

namespace {

struct Font {
    HFONT handle = nullptr;
    int ascent = 0;
    int height = 0;
    std::string description; // the LOGFONTW's bytes: fonts that draw alike have the same
    // The widths measured with fonts of this description, kept by the container across layouts.
    std::shared_ptr<std::unordered_map<std::string, int>> widths;
};

// Words longer than this are measured each time rather than kept.
constexpr size_t kLongestKeptWord = 64;
// A font's kept widths are forgotten when there are this many (a page of endless words).
constexpr size_t kMostKeptWidths = 50000;
// Widths are kept for at most this many font descriptions.
constexpr size_t kMostKeptFonts = 64;

HDC AsDc(litehtml::uint_ptr hdc) {
    return reinterpret_cast<HDC>(hdc);
}
const Font* AsFont(litehtml::uint_ptr font) {
    return reinterpret_cast<const Font*>(font);
}

COLORREF ToColorRef(const litehtml::web_color& colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

// A colour as one value of a paint record's key.
uint32_t Packed(const litehtml::web_color& colour) {
    return static_cast<uint32_t>(colour.red) | static_cast<uint32_t>(colour.green) << 8 |
           static_cast<uint32_t>(colour.blue) << 16 | static_cast<uint32_t>(colour.alpha) << 24;
}

RECT ToRect(const litehtml::position& pos) {
    return RECT{pos.left(), pos.top(), pos.right(), pos.bottom()};
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    if (r.right < r.left) {
        r.right = r.left;
    }
    if (r.bottom < r.top) {
        r.bottom = r.top;
    }
    return r;
}

RECT Shifted(const RECT& rect, POINT shift) {
    return RECT{rect.left + shift.x, rect.top + shift.y, rect.right + shift.x,
                rect.bottom + shift.y};
}

bool ShowsSide(const litehtml::border& side) {
    return side.width > 0 && side.style != litehtml::border_style_none &&
           side.style != litehtml::border_style_hidden && side.color.alpha > 0;
}

COLORREF Darker(COLORREF colour) {
    return RGB(GetRValue(colour) / 2, GetGValue(colour) / 2, GetBValue(colour) / 2);
}

COLORREF Lighter(COLORREF colour) {
    return RGB((GetRValue(colour) + 255) / 2, (GetGValue(colour) + 255) / 2,
               (GetBValue(colour) + 255) / 2);
}

// The first family of a CSS font-family list, with the generic families given a face.
WideString FaceName(const char* families) {
    std::string first = families ? families : "";
    const size_t comma = first.find(',');
    if (comma != std::string::npos) {
        first.resize(comma);
    }
    first.erase(
        std::remove_if(first.begin(), first.end(), [](char c) { return c == '"' || c == '\''; }),
        first.end());
    const size_t begin = first.find_first_not_of(" \t");
    const size_t end = first.find_last_not_of(" \t");
    first = begin == std::string::npos ? std::string() : first.substr(begin, end - begin + 1);
    const std::string lower = AsciiLower(first);
    if (lower.empty() || lower == "serif") {
        first = "Times New Roman";
    } else if (lower == "sans-serif") {
        first = "Arial";
    } else if (lower == "monospace") {
        first = "Courier New";
    }
    return FromUtf8(first);
}

// Tags that the layout engine makes plain elements of (it has classes of its own for the others).
bool IsPlainTag(const std::string& tag) {
    static const char* const kOwnClasses[] = {"a",     "base",  "body", "br",    "div",    "font",
                                              "img",   "input", "link", "p",     "script", "style",
                                              "table", "td",    "th",   "title", "tr"};
    if (tag.empty() || tag[0] == '!' || tag[0] == '-') {
        return false;
    }
    for (const char* own : kOwnClasses) {
        if (tag == own) {
            return false;
        }
    }
    return true;
}

} // namespace

GdiContainer::GdiContainer() {
    measureDc_ = CreateCompatibleDC(nullptr);
}

GdiContainer::~GdiContainer() {
    if (measureDc_) {
        if (measureDcDefaultFont_) {
            SelectObject(measureDc_, measureDcDefaultFont_);
        }
        DeleteDC(measureDc_);
    }
}

DomNode* GdiContainer::NodeByIndex(const litehtml::tchar_t* indexText) const {
    if (!order_ || !indexText || !*indexText) {
        return nullptr;
    }
    char* end = nullptr;
    const unsigned long index = std::strtoul(indexText, &end, 10);
    if (*end != '\0' || index >= order_->size()) {
        return nullptr;
    }
    return (*order_)[index];
}

litehtml::uint_ptr GdiContainer::create_font(const litehtml::tchar_t* faceName, int size,
                                             int weight, litehtml::font_style italic,
                                             unsigned int decoration, litehtml::font_metrics* fm) {
    LOGFONTW logFont = {};
    logFont.lfHeight = -std::max(size, 1);
    logFont.lfWeight = weight;
    logFont.lfItalic = italic == litehtml::fontStyleItalic ? TRUE : FALSE;
    logFont.lfUnderline = (decoration & litehtml::font_decoration_underline) ? TRUE : FALSE;
    logFont.lfStrikeOut = (decoration & litehtml::font_decoration_linethrough) ? TRUE : FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const WideString face = FaceName(faceName);
    const size_t copied = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    std::copy(face.begin(), face.begin() + static_cast<std::ptrdiff_t>(copied), logFont.lfFaceName);

    auto* font = new Font;
    font->handle = CreateFontIndirectW(&logFont);
    if (widths_.size() >= kMostKeptFonts) {
        widths_.clear(); // fonts in use keep their own
    }
    font->description.assign(reinterpret_cast<const char*>(&logFont), sizeof(logFont));
    std::shared_ptr<std::unordered_map<std::string, int>>& kept = widths_[font->description];
    if (!kept) {
        kept = std::make_shared<std::unordered_map<std::string, int>>();
    }
    font->widths = kept;
    TEXTMETRICW metrics = {};
    if (font->handle && measureDc_) {
        HGDIOBJ old = SelectObject(measureDc_, font->handle);
        if (!measureDcDefaultFont_) {
            measureDcDefaultFont_ = old;
        }
        GetTextMetricsW(measureDc_, &metrics);
    }
    if (metrics.tmHeight <= 0) {
        metrics.tmHeight = std::max(size, 1);
        metrics.tmAscent = metrics.tmHeight * 4 / 5;
        metrics.tmDescent = metrics.tmHeight - metrics.tmAscent;
    }
    font->ascent = metrics.tmAscent;
    font->height = metrics.tmHeight;
    if (fm) {
        fm->ascent = metrics.tmAscent;
        fm->descent = metrics.tmDescent;
        fm->height = metrics.tmHeight;
        fm->x_height = metrics.tmAscent / 2;
        fm->draw_spaces = logFont.lfUnderline || logFont.lfStrikeOut;
    }
    return reinterpret_cast<litehtml::uint_ptr>(font);
}

void GdiContainer::delete_font(litehtml::uint_ptr hFont) {
    Font* font = reinterpret_cast<Font*>(hFont);
    if (!font) {
        return;
    }
    if (measureDc_ && measureDcDefaultFont_) {
        SelectObject(measureDc_, measureDcDefaultFont_);
    }
    if (font->handle) {
        DeleteObject(font->handle);
    }
    delete font;
}

int GdiContainer::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) {
    const Font* font = AsFont(hFont);
    if (!text || !*text || !font || !font->handle || !measureDc_) {
        return 0;
    }
    // Every layout measures the same words again: a word's width is measured once per font.
    const size_t length = std::strlen(text);
    std::unordered_map<std::string, int>* kept =
        length <= kLongestKeptWord ? font->widths.get() : nullptr;
    std::string key;
    if (kept) {
        key.assign(text, length);
        const auto found = kept->find(key);
        if (found != kept->end()) {
            return found->second;
        }
    }
    const WideString wide = FromUtf8(text);
    HGDIOBJ old = SelectObject(measureDc_, font->handle);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(measureDc_, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(measureDc_, old);
    if (kept) {
        if (kept->size() >= kMostKeptWidths) {
            kept->clear();
        }
        kept->emplace(std::move(key), static_cast<int>(extent.cx));
    }
    return extent.cx;
}

void GdiContainer::draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text,
                             litehtml::uint_ptr hFont, litehtml::web_color color,
                             const litehtml::position& pos) {
    const Font* font = AsFont(hFont);
    if (!text || !*text || !font || !font->handle) {
        return;
    }
    if (record_) {
        // Glyphs may reach out of the text's box (overhangs, a width measured short): the area
        // is taken a font height wider on each side.
        const int margin = std::max(font->height, 1);
        const RECT area = {pos.x - margin, pos.y - margin, pos.x + pos.width + margin,
                           pos.y + std::max(pos.height, font->height) + margin};
        Record(area, std::move(PaintKey('t')
                                   .Add(pos.x)
                                   .Add(pos.y)
                                   .Add(Packed(color))
                                   .AddText(font->description)
                                   .AddText(text)));
        return;
    }
    HDC dc = AsDc(hdc);
    ApplyClip(dc);
    const WideString wide = FromUtf8(text);
    HGDIOBJ old = SelectObject(dc, font->handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(color));
    TextOutW(dc, pos.x, pos.y, wide.c_str(), static_cast<int>(wide.size()));
    SelectObject(dc, old);
    SelectClipRgn(dc, nullptr);
}

int GdiContainer::pt_to_px(int pt) const {
    const int dpi = measureDc_ ? GetDeviceCaps(measureDc_, LOGPIXELSY) : 96;
    return (pt * (dpi > 0 ? dpi : 96) + 36) / 72;
}

int GdiContainer::get_default_font_size() const {
    return 16;
}

const litehtml::tchar_t* GdiContainer::get_default_font_name() const {
    return "Times New Roman";
}

void GdiContainer::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) {
    if (record_) {
        Record(ToRect(marker.pos),
               std::move(PaintKey('m').Add(marker.pos).Add(Packed(marker.color))));
        return;
    }
    HDC dc = AsDc(hdc);
    ApplyClip(dc);
    const int side = std::max(2, std::min(marker.pos.width, marker.pos.height) / 2);
    const int x = marker.pos.x + (marker.pos.width - side) / 2;
    const int y = marker.pos.y + (marker.pos.height - side) / 2;
    FillSolid(dc, RECT{x, y, x + side, y + side}, ToColorRef(marker.color));
    SelectClipRgn(dc, nullptr);
}

void GdiContainer::load_image(const litehtml::tchar_t* src, const litehtml::tchar_t*, bool) {
    if (src) {
        images_.Get(src);
    }
}

void GdiContainer::get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t*,
                                  litehtml::size& sz) {
    ImageStore::Size size;
    if (src) {
        images_.Get(src, &size);
    }
    sz.width = size.width;
    sz.height = size.height;
}

void GdiContainer::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) {
    HDC dc = AsDc(hdc);
    RECT area = ToRect(bg.clip_box);
    if (bg.is_root) {
        // The root's background covers the whole canvas, not only the root's box.
        area = RECT{0, 0, clientSize_.cx, clientSize_.cy};
    }
    if (area.right <= area.left || area.bottom <= area.top ||
        (bg.color.alpha == 0 && bg.image.empty())) {
        return;
    }
    if (record_) {
        // The picture as its file now is (read again if it changed) is part of what is drawn.
        const FileStamp stamp = bg.image.empty() ? FileStamp{} : images_.Look(bg.image);
        Record(area, std::move(PaintKey('b')
                                   .Add(area)
                                   .Add(Packed(bg.color))
                                   .Add(bg.position_x)
                                   .Add(bg.position_y)
                                   .Add(bg.image_size)
                                   .Add(bg.repeat)
                                   .Add(stamp.exists)
                                   .Add(stamp.written)
                                   .Add(stamp.size)
                                   .AddText(bg.image)));
        return;
    }
    // A plain colour needs no layer to be painted: it is mixed straight into what lies below.
    const std::optional<COLORREF> plain =
        bg.image.empty() ? std::optional<COLORREF>(ToColorRef(bg.color)) : std::nullopt;
    DrawLayer(
        dc, area, [&](HDC target, POINT shift) { PaintBackground(target, bg, area, shift); },
        plain);
}

void GdiContainer::PaintBackground(HDC dc, const litehtml::background_paint& bg, const RECT& area,
                                   POINT shift) {
    // Colour and tiles are both cut to the background's area.
    SelectClip(dc, Intersect(area, CurrentClip()), shift);
    if (bg.color.alpha > 0) {
        FillSolid(dc, Shifted(area, shift), ToColorRef(bg.color));
    }
    ImageStore::Size size;
    const bool image = !bg.image.empty() && images_.Get(bg.image, &size);
    const int width = image && bg.image_size.width > 0 ? bg.image_size.width : size.width;
    const int height = image && bg.image_size.height > 0 ? bg.image_size.height : size.height;
    if (image && width > 0 && height > 0) {
        int startX = bg.position_x;
        int startY = bg.position_y;
        const bool repeatX = bg.repeat == litehtml::background_repeat_repeat ||
                             bg.repeat == litehtml::background_repeat_repeat_x;
        const bool repeatY = bg.repeat == litehtml::background_repeat_repeat ||
                             bg.repeat == litehtml::background_repeat_repeat_y;
        if (repeatX && startX > area.left) {
            startX -= ((startX - area.left + width - 1) / width) * width;
        }
        if (repeatY && startY > area.top) {
            startY -= ((startY - area.top + height - 1) / height) * height;
        }
        for (int y = startY; y < area.bottom; y += height) {
            for (int x = startX; x < area.right; x += width) {
                images_.Draw(bg.image, dc, x + shift.x, y + shift.y, width, height);
                if (!repeatX) {
                    break;
                }
            }
            if (!repeatY) {
                break;
            }
        }
    }
    SelectClipRgn(dc, nullptr);
}

void GdiContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                                const litehtml::position& draw_pos, bool) {
    const RECT box = ToRect(draw_pos);
    if (box.right <= box.left || box.bottom <= box.top ||
        !(ShowsSide(borders.top) || ShowsSide(borders.bottom) || ShowsSide(borders.left) ||
          ShowsSide(borders.right))) {
        return;
    }
    if (record_) {
        PaintKey key('r');
        key.Add(box);
        for (const litehtml::border* side :
             {&borders.top, &borders.bottom, &borders.left, &borders.right}) {
            key.Add(side->width).Add(side->style).Add(Packed(side->color));
        }
        Record(box, std::move(key));
        return;
    }
    DrawLayer(AsDc(hdc), box,
              [&](HDC target, POINT shift) { PaintBorders(target, borders, box, shift); });
}

void GdiContainer::PaintBorders(HDC dc, const litehtml::borders& borders, const RECT& frame,
                                POINT shift) const {
    SelectClip(dc, CurrentClip(), shift);
    const RECT box = Shifted(frame, shift);
    const auto visible = ShowsSide;
    // Inset and outset borders are lit from the top left, as the classic desktop draws them.
    const auto shade = [](const litehtml::border& side, bool topOrLeft) {
        const COLORREF colour = ToColorRef(side.color);
        if (side.style == litehtml::border_style_outset ||
            side.style == litehtml::border_style_ridge) {
            return topOrLeft ? Lighter(colour) : Darker(colour);
        }
        if (side.style == litehtml::border_style_inset ||
            side.style == litehtml::border_style_groove) {
            return topOrLeft ? Darker(colour) : Lighter(colour);
        }
        return colour;
    };
    if (visible(borders.top)) {
        FillSolid(dc, RECT{box.left, box.top, box.right, box.top + borders.top.width},
                  shade(borders.top, true));
    }
    if (visible(borders.bottom)) {
        FillSolid(dc, RECT{box.left, box.bottom - borders.bottom.width, box.right, box.bottom},
                  shade(borders.bottom, false));
    }
    if (visible(borders.left)) {
        FillSolid(dc, RECT{box.left, box.top, box.left + borders.left.width, box.bottom},
                  shade(borders.left, true));
    }
    if (visible(borders.right)) {
        FillSolid(dc, RECT{box.right - borders.right.width, box.top, box.right, box.bottom},
                  shade(borders.right, false));
    }
    SelectClipRgn(dc, nullptr);
}

void GdiContainer::DrawLayer(HDC dc, const RECT& area, const std::function<void(HDC, POINT)>& paint,
                             std::optional<COLORREF> plain) const {
    if (opacity_ >= 1.0) {
        paint(dc, POINT{0, 0});
        return;
    }
    if (opacity_ <= 0.0) {
        return;
    }
    // Only the part that can show is blended: the area within the clip and the device.
    RECT visible = Intersect(area, CurrentClip());
    SelectClipRgn(dc, nullptr);
    RECT device;
    if (GetClipBox(dc, &device) == ERROR) {
        paint(dc, POINT{0, 0}); // a device of unknown extent: drawn opaque rather than not at all
        return;
    }
    visible = Intersect(visible, device);
    const int width = visible.right - visible.left;
    const int height = visible.bottom - visible.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // What lies below is copied off the device, the layer is painted over the copy, and the two
    // are mixed at the element's opacity before the result goes back.
    OwnedMemoryDc layer(dc);
    OwnedGdiObject bitmap(layer ? CreateCompatibleBitmap(dc, width, height) : nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    std::vector<BYTE> below(bytes);
    std::vector<BYTE> above(bytes);
    bool blended = false;
    if (bitmap) {
        {
            ScopedSelection selected(layer.Get(), bitmap.Get());
            BitBlt(layer.Get(), 0, 0, width, height, dc, visible.left, visible.top, SRCCOPY);
        }
        const bool read =
            GetDIBits(layer.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, static_cast<UINT>(height),
                      below.data(), &info, DIB_RGB_COLORS) == height;
        if (plain) {
            const BYTE bgr[4] = {GetBValue(*plain), GetGValue(*plain), GetRValue(*plain), 0};
            for (size_t i = 0; i < bytes; ++i) {
                above[i] = bgr[i % 4];
            }
            blended = read;
        } else {
            {
                ScopedSelection selected(layer.Get(), bitmap.Get());
                paint(layer.Get(), POINT{-visible.left, -visible.top});
            }
            blended = read && GetDIBits(layer.Get(), static_cast<HBITMAP>(bitmap.Get()), 0,
                                        static_cast<UINT>(height), above.data(), &info,
                                        DIB_RGB_COLORS) == height;
        }
    }
    if (blended) {
        const int alpha = static_cast<int>(opacity_ * 255.0 + 0.5);
        for (size_t i = 0; i < bytes; ++i) {
            above[i] = static_cast<BYTE>((above[i] * alpha + below[i] * (255 - alpha) + 127) / 255);
        }
        SetDIBitsToDevice(dc, visible.left, visible.top, static_cast<DWORD>(width),
                          static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                          above.data(), &info, DIB_RGB_COLORS);
    } else {
        paint(dc, POINT{0, 0}); // no memory for the layer: drawn opaque rather than not at all
    }
}

void GdiContainer::DrawFormField(litehtml::uint_ptr hdc, const DomNode& node,
                                 const litehtml::position& box, litehtml::uint_ptr hFont,
                                 litehtml::web_color color) {
    if (record_) {
        const Font* font = AsFont(hFont);
        const std::string* type = node.FindAttribute("type");
        Record(ToRect(box), std::move(PaintKey('f')
                                          .Add(box)
                                          .Add(Packed(color))
                                          .Add(node.IsCheckable() && node.checked())
                                          .Add(&node == focused_)
                                          .Add(focusedSelected_)
                                          .AddText(type ? *type : std::string())
                                          .AddText(font ? font->description : std::string())
                                          .AddText(node.CurrentValue())));
        return;
    }
    HDC dc = AsDc(hdc);
    ApplyClip(dc);
    const COLORREF ink = ToColorRef(color);
    const std::string* typeAttribute = node.FindAttribute("type");
    const std::string type = typeAttribute ? AsciiLower(*typeAttribute) : std::string("text");
    if (node.IsCheckable()) {
        if (node.checked()) {
            if (type == "radio") {
                const int side = std::max(2, box.width / 2);
                const int x = box.x + (box.width - side) / 2;
                const int y = box.y + (box.height - side) / 2;
                FillSolid(dc, RECT{x, y, x + side, y + side}, ink);
            } else {
                // A check mark: a short stroke down to the right, a long one up to the right,
                // each three pixels thick.
                const int side = std::min(box.width, box.height);
                const int shortStroke = std::max(1, side / 4);
                const int longStroke = std::max(2, side / 2);
                const int x0 = box.x + side / 5;
                const int y0 = box.y + side / 2 - 1;
                for (int i = 0; i < shortStroke; ++i) {
                    FillSolid(dc, RECT{x0 + i, y0 + i, x0 + i + 1, y0 + i + 3}, ink);
                }
                const int bottomX = x0 + shortStroke;
                const int bottomY = y0 + shortStroke;
                for (int i = 0; i < longStroke; ++i) {
                    FillSolid(dc, RECT{bottomX + i, bottomY - i, bottomX + i + 1, bottomY - i + 3},
                              ink);
                }
            }
        }
        SelectClipRgn(dc, nullptr);
        return;
    }
    const Font* font = AsFont(hFont);
    WideString wide = FromUtf8(node.CurrentValue());
    if (type == "password") {
        wide.assign(wide.size(), static_cast<WCHAR>('*'));
    }
    // The text never leaves the field.
    RECT inner = ToRect(box);
    for (const RECT& nested : clips_) {
        inner = Intersect(inner, nested);
    }
    HRGN region = CreateRectRgn(inner.left, inner.top, inner.right, inner.bottom);
    SelectClipRgn(dc, region);
    DeleteObject(region);
    int textWidth = 0;
    if (font && font->handle) {
        HGDIOBJ old = SelectObject(dc, font->handle);
        SIZE extent = {0, 0};
        if (!wide.empty()) {
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        }
        textWidth = extent.cx;
        const bool button = type == "button" || type == "submit" || type == "reset";
        const bool focused = &node == focused_ && !button;
        int x = button ? box.x + (box.width - textWidth) / 2 : box.x;
        if (focused && textWidth + 2 > box.width) {
            x = box.x + box.width - textWidth - 2; // the end of a long text stays in view
        }
        const int y = box.y + (box.height - font->height) / 2;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ink);
        if (focused && focusedSelected_ && !wide.empty()) {
            FillSolid(dc, RECT{x, y, x + textWidth, y + font->height}, RGB(0x31, 0x6A, 0xC5));
            SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
        }
        if (!wide.empty()) {
            TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
        }
        SelectObject(dc, old);
        if (focused && !focusedSelected_) {
            const int caretX = std::min(x + textWidth + 1, box.x + box.width - 1);
            FillSolid(dc, RECT{caretX, y, caretX + 1, y + font->height}, ink);
        }
    }
    SelectClipRgn(dc, nullptr);
}

void GdiContainer::DrawMissingPicture(litehtml::uint_ptr hdc, const litehtml::position& box) {
    if (box.width <= 0 || box.height <= 0) {
        return;
    }
    if (record_) {
        Record(ToRect(box), std::move(PaintKey('x').Add(box)));
        return;
    }
    HDC dc = AsDc(hdc);
    ApplyClip(dc);
    const RECT frame = ToRect(box);
    const COLORREF grey = RGB(0x80, 0x80, 0x80);
    FillSolid(dc, RECT{frame.left, frame.top, frame.right, frame.top + 1}, grey);
    FillSolid(dc, RECT{frame.left, frame.bottom - 1, frame.right, frame.bottom}, grey);
    FillSolid(dc, RECT{frame.left, frame.top, frame.left + 1, frame.bottom}, grey);
    FillSolid(dc, RECT{frame.right - 1, frame.top, frame.right, frame.bottom}, grey);
    const int side = std::min({10, box.width - 6, box.height - 6});
    const COLORREF red = RGB(0xE0, 0x20, 0x20);
    for (int i = 0; i < side; ++i) {
        const int left = frame.left + 3;
        const int top = frame.top + 3;
        FillSolid(dc, RECT{left + i, top + i, left + i + 2, top + i + 1}, red);
        FillSolid(dc, RECT{left + side - 1 - i, top + i, left + side + 1 - i, top + i + 1}, red);
    }
    SelectClipRgn(dc, nullptr);
}

void GdiContainer::set_caption(const litehtml::tchar_t*) {}
void GdiContainer::set_base_url(const litehtml::tchar_t*) {}
void GdiContainer::link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) {
}
void GdiContainer::on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) {}
void GdiContainer::set_cursor(const litehtml::tchar_t*) {}

void GdiContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
    if (tt == litehtml::text_transform_uppercase) {
        text = AsciiUpper(text);
    } else if (tt == litehtml::text_transform_lowercase) {
        text = AsciiLower(text);
    } else if (tt == litehtml::text_transform_capitalize && !text.empty()) {
        text[0] = AsciiUpper(text.substr(0, 1))[0];
    }
}

// Pages carry their style sheets inline; nothing is fetched from elsewhere.
void GdiContainer::import_css(litehtml::tstring& text, const litehtml::tstring&,
                              litehtml::tstring&) {
    text.clear();
}

void GdiContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool,
                            bool) {
    clips_.push_back(ToRect(pos));
}

void GdiContainer::del_clip() {
    if (!clips_.empty()) {
        clips_.pop_back();
    }
}

void GdiContainer::get_client_rect(litehtml::position& client) const {
    client = litehtml::position(0, 0, clientSize_.cx, clientSize_.cy);
}

std::shared_ptr<litehtml::element>
GdiContainer::create_element(const litehtml::tchar_t* tag_name,
                             const litehtml::string_map& attributes,
                             const std::shared_ptr<litehtml::document>& doc) {
    const std::string tag = tag_name ? AsciiLower(tag_name) : std::string();
    if (tag == "div") {
        return std::make_shared<Translucent<DivElement>>(*this, doc, quirks_);
    }
    if (tag == "td" || tag == "th") {
        return std::make_shared<Translucent<litehtml::el_td>>(*this, doc);
    }
    if (tag == "tr") {
        return std::make_shared<Translucent<litehtml::el_tr>>(*this, doc);
    }
    if (tag == "table") {
        return std::make_shared<Translucent<litehtml::el_table>>(*this, doc);
    }
    if (tag == "p") {
        return std::make_shared<Translucent<litehtml::el_para>>(*this, doc);
    }
    if (IsPlainTag(tag)) {
        return std::make_shared<Translucent<litehtml::html_tag>>(*this, doc);
    }
    if (tag == "img") {
        return std::make_shared<PictureElement>(doc, *this);
    }
    if (tag != "input") {
        return nullptr;
    }
    const auto index = attributes.find(kLayoutIndexAttribute);
    const DomNode* node = index == attributes.end() ? nullptr : NodeByIndex(index->second.c_str());
    return std::make_shared<FormFieldElement>(doc, *this, node, quirks_);
}

void GdiContainer::get_media_features(litehtml::media_features& media) const {
    media.type = litehtml::media_type_screen;
    media.width = clientSize_.cx;
    media.height = clientSize_.cy;
    media.device_width = GetSystemMetrics(SM_CXSCREEN);
    media.device_height = GetSystemMetrics(SM_CYSCREEN);
    media.color = 8;
    media.color_index = 0;
    media.monochrome = 0;
    media.resolution = 96;
}

void GdiContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
    language = "fr";
    culture = "fr-FR";
}

RECT GdiContainer::CurrentClip() const {
    // Without a clip, a rectangle larger than any device.
    constexpr LONG kFar = 1 << 26; // within the coordinate range of regions
    RECT clip = paintArea_ ? *paintArea_ : RECT{-kFar, -kFar, kFar, kFar};
    for (const RECT& nested : clips_) {
        clip = Intersect(clip, nested);
    }
    return clip;
}

void GdiContainer::SelectClip(HDC dc, const RECT& clip, POINT shift) const {
    const RECT shifted = Shifted(clip, shift);
    HRGN region = CreateRectRgn(shifted.left, shifted.top, shifted.right, shifted.bottom);
    SelectClipRgn(dc, region);
    DeleteObject(region);
}

void GdiContainer::ApplyClip(HDC dc) const {
    if (clips_.empty()) {
        SelectClipRgn(dc, nullptr);
        return;
    }
    RECT clip = clips_.front();
    for (const RECT& nested : clips_) {
        clip = Intersect(clip, nested);
    }
    HRGN region = CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
    SelectClipRgn(dc, region);
    DeleteObject(region);
}

void GdiContainer::Record(const RECT& area, PaintKey key) {
    const RECT clip = CurrentClip();
    record_->Add(Intersect(area, clip), key.Add(clip).Add(opacity_).Take());
}

void GdiContainer::FillSolid(HDC dc, const RECT& rect, COLORREF colour) const {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace htmlview::internal
