#include "htmlview/src/HtmlSerializer.h"

#include "htmlview/src/InlineStyle.h"
#include "htmlview/src/Utf.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace htmlview::internal {

namespace {

bool IsVoidElement(std::string_view tag) {
    static constexpr std::string_view kVoid[] = {"area",  "base",   "br",    "col",  "embed",
                                                 "hr",    "img",    "input", "link", "meta",
                                                 "param", "source", "track", "wbr"};
    return std::find(std::begin(kVoid), std::end(kVoid), tag) != std::end(kVoid);
}

bool IsRawTextElement(std::string_view tag) {
    return tag == "style" || tag == "script" || tag == "xmp" || tag == "noscript";
}

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

void AppendEscaped(std::string& out, std::string_view text, bool inAttribute) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<' && !inAttribute) {
            out += "&lt;";
        } else if (c == '>' && !inAttribute) {
            out += "&gt;";
        } else if (c == '"' && inAttribute) {
            out += "&quot;";
        } else if (text.compare(i, kNoBreakSpace.size(), kNoBreakSpace) == 0) {
            out += "&nbsp;";
            ++i;
        } else {
            out += c;
        }
    }
}

// A height attribute as a CSS length: plain numbers are pixels, a percentage stays one, and a
// number with a CSS unit ("12pt") keeps its unit. Anything else is no height ("").
std::string HeightAttributeAsCss(const std::string& value) {
    const size_t begin = value.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return std::string();
    }
    const size_t end = value.find_last_not_of(" \t") + 1;
    const std::string text = value.substr(begin, end - begin);
    const size_t number = text.find_first_not_of("0123456789.");
    if (number == 0) {
        return std::string();
    }
    if (number == std::string::npos) {
        return text + "px";
    }
    const std::string unit = AsciiLower(text.substr(number));
    static constexpr std::string_view kUnits[] = {"%",  "px", "pt", "pc", "em",
                                                  "ex", "in", "cm", "mm"};
    if (std::find(std::begin(kUnits), std::end(kUnits), unit) == std::end(kUnits)) {
        return std::string();
    }
    return text.substr(0, number) + unit;
}

// A percentage height given to a table cell is a share of the table's height for its row, as
// the classic browsers lay it out; the layout engine takes such shares from rows only, so the
// layout markup gives the row the largest share of its cells (when it has no height itself).
// A table's height attribute is likewise given to the layout as a style.
std::string RowHeightFromCells(const DomNode& row) {
    const std::string* style = row.FindAttribute("style");
    if (style && !GetStyleProperty(*style, "height").empty()) {
        return std::string();
    }
    if (row.tag() == "table") {
        const std::string* height = row.FindAttribute("height");
        return height ? HeightAttributeAsCss(*height) : std::string();
    }
    if (row.tag() != "tr") {
        return std::string();
    }
    if (const std::string* own = row.FindAttribute("height")) {
        // A row's own height attribute is its height, whatever its cells ask for.
        return HeightAttributeAsCss(*own);
    }
    double largest = 0;
    for (const DomNodePtr& cell : row.children()) {
        if (!cell->IsElement() || (cell->tag() != "td" && cell->tag() != "th")) {
            continue;
        }
        const std::string* height = cell->FindAttribute("height");
        if (!height || height->empty() || height->back() != '%') {
            continue;
        }
        char* end = nullptr;
        const double share = std::strtod(height->c_str(), &end);
        if (end && *end == '%' && share > largest && share <= 100) {
            largest = share;
        }
    }
    if (largest <= 0) {
        return std::string();
    }
    std::string text = std::to_string(largest);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text + "%";
}

class Serializer {
public:
    explicit Serializer(std::vector<DomNode*>* order, const RowPlanner* planner = nullptr)
        : order_(order), planner_(planner) {}

    void Node(const DomNode& node, std::string& out, bool rawText) {
        if (!node.IsElement()) {
            if (rawText) {
                out += node.text();
            } else {
                AppendEscaped(out, node.text(), false);
            }
            return;
        }
        out += '<';
        out += node.tag();
        const std::string rowHeight = order_ ? RowHeightFromCells(node) : std::string();
        bool styled = false;
        for (const auto& [name, value] : node.attributes()) {
            out += ' ';
            out += name;
            out += "=\"";
            if (name == "style" && !rowHeight.empty()) {
                AppendEscaped(out, SetStyleProperty(value, "height", rowHeight), true);
                styled = true;
            } else {
                AppendEscaped(out, value, true);
            }
            out += '"';
        }
        if (!rowHeight.empty() && !styled) {
            out += " style=\"height: " + rowHeight + "\"";
        }
        if (order_) {
            out += ' ';
            out += kLayoutIndexAttribute;
            out += "=\"";
            out += std::to_string(order_->size());
            out += '"';
            order_->push_back(const_cast<DomNode*>(&node));
        }
        out += '>';
        if (IsVoidElement(node.tag())) {
            return;
        }
        Children(node, out);
        out += "</";
        out += node.tag();
        out += '>';
    }

    void Children(const DomNode& node, std::string& out) {
        if (planner_ && *planner_ && node.children().size() >= kLongTableRows) {
            if (RowPlan* plan = (*planner_)(node)) {
                PlannedRows(node, *plan, out);
                return;
            }
        }
        const bool raw = IsRawTextElement(node.tag());
        for (const DomNodePtr& child : node.children()) {
            Node(*child, out, raw);
        }
    }

private:
    void PlannedRows(const DomNode& node, RowPlan& plan, std::string& out) {
        const auto& rows = node.children();
        plan.laidOut.clear();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (plan.present[i]) {
                Node(*rows[i], out, false);
                plan.laidOut.push_back(rows[i].get());
            } else if (plan.spacerHeight[i] >= 0) {
                // Nothing of the page's style may give the spacer a border or padding of its own.
                out += "<tr><td colspan=\"";
                out += std::to_string(plan.columns);
                out += "\" style=\"height: ";
                out += std::to_string(plan.spacerHeight[i]);
                out += "px; padding: 0; border: 0; margin: 0\"></td></tr>";
                plan.laidOut.push_back(nullptr);
            }
        }
    }

    std::vector<DomNode*>* order_;
    const RowPlanner* planner_;
};

} // namespace

std::string SerializeChildren(const DomNode& node) {
    std::string out;
    Serializer(nullptr).Children(node, out);
    return out;
}

std::string SerializeForLayout(const DomNode& root, std::vector<DomNode*>& order,
                               const RowPlanner& planner) {
    order.clear();
    std::string out;
    Serializer(&order, &planner).Node(root, out, false);
    return out;
}

} // namespace htmlview::internal
