#include "htmlview/src/PageLayout.h"

#include "htmlview/src/DefaultStyle.h"
#include "htmlview/src/HtmlSerializer.h"
#include "htmlview/src/LayoutElements.h"
#include "htmlview/src/Utf.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace htmlview::internal {

namespace {

bool Contains(const litehtml::position& box, int x, int y) {
    return x >= box.left() && x < box.right() && y >= box.top() && y < box.bottom();
}

bool Scrolls(const litehtml::element::ptr& element) {
    return element && element->get_overflow() != litehtml::overflow_visible &&
           element->get_display() != litehtml::display_inline;
}

// The padding box of an element in document coordinates.
litehtml::position PaddingBox(const litehtml::element::ptr& element) {
    litehtml::position box = element->get_placement();
    box.x -= element->padding_left();
    box.y -= element->padding_top();
    box.width += element->padding_left() + element->padding_right();
    box.height += element->padding_top() + element->padding_bottom();
    return box;
}

litehtml::position Union(const litehtml::position& a, const litehtml::position& b) {
    if (a.width <= 0 && a.height <= 0) {
        return b;
    }
    if (b.width <= 0 && b.height <= 0) {
        return a;
    }
    const int left = std::min(a.left(), b.left());
    const int top = std::min(a.top(), b.top());
    const int right = std::max(a.right(), b.right());
    const int bottom = std::max(a.bottom(), b.bottom());
    return litehtml::position(left, top, right - left, bottom - top);
}

RECT ToRect(const litehtml::position& box) {
    return RECT{box.left(), box.top(), box.right(), box.bottom()};
}

RECT IntersectRects(const RECT& a, const RECT& b) {
    RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    if (r.right < r.left || r.bottom < r.top) {
        r = RECT{0, 0, 0, 0};
    }
    return r;
}

} // namespace

PageLayout::PageLayout(std::function<void()> invalidate) : invalidate_(std::move(invalidate)) {
    context_.load_master_stylesheet(kDefaultStyleSheet);
    pageStyle_.parse_stylesheet(kPageStyleSheet, "", nullptr, nullptr);
    pageStyle_.sort_selectors();
    quirksContext_.load_master_stylesheet(
        (std::string(kDefaultStyleSheet) + kQuirksStyleSheet).c_str());
}

PageLayout::~PageLayout() {
    DropLayout();
    if (root_) {
        root_->SetOwner(nullptr);
    }
}

void PageLayout::SetDocument(DomNodePtr root, bool quirks) {
    quirks_ = quirks;
    DropLayout();
    if (root_) {
        root_->SetOwner(nullptr);
    }
    root_ = std::move(root);
    if (root_) {
        root_->SetOwner(this);
    }
    idsKnown_ = false;
    pageScroll_ = POINT{0, 0};
    container_.images().Clear();
    dirty_ = true;
    invalidate_();
}

DomNodePtr PageLayout::body() const {
    return root_ ? FindFirstByTag(root_, "body") : nullptr;
}

namespace {

// Every element of the subtrees, in document order.
template <typename Visit> void ForEachElement(const std::vector<DomNodePtr>& roots, Visit visit) {
    std::vector<const DomNodePtr*> pending;
    for (auto root = roots.rbegin(); root != roots.rend(); ++root) {
        pending.push_back(&*root);
    }
    while (!pending.empty()) {
        const DomNodePtr& node = *pending.back();
        pending.pop_back();
        if (!node->IsElement()) {
            continue;
        }
        visit(node);
        const auto& children = node->children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            pending.push_back(&*child);
        }
    }
}

} // namespace

DomNodePtr PageLayout::ElementById(const std::string& id) const {
    if (!root_) {
        return nullptr;
    }
    if (!idsKnown_) {
        ids_.clear();
        ForEachElement({root_}, [this](const DomNodePtr& node) {
            if (const std::string* own = node->FindAttribute("id")) {
                ids_.emplace(*own, IdEntry{node, node.get()}); // the first in the page stays
            }
        });
        idsKnown_ = true;
    }
    const auto found = ids_.find(id);
    DomNodePtr node = found != ids_.end() ? found->second.node.lock() : nullptr;
    const std::string* own = node ? node->FindAttribute("id") : nullptr;
    if (node && node->owner() == this && own && *own == id) {
        return node;
    }
    // Nothing indexed, or the index is behind a change it was not told of: the tree decides.
    return FindById(root_, id);
}

