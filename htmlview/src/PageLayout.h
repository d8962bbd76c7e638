// The laid-out page: the document tree, its layout by the layout engine (made again lazily,
// when geometry or painting is asked for after a change), geometry, scrolling, hit testing and
// painting.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"
#include "htmlview/src/GdiContainer.h"
#include "htmlview/src/ScrollBar.h"

#include <litehtml.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace htmlview::internal {

class PageLayout final : public NodeOwner {
public:
    // invalidate: called when what is shown has changed and needs painting.
    explicit PageLayout(std::function<void()> invalidate);
    ~PageLayout();
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    // Takes the tree as the page (nullptr: no page). Scrolling starts at the top.
    void SetDocument(DomNodePtr root, bool quirks = false);
    const DomNodePtr& root() const { return root_; }
    DomNodePtr body() const;
    // The first element in document order with that id, or nullptr. Found through an index made
    // again after each change of the markup: the highlight that follows the pointer over a long
    // list looks up the cells of two rows at every move.
    DomNodePtr ElementById(const std::string& id) const;
    GdiContainer& container() { return container_; }

    void SetViewportSize(SIZE size);
    SIZE viewportSize() const { return viewport_; }
    // Lays the page out when it changed since the last layout.
    void EnsureLayout();
    // Number of layouts made so far (for the lazy relayout's users and tests).
    unsigned layoutCount() const { return layoutCount_; }
    SIZE DocumentSize();

    // Paints the part rect (client coordinates) of the page into dc.
    void Paint(HDC dc, const RECT& rect);

    // The innermost element at a client point, or nullptr.
    DomNodePtr HitTest(POINT client);
    // The same, the search visiting every element (what the kept hit regions must not change).
    DomNodePtr HitTestVisitingEveryElement(POINT client);
    // The element's border box in client coordinates (all scrolling applied).
    bool ClientRect(const DomNode& node, RECT* rect);
    // The same, cut to what is not hidden by scrolling ancestors and the view's edges.
    bool VisibleClientRect(const DomNode& node, RECT* rect);
    // The innermost element under the point that can scroll vertically (the body for the
    // page itself), or nullptr.
    DomNodePtr ScrollableAt(POINT client);
    // The vertical scroll bar of a scrolling element in client coordinates, if it shows one.
    bool ScrollBarRect(const DomNode& node, RECT* bar);
    // The parts of that bar (client coordinates) and how far its content can scroll.
    bool ScrollBarState(const DomNode& node, ScrollBarParts* parts, LONG* maxOffset);

    // NodeOwner
    void NodeMarkupChanged() override;
    void NodeStateChanged() override;
    void NodeBackgroundChanged(const DomNode& node, const std::string& color) override;
    NodeGeometry Geometry(const DomNode& node) override;
    POINT ScrollPosition(const DomNode& node) override;
    void SetScrollPosition(const DomNode& node, POINT position) override;

private:
    struct Scroller {
        DomNode* node;
        litehtml::element::ptr element;
        POINT maxScroll;
    };

    void DropLayout();
    litehtml::element::ptr ElementOf(const DomNode& node) const;
    void MapElements(const litehtml::element::ptr& element);
    SIZE PageExtent() const;
    void ApplyScrolling();
    bool IsPageScroller(const DomNode& node) const;
    // Border box in document coordinates (scrolling of elements applied, the page's own not).
    bool DocumentBox(const DomNode& node, litehtml::position* box) const;
    DomNodePtr OffsetParentOf(const DomNode& node) const;
    const Scroller* FindScroller(const DomNode& node) const;
    bool ShowsVerticalBar(const Scroller& scroller) const;
    void DrawScrollBars(HDC dc);

    std::function<void()> invalidate_;
    litehtml::context context_;
    litehtml::context quirksContext_;
    litehtml::css pageStyle_;
    bool quirks_ = false;
    GdiContainer container_;
    DomNodePtr root_;
    litehtml::document::ptr document_;
    std::vector<DomNode*> order_;
    std::vector<litehtml::element::ptr> elements_;
    std::unordered_map<const DomNode*, size_t> indexOf_;
    std::vector<Scroller> scrollers_;
    SIZE viewport_ = {0, 0};
    SIZE documentSize_ = {0, 0};
    POINT pageScroll_ = {0, 0};
    bool pageScrollBar_ = false;
    bool dirty_ = true;
    mutable std::unordered_map<std::string, std::weak_ptr<DomNode>> ids_;
    mutable bool idsKnown_ = false;
    // Some style of the page is "!important": an inline colour may not win over it.
    bool importantStyles_ = true;
    unsigned layoutCount_ = 0;
};

} // namespace htmlview::internal
