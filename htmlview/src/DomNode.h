// The document tree the control keeps: elements and text, with attributes and the state of form
// fields. It is the one source of truth; the layout is made from it whenever it has changed.
#pragma once

#include "htmlview/src/Internal.h"

#include "htmlview/HtmlView.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace htmlview::internal {

class DomNode;
using DomNodePtr = std::shared_ptr<DomNode>;
using WideView = std::basic_string_view<WideString::value_type>;
struct RowEnd;
struct RowMatch;
struct RowShape;

// Geometry of one element in the current layout.
struct NodeGeometry {
    LONG offsetLeft = 0;
    LONG offsetTop = 0;
    LONG offsetWidth = 0;
    LONG offsetHeight = 0;
    DomNodePtr offsetParent;
};

// An element of the document whose id changed from `before` to `after`.
struct IdRenaming {
    DomNode* element;
    std::weak_ptr<DomNode> node; // the same element, taken while its memory was at hand
    std::string before;
    std::string after;
};

// The document that holds a tree of nodes: told about changes, asked for geometry.
class NodeOwner {
public:
    // Markup, attributes or styles changed: the layout is out of date.
    virtual void NodeMarkupChanged() = 0;
    // The same, where all that changed are attributes other than ids: the elements and their
    // ids are as they were.
    virtual void NodeAttributesChanged() = 0;
    // The same, where all that changed is that the subtrees `removed` left the document,
    // `added` came in and the elements `renamed` had other ids (each with its old id), beside
    // changes of other attributes: what is kept of the rest may stay.
    virtual void NodesReplaced(const std::vector<DomNodePtr>& removed,
                               const std::vector<DomNodePtr>& added,
                               std::vector<IdRenaming> renamed) = 0;
    // Whether an attribute of a row's element changing from `before` to `after` leaves the row
    // laid out as it was (what was measured of it stays valid).
    virtual bool KeepsRowLayout(const std::string& name, const std::string& before,
                                const std::string& after) const = 0;
    // Only what a form field shows changed: a repaint is enough.
    virtual void NodeStateChanged() = 0;
    // Only the element's inline background colour changed (to color, never empty): what the
    // layout holds is recoloured when that is all it takes, else the page is laid out again.
    virtual void NodeBackgroundChanged(const DomNode& node, const std::string& color) = 0;
    virtual NodeGeometry Geometry(const DomNode& node) = 0;
    virtual POINT ScrollPosition(const DomNode& node) = 0;
    virtual void SetScrollPosition(const DomNode& node, POINT position) = 0;

protected:
    ~NodeOwner() = default;
};

using Attributes = std::vector<std::pair<std::string, std::string>>;

// What a layout measured of a table row, so that later layouts of a long table can leave the row
// out while it is out of view (see LongTable.h). Valid while the row and the table's columns
// are as they were.
struct RowMeasure {
    unsigned long long version = 0;    // the row's changeVersion() when measured
    unsigned long long generation = 0; // the table's column arrangement it was measured in
    int height = -1;
    bool simple = false; // one cell per column, none spanning rows or columns
    std::vector<int> minWidths;
    std::vector<int> maxWidths;
};

class DomNode final : public Element, public std::enable_shared_from_this<DomNode> {
public:
    enum class Kind { Element, Text };

    static DomNodePtr NewElement(std::string tag, Attributes attributes);
    static DomNodePtr NewText(std::string text);

    Kind kind() const { return kind_; }
    bool IsElement() const { return kind_ == Kind::Element; }
    // Lower-case tag name of an element; empty for text.
    const std::string& tag() const { return tag_; }
    // UTF-8 text of a text node.
    const std::string& text() const { return text_; }
    const Attributes& attributes() const { return attributes_; }
    const std::string* FindAttribute(std::string_view name) const;
    const std::vector<DomNodePtr>& children() const { return children_; }
    DomNodePtr parent() const { return parent_.lock(); }
    NodeOwner* owner() const { return owner_; }

    // Building the tree (the parser): no change is reported.
    void AppendChild(DomNodePtr child);
    // Puts the subtree under owner (nullptr: out of any document).
    void SetOwner(NodeOwner* owner);
    // Replaces all children; the old ones leave the document.
    void ReplaceChildren(std::vector<DomNodePtr> children);

    // Form-field state, initialised from the attributes when the node is made.
    bool IsCheckable() const;
    bool IsTextField() const;
    bool checked() const { return checked_; }
    // What a text field shows: the typed or set value, else its initial one.
    std::string CurrentValue() const;
    // Typing into a text field.
    void SetValueUtf8(std::string value);