namespace {

bool ContainsNoCase(const std::string& text, std::string_view word) {
    const auto found =
        std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return found != text.end();
}

struct PageStyles {
    // A style sheet or inline style says "!important" (an inline colour set later may not win
    // over it). Texts of the page do not count: a message that says "important" keeps the
    // highlight as quick as any other.
    bool important = false;
    // A style sheet could pick elements by their place among their siblings ("+", "~",
    // ":nth-child"...), or style sheets come from outside the page.
    bool structural = false;
    std::vector<std::string> sheets;
};

bool HasStructuralSelectors(const std::string& sheet) {
    if (sheet.find_first_of("+~") != std::string::npos) {
        return true;
    }
    for (std::string_view pseudo : {":nth", ":first", ":last", ":only", ":empty"}) {
        if (ContainsNoCase(sheet, pseudo)) {
            return true;
        }
    }
    return false;
}

// The styles of the elements laid out: those of rows left out apply to nothing that is.
PageStyles ScanPageStyles(const std::vector<DomNode*>& laidOut) {
    PageStyles styles;
    for (const DomNode* node : laidOut) {
        const std::string* style = node->FindAttribute("style");
        if (style && ContainsNoCase(*style, "important")) {
            styles.important = true;
        }
        if (node->tag() == "link") {
            styles.structural = true;
        }
        if (node->tag() != "style") {
            continue;
        }
        for (const DomNodePtr& child : node->children()) {
            if (child->IsElement()) {
                continue;
            }
            styles.important = styles.important || ContainsNoCase(child->text(), "important");
            styles.structural = styles.structural || HasStructuralSelectors(child->text());
            styles.sheets.push_back(child->text());
        }
    }
    return styles;
}

// A colour as the highlight sets it ("#d0f1c5", "yellow", "rgb(1,2,3)"): nothing that the style
// parser could read as more than one colour.
bool IsPlainColour(const std::string& color) {
    for (char c : color) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '#' || c == '(' || c == ')' ||
              c == ',' || c == '.' || c == '%' || c == ' ')) {
            return false;
        }
    }
    return !color.empty();
}

} // namespace

void PageLayout::SetViewportSize(SIZE size) {
    if (size.cx != viewport_.cx || size.cy != viewport_.cy) {
        viewport_ = size;
        DropLayout();
    }
}

void PageLayout::DropLayout() {
    // The layout holds plain pointers into the tree; it goes as soon as the tree changes.
    document_.reset();
    elements_.clear();
    order_.clear();
    indexOf_.clear();
    scrollers_.clear();
    plans_.clear();
    container_.SetNodeOrder(nullptr);
    dirty_ = true;
}

void PageLayout::EnsureLayout() {
    if (!dirty_ || !root_) {
        return;
    }
    // A layout that left out rows it may not have is made again; the third has every row.
    for (int attempt = 0;; ++attempt) {
        LayOutOnce(attempt >= 2);
        dirty_ = false;
        if (!document_ || MeasureLongTables() || attempt >= 2) {
            break;
        }
        DropLayout();
    }
    dirty_ = false;
}

