#include "htmlview/HtmlSerializer.h"

#include <algorithm>
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

class Serializer {
public:
    explicit Serializer(std::vector<DomNode*>* order) : order_(order) {}

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
        for (const auto& [name, value] : node.attributes()) {
            out += ' ';
            out += name;
            out += "=\"";
            AppendEscaped(out, value, true);
            out += '"';
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
        const bool raw = IsRawTextElement(node.tag());
        for (const DomNodePtr& child : node.children()) {
            Node(*child, out, raw);
        }
    }

private:
    std::vector<DomNode*>* order_;
};

} // namespace

std::string SerializeChildren(const DomNode& node) {
    std::string out;
    Serializer(nullptr).Children(node, out);
    return out;
}

std::string SerializeForLayout(const DomNode& root, std::vector<DomNode*>& order) {
    order.clear();
    std::string out;
    Serializer(&order).Node(root, out, false);
    return out;
}

} // namespace htmlview::internal
