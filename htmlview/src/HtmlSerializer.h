// Markup from the control's document tree: for inner HTML, and for the layout engine, which
// gets every element tagged with its index so that its boxes can be traced back to the node.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/src/DomNode.h"
#include "htmlview/src/RowPlan.h"

#include <string>
#include <vector>

namespace htmlview::internal {

// The attribute that carries an element's index in the layout markup.
constexpr char kLayoutIndexAttribute[] = "data-htmlview-node";

std::string SerializeChildren(const DomNode& node);

// The markup of root and its subtree; order receives the elements, each at the index written
// into its kLayoutIndexAttribute. The rows of a long table are written as planner says.
std::string SerializeForLayout(const DomNode& root, std::vector<DomNode*>& order,
                               const RowPlanner& planner = RowPlanner());

} // namespace htmlview::internal