void PageLayout::LayOutOnce(bool allRows) {
    ++layoutCount_;
    plans_.clear();
    const RowPlanner planner = [this, allRows](const DomNode& container) {
        return PlanRows(container, allRows);
    };
    const std::string markup = SerializeForLayout(*root_, order_, planner);
    const bool windowed = std::any_of(plans_.begin(), plans_.end(),
                                      [](const RowPlan& plan) { return plan.windowed; });
    const PageStyles styles = ScanPageStyles(order_);
    importantStyles_ = styles.important;
    rowKeyRules_ = RowKeyRulesOf(styles.sheets);
    classVerdicts_.clear();
    if (styles.structural != structuralStyles_) {
        structuralStyles_ = styles.structural;
        if (windowed && structuralStyles_) {
            // Leaving rows out would change which rows such styles pick.
            LayOutOnce(allRows);
            return;
        }
    }
    for (size_t i = 0; i < order_.size(); ++i) {
        indexOf_[order_[i]] = i;
    }
    container_.SetNodeOrder(&order_);
    container_.SetClientSize(viewport_);
    container_.SetQuirksMode(quirks_);
    // The pictures this layout asks for are the ones the page shows; the others are let go.
    struct PictureRound {
        ImageStore& images;
        explicit PictureRound(ImageStore& store) : images(store) { images.BeginLayout(); }
        ~PictureRound() { images.EndLayout(); }
    } round(container_.images());
    document_ = litehtml::document::createFromUTF8(
        markup.c_str(), &container_, quirks_ ? &quirksContext_ : &context_, &pageStyle_);
    elements_.assign(order_.size(), nullptr);
    if (!document_ || !document_->root()) {
        document_.reset();
        return;
    }
    document_->render(std::max<LONG>(viewport_.cx, 1));
    MapElements(document_->root());
    documentSize_ = PageExtent();
    pageScrollBar_ = false;
    if (documentSize_.cy > viewport_.cy && viewport_.cx > 2 * kScrollBarWidth) {
        // A page taller than the view gets a scroll bar, and the width it takes is not laid out.
        pageScrollBar_ = true;
        document_->render(viewport_.cx - kScrollBarWidth);
        documentSize_ = PageExtent();
    }
    // Scroll offsets survive the measuring pass untouched: only the final layout clamps them.
    std::vector<POINT> offsets;
    offsets.reserve(order_.size());
    for (const DomNode* node : order_) {
        offsets.push_back(node->scrollOffset());
    }
    ApplyScrolling();
    // A division that shows a vertical scroll bar keeps room for it beside its content, which
    // is therefore laid out once more, narrower.
    bool roomMade = false;
    for (const Scroller& scroller : scrollers_) {
        auto* division = dynamic_cast<DivElement*>(scroller.element.get());
        if (division && division->scrollBarRoom() == 0 && ShowsVerticalBar(scroller) &&
            scroller.element->get_position().width > 2 * kScrollBarWidth) {
            division->SetScrollBarRoom(kScrollBarWidth);
            roomMade = true;
        }
    }
    if (roomMade) {
        for (size_t i = 0; i < order_.size(); ++i) {
            order_[i]->setScrollOffset(offsets[i]);
        }
        document_->render(pageScrollBar_ ? viewport_.cx - kScrollBarWidth
                                         : std::max<LONG>(viewport_.cx, 1));
        documentSize_ = PageExtent();
        ApplyScrolling();
    }
    BoundHitRegions(*document_->root());
}

bool PageLayout::ShowsVerticalBar(const Scroller& scroller) const {
    const litehtml::overflow overflow = scroller.element->get_overflow();
    return overflow == litehtml::overflow_scroll ||
           (overflow == litehtml::overflow_auto && scroller.maxScroll.y > 0);
}

SIZE PageLayout::PageExtent() const {
    litehtml::size extent;
    extent.width = document_->width();
    extent.height = document_->height();
    // The page scrolls whatever the body holds, even when the body's own box is cut short.
    const DomNodePtr page = body();
    const litehtml::element::ptr element = page ? ElementOf(*page) : nullptr;
    if (element) {
        const litehtml::position origin = element->get_placement();
        for (size_t c = 0; c < element->get_children_count(); ++c) {
            element->get_child(static_cast<int>(c))->calc_document_size(extent, origin.x, origin.y);
        }
        extent.height += element->padding_bottom() + element->border_bottom();
    }
    return SIZE{extent.width, extent.height};
}

void PageLayout::MapElements(const litehtml::element::ptr& element) {
    const char* index = element->get_attr(kLayoutIndexAttribute);
    if (index) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(index, &end, 10);
        if (*end == '\0' && value < elements_.size()) {
            elements_[value] = element;
        }
    }
    for (size_t i = 0; i < element->get_children_count(); ++i) {
        MapElements(element->get_child(static_cast<int>(i)));
    }
}

