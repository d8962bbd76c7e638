// Long tables: a layout holds only the rows of a long table near the visible part of its
// scrolling division, the rows that set its columns' widths, and the rows it has not measured;
// spacers of the right height stand for the rest (see RowPlan.h). What each row measured (its
// height, its cells' narrowest and widest widths) is kept with the row.
#include "htmlview/src/PageLayout.h"

#include <litehtml/html_tag.h>
#include <litehtml/table.h>

#include <algorithm>
#include <climits>

namespace htmlview::internal {

namespace {

// The layout engine keeps a table's grid and spacing to itself; its protected members are
// reached through pointers to members, which a derived class may form.
struct TableInternals : litehtml::html_tag {
    static constexpr auto kGrid = &TableInternals::m_grid;
    static constexpr auto kSpacingY = &TableInternals::m_border_spacing_y;
    static constexpr auto kCollapse = &TableInternals::m_border_collapse;
};

bool IsRowGroup(const std::string& tag) {
    return tag == "table" || tag == "tbody" || tag == "thead" || tag == "tfoot";
}

// Whether a laid-out element or anything in it could show outside its row, or styles the page.
bool StaysInItsRow(const litehtml::element& element) {
    const litehtml::element_position position = element.get_element_position();
    if (position == litehtml::element_position_absolute ||
        position == litehtml::element_position_fixed) {
        return false;
    }
    const litehtml::tchar_t* tag = element.get_tagName();
    if (tag &&
        (litehtml::t_strcasecmp(tag, "style") == 0 || litehtml::t_strcasecmp(tag, "link") == 0)) {
        return false;
    }
    for (size_t i = 0; i < element.get_children_count(); ++i) {
        if (!StaysInItsRow(
                *const_cast<litehtml::element&>(element).get_child(static_cast<int>(i)))) {
            return false;
        }
    }
    return true;
}

} // namespace

void PageLayout::SetRowWindowing(bool on) {
    if (rowWindowing_ != on) {
        rowWindowing_ = on;
        DropLayout();
        invalidate_();
    }
}

size_t PageLayout::LaidOutRowCount() const {
    size_t rows = 0;
    for (const RowPlan& plan : plans_) {
        rows += static_cast<size_t>(std::count(plan.present.begin(), plan.present.end(), 1));
    }
    return rows;
}

PageLayout::LongTable& PageLayout::LongTableOf(const DomNode& container) {
    LongTable* gone = nullptr;
    for (LongTable& table : longTables_) {
        const DomNodePtr node = table.container.lock();
        if (node.get() == &container) {
            return table;
        }
        if (!node && gone == nullptr) {
            gone = &table;
        }
    }
    // A table whose markup was parsed anew (the same list set again after other changes) takes
    // over what was learned of the one it replaces: its rows are found again by their markup.
    LongTable& table = gone ? *gone : longTables_.emplace_back();
    table.container = const_cast<DomNode&>(container).shared_from_this();
    table.spacers.clear();
    return table;
}

RowPlan* PageLayout::PlanRows(const DomNode& container, bool allRows) {
    const auto& rows = container.children();
    if (!IsRowGroup(container.tag())) {
        return nullptr;
    }
    for (const DomNodePtr& row : rows) {
        if (!row->IsElement() || row->tag() != "tr") {
            return nullptr;
        }
    }
    LongTable& table = LongTableOf(container);
    RowPlan& plan = plans_.emplace_back();
    plan.container = &container;
    plan.present.assign(rows.size(), 1);
    plan.spacerHeight.assign(rows.size(), -1);
    if (allRows || !rowWindowing_ || structuralStyles_ || !table.usable) {
        return &plan;
    }
    const size_t columns = table.columnEdges.size() / 2;
    plan.columns = static_cast<int>(columns);
    // Rows measured in the current columns may be left out; of them, the one with the widest
    // narrowest width and the one with the widest natural width of each column stay, so the
    // columns come out as wide as with every row.
    std::vector<int> heights(rows.size(), 0);
    std::vector<int> widestMin(columns, -1), widestMax(columns, -1);
    std::vector<size_t> widestMinRow(columns, rows.size()), widestMaxRow(columns, rows.size());
    if (!(table.keyRules == rowKeyRules_)) {
        table.byMarkup.clear();
        table.keyRules = rowKeyRules_;
    }
    const auto current = [&table, columns](const RowMeasure& measure) {
        return measure.generation == table.generation && measure.height >= 0 && measure.simple &&
               measure.minWidths.size() == columns;
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const RowMeasure* measure = rows[i]->findRowMeasure();
        if (measure == nullptr || !current(*measure) ||
            measure->version != rows[i]->changeVersion()) {
            // A row parsed anew, or changed, may repeat the markup of a row measured before.
            const auto same = table.byMarkup.find(RowLayoutKey(*rows[i], rowKeyRules_));
            if (same != table.byMarkup.end() && current(same->second)) {
                RowMeasure& own = rows[i]->rowMeasure();
                own = same->second;
                own.version = rows[i]->changeVersion();
                measure = &own;
            }
        }
        if (measure == nullptr) {
            continue;
        }
        heights[i] = std::max(measure->height, 0);
        if (!current(*measure) || measure->version != rows[i]->changeVersion()) {
            continue;
        }
        plan.present[i] = 0;
        for (size_t c = 0; c < columns; ++c) {
            if (measure->minWidths[c] > widestMin[c]) {
                widestMin[c] = measure->minWidths[c];
                widestMinRow[c] = i;
            }
            if (measure->maxWidths[c] > widestMax[c]) {
                widestMax[c] = measure->maxWidths[c];
                widestMaxRow[c] = i;
            }
        }
    }
    for (size_t c = 0; c < columns; ++c) {
        for (size_t row : {widestMinRow[c], widestMaxRow[c]}) {
            if (row < rows.size()) {
                plan.present[row] = 1;
            }
        }
    }
    // The visible part and a view's height above and below it.
    const DomNodePtr scroller = table.scroller.lock();
    const long long scroll = scroller ? scroller->scrollOffset().y : 0;
    const long long from = scroll - table.topInScroller - table.viewHeight;
    const long long to = scroll - table.topInScroller + 2LL * table.viewHeight;
    long long top = table.firstRowTop;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (top + heights[i] >= from && top <= to) {
            plan.present[i] = 1;
        }
        top += heights[i] + table.spacingY;
    }
    for (const std::weak_ptr<DomNode>& wanted : wantedRows_) {
        const DomNodePtr row = wanted.lock();
        if (row && row->parent().get() == &container) {
            const auto at = std::find(rows.begin(), rows.end(), row);
            if (at != rows.end()) {
                plan.present[static_cast<size_t>(at - rows.begin())] = 1;
            }
        }
    }
    for (size_t i = 0; i < rows.size();) {
        if (plan.present[i]) {
            ++i;
            continue;
        }
        size_t end = i;
        long long height = 0;
        while (end < rows.size() && !plan.present[end]) {
            height += heights[end];
            ++end;
        }
        height += static_cast<long long>(end - i - 1) * table.spacingY;
        plan.spacerHeight[i] = static_cast<int>(std::min<long long>(height, INT_MAX / 2));
        plan.windowed = true;
        i = end;
    }
    return &plan;
}

