// The laid-out page: the document tree, its layout by the layout engine (made again lazily,
// when geometry or painting is asked for after a change), geometry, scrolling, hit testing and
// painting.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"
#include "htmlview/src/GdiContainer.h"
#include "htmlview/src/PaintRecord.h"
#include "htmlview/src/RowPlan.h"
#include "htmlview/src/ScrollBar.h"

#include <litehtml.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
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
    // The ids the index holds while it is current; none when it is to be made again. Lets a
    // check see that a change kept the index whole without walking the page.
    std::optional<size_t> IndexedIdCount() const {
        return idsKnown_ ? std::optional<size_t>(ids_.size()) : std::nullopt;
    }
    GdiContainer& container() { return container_; }

    void SetViewportSize(SIZE size);
    SIZE viewportSize() const { return viewport_; }
    // Lays the page out when it changed since the last layout.
    void EnsureLayout();
    // Number of layouts made so far (for the lazy relayout's users and tests).
    unsigned layoutCount() const { return layoutCount_; }
    // Whether the rows of a long table out of view are left out of the layout (the default);
    // tests lay the same page out with and without.
    void SetRowWindowing(bool on);
    // Rows of long tables that the current layout holds (for tests and benchmarks).
    size_t LaidOutRowCount() const;
    SIZE DocumentSize();

    // Paints the part rect (client coordinates) of the page into dc.
    void Paint(HDC dc, const RECT& rect);
    // Paints the page into canvas (a DC with a bitmap of the view's size), which still holds
    // what the last call painted into it unless canvasKept is false: only the part whose drawing
    // changed since is painted again. Returns that part (empty when nothing changed).
    RECT PaintChanges(HDC canvas, bool canvasKept);

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
    void NodeAttributesChanged() override;
    void NodesReplaced(const std::vector<DomNodePtr>& removed, const std::vector<DomNodePtr>& added,
                       std::vector<IdRenaming> renamed) override;
    bool KeepsRowLayout(const std::string& name, const std::string& before,
                        const std::string& after) const override;
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

    // What the layouts learned of one long table (see RowPlan.h).
    struct LongTable {
        std::weak_ptr<DomNode> container;
        // Changes whenever the columns do: rows measured in another arrangement are measured
        // again.
        unsigned long long generation = 1;
        std::vector<int> columnEdges; // left and right of each column, in the table
        int spacingY = 0;
        int firstRowTop = 0;
        // The last layout found the table fit to leave rows out: separate borders, rows not
        // stretched to fill a height, the layout's rows the document's, inside a scroller.
        bool usable = false;
        std::weak_ptr<DomNode> scroller;
        int topInScroller = 0; // in the scroller's content, unscrolled
        int viewHeight = 0;
        // Where the spacers of the last layout lie, in the table.
        std::vector<std::pair<int, int>> spacers;
        // Measures by the row's markup as the layout sees it (see RowLayoutKey): rows parsed
        // anew with the same markup, as those after a deleted one, need no new measuring.
        std::unordered_map<size_t, RowMeasure> byMarkup;
        RowKeyRules keyRules; // with which byMarkup's keys were made
    };

    void LayOutOnce(bool allRows);
    RowPlan* PlanRows(const DomNode& container, bool allRows);
    LongTable& LongTableOf(const DomNode& container);
    // After a layout: measures the rows laid out; false when the layout left out rows it may
    // not have and must be made again.
    bool MeasureLongTables();
    bool MeasureLongTable(const RowPlan& plan, LongTable& table);
    // A node inside a row left out of the layout: the row is laid out too. True when it was.
    bool BringIntoLayout(const DomNode& node);
    // The scroller moved onto a part of a long table that the layout left out.
    bool ScrolledOntoSpacer(const DomNode& scroller) const;
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
    // A scroll bar as it is drawn: its rectangle, the part of it not hidden, and its state.
    struct ShownScrollBar {
        RECT bar;
        RECT shown;
        LONG offset;
        LONG maxOffset;
        ScrollBarColours colours;
    };
    std::vector<ShownScrollBar> ShownScrollBars();
    // Draws the page (the part rect at least) and its scroll bars into dc.
    void DrawPage(HDC dc, const RECT& rect);
    // A picture file that changed its size while painting: the page is laid out anew.
    void AfterPaint();

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
    struct IdEntry {
        std::weak_ptr<DomNode> node;
        // The node's address, to tell it without touching its reference counts; null while a
        // renaming has left the entry without an element.
        const DomNode* element = nullptr;
    };
    using IdIndex = std::unordered_map<std::string, IdEntry>;
    mutable IdIndex ids_;
    mutable bool idsKnown_ = false;
    // Some style of the page is "!important": an inline colour may not win over it.
    bool importantStyles_ = true;
    // The page's styles could tell rows apart by their place among their siblings, or come from
    // outside: every row is laid out.
    bool structuralStyles_ = false;
    bool rowWindowing_ = true;
    // What the page's style sheets leave out of a row's look-up key for its measure.
    RowKeyRules rowKeyRules_;
    // Whether a class change keeps a row's layout, by the classes before and after, under the
    // rules above: deleting an entry swaps the same few classes on thousands of rows.
    struct ClassChangeVerdict {
        std::string before;
        std::string after;
        bool keeps;
    };
    mutable std::vector<ClassChangeVerdict> classVerdicts_;
    std::vector<LongTable> longTables_;
    std::deque<RowPlan> plans_; // of the current layout
    std::vector<std::weak_ptr<DomNode>> wantedRows_;
    unsigned layoutCount_ = 0;
    // What the last paint into a kept canvas drew.
    std::unique_ptr<PaintRecord> lastRecord_;
};

} // namespace htmlview::internal