void PageLayout::ApplyScrolling() {
    scrollers_.clear();
    // Outer scrollers first: shifting an outer one moves the inner ones along.
    for (size_t i = 0; i < elements_.size(); ++i) {
        const litehtml::element::ptr& element = elements_[i];
        DomNode* node = order_[i];
        if (!Scrolls(element) || !element->is_visible() || IsPageScroller(*node)) {
            continue;
        }
        litehtml::size content;
        for (size_t c = 0; c < element->get_children_count(); ++c) {
            element->get_child(static_cast<int>(c))->calc_document_size(content, 0, 0);
        }
        const litehtml::position& own = element->get_position();
        const POINT maxScroll = {std::max(0, content.width - own.width),
                                 std::max(0, content.height - own.height)};
        POINT offset = node->scrollOffset();
        offset.x = std::clamp<LONG>(offset.x, 0, maxScroll.x);
        offset.y = std::clamp<LONG>(offset.y, 0, maxScroll.y);
        node->setScrollOffset(offset);
        for (size_t c = 0; c < element->get_children_count(); ++c) {
            litehtml::position& child = element->get_child(static_cast<int>(c))->get_position();
            child.x -= offset.x;
            child.y -= offset.y;
        }
        scrollers_.push_back(Scroller{node, element, maxScroll});
    }
    const POINT maxPage = {std::max<LONG>(0, documentSize_.cx - viewport_.cx),
                           std::max<LONG>(0, documentSize_.cy - viewport_.cy)};
    pageScroll_.x = std::clamp<LONG>(pageScroll_.x, 0, maxPage.x);
    pageScroll_.y = std::clamp<LONG>(pageScroll_.y, 0, maxPage.y);
}

SIZE PageLayout::DocumentSize() {
    EnsureLayout();
    return document_ ? documentSize_ : SIZE{0, 0};
}

bool PageLayout::IsPageScroller(const DomNode& node) const {
    return node.tag() == "html" || node.tag() == "body";
}

litehtml::element::ptr PageLayout::ElementOf(const DomNode& node) const {
    const auto found = indexOf_.find(&node);
    if (found == indexOf_.end() || found->second >= elements_.size()) {
        return nullptr;
    }
    return elements_[found->second];
}

const PageLayout::Scroller* PageLayout::FindScroller(const DomNode& node) const {
    for (const Scroller& scroller : scrollers_) {
        if (scroller.node == &node) {
            return &scroller;
        }
    }
    return nullptr;
}

bool PageLayout::DocumentBox(const DomNode& node, litehtml::position* box) const {
    const litehtml::element::ptr element = ElementOf(node);
    if (!element || !element->is_visible()) {
        return false;
    }
    const litehtml::position placement = element->get_placement();
    if (element->get_display() == litehtml::display_inline) {
        // An inline element is the union of its line boxes, given in its own frame.
        litehtml::position::vector boxes;
        element->get_inline_boxes(boxes);
        litehtml::position all(placement.x, placement.y, 0, 0);
        bool first = true;
        for (litehtml::position part : boxes) {
            part.x += placement.x;
            part.y += placement.y;
            all = first ? part : Union(all, part);
            first = false;
        }
        *box = all;
        return true;
    }
    litehtml::position border = placement;
    border.x -= element->padding_left() + element->border_left();
    border.y -= element->padding_top() + element->border_top();
    border.width += element->padding_left() + element->padding_right() + element->border_left() +
                    element->border_right();
    border.height += element->padding_top() + element->padding_bottom() + element->border_top() +
                     element->border_bottom();
    if (border.width <= 0 && border.height <= 0) {
        // Table rows and groups have no box of their own: they span their cells.
        for (const DomNodePtr& child : node.children()) {
            litehtml::position childBox;
            if (child->IsElement() && DocumentBox(*child, &childBox)) {
                border = Union(border, childBox);
            }
        }
    }
    *box = border;
    return true;
}

DomNodePtr PageLayout::OffsetParentOf(const DomNode& node) const {
    if (IsPageScroller(node)) {
        return nullptr;
    }
    for (DomNodePtr ancestor = node.parent(); ancestor; ancestor = ancestor->parent()) {
        const std::string& tag = ancestor->tag();
        if (tag == "body" || tag == "html") {
            return ancestor;
        }
        const litehtml::element::ptr element = ElementOf(*ancestor);
        if (tag == "td" || tag == "th" || tag == "table" ||
            (element && (element->is_positioned() || Scrolls(element)))) {
            return ancestor;
        }
    }
    return nullptr;
}

