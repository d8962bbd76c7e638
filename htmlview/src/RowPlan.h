// Which rows of a long table a layout holds. A table of thousands of rows in a scrolling
// division (the capture list) is laid out with the rows near the visible part, the rows that
// set its columns' widths and the rows not measured yet; each run of rows left out is replaced
// by one spacer row of their height, so every row that is laid out lands where it would in the
// whole table.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"

#include <functional>
#include <set>
#include <string>
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

// What may differ between two rows that are laid out alike: ids (when no style sheet picks
// elements by id) and the classes whose rules change only colours and other painting.
struct RowKeyRules {
    bool ignoreIds = false;
    // Whether the classes that matter are known: else every class counts.
    bool classesKnown = false;
    // Named by a rule that can move something; looked up by views as well.
    std::set<std::string, std::less<>> layingOutClasses;

    bool operator==(const RowKeyRules& other) const {
        return ignoreIds == other.ignoreIds && classesKnown == other.classesKnown &&
               layingOutClasses == other.layingOutClasses;
    }
};

// Reads the rules off the page's style sheets.
RowKeyRules RowKeyRulesOf(const std::vector<std::string>& styleSheets);

// A hash of the row's markup with what the rules let go taken out.
size_t RowLayoutKey(const DomNode& row, const RowKeyRules& rules);
// Whether changing an attribute from `before` to `after` leaves a row's look-up key (and so its
// layout) as it was: ids when no rule picks by them, classes that only paint.
bool KeepsRowKey(const std::string& name, const std::string& before, const std::string& after,
                 const RowKeyRules& rules);

} // namespace htmlview::internal