    // How far the element's content is scrolled; kept by the layout, which clamps it.
    POINT scrollOffset() const { return scroll_; }
    void setScrollOffset(POINT offset);

    // Grows with every change of the node's attributes or of anything below it.
    unsigned long long changeVersion() const { return descendantVersion_ + attributeVersion_; }
    // Kept by the layout for table rows: made when first asked for.
    RowMeasure& rowMeasure() const {
        if (!rowMeasure_) {
            rowMeasure_ = std::make_unique<RowMeasure>();
        }
        return *rowMeasure_;
    }
    const RowMeasure* findRowMeasure() const { return rowMeasure_.get(); }

    // Element
    WideString GetId() const override;
    void SetId(const WideString& id) override;
    WideString GetTagName() const override;
    WideString GetClassName() const override;
    void SetClassName(const WideString& className) override;
    WideString GetAttribute(const WideString& name) const override;
    bool HasAttribute(const WideString& name) const override;
    void SetAttribute(const WideString& name, const WideString& value) override;
    std::vector<std::pair<WideString, WideString>> GetAttributes() const override;
    WideString GetInnerHtml() const override;
    void SetInnerHtml(WideString html) override;
    WideString GetInnerText() const override;
    WideString GetBackgroundColor() const override;
    void SetBackgroundColor(const WideString& cssColor) override;
    bool GetChecked() const override;
    bool SetChecked(bool checked) override;
    WideString GetValue() const override;
    bool SetValue(const WideString& value) override;
    ElementPtr GetParent() const override;
    std::vector<ElementPtr> GetChildren() const override;
    LONG GetOffsetLeft() const override;
    LONG GetOffsetTop() const override;
    LONG GetOffsetWidth() const override;
    LONG GetOffsetHeight() const override;
    ElementPtr GetOffsetParent() const override;
    LONG GetScrollLeft() const override;
    LONG GetScrollTop() const override;
    void SetScrollLeft(LONG x) override;
    void SetScrollTop(LONG y) override;

    // UTF-8 attribute access for the control's own code.
    void SetAttributeUtf8(const std::string& name, std::string value);
    void RemoveAttributeUtf8(std::string_view name);
    void AppendTextTo(std::string& out) const;

    DomNode(Kind kind, std::string tagOrText, Attributes attributes);
    ~DomNode() override;

private:
    struct InnerHtmlMemory;
    struct ReusedRow;
    struct TakenValue;
    // The shape of a row's markup, with the row's elements: not known when the row cannot be
    // taken again from another markup.
    static RowShape ShapeOf(WideView markup, DomNode& row);
    // Finds the attributes the changes go to; false when an element lacks one.
    static bool TargetsOf(const RowMatch& match, std::vector<TakenValue>& targets);

    void MarkupChanged();
    // An attribute of this element changed: the layout is out of date, and so are the ids when
    // it was the id.
    void AttributeChanged(std::string_view name);
    // Sets or removes (empty value) an attribute without telling anyone; true when it changed.
    bool StoreAttribute(const std::string& key, std::string value, bool remove);
    // Something below this node changed (children, attributes, form state, scrolling): what
    // the inner markup last set here made is no longer all there is.
    void DescendantChanged();
    void NoteInnerHtml(WideString html, std::string_view utf8, std::vector<RowEnd> ends);
    // Takes `html` (moves it into the memory) only when it returns true.
    bool TryReplaceRows(WideString& html);
    NodeGeometry CurrentGeometry() const;

    Kind kind_;
    std::string tag_;
    std::string text_;
    Attributes attributes_;
    std::vector<DomNodePtr> children_;
    std::weak_ptr<DomNode> parent_;
    NodeOwner* owner_ = nullptr;
    bool checked_ = false;
    std::string value_;
    bool valueSet_ = false;
    POINT scroll_ = {0, 0};
    // Counts the changes below this node.
    unsigned long long descendantVersion_ = 0;
    // Counts the changes of the node's own attributes.
    unsigned long long attributeVersion_ = 0;
    mutable std::unique_ptr<RowMeasure> rowMeasure_;
    // The inner markup as last set, while the tree below is still exactly what it made: a
    // longer markup that only adds whole table rows at a row boundary then costs only the rows.
    std::unique_ptr<InnerHtmlMemory> innerHtml_;
};

// Depth-first search in document order, the node itself included.
DomNodePtr FindById(const DomNodePtr& root, std::string_view id);
DomNodePtr FindFirstByTag(const DomNodePtr& root, std::string_view tag);

} // namespace htmlview::internal