NodeGeometry PageLayout::Geometry(const DomNode& node) {
    EnsureLayout();
    BringIntoLayout(node);
    NodeGeometry geometry;
    litehtml::position box;
    if (!DocumentBox(node, &box)) {
        return geometry;
    }
    geometry.offsetWidth = box.width;
    geometry.offsetHeight = box.height;
    if (IsPageScroller(node)) {
        return geometry;
    }
    geometry.offsetParent = OffsetParentOf(node);
    if (!geometry.offsetParent || IsPageScroller(*geometry.offsetParent)) {
        geometry.offsetLeft = box.x;
        geometry.offsetTop = box.y;
        return geometry;
    }
    const litehtml::element::ptr parent = ElementOf(*geometry.offsetParent);
    litehtml::position parentBox;
    if (!parent || !DocumentBox(*geometry.offsetParent, &parentBox)) {
        geometry.offsetLeft = box.x;
        geometry.offsetTop = box.y;
        return geometry;
    }
    // Measured in the parent's unscrolled content, from its padding edge.
    const POINT scrolled = geometry.offsetParent->scrollOffset();
    const bool parentScrolls = FindScroller(*geometry.offsetParent) != nullptr;
    geometry.offsetLeft =
        box.x - (parentBox.x + parent->border_left()) + (parentScrolls ? scrolled.x : 0);
    geometry.offsetTop =
        box.y - (parentBox.y + parent->border_top()) + (parentScrolls ? scrolled.y : 0);
    return geometry;
}

POINT PageLayout::ScrollPosition(const DomNode& node) {
    EnsureLayout();
    if (IsPageScroller(node)) {
        return node.tag() == "body" ? pageScroll_ : POINT{0, 0};
    }
    return FindScroller(node) ? node.scrollOffset() : POINT{0, 0};
}

void PageLayout::SetScrollPosition(const DomNode& node, POINT position) {
    EnsureLayout();
    if (node.tag() == "body") {
        const POINT maxPage = {std::max<LONG>(0, documentSize_.cx - viewport_.cx),
                               std::max<LONG>(0, documentSize_.cy - viewport_.cy)};
        const POINT clamped = {std::clamp<LONG>(position.x, 0, maxPage.x),
                               std::clamp<LONG>(position.y, 0, maxPage.y)};
        if (clamped.x != pageScroll_.x || clamped.y != pageScroll_.y) {
            pageScroll_ = clamped;
            invalidate_();
        }
        return;
    }
    const Scroller* scroller = FindScroller(node);
    if (!scroller) {
        return;
    }
    const POINT clamped = {std::clamp<LONG>(position.x, 0, scroller->maxScroll.x),
                           std::clamp<LONG>(position.y, 0, scroller->maxScroll.y)};
    const POINT old = node.scrollOffset();
    if (clamped.x == old.x && clamped.y == old.y) {
        return;
    }
    const_cast<DomNode&>(node).setScrollOffset(clamped);
    for (size_t c = 0; c < scroller->element->get_children_count(); ++c) {
        litehtml::position& child =
            scroller->element->get_child(static_cast<int>(c))->get_position();
        child.x -= clamped.x - old.x;
        child.y -= clamped.y - old.y;
    }
    if (ScrolledOntoSpacer(node)) {
        DropLayout();
    }
    invalidate_();
}

