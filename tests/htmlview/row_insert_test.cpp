// Setting an element's inner HTML again with table rows added: the tree must always be the one a
// full parse of the new markup gives, whether the rows are parsed alone or the whole is re-parsed.
#include "htmlview/src/DomNode.h"
#include "htmlview/src/HtmlSerializer.h"
#include "htmlview/src/Utf.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace htmlview;
using namespace htmlview::internal;

std::string FullParse(const std::string& tag, const std::string& html) {
    DomNodePtr fresh = DomNode::NewElement(tag, {});
    fresh->SetInnerHtml(FromUtf8(html));
    return SerializeChildren(*fresh);
}

// The first table row of the element's (first) table, to see whether it survived a change.
DomNodePtr FirstRow(const DomNodePtr& element) {
    return FindFirstByTag(element, "tr");
}

// Sets html on element and checks the tree against a fresh full parse; true when the first row
// is still the same node (the existing tree was kept and added to).
bool SetAndCompare(const DomNodePtr& element, const std::string& html) {
    const DomNodePtr before = FirstRow(element);
    element->SetInnerHtml(FromUtf8(html));
    EXPECT_EQ(FullParse(element->tag(), html), SerializeChildren(*element)) << html;
    return before && FirstRow(element) == before;
}

// The capture list as the program builds it: a head row, one row per text, or a filler row.
std::string ListHtml(const std::vector<std::string>& texts) {
    std::string html = "<table width=\"100%\"><tr><th>Capture time</th><th>Text</th></tr>";
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string n = std::to_string(i);
        const char* rowClass = i % 2 == 0 ? "even" : "odd";
        html += std::string("<tr><td class=\"") + rowClass + "\" id=\"cat" + n + "\">12:00</td>" +
                "<td class=\"" + rowClass + "\" id=\"txt" + n + "\">" + texts[i] + "</td>" +
                "<td id=\"img" + n + "\"><img src=\"file:///c:/a" + n + ".jpg\" width=\"120\"/>" +
                "</td></tr>";
    }
    if (texts.empty()) {
        html += "<tr><td colspan=\"3\">&nbsp;</td></tr>";
    }
    return html + "</table>";
}

TEST(RowInsert, ListEditsGiveTheFullParseTreeAndAppendsKeepTheExistingRows) {
    const std::vector<std::string> samples = {
        "plain",
        "D\xC3\xA9marrer \xF0\x9F\x98\x80 <b>bold</b>",
        "a &lt; b &amp; c",
        "<table><tr><td>nested</td></tr></table>",
        "<p>para<i>open",
        "line<br>two",
    };
    DomNodePtr element = DomNode::NewElement("div", {});
    std::vector<std::string> texts;
    SetAndCompare(element, ListHtml(texts));
    // The first entry replaces the filler row; the head row stays.
    texts.push_back(samples[0]);
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
    for (size_t i = 1; i < 12; ++i) {
        texts.push_back(samples[i % samples.size()]);
        // Elements left open in a cell are a parse error: that row is parsed with the rest.
        const bool leftOpen = texts.back() == samples[4];
        EXPECT_EQ(!leftOpen, SetAndCompare(element, ListHtml(texts))) << i;
    }
    // Deleting an entry renumbers the rows after it, and among them are rows whose elements
    // are left open: the whole is parsed again.
    texts.erase(texts.begin() + 3);
    EXPECT_FALSE(SetAndCompare(element, ListHtml(texts)));
    texts.push_back("after delete");
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
    // Several rows at once, and an unchanged markup.
    texts.push_back("x");
    texts.push_back("<u>y</u>");
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
    SetAndCompare(element, ListHtml(texts));
    // A row changed in place is parsed alone: the rows after it stay.
    const DomNodePtr lastEntry =
        FindById(element, "txt" + std::to_string(texts.size() - 1))->parent();
    texts[0] = "changed";
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
    EXPECT_EQ(FindById(element, "txt" + std::to_string(texts.size() - 1))->parent(), lastEntry);
    // Everything taken out, the filler row in their place (rows left open among them).
    EXPECT_FALSE(SetAndCompare(element, ListHtml({})));
}

// A deletion whose later rows are taken again, renumbered, while a row after them cannot be
// parsed alone: the whole is parsed again, and the rows taken first leave with their old values.
TEST(RowInsert, RowsTakenBeforeAFailedParseKeepTheirOldValues) {
    DomNodePtr element = DomNode::NewElement("div", {});
    std::vector<std::string> texts;
    for (int i = 0; i < 8; ++i) {
        texts.push_back("entry " + std::to_string(i));
    }
    SetAndCompare(element, ListHtml(texts));
    const DomNodePtr oldCell = FindById(element, "txt4");
    texts.erase(texts.begin() + 2);
    texts.back() = "<p>para<i>open"; // left open: a parse error when parsed alone
    EXPECT_FALSE(SetAndCompare(element, ListHtml(texts)));
    ASSERT_NE(oldCell->FindAttribute("id"), nullptr);
    EXPECT_EQ(*oldCell->FindAttribute("id"), "txt4");
    EXPECT_EQ(*oldCell->FindAttribute("class"), "even");
}