bool PageLayout::MeasureLongTables() {
    bool settled = true;
    for (const RowPlan& plan : plans_) {
        if (!MeasureLongTable(plan, LongTableOf(*plan.container))) {
            settled = false;
        }
    }
    return settled;
}

bool PageLayout::MeasureLongTable(const RowPlan& plan, LongTable& table) {
    table.usable = false;
    table.spacers.clear();
    // A layout that left nothing out is right whatever it finds; one that left rows out is
    // made again when the table turns out not to allow it.
    const bool settledUnlessUsable = !plan.windowed;
    const DomNode* tableNode =
        plan.container->tag() == "table" ? plan.container : plan.container->parent().get();
    if (tableNode == nullptr || tableNode->tag() != "table") {
        return settledUnlessUsable;
    }
    const litehtml::element::ptr element = ElementOf(*tableNode);
    auto* tag = dynamic_cast<litehtml::html_tag*>(element.get());
    litehtml::table_grid* grid = tag ? (tag->*TableInternals::kGrid).get() : nullptr;
    if (grid == nullptr || grid->rows_count() != static_cast<int>(plan.laidOut.size()) ||
        tag->*TableInternals::kCollapse != litehtml::border_collapse_separate) {
        return settledUnlessUsable;
    }
    for (int r = 0; r < grid->rows_count(); ++r) {
        const litehtml::table_row& row = grid->row(r);
        const DomNode* node = plan.laidOut[static_cast<size_t>(r)];
        if ((node && ElementOf(*node) != row.el_row) || row.height != row.min_height) {
            return settledUnlessUsable; // not the document's rows, or stretched to a height
        }
    }
    std::vector<int> edges;
    for (int c = 0; c < grid->cols_count(); ++c) {
        edges.push_back(grid->column(c).left);
        edges.push_back(grid->column(c).right);
    }
    if (edges != table.columnEdges) {
        ++table.generation;
        table.byMarkup.clear();
        table.columnEdges = std::move(edges);
        if (plan.windowed) {
            return false; // the rows left out were measured in other columns
        }
    }
    const int columns = grid->cols_count();
    if (!(table.keyRules == rowKeyRules_) ||
        table.byMarkup.size() > 2 * plan.present.size() + 256) {
        table.byMarkup.clear(); // other rules, or mostly rows long gone
        table.keyRules = rowKeyRules_;
    }
    size_t index = 0;
    for (int r = 0; r < grid->rows_count(); ++r) {
        const DomNode* node = plan.laidOut[static_cast<size_t>(r)];
        const litehtml::table_row& row = grid->row(r);
        if (node == nullptr) {
            // Spacers stand for the run of rows that starts at the next left-out index.
            while (index < plan.present.size() && plan.present[index]) {
                ++index;
            }
            if (index >= plan.present.size() || row.height != plan.spacerHeight[index]) {
                return false;
            }
            table.spacers.emplace_back(row.top, row.bottom);
            while (index < plan.present.size() && !plan.present[index]) {
                ++index;
            }
            continue;
        }
        while (index < plan.present.size() && !plan.present[index]) {
            ++index;
        }
        ++index;
        RowMeasure& measure = node->rowMeasure();
        measure.version = node->changeVersion();
        measure.generation = table.generation;
        measure.height = row.height;
        measure.simple = row.el_row != nullptr && StaysInItsRow(*row.el_row);
        measure.minWidths.assign(static_cast<size_t>(columns), 0);
        measure.maxWidths.assign(static_cast<size_t>(columns), 0);
        for (int c = 0; c < columns; ++c) {
            const litehtml::table_cell* cell = grid->cell(c, r);
            if (cell == nullptr || cell->el == nullptr || cell->colspan != 1 ||
                cell->rowspan != 1) {
                measure.simple = false;
                continue;
            }
            measure.minWidths[static_cast<size_t>(c)] = cell->min_width;
            measure.maxWidths[static_cast<size_t>(c)] = cell->max_width;
        }
        if (measure.simple) {
            table.byMarkup[RowLayoutKey(*node, rowKeyRules_)] = measure;
        }
    }
    table.spacingY = tag->*TableInternals::kSpacingY;
    table.firstRowTop = grid->rows_count() > 0 ? grid->row(0).top : 0;
    const Scroller* scroller = nullptr;
    for (DomNodePtr up = tableNode->parent(); up && !scroller; up = up->parent()) {
        scroller = FindScroller(*up);
    }
    if (scroller == nullptr) {
        return settledUnlessUsable; // the page itself scrolls: every row is laid out
    }
    table.scroller = scroller->node->shared_from_this();
    table.viewHeight = scroller->element->get_position().height;
    table.topInScroller = element->get_placement().y - scroller->element->get_placement().y +
                          scroller->node->scrollOffset().y;
    table.usable = true;
    // The visible part, where the scrolling came to rest, must not show a spacer.
    return !ScrolledOntoSpacer(*scroller->node);
}

bool PageLayout::ScrolledOntoSpacer(const DomNode& scroller) const {
    for (const LongTable& table : longTables_) {
        if (table.spacers.empty() || table.scroller.lock().get() != &scroller) {
            continue;
        }
        const int top = scroller.scrollOffset().y - table.topInScroller;
        const int bottom = top + table.viewHeight;
        for (const auto& [spacerTop, spacerBottom] : table.spacers) {
            if (spacerTop < bottom && spacerBottom > top) {
                return true;
            }
        }
    }
    return false;
}

bool PageLayout::BringIntoLayout(const DomNode& node) {
    if (!document_ || ElementOf(node)) {
        return false;
    }
    DomNodePtr row = const_cast<DomNode&>(node).shared_from_this();
    for (DomNodePtr up = row->parent(); up; row = up, up = up->parent()) {
        for (const RowPlan& plan : plans_) {
            if (plan.container == up.get() && plan.windowed) {
                wantedRows_.push_back(row);
                DropLayout();
                EnsureLayout();
                return true;
            }
        }
    }
    return false;
}

} // namespace htmlview::internal
