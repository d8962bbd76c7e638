// The layout engine's window on the platform: fonts, text measuring and drawing, backgrounds,
// borders, pictures and clipping, all through GDI.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"
#include "htmlview/src/ImageStore.h"
#include "htmlview/src/PaintRecord.h"
#include "platform/win32.h"

#include <litehtml.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace htmlview::internal {

class GdiContainer final : public litehtml::document_container {
public:
    GdiContainer();
    ~GdiContainer();
    GdiContainer(const GdiContainer&) = delete;
    GdiContainer& operator=(const GdiContainer&) = delete;

    ImageStore& images() { return images_; }
    void SetClientSize(SIZE size) { clientSize_ = size; }
    // The nodes of the markup being laid out, by their layout index.
    void SetNodeOrder(const std::vector<DomNode*>* order) { order_ = order; }
    // Pages without a document type are laid out as the classic browsers did: a division's or
    // a field's width and height include its padding and border.
    void SetQuirksMode(bool quirks) { quirks_ = quirks; }
    // The text field that shows a caret.
    void SetFocusedField(const DomNode* node, bool selected) {
        focused_ = node;
        focusedSelected_ = selected;
    }

    // How opaque the backgrounds and borders drawn from now on are (1: fully). Below 1 they are
    // mixed with what lies under them, as the classic browsers' alpha filter shows an element.
    void SetOpacity(double opacity) { opacity_ = opacity; }
    double opacity() const { return opacity_; }

    // While a record is set, drawing is written down into it instead of done.
    void SetRecord(PaintRecord* record) { record_ = record; }
    // Only the pixels of area are needed (client coordinates): every clip lies within it.
    void SetPaintArea(const RECT& area) { paintArea_ = area; }
    void ClearPaintArea() { paintArea_.reset(); }

    // Paints what a form field shows inside its content box (check mark, text, label).
    void DrawFormField(litehtml::uint_ptr hdc, const DomNode& node, const litehtml::position& box,
                       litehtml::uint_ptr font, litehtml::web_color color);
    // The place of a picture that could not be had: a grey frame with a small red cross.
    void DrawMissingPicture(litehtml::uint_ptr hdc, const litehtml::position& box);
    DomNode* NodeByIndex(const litehtml::tchar_t* indexText) const;

    // litehtml::document_container
    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override;
    void delete_font(litehtml::uint_ptr hFont) override;
    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) override;
    void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr hFont,
                   litehtml::web_color color, const litehtml::position& pos) override;
    int pt_to_px(int pt) const override;
    int get_default_font_size() const override;
    const litehtml::tchar_t* get_default_font_name() const override;
    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                    bool redraw_on_ready) override;
    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                        litehtml::size& sz) override;
    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                      const litehtml::position& draw_pos, bool root) override;
    void set_caption(const litehtml::tchar_t* caption) override;
    void set_base_url(const litehtml::tchar_t* base_url) override;
    void link(const std::shared_ptr<litehtml::document>& doc,
              const litehtml::element::ptr& el) override;
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr& el) override;
    void set_cursor(const litehtml::tchar_t* cursor) override;
    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override;
    void import_css(litehtml::tstring& text, const litehtml::tstring& url,
                    litehtml::tstring& baseurl) override;
    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses& bdr_radius,
                  bool valid_x, bool valid_y) override;
    void del_clip() override;
    void get_client_rect(litehtml::position& client) const override;
    std::shared_ptr<litehtml::element>
    create_element(const litehtml::tchar_t* tag_name, const litehtml::string_map& attributes,
                   const std::shared_ptr<litehtml::document>& doc) override;
    void get_media_features(litehtml::media_features& media) const override;
    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override;

private:
    void PaintBackground(HDC dc, const litehtml::background_paint& bg, const RECT& area,
                         POINT shift);
    void PaintBorders(HDC dc, const litehtml::borders& borders, const RECT& frame,
                      POINT shift) const;
    // Runs paint(target, shift) for the part area of the page: straight onto dc when the opacity
    // is full, else into a layer that is then mixed into dc. Drawing into target is offset by
    // shift. A layer that is known to be one plain colour over the whole area is not painted.
    void DrawLayer(HDC dc, const RECT& area, const std::function<void(HDC, POINT)>& paint,
                   std::optional<COLORREF> plain = std::nullopt) const;
    // The intersection of the current set_clip nesting (a vast rectangle when nothing is nested).
    RECT CurrentClip() const;
    // Selects clip, offset by shift, as dc's clip region.
    void SelectClip(HDC dc, const RECT& clip, POINT shift) const;
    // Selects the clip of the current set_clip nesting into dc (none when nothing is nested).
    void ApplyClip(HDC dc) const;
    void FillSolid(HDC dc, const RECT& rect, COLORREF colour) const;
    // Writes down one drawing operation that touches area at most (see PaintRecord): its kind
    // and fields, with the opacity and clip it is drawn under.
    void Record(const RECT& area, PaintKey key);

    HDC measureDc_ = nullptr;
    HGDIOBJ measureDcDefaultFont_ = nullptr;
    SIZE clientSize_ = {0, 0};
    std::vector<RECT> clips_;
    ImageStore images_;
    // Measured text widths by font description (the LOGFONTW's bytes), then by UTF-8 text.
    std::unordered_map<std::string, std::shared_ptr<std::unordered_map<std::string, int>>> widths_;
    const std::vector<DomNode*>* order_ = nullptr;
    const DomNode* focused_ = nullptr;
    bool focusedSelected_ = false;
    bool quirks_ = false;
    double opacity_ = 1.0;
    PaintRecord* record_ = nullptr;
    std::optional<RECT> paintArea_;
};

} // namespace htmlview::internal