// Long lists are compared a block at a time: a change anywhere, also deep inside a block after
// many equal ones, must still be seen.
TEST(RowInsert, LongListsSeeAChangeAtAnyDepth) {
    DomNodePtr element = DomNode::NewElement("div", {});
    std::vector<std::string> texts(200, "entry");
    SetAndCompare(element, ListHtml(texts));
    for (size_t changed : {199u, 150u, 37u}) {
        // One row changed in place: parsed alone.
        texts[changed] = "other";
        const DomNodePtr next = FindById(element, "txt" + std::to_string(changed + 1));
        EXPECT_TRUE(SetAndCompare(element, ListHtml(texts))) << changed;
        const DomNodePtr after = FindById(element, "txt" + std::to_string(changed + 1));
        if (next) {
            EXPECT_EQ(after->parent(), next->parent()) << changed << ": the rows after it stay";
        }
        // A row changed and one appended: all from the changed one on are parsed.
        texts[changed] = "again";
        texts.push_back("new");
        EXPECT_TRUE(SetAndCompare(element, ListHtml(texts))) << changed;
        texts.push_back("appended");
        EXPECT_TRUE(SetAndCompare(element, ListHtml(texts))) << changed;
    }
    // An entry deleted: the rows before it stay, the renumbered ones after it are parsed.
    texts[100] = "to delete";
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
    const DomNodePtr before = FindById(element, "txt99")->parent();
    const DomNodePtr movedUp = FindById(element, "txt101")->parent();
    texts.erase(texts.begin() + 100);
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
    EXPECT_EQ(FindById(element, "txt99")->parent(), before);
    // The rows after it come again with other ids and classes: the same nodes take them.
    EXPECT_EQ(FindById(element, "txt100")->parent(), movedUp);
    // The last entry deleted, then all.
    texts.pop_back();
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
    EXPECT_EQ(FindById(element, "txt99")->parent(), before);
    EXPECT_TRUE(SetAndCompare(element, ListHtml({})));
}

// Rows whose tags the parser reads in less common ways, renumbered after a deleted one: an
// attribute given twice (the parser keeps the first, whichever of them changes), one without a
// value, spaces around '=', unquoted values, an end tag with a quoted '>'.
TEST(RowInsert, RenumberedRowsOfEveryTagShapeGiveTheFullParseTree) {
    const std::vector<std::string> shapes = {
        "<tr><td id=\"a#\" id=\"b#\" class=\"k\" class=\"c#\">@</td></tr>",
        "<tr><td id id=\"a#\" title=\"k\" TITLE=\"c#\">@</td></tr>",
        "<tr><td id = \"a#\" class=k\tdata-x='#'>@</td></tr>",
        "<tr><td id=\"a#\">@</td x=\"y>\" title=\"#\"></tr>",
    };
    for (const std::string& shape : shapes) {
        const auto rows = [&shape](int count, int skipped) {
            std::string html = "<table>";
            for (int i = 0, n = 0; i < count; ++i) {
                if (i == skipped) {
                    continue;
                }
                std::string row;
                for (const char c : shape) {
                    row += c == '#'   ? std::to_string(n)
                           : c == '@' ? std::to_string(i)
                                      : std::string(1, c);
                }
                html += row;
                ++n;
            }
            return html + "</table>";
        };
        DomNodePtr element = DomNode::NewElement("div", {});
        SetAndCompare(element, rows(6, -1));
        SetAndCompare(element, rows(6, 2));
        SetAndCompare(element, rows(6, 0));
    }
}

