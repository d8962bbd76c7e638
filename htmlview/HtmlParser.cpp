#include "htmlview/HtmlParser.h"

#include "htmlview/Utf.h"

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

void ConvertChildren(const GumboElement& element, DomNode& into, int depth);

// Converts a gumbo node; comments, scripts and the like give nullptr.
DomNodePtr Convert(const GumboNode* node, int depth) {
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
        ConvertChildren(element, *result, depth + 1);
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

void ConvertChildren(const GumboElement& element, DomNode& into, int depth) {
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
        if (DomNodePtr converted = Convert(child, depth)) {
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

std::vector<DomNodePtr> ParseFragment(std::string_view utf8, std::string_view contextTag) {
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
    DomNodePtr holder = Convert(parse.output()->root, 0);
    if (holder) {
        result = holder->children();
    }
    return result;
}

} // namespace htmlview::internal