void PageLayout::NodesReplaced(const std::vector<DomNodePtr>& removed,
                               const std::vector<DomNodePtr>& added,
                               std::vector<IdRenaming> renamed) {
    const bool idsKnown = idsKnown_;
    NodeMarkupChanged();
    if (!idsKnown) {
        return;
    }
    // The index follows the change instead of being made again over the whole page. The rows
    // renumbered after a deletion take the ids that the rows before them had. A renamed
    // element's entry is left without an element (found by the old id, without reading the
    // element), its new id then takes its entry, and the entries still empty at the end go:
    // those of the last rows' ids. One renaming after the other, so that the entry a row's new
    // id finds is the one its predecessor just left, still at hand. Only the ids of the
    // elements taken out are checked against the page.
    const auto holds = [this](const std::string& id, const DomNodePtr& node) {
        const std::string* current = node ? node->FindAttribute("id") : nullptr;
        return current && *current == id && node->owner() == this;
    };
    bool clash = false;
    const auto learn = [this, &clash, &holds](const std::string& id, DomNode& node,
                                              std::weak_ptr<DomNode> weak) {
        const auto [entry, inserted] = ids_.try_emplace(id);
        if (!inserted && entry->second.element != nullptr && entry->second.element != &node) {
            // Which of the two comes first in the page is not known here.
            const DomNodePtr other = entry->second.node.lock();
            clash = clash || (other && holds(id, other));
        }
        entry->second = IdEntry{std::move(weak), &node};
    };
    ForEachElement(added, [&learn](const DomNodePtr& node) {
        if (const std::string* id = node->FindAttribute("id")) {
            learn(*id, *node, node);
        }
    });
    // Entries stay where they are in the table while others are added, so they are kept by
    // address rather than looked up again.
    std::vector<IdIndex::value_type*> emptied;
    emptied.reserve(renamed.size());
    for (IdRenaming& renaming : renamed) {
        const auto entry = ids_.find(renaming.before);
        if (entry != ids_.end() && entry->second.element == renaming.element) {
            entry->second.element = nullptr;
            emptied.push_back(&*entry);
        }
        learn(renaming.after, *renaming.element, std::move(renaming.node));
    }
    for (IdIndex::value_type* entry : emptied) {
        if (entry->second.element == nullptr) {
            ids_.erase(ids_.find(entry->first)); // by an iterator: the key is the entry's own
        }
    }
    ForEachElement(removed, [this, &holds](const DomNodePtr& node) {
        if (const std::string* id = node->FindAttribute("id")) {
            const auto entry = ids_.find(*id);
            if (entry != ids_.end() && !holds(*id, entry->second.node.lock())) {
                ids_.erase(entry);
            }
        }
    });
    idsKnown_ = !clash;
}

void PageLayout::NodeMarkupChanged() {
    idsKnown_ = false;
    NodeAttributesChanged();
}

void PageLayout::NodeAttributesChanged() {
    wantedRows_.clear();
    DropLayout();
    invalidate_();
}

void PageLayout::NodeBackgroundChanged(const DomNode& node, const std::string& color) {
    const litehtml::element::ptr element = document_ && !dirty_ ? ElementOf(node) : nullptr;
    auto* recolourable = dynamic_cast<Recolourable*>(element.get());
    if (recolourable == nullptr || importantStyles_ || !IsPlainColour(color)) {
        NodeAttributesChanged(); // only the style attribute changed
        return;
    }
    recolourable->SetBackgroundColour(litehtml::web_color::from_string(color.c_str(), &container_));
    invalidate_();
}

bool PageLayout::KeepsRowLayout(const std::string& name, const std::string& before,
                                const std::string& after) const {
    // The rules are those of the last layout: after another change since, they may not hold.
    if (dirty_) {
        return false;
    }
    if (name != "class") {
        return KeepsRowKey(name, before, after, rowKeyRules_);
    }
    for (const ClassChangeVerdict& verdict : classVerdicts_) {
        if (verdict.before == before && verdict.after == after) {
            return verdict.keeps;
        }
    }
    const bool keeps = KeepsRowKey(name, before, after, rowKeyRules_);
    constexpr size_t kVerdictsKept = 8;
    if (classVerdicts_.size() < kVerdictsKept) {
        classVerdicts_.push_back({before, after, keeps});
    }
    return keeps;
}

void PageLayout::NodeStateChanged() {
    invalidate_();
}

bool PageLayout::ScrollBarRect(const DomNode& node, RECT* bar) {
    EnsureLayout();
    if (node.tag() == "body") {
        if (!pageScrollBar_) {
            return false;
        }
        *bar = RECT{viewport_.cx - kScrollBarWidth, 0, viewport_.cx, viewport_.cy};
        return true;
    }
    const Scroller* scroller = FindScroller(node);
    if (!scroller) {
        return false;
    }
    if (!ShowsVerticalBar(*scroller)) {
        return false;
    }
    litehtml::position box = PaddingBox(scroller->element);
    box.x -= pageScroll_.x;
    box.y -= pageScroll_.y;
    *bar = RECT{std::max(box.left(), box.right() - kScrollBarWidth), box.top(), box.right(),
                box.bottom()};
    return true;
}