// Rows made at random of pieces the parser reads in less common ways, each keeping its make
// while the entries before it come and go and it is renumbered ('#' is its place in the list):
// whatever is taken again or parsed, the tree is the one a full parse gives.
TEST(RowInsert, RandomRowsRenumberedGiveTheFullParseTree) {
    const std::vector<std::string> attributes = {
        "id=\"x#\"",   "ID='y#'",         "class = \"c#\"",  "title=#",
        "data-a",      "=\"q#\"",         "a=\"#\" a=\"1\"", "b=\"&amp;#\"",
        "c=\"#&\"",    "d=\"'#'\"",       "e='\"#\"'",       "f=\"#>\" g=\"\"",
        "H\tI=\"#\"/", "j=\"\xC3\xA9#\"", "k=\"1\" K=\"#\"", "m m=\"#\"",
    };
    // Cell contents the parser reads without an error, and a few it reads with one (a row
    // parsed alone then fails, and the whole is parsed again).
    const std::vector<std::string> contents = {
        "text",  "a > b \"q\"",        "<b>#</b>",         "<i title=\"#\">i</i>",     "<br>",
        "&lt;#", "<span a=#>s</span>", "<img src=\"#\"/>", "<font color='#'>f</font>",
    };
    const std::vector<std::string> faulty = {
        "<p>open",      "<!-- # -->",      "</td x=\"#>\">",  "</b>",
        "<td k=\"#\">", "<input v=\"#\">", "<u><s>#</u></s>",
    };
    std::mt19937 random(20261209);
    const auto pick = [&random](size_t count) {
        return std::uniform_int_distribution<size_t>(0, count - 1)(random);
    };
    // An entry's make: the pieces of its row, '#' standing for its place.
    const auto make = [&] {
        std::string row = "<tr";
        row += pick(3) == 0 ? " " + attributes[pick(attributes.size())] : "";
        row += ">";
        for (size_t cell = 0, cells = 1 + pick(3); cell < cells; ++cell) {
            row += "<td";
            for (size_t k = 0, count = pick(3); k < count; ++k) {
                row += " " + attributes[pick(attributes.size())];
            }
            row += ">";
            row += pick(12) == 0 ? faulty[pick(faulty.size())] : contents[pick(contents.size())];
            row += "</td>";
        }
        return row + "</tr>";
    };
    const auto list = [](const std::vector<std::string>& entries) {
        std::string html = "<table>";
        for (size_t n = 0; n < entries.size(); ++n) {
            for (const char c : entries[n]) {
                html += c == '#' ? std::to_string(n) : std::string(1, c);
            }
        }
        return html + "</table>";
    };
    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> entries;
        for (size_t k = 0, count = 2 + pick(8); k < count; ++k) {
            entries.push_back(make());
        }
        DomNodePtr element = DomNode::NewElement("div", {});
        SetAndCompare(element, list(entries));
        for (int change = 0; change < 6 && !entries.empty(); ++change) {
            if (pick(3) == 0) {
                entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(pick(entries.size())),
                               make());
            } else {
                entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(pick(entries.size())));
            }
            SetAndCompare(element, list(entries));
        }
    }
}

TEST(RowInsert, RowsThatDependOnTheMarkupAroundThemAreParsedWithIt) {
    const std::string before = "<table><tr><td>a</td></tr>";
    const std::string after = "</table><p>after</p>";
    const std::vector<std::string> inserted = {
        // An end tag of the table inside a cell closes the outer table.
        "<tr><td>b</table>c</td></tr>",
        "<tr><td>b</td></tr></tbody><tr><td>c</td></tr>",
        // A table opened among the rows, text between rows (fostered out of the table).
        "<table><tr><td>x</td></tr>",
        "<tr><td>b</td></tr>text<tr><td>c</td></tr>",
        "<tr><td>b</td></tr> ",
        // Rows left open or closed by something else.
        "<tr><td>b</td>",
        "<tr><td>b</td></tr><tr><td>c",
        "<tr><td>b<textarea></tr>",
        "<tr><td>b</td></tr><!-- c -->",
    };
    for (const std::string& rows : inserted) {
        DomNodePtr element = DomNode::NewElement("div", {});
        element->SetInnerHtml(FromUtf8(before + after));
        EXPECT_FALSE(SetAndCompare(element, before + rows + after)) << rows;
    }
    // A form in a row is ignored inside a form and kept outside one.
    DomNodePtr inForm = DomNode::NewElement("div", {});
    const std::string formBefore = "<form>" + before;
    inForm->SetInnerHtml(FromUtf8(formBefore + after));
    EXPECT_FALSE(
        SetAndCompare(inForm, formBefore + "<tr><td><form><input></form></td></tr>" + after));
    // The same rows without any of that are added in place, also into a nested table.
    DomNodePtr element = DomNode::NewElement("div", {});
    element->SetInnerHtml(FromUtf8(before + after));
    EXPECT_TRUE(
        SetAndCompare(element, before + "<tr><td>b</td></tr><TR class=x><td>c</TD></tr>" + after));
    const std::string nested =
        "<table><tr><td><table><tr><td>i</td></tr></table></td></tr></table>";
    element->SetInnerHtml(FromUtf8(nested));
    EXPECT_TRUE(SetAndCompare(
        element,
        "<table><tr><td><table><tr><td>i</td></tr><tr><td>j</td></tr></table></td></tr></table>"));
}

TEST(RowInsert, ChangesMadeToTheTreeSinceTheMarkupWasSetAreNotKept) {
    DomNodePtr element = DomNode::NewElement("div", {});
    std::vector<std::string> texts = {"one", "<input id=field value=v>"};
    element->SetInnerHtml(FromUtf8(ListHtml(texts)));
    FindById(element, "txt0")->SetBackgroundColor(FromUtf8("#ff0000"));
    texts.push_back("three");
    EXPECT_FALSE(SetAndCompare(element, ListHtml(texts)));
    EXPECT_TRUE(FindById(element, "txt0")->GetBackgroundColor().empty());

    FindById(element, "field")->SetValue(FromUtf8("typed"));
    texts.push_back("four");
    EXPECT_FALSE(SetAndCompare(element, ListHtml(texts)));
    EXPECT_EQ(ToUtf8(FindById(element, "field")->GetValue()), "v");

    // Changing the element itself (not its content) keeps the way open.
    element->SetAttribute(FromUtf8("title"), FromUtf8("t"));
    texts.push_back("five");
    EXPECT_TRUE(SetAndCompare(element, ListHtml(texts)));
}

} // namespace
