#include "htmlview/src/DomNode.h"

#include "htmlview/src/HtmlParser.h"
#include "htmlview/src/HtmlSerializer.h"
#include "htmlview/src/RowPatch.h"
#include "htmlview/src/InlineStyle.h"
#include "htmlview/src/Utf.h"

#include <algorithm>
#include <cstring>

namespace htmlview::internal {

namespace {

std::string InputType(const DomNode& node) {
    const std::string* type = node.FindAttribute("type");
    return type ? AsciiLower(*type) : std::string("text");
}

// UTF-16 offsets of the given UTF-8 byte offsets (each at the start of a character).
std::vector<size_t> Utf16Offsets(std::string_view utf8, const std::vector<RowEnd>& ends) {
    std::vector<size_t> result;
    result.reserve(ends.size());
    size_t byte = 0;
    size_t units = 0;
    for (const RowEnd& end : ends) {
        for (; byte < end.offset && byte < utf8.size(); ++byte) {
            const auto lead = static_cast<unsigned char>(utf8[byte]);
            if ((lead & 0xC0) != 0x80) {
                units += lead >= 0xF0 ? 2 : 1;
            }
        }
        result.push_back(units);
    }
    return result;
}

// How many code units `a` and `b` share at their start. Long markups that differ only near
// their end are compared a block at a time with memcmp before the exact place is looked for.
size_t CommonPrefixLength(const WideString& a, const WideString& b) {
    constexpr size_t kBlock = 2048;
    const size_t shorter = std::min(a.size(), b.size());
    size_t same = 0;
    while (same + kBlock <= shorter &&
           std::memcmp(a.data() + same, b.data() + same, kBlock * sizeof(a[0])) == 0) {
        same += kBlock;
    }
    return static_cast<size_t>(std::mismatch(a.begin() + static_cast<std::ptrdiff_t>(same),
                                             a.begin() + static_cast<std::ptrdiff_t>(shorter),
                                             b.begin() + static_cast<std::ptrdiff_t>(same))
                                   .first -
                               a.begin());
}

// Whether a and b hold the same code units. The standard comparison of strings of other
// characters than char goes through them one by one, whatever their lengths: here it is the
// whole list's markup after every capture.
bool SameText(const WideString& a, const WideString& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0;
}

// How many code units `a` and `b` share at their end, up to `limit`.
size_t CommonSuffixLength(const WideString& a, const WideString& b, size_t limit) {
    constexpr size_t kBlock = 2048;
    limit = std::min({limit, a.size(), b.size()});
    size_t same = 0;
    while (same + kBlock <= limit &&
           std::memcmp(a.data() + a.size() - same - kBlock, b.data() + b.size() - same - kBlock,
                       kBlock * sizeof(a[0])) == 0) {
        same += kBlock;
    }
    while (same < limit && a[a.size() - same - 1] == b[b.size() - same - 1]) {
        ++same;
    }
    return same;
}

} // namespace

// An old row that comes again in new markup.
struct DomNode::ReusedRow {
    DomNodePtr row;
    // What changes; once the row has taken the values, the values they replaced.
    std::vector<AttributeChange> changes;
    size_t end = 0; // just past the row in the new markup
    RowShape shape;
};

// An attribute value that an element of a reused row takes: the element's own value and that
// of the change are swapped, so that swapping them back undoes it.
struct DomNode::TakenValue {
    DomNode* element;
    size_t change; // among the row's changes
    std::string* value;
};

RowShape DomNode::ShapeOf(WideView markup, DomNode& row) {
    // Kept from row to row: thousands of rows pass here when a long list is set.
    thread_local std::vector<std::string> tags;
    thread_local std::vector<DomNode*> elements;
    thread_local std::vector<DomNode*> pending;
    RowShape shape;
    if (!ReadRowShape(markup, &shape, &tags)) {
        return RowShape();
    }
    // The row's elements in document order must be the tags its markup opens.
    elements.clear();
    pending.assign(1, &row);
    while (!pending.empty()) {
        DomNode* node = pending.back();
        pending.pop_back();
        if (!node->IsElement()) {
            continue;
        }
        if (elements.size() == tags.size() || node->tag_ != tags[elements.size()] ||
            node->IsCheckable() || node->IsTextField()) {
            return RowShape();
        }
        elements.push_back(node);
        for (auto child = node->children_.rbegin(); child != node->children_.rend(); ++child) {
            pending.push_back(child->get());
        }
    }
    if (elements.size() != tags.size()) {
        return RowShape();
    }
    for (RowShape::Value& value : shape.values) {
        value.element = elements[value.tag];
    }
    shape.values.shrink_to_fit();
    return shape;
}

bool DomNode::TargetsOf(const RowMatch& match, std::vector<TakenValue>& targets) {
    targets.clear();
    for (size_t i = 0; i < match.changes.size(); ++i) {
        const AttributeChange& change = match.changes[i];
        DomNode* element = change.element;
        const auto attribute = std::find_if(
            element->attributes_.begin(), element->attributes_.end(),
            [&change](const auto& candidate) { return candidate.first == change.name; });
        if (attribute == element->attributes_.end()) {
            return false;
        }
        targets.push_back({element, i, &attribute->second});
    }
    return true;
}

struct DomNode::InnerHtmlMemory {
    struct Boundary {
        size_t offset; // UTF-16 units, just past the row's end tag
        std::weak_ptr<DomNode> row;
        // The shape of the row's markup from the boundary before; none for the first row, which
        // is never taken again (only rows after a row that stays are).
        RowShape shape;
    };
    WideString html;
    unsigned long long version = 0;
    std::vector<Boundary> boundaries; // by offset
};

DomNode::~DomNode() = default;

void DomNode::DescendantChanged() {
    for (DomNode* node = this; node != nullptr;) {
        ++node->descendantVersion_;
        DomNodePtr up = node->parent();
        node = up.get(); // the parent is kept alive by its own parent or owner
    }
}

void DomNode::setScrollOffset(POINT offset) {
    if (offset.x != scroll_.x || offset.y != scroll_.y) {
        scroll_ = offset;
        if (DomNodePtr up = parent()) {
            up->DescendantChanged();
        }
    }
}

DomNode::DomNode(Kind kind, std::string tagOrText, Attributes attributes)
    : kind_(kind), attributes_(std::move(attributes)) {
    if (kind_ == Kind::Text) {
        text_ = std::move(tagOrText);
        return;
    }
    tag_ = AsciiLower(tagOrText);
    checked_ = IsCheckable() && FindAttribute("checked") != nullptr;
    if (tag_ == "input") {
        const std::string* value = FindAttribute("value");
        value_ = value ? *value : std::string();
        valueSet_ = true;
    }
}

std::string DomNode::CurrentValue() const {
    if (valueSet_) {
        return value_;
    }
    std::string text; // a text area starts with its content
    for (const DomNodePtr& child : children_) {
        child->AppendTextTo(text);
    }
    return text;
}

DomNodePtr DomNode::NewElement(std::string tag, Attributes attributes) {
    return std::make_shared<DomNode>(Kind::Element, std::move(tag), std::move(attributes));
}

DomNodePtr DomNode::NewText(std::string text) {
    return std::make_shared<DomNode>(Kind::Text, std::move(text), Attributes{});
}

const std::string* DomNode::FindAttribute(std::string_view name) const {
    for (const auto& attribute : attributes_) {
        // Lengths first: names of other lengths are most, and the standard comparison of a
        // string with a view does not look at them before the bytes.
        if (attribute.first.size() == name.size() &&
            std::memcmp(attribute.first.data(), name.data(), name.size()) == 0) {
            return &attribute.second;
        }
    }
    return nullptr;
}

void DomNode::AppendChild(DomNodePtr child) {
    if (DomNodePtr oldParent = child->parent()) {
        auto& siblings = oldParent->children_;
        for (auto it = siblings.begin(); it != siblings.end(); ++it) {
            if (*it == child) {
                siblings.erase(it);
                break;
            }
        }
    }
    child->parent_ = weak_from_this();
    child->SetOwner(owner_);
    children_.push_back(std::move(child));
}

void DomNode::SetOwner(NodeOwner* owner) {
    owner_ = owner;
    for (const DomNodePtr& child : children_) {
        child->SetOwner(owner);
    }
}

void DomNode::ReplaceChildren(std::vector<DomNodePtr> children) {
    for (const DomNodePtr& old : children_) {
        old->parent_.reset();
        old->SetOwner(nullptr);
    }
    children_.clear();
    for (DomNodePtr& child : children) {
        AppendChild(std::move(child));
    }
    innerHtml_.reset();
    DescendantChanged();
    MarkupChanged();
}

bool DomNode::IsCheckable() const {
    if (std::string_view(tag_) != "input") {
        return false;
    }
    const std::string type = InputType(*this);
    return type == "checkbox" || type == "radio";
}

bool DomNode::IsTextField() const {
    const std::string_view tag(tag_); // compared by length first
    if (tag == "textarea") {
        return true;
    }
    if (tag != "input") {
        return false;
    }
    const std::string type = InputType(*this);
    return type == "text" || type == "password" || type == "search" || type == "number" ||
           type == "email" || type == "url" || type == "tel";
}

void DomNode::SetValueUtf8(std::string value) {
    value_ = std::move(value);
    valueSet_ = true;
    if (DomNodePtr up = parent()) {
        up->DescendantChanged();
    }
    if (owner_) {
        owner_->NodeStateChanged();
    }
}

void DomNode::MarkupChanged() {
    if (DomNodePtr up = parent()) {
        up->DescendantChanged();
    }
    if (owner_) {
        owner_->NodeMarkupChanged();
    }
}

bool DomNode::StoreAttribute(const std::string& key, std::string value, bool remove) {
    ++attributeVersion_;
    for (auto it = attributes_.begin(); it != attributes_.end(); ++it) {
        if (it->first == key) {
            if (remove) {
                attributes_.erase(it);
            } else {
                it->second = std::move(value);
            }
            return true;
        }
    }
    if (remove) {
        return false;
    }
    attributes_.emplace_back(key, std::move(value));
    return true;
}

void DomNode::AttributeChanged(std::string_view name) {
    if (name == "id") {
        MarkupChanged();
        return;
    }
    if (DomNodePtr up = parent()) {
        up->DescendantChanged();
    }
    if (owner_) {
        owner_->NodeAttributesChanged();
    }
}

void DomNode::SetAttributeUtf8(const std::string& name, std::string value) {
    const std::string key = AsciiLower(name);
    StoreAttribute(key, std::move(value), false);
    AttributeChanged(key);
}

void DomNode::RemoveAttributeUtf8(std::string_view name) {
    const std::string key = AsciiLower(name);
    if (StoreAttribute(key, std::string(), true)) {
        AttributeChanged(key);
    }
}

void DomNode::AppendTextTo(std::string& out) const {
    if (!IsElement()) {
        out += text_;
        return;
    }
    if (tag_ == "style" || tag_ == "script" || tag_ == "head") {
        return;
    }
    if (tag_ == "br") {
        out += "\r\n";
        return;
    }
    for (const DomNodePtr& child : children_) {
        child->AppendTextTo(out);
    }
}

WideString DomNode::GetId() const {
    const std::string* id = FindAttribute("id");
    return id ? FromUtf8(*id) : WideString();
}

void DomNode::SetId(const WideString& id) {
    SetAttributeUtf8("id", ToUtf8(id));
}

WideString DomNode::GetTagName() const {
    return FromUtf8(AsciiUpper(tag_));
}

WideString DomNode::GetClassName() const {
    const std::string* value = FindAttribute("class");
    return value ? FromUtf8(*value) : WideString();
}

void DomNode::SetClassName(const WideString& className) {
    SetAttributeUtf8("class", ToUtf8(className));
}

WideString DomNode::GetAttribute(const WideString& name) const {
    const std::string* value = FindAttribute(AsciiLower(ToUtf8(name)));
    return value ? FromUtf8(*value) : WideString();
}

bool DomNode::HasAttribute(const WideString& name) const {
    return FindAttribute(AsciiLower(ToUtf8(name))) != nullptr;
}

void DomNode::SetAttribute(const WideString& name, const WideString& value) {
    const std::string key = AsciiLower(ToUtf8(name));
    if (key.empty()) {
        return;
    }
    SetAttributeUtf8(key, ToUtf8(value));
}

std::vector<std::pair<WideString, WideString>> DomNode::GetAttributes() const {
    std::vector<std::pair<WideString, WideString>> result;
    for (const auto& [name, value] : attributes_) {
        result.emplace_back(FromUtf8(name), FromUtf8(value));
    }
    return result;
}

WideString DomNode::GetInnerHtml() const {
    return IsElement() ? FromUtf8(SerializeChildren(*this)) : WideString();
}

void DomNode::SetInnerHtml(WideString html) {
    if (!IsElement()) {
        return;
    }
    if (TryReplaceRows(html)) {
        return;
    }
    const std::string utf8 = ToUtf8(html);
    std::vector<RowEnd> ends;
    ReplaceChildren(ParseFragment(utf8, tag_, &ends));
    NoteInnerHtml(std::move(html), utf8, std::move(ends));
}

void DomNode::NoteInnerHtml(WideString html, std::string_view utf8, std::vector<RowEnd> ends) {
    innerHtml_.reset();
    if (ends.empty()) {
        return; // nothing could be added in place
    }
    std::sort(ends.begin(), ends.end(),
              [](const RowEnd& a, const RowEnd& b) { return a.offset < b.offset; });
    const std::vector<size_t> offsets = Utf16Offsets(utf8, ends);
    auto memory = std::make_unique<InnerHtmlMemory>();
    memory->html = std::move(html);
    memory->version = descendantVersion_;
    memory->boundaries.reserve(ends.size());
    const WideView markup(memory->html);
    for (size_t i = 0; i < ends.size(); ++i) {
        RowShape shape;
        if (i > 0 && ends[i].row) {
            shape =
                ShapeOf(markup.substr(offsets[i - 1], offsets[i] - offsets[i - 1]), *ends[i].row);
        }
        memory->boundaries.push_back({offsets[i], ends[i].row, std::move(shape)});
    }
    innerHtml_ = std::move(memory);
}

// The new markup is the one last set with a run of whole rows replaced by other whole rows
// (none, when rows are only taken out; none taken out, when rows are only put in), the run
// starting right after a row that its end tag closed, and nothing below changed since: the
// parser would build the same tree with the new rows there, so only they are parsed and the
// rows before and after stay the same nodes. Markup equal to the last is no change at all.
bool DomNode::TryReplaceRows(WideString& html) {
    InnerHtmlMemory* memory = innerHtml_.get();
    if (!memory || memory->version != descendantVersion_) {
        return false;
    }
    const WideString& old = memory->html;
    if (SameText(html, old)) {
        return true;
    }
    const size_t common = CommonPrefixLength(old, html);
    auto at = std::upper_bound(
        memory->boundaries.begin(), memory->boundaries.end(), common,
        [](size_t offset, const InnerHtmlMemory::Boundary& b) { return offset < b.offset; });
    if (at == memory->boundaries.begin()) {
        return false;
    }
    --at;
    const size_t split = at->offset;
    // The rows after the run: from the first row end whose rest both markups share.
    const size_t tail = CommonSuffixLength(old, html, std::min(old.size(), html.size()) - split);
    auto rest = std::lower_bound(
        at, memory->boundaries.end(), old.size() - tail,
        [](const InnerHtmlMemory::Boundary& b, size_t offset) { return b.offset < offset; });
    if (rest == memory->boundaries.end()) {
        return false;
    }
    const size_t oldEnd = rest->offset;                        // end of the old run, in old
    const size_t newEnd = html.size() - (old.size() - oldEnd); // and of the new, in html
    if (newEnd < split) {
        return false;
    }
    DomNodePtr row = at->row.lock();
    DomNodePtr body = row ? row->parent() : nullptr;
    if (!body) {
        return false;
    }
    int depth = 0; // of the rows below this node, as the parser counts it
    for (DomNodePtr node = row; node.get() != this; node = node->parent()) {
        if (!node) {
            return false;
        }
        ++depth;
    }
    // The old run's rows must be the siblings right after the row that stays.
    auto& siblings = body->children_;
    auto place = std::find(siblings.begin(), siblings.end(), row);
    if (place == siblings.end()) {
        return false;
    }
    const size_t removed = static_cast<size_t>(rest - at);
    if (static_cast<size_t>(siblings.end() - place) <= removed) {
        return false;
    }
    for (size_t i = 1; i <= removed; ++i) {
        // The same object, told by the control blocks: no reference count is touched, which
        // for thousands of rows is thousands of atomic operations on memory not in cache.
        const std::weak_ptr<DomNode>& remembered = (at + static_cast<std::ptrdiff_t>(i))->row;
        const DomNodePtr& sibling = *(place + static_cast<std::ptrdiff_t>(i));
        if (remembered.owner_before(sibling) || sibling.owner_before(remembered)) {
            return false;
        }
    }
    // Old rows of the run that come again with only attribute values changed keep their nodes
    // (one row skipped at a time: an entry deleted); the rest of the run is parsed. Each old row
    // takes its new values at once, while its nodes are at hand: after a deleted entry these
    // are thousands of rows. What they took is undone if the rest cannot be parsed.
    struct Carried {
        RowMeasure* measure;
        unsigned long long before;
    };
    struct Taken {
        DomNode* element;
        std::string* value;
        std::string* replaced; // the change's value: after the swap, the one replaced
    };
    std::vector<Taken> taken;
    std::vector<Carried> carried;
    std::vector<IdRenaming> renamed;
    const auto takeValues = [&](ReusedRow& again, const std::vector<TakenValue>& targets) {
        if (targets.empty()) {
            return;
        }
        // A row whose changes its layout does not depend on (renumbered ids, classes that only
        // paint) keeps its measure.
        const unsigned long long before = again.row->changeVersion();
        bool keepsLayout = owner_ != nullptr;
        for (const TakenValue& target : targets) {
            AttributeChange& change = again.changes[target.change];
            std::string& value = *target.value;
            keepsLayout = keepsLayout && owner_->KeepsRowLayout(change.name, value, change.value);
            if (change.name == "id") {
                renamed.push_back(
                    {target.element, target.element->weak_from_this(), value, change.value});
            }
            value.swap(change.value);
            ++target.element->attributeVersion_;
            taken.push_back({target.element, &value, &change.value});
        }
        // What was measured of the row is out of date; its ancestors learn of the change once,
        // below, rather than once per row.
        ++again.row->descendantVersion_;
        RowMeasure* measure = again.row->rowMeasure_.get();
        if (keepsLayout && measure != nullptr && measure->version == before) {
            measure->version = again.row->changeVersion();
            carried.push_back({measure, before});
        }
    };
    std::vector<ReusedRow> reused;
    reused.reserve(removed);
    RowMatch match;
    std::vector<TakenValue> targets;
    size_t pos = split;
    for (size_t next = 1; pos < newEnd && next <= removed;) {
        bool found = false;
        for (size_t look = next; look <= std::min(removed, next + 1) && !found; ++look) {
            const size_t start = (at + static_cast<std::ptrdiff_t>(look - 1))->offset;
            const size_t end = (at + static_cast<std::ptrdiff_t>(look))->offset;
            const WideView oldRow(old.data() + start, end - start);
            const WideView newRows(html.data() + pos, newEnd - pos);
            const DomNodePtr& row = *(place + static_cast<std::ptrdiff_t>(look));
            RowShape& shape = (at + static_cast<std::ptrdiff_t>(look))->shape;
            if (MatchRowShape(shape, oldRow, newRows, &match) && TargetsOf(match, targets)) {
                pos += match.length;
                reused.push_back({row, std::move(match.changes), pos, std::move(shape)});
                takeValues(reused.back(), targets);
                if (reused.size() == 1) {
                    // The rows of a list are alike: room for as many changes in each, within
                    // reason should they not be.
                    constexpr size_t kReservedAtMost = size_t{1} << 16;
                    taken.reserve(std::min(taken.size() * removed, kReservedAtMost));
                    renamed.reserve(std::min(renamed.size() * removed, kReservedAtMost));
                }
                next = look + 1;
                found = true;
            }
        }
        if (!found) {
            break;
        }
    }
    const std::string utf8 = ToUtf8(html.substr(pos, newEnd - pos));
    std::vector<DomNodePtr> rows;
    std::vector<RowEnd> ends;
    if (!utf8.empty() && !ParseTableRows(utf8, depth, rows, ends)) {
        for (auto value = taken.rbegin(); value != taken.rend(); ++value) {
            value->value->swap(*value->replaced);
            ++value->element->attributeVersion_;
        }
        for (const Carried& kept : carried) {
            kept.measure->version = kept.before; // out of date: measured anew
        }
        return false;
    }
    if (!rows.empty()) {
        // The new rows may bring style sheets that the kept measures were not made under.
        for (const Carried& kept : carried) {
            kept.measure->version = kept.before;
        }
    }
    // The run's old rows that are not used again leave the document (the reused ones are a
    // subsequence of the run, in order).
    std::vector<DomNodePtr> gone;
    auto nextReused = reused.begin();
    for (auto old_row = place + 1; old_row != place + 1 + static_cast<std::ptrdiff_t>(removed);
         ++old_row) {
        if (nextReused != reused.end() && nextReused->row == *old_row) {
            ++nextReused;
            continue;
        }
        gone.push_back(*old_row);
        (*old_row)->parent_.reset();
        (*old_row)->SetOwner(nullptr);
    }
    std::vector<DomNodePtr> run;
    run.reserve(reused.size() + rows.size());
    for (const ReusedRow& again : reused) {
        run.push_back(again.row);
    }
    for (const DomNodePtr& added_row : rows) {
        added_row->parent_ = body;
        added_row->SetOwner(body->owner_);
        run.push_back(added_row);
    }
    const auto first = siblings.erase(place + 1, place + 1 + static_cast<std::ptrdiff_t>(removed));
    siblings.insert(first, run.begin(), run.end());

    // The run's row ends: those of the reused rows, then those of the parsed ones.
    const std::vector<size_t> parsedOffsets = Utf16Offsets(utf8, ends);
    std::vector<size_t> offsets;
    offsets.reserve(reused.size() + parsedOffsets.size());
    std::vector<RowEnd> runEnds;
    runEnds.reserve(reused.size() + ends.size());
    for (const ReusedRow& again : reused) {
        offsets.push_back(again.end - split);
        runEnds.push_back(RowEnd{0, again.row});
    }
    for (size_t i = 0; i < parsedOffsets.size(); ++i) {
        offsets.push_back(parsedOffsets[i] + (pos - split));
        runEnds.push_back(std::move(ends[i]));
    }
    ends = std::move(runEnds);
    auto& boundaries = memory->boundaries;
    const size_t atIndex = static_cast<size_t>(at - boundaries.begin());
    const size_t restIndex = static_cast<size_t>(rest - boundaries.begin());
    for (size_t later = restIndex + 1; later < boundaries.size(); ++later) {
        boundaries[later].offset = boundaries[later].offset - oldEnd + newEnd;
    }
    // The ends of the run's old rows go; those of its new rows come in their place.
    boundaries.erase(boundaries.begin() + static_cast<std::ptrdiff_t>(atIndex + 1),
                     boundaries.begin() + static_cast<std::ptrdiff_t>(restIndex + 1));
    // The reused rows keep their shapes; those of the parsed rows are read from the new markup.
    std::vector<InnerHtmlMemory::Boundary> inserted;
    inserted.reserve(ends.size());
    const WideView markup(html);
    for (size_t i = 0; i < ends.size(); ++i) {
        RowShape shape;
        if (i < reused.size()) {
            shape = std::move(reused[i].shape);
        } else if (ends[i].row) {
            const size_t start = split + (i == 0 ? 0 : offsets[i - 1]);
            shape = ShapeOf(markup.substr(start, split + offsets[i] - start), *ends[i].row);
        }
        inserted.push_back({split + offsets[i], ends[i].row, std::move(shape)});
    }
    boundaries.insert(boundaries.begin() + static_cast<std::ptrdiff_t>(atIndex + 1),
                      std::make_move_iterator(inserted.begin()),
                      std::make_move_iterator(inserted.end()));
    memory->html = std::move(html);
    body->DescendantChanged();
    if (DomNodePtr up = parent()) {
        up->DescendantChanged();
    }
    if (owner_) {
        owner_->NodesReplaced(gone, rows, std::move(renamed));
    }
    memory->version = descendantVersion_;
    return true;
}

WideString DomNode::GetInnerText() const {
    std::string text;
    AppendTextTo(text);
    return FromUtf8(text);
}

WideString DomNode::GetBackgroundColor() const {
    const std::string* style = FindAttribute("style");
    return style ? FromUtf8(GetStyleProperty(*style, "background-color")) : WideString();
}

void DomNode::SetBackgroundColor(const WideString& cssColor) {
    const std::string color = ToUtf8(cssColor);
    const std::string* style = FindAttribute("style");
    std::string updated =
        SetStyleProperty(style ? *style : std::string(), "background-color", color);
    if (color.empty()) {
        // Without the inline colour the style sheets' own shows again: a new layout finds it.
        if (updated.empty()) {
            RemoveAttributeUtf8("style");
        } else {
            SetAttributeUtf8("style", std::move(updated));
        }
        return;
    }
    // A highlight that follows the mouse over a long list must not lay the list out again.
    StoreAttribute("style", std::move(updated), false);
    if (DomNodePtr up = parent()) {
        up->DescendantChanged();
    }
    if (owner_) {
        owner_->NodeBackgroundChanged(*this, color);
    }
}

bool DomNode::GetChecked() const {
    return IsCheckable() && checked_;
}

bool DomNode::SetChecked(bool checked) {
    if (!IsCheckable()) {
        return false;
    }
    if (checked_ != checked) {
        checked_ = checked;
        if (DomNodePtr up = parent()) {
            up->DescendantChanged();
        }
        if (owner_) {
            owner_->NodeStateChanged();
        }
    }
    return true;
}

WideString DomNode::GetValue() const {
    if (tag_ == "input" || tag_ == "textarea") {
        return FromUtf8(CurrentValue());
    }
    return WideString();
}

bool DomNode::SetValue(const WideString& value) {
    if (tag_ != "input" && tag_ != "textarea") {
        return false;
    }
    SetValueUtf8(ToUtf8(value));
    return true;
}

ElementPtr DomNode::GetParent() const {
    return parent();
}

std::vector<ElementPtr> DomNode::GetChildren() const {
    std::vector<ElementPtr> result;
    for (const DomNodePtr& child : children_) {
        if (child->IsElement()) {
            result.push_back(child);
        }
    }
    return result;
}

NodeGeometry DomNode::CurrentGeometry() const {
    return owner_ && IsElement() ? owner_->Geometry(*this) : NodeGeometry{};
}

LONG DomNode::GetOffsetLeft() const {
    return CurrentGeometry().offsetLeft;
}
LONG DomNode::GetOffsetTop() const {
    return CurrentGeometry().offsetTop;
}
LONG DomNode::GetOffsetWidth() const {
    return CurrentGeometry().offsetWidth;
}
LONG DomNode::GetOffsetHeight() const {
    return CurrentGeometry().offsetHeight;
}
ElementPtr DomNode::GetOffsetParent() const {
    return CurrentGeometry().offsetParent;
}

LONG DomNode::GetScrollLeft() const {
    return owner_ ? owner_->ScrollPosition(*this).x : 0;
}
LONG DomNode::GetScrollTop() const {
    return owner_ ? owner_->ScrollPosition(*this).y : 0;
}

void DomNode::SetScrollLeft(LONG x) {
    if (owner_) {
        POINT position = owner_->ScrollPosition(*this);
        position.x = x;
        owner_->SetScrollPosition(*this, position);
    }
}

void DomNode::SetScrollTop(LONG y) {
    if (owner_) {
        POINT position = owner_->ScrollPosition(*this);
        position.y = y;
        owner_->SetScrollPosition(*this, position);
    }
}

DomNodePtr FindById(const DomNodePtr& root, std::string_view id) {
    if (!root || !root->IsElement()) {
        return nullptr;
    }
    const std::string* own = root->FindAttribute("id");
    if (own && *own == id) {
        return root;
    }
    for (const DomNodePtr& child : root->children()) {
        if (DomNodePtr found = FindById(child, id)) {
            return found;
        }
    }
    return nullptr;
}

DomNodePtr FindFirstByTag(const DomNodePtr& root, std::string_view tag) {
    if (!root || !root->IsElement()) {
        return nullptr;
    }
    for (const DomNodePtr& child : root->children()) {
        if (child->IsElement() && child->tag() == tag) {
            return child;
        }
        if (DomNodePtr found = FindFirstByTag(child, tag)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace htmlview::internal
