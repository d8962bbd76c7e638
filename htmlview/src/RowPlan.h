// Which rows of a long table a layout holds. A table of thousands of rows in a scrolling
// division (the capture list) is laid out with the rows near the visible part, the rows that
// set its columns' widths and the rows not measured yet; each run of rows left out is replaced
// by one spacer row of their height, so every row that is laid out lands where it would in the
// whole table.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"

#include <functional>
#include <vector>

namespace htmlview::internal {

// A table whose row group holds at least this many rows may have rows left out.
constexpr size_t kLongTableRows = 64;

struct RowPlan {
    const DomNode* container = nullptr; // the element whose children are the rows
    int columns = 0;
    std::vector<char> present;     // per row: laid out
    std::vector<int> spacerHeight; // per row: height of the run left out that starts here, or -1
    bool windowed = false;         // some rows are left out
    // Filled while the markup is written: the table's rows in layout order, nullptr for spacers.
    std::vector<const DomNode*> laidOut;
};

// Asked for each element with kLongTableRows children or more: the plan for its rows, or nullptr
// to write them all.
using RowPlanner = std::function<RowPlan*(const DomNode& container)>;

} // namespace htmlview::internal