bool PageLayout::ScrollBarState(const DomNode& node, ScrollBarParts* parts, LONG* maxOffset) {
    RECT bar;
    if (!ScrollBarRect(node, &bar)) {
        return false;
    }
    const Scroller* scroller = FindScroller(node);
    const LONG offset = scroller ? node.scrollOffset().y : pageScroll_.y;
    *maxOffset =
        scroller ? scroller->maxScroll.y : std::max<LONG>(0, documentSize_.cy - viewport_.cy);
    *parts = LayOutScrollBar(bar, offset, *maxOffset);
    return true;
}

DomNodePtr PageLayout::HitTestVisitingEveryElement(POINT client) {
    EnsureLayout();
    if (!document_) {
        return nullptr;
    }
    ForgetHitRegions(*document_->root());
    DomNodePtr hit = HitTest(client);
    BoundHitRegions(*document_->root());
    return hit;
}

DomNodePtr PageLayout::HitTest(POINT client) {
    EnsureLayout();
    if (!document_ || client.x < 0 || client.y < 0 || client.x >= viewport_.cx ||
        client.y >= viewport_.cy) {
        return nullptr;
    }
    const int x = client.x + pageScroll_.x;
    const int y = client.y + pageScroll_.y;
    // Content scrolled out of a division is not under the pointer: such content is skipped and
    // the search repeated.
    std::vector<std::pair<litehtml::element::ptr, bool>> hidden;
    litehtml::element::ptr hit;
    for (size_t attempt = 0; attempt <= scrollers_.size(); ++attempt) {
        hit = document_->root()->get_element_by_point(x, y, client.x, client.y);
        litehtml::element::ptr clipping;
        for (litehtml::element::ptr at = hit; at; at = at->parent()) {
            if (Scrolls(at) && at != hit && !Contains(PaddingBox(at), x, y)) {
                clipping = at;
            }
        }
        if (!clipping) {
            break;
        }
        for (size_t c = 0; c < clipping->get_children_count(); ++c) {
            litehtml::element::ptr child = clipping->get_child(static_cast<int>(c));
            hidden.emplace_back(child, child->skip());
            child->skip(true);
        }
        hit.reset();
    }
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it) {
        it->first->skip(it->second);
    }
    for (litehtml::element::ptr at = hit; at; at = at->parent()) {
        const char* index = at->get_attr(kLayoutIndexAttribute);
        if (!index) {
            continue;
        }
        char* end = nullptr;
        const unsigned long value = std::strtoul(index, &end, 10);
        if (*end == '\0' && value < order_.size()) {
            return order_[value]->shared_from_this();
        }
    }
    return nullptr;
}

bool PageLayout::ClientRect(const DomNode& node, RECT* rect) {
    EnsureLayout();
    BringIntoLayout(node);
    litehtml::position box;
    if (!DocumentBox(node, &box)) {
        return false;
    }
    *rect = RECT{box.left() - pageScroll_.x, box.top() - pageScroll_.y, box.right() - pageScroll_.x,
                 box.bottom() - pageScroll_.y};
    return true;
}

bool PageLayout::VisibleClientRect(const DomNode& node, RECT* rect) {
    if (!ClientRect(node, rect)) {
        return false;
    }
    *rect = IntersectRects(*rect, RECT{0, 0, viewport_.cx, viewport_.cy});
    for (DomNodePtr ancestor = node.parent(); ancestor; ancestor = ancestor->parent()) {
        if (const Scroller* scroller = FindScroller(*ancestor)) {
            litehtml::position box = PaddingBox(scroller->element);
            box.x -= pageScroll_.x;
            box.y -= pageScroll_.y;
            *rect = IntersectRects(*rect, ToRect(box));
        }
    }
    return true;
}

DomNodePtr PageLayout::ScrollableAt(POINT client) {
    for (DomNodePtr at = HitTest(client); at; at = at->parent()) {
        const Scroller* scroller = FindScroller(*at);
        if (scroller && scroller->maxScroll.y > 0) {
            return at;
        }
    }
    DomNodePtr page = body();
    return page && documentSize_.cy > viewport_.cy ? page : nullptr;
}

} // namespace htmlview::internal
