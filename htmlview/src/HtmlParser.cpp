#include "htmlview/src/HtmlParser.h"

#include "htmlview/src/Utf.h"

#include <gumbo.h>

#include <utility>
#include <vector>

namespace htmlview::internal {

namespace {

std::string TagName(const GumboElement& element) {
    if (element.tag != GUMBO_TAG_UNKNOWN) {
        return gumbo_normalized_tagname(element.tag);
    }
    GumboStringPiece original = element.original_tag;
    gumbo_tag_from_original_text(&original);
    return AsciiLower(std::string_view(original.data, original.length));
}

// The control runs no scripts, and markup that comes from outside (a captured text goes into the
// page as markup) must not carry any: script elements, event-handler attributes and script
// addresses are left out of the tree.
bool IsScriptAddress(std::string_view value) {
    std::string compact;
    for (const char c : value) {
        if (static_cast<unsigned char>(c) > ' ') {
            compact += c;
        }
    }
    compact = AsciiLower(compact);
    // Anywhere in the value: also inside a style's url(...), and IE's CSS expressions.
    return compact.find("javascript:") != std::string::npos ||
           compact.find("vbscript:") != std::string::npos ||
           compact.find("expression(") != std::string::npos;
}

bool IsUnsafeAttribute(const std::string& name, const char* value) {
    return name.rfind("on", 0) == 0 || IsScriptAddress(value ? value : "");
}

// Markup from outside may nest without end; deeper elements than this give their content to
// the deepest one kept, so that nothing that walks the tree (layout included) runs out of stack.
constexpr int kMaxDepth = 200;

void ConvertChildren(const GumboElement& element, DomNode& into, int depth,
                     std::vector<RowEnd>* rowEnds);

bool IsEndTagOf(GumboStringPiece endTag, GumboTag tag) {
    if (endTag.length < 3 || endTag.data[0] != '<' || endTag.data[1] != '/') {
        return false;
    }
    gumbo_tag_from_original_text(&endTag);
    return gumbo_tagn_enum(endTag.data, static_cast<unsigned>(endTag.length)) == tag;
}

// A row of a table body closed by its own end tag (not by the end of the table or another
// element): right after that tag the parser is back in the table body, reading plain markup.
bool IsRowClosedByItsEndTag(const GumboNode* node) {
    const GumboElement& element = node->v.element;
    return element.tag == GUMBO_TAG_TR && element.original_tag.length > 0 && node->parent &&
           node->parent->type == GUMBO_NODE_ELEMENT &&
           node->parent->v.element.tag == GUMBO_TAG_TBODY &&
           IsEndTagOf(element.original_end_tag, GUMBO_TAG_TR);
}

size_t EndOfEndTag(const GumboElement& element) {
    return element.end_pos.offset + element.original_end_tag.length;
}

// Converts a gumbo node; comments, scripts and the like give nullptr.
DomNodePtr Convert(const GumboNode* node, int depth, std::vector<RowEnd>* rowEnds = nullptr) {
    switch (node->type) {
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE: {
        const GumboElement& element = node->v.element;
        if (element.tag == GUMBO_TAG_SCRIPT) {
            return nullptr;
        }
        Attributes attributes;
        for (unsigned i = 0; i < element.attributes.length; ++i) {
            const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
            std::string name = AsciiLower(attribute->name);
            if (!IsUnsafeAttribute(name, attribute->value)) {
                attributes.emplace_back(std::move(name), attribute->value);
            }
        }
        DomNodePtr result = DomNode::NewElement(TagName(element), std::move(attributes));
        ConvertChildren(element, *result, depth + 1, rowEnds);
        if (rowEnds && IsRowClosedByItsEndTag(node)) {
            rowEnds->push_back({EndOfEndTag(element), result});
        }
        return result;
    }
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_WHITESPACE:
    case GUMBO_NODE_CDATA:
        return DomNode::NewText(node->v.text.text);
    default:
        return nullptr;
    }
}

// The text inside an element too deep to keep, in document order, without recursion.
void FlattenInto(const GumboElement& element, DomNode& into) {
    std::vector<std::pair<const GumboElement*, unsigned>> pending = {{&element, 0}};
    while (!pending.empty()) {
        auto& [at, next] = pending.back();
        if (next >= at->children.length) {
            pending.pop_back();
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(at->children.data[next++]);
        if (child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE) {
            if (child->v.element.tag != GUMBO_TAG_SCRIPT) {
                pending.emplace_back(&child->v.element, 0);
            }
        } else if (DomNodePtr text = Convert(child, 0)) {
            into.AppendChild(std::move(text));
        }
    }
}

void ConvertChildren(const GumboElement& element, DomNode& into, int depth,
                     std::vector<RowEnd>* rowEnds) {
    for (unsigned i = 0; i < element.children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(element.children.data[i]);
        const bool isElement =
            child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE;
        if (isElement && depth >= kMaxDepth) {
            if (child->v.element.tag != GUMBO_TAG_SCRIPT) {
                FlattenInto(child->v.element, into);
            }
            continue;
        }
        if (DomNodePtr converted = Convert(child, depth, rowEnds)) {
            into.AppendChild(std::move(converted));
        }
    }
}

class GumboParse {
public:
    GumboParse(std::string_view utf8, const GumboOptions& options) : options_(options) {
        output_ = gumbo_parse_with_options(&options_, utf8.data(), utf8.size());
    }
    ~GumboParse() {
        if (output_) {
            gumbo_destroy_output(&options_, output_);
        }
    }
    GumboParse(const GumboParse&) = delete;
    GumboParse& operator=(const GumboParse&) = delete;
    const GumboOutput* output() const { return output_; }

private:
    GumboOptions options_;
    GumboOutput* output_ = nullptr;
};

} // namespace

DomNodePtr ParseDocument(std::string_view utf8, bool* quirks) {
    GumboParse parse(utf8, kGumboDefaultOptions);
    if (quirks) {
        *quirks = !parse.output() ||
                  parse.output()->document->v.document.doc_type_quirks_mode == GUMBO_DOCTYPE_QUIRKS;
    }
    DomNodePtr root = parse.output() ? Convert(parse.output()->root, 0) : nullptr;
    if (!root) {
        root = DomNode::NewElement("html", {});
        root->AppendChild(DomNode::NewElement("head", {}));
        root->AppendChild(DomNode::NewElement("body", {}));
    }
    return root;
}

std::vector<DomNodePtr> ParseFragment(std::string_view utf8, std::string_view contextTag,
                                      std::vector<RowEnd>* rowEnds) {
    GumboOptions options = kGumboDefaultOptions;
    const std::string tag = AsciiLower(contextTag);
    GumboTag context = gumbo_tagn_enum(tag.data(), static_cast<unsigned>(tag.size()));
    // Elements without special parsing rules of their own parse their content like a division.
    options.fragment_context = context == GUMBO_TAG_UNKNOWN ? GUMBO_TAG_DIV : context;
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
    GumboParse parse(utf8, options);
    std::vector<DomNodePtr> result;
    if (!parse.output()) {
        return result;
    }
    // The parser puts the fragment's nodes under a synthetic <html> root.
    DomNodePtr holder = Convert(parse.output()->root, 0, rowEnds);
    if (holder) {
        result = holder->children();
    }
    return result;
}

namespace {

// A form inside the rows would be dropped or kept depending on a form around the table, which
// the rows alone cannot see.
bool ContainsFormElement(const GumboNode* node) {
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) {
        return false;
    }
    const GumboElement& element = node->v.element;
    if (element.tag == GUMBO_TAG_FORM || element.tag == GUMBO_TAG_ISINDEX) {
        return true;
    }
    for (unsigned i = 0; i < element.children.length; ++i) {
        if (ContainsFormElement(static_cast<const GumboNode*>(element.children.data[i]))) {
            return true;
        }
    }
    return false;
}

} // namespace

bool ParseTableRows(std::string_view utf8, int depth, std::vector<DomNodePtr>& rows,
                    std::vector<RowEnd>& rowEnds) {
    rows.clear();
    rowEnds.clear();
    if (utf8.empty() || depth < 1 || depth >= kMaxDepth) {
        return false;
    }
    GumboOptions options = kGumboDefaultOptions;
    options.fragment_context = GUMBO_TAG_TBODY;
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
    GumboParse parse(utf8, options);
    const GumboOutput* output = parse.output();
    // Any parse error may mean the markup around the rows would have changed the outcome (an
    // end tag of the table inside a cell, a table opened among the rows, ...).
    if (!output || output->errors.length != 0 || output->root->type != GUMBO_NODE_ELEMENT) {
        return false;
    }
    const GumboElement& holder = output->root->v.element;
    size_t expected = 0;
    for (unsigned i = 0; i < holder.children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(holder.children.data[i]);
        if (child->type != GUMBO_NODE_ELEMENT || child->v.element.tag != GUMBO_TAG_TR ||
            child->v.element.start_pos.offset != expected ||
            !IsEndTagOf(child->v.element.original_end_tag, GUMBO_TAG_TR) ||
            child->v.element.original_tag.length == 0 || ContainsFormElement(child)) {
            return false;
        }
        expected = EndOfEndTag(child->v.element);
    }
    if (expected != utf8.size()) {
        return false;
    }
    for (unsigned i = 0; i < holder.children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(holder.children.data[i]);
        DomNodePtr row = Convert(child, depth);
        if (!row) {
            return false;
        }
        rowEnds.push_back({EndOfEndTag(child->v.element), row});
        rows.push_back(std::move(row));
    }
    return true;
}

} // namespace htmlview::internal
