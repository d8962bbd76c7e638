// The control's document model: parsing, inner HTML, attributes, inline colours, form state.
#include "htmlview/src/DomNode.h"
#include "htmlview/src/HtmlParser.h"
#include "htmlview/src/HtmlSerializer.h"
#include "htmlview/src/InlineStyle.h"
#include "htmlview/src/Utf.h"

#include <gtest/gtest.h>

namespace {

using namespace htmlview;
using namespace htmlview::internal;

std::string Utf8(const WideString& text) {
    return ToUtf8(text);
}

TEST(Utf, RoundTripsAccentsAndAstralCharactersAndReplacesMalformedInput) {
    const std::string text = "D\xC3\xA9marrer \xF0\x9F\x98\x80 !";
    const WideString wide = FromUtf8(text);
    EXPECT_EQ(wide.size(), 13u); // the astral character takes a surrogate pair
    EXPECT_EQ(text, ToUtf8(wide));

    // A truncated sequence and a lone continuation byte become U+FFFD; the rest survives.
    const WideString broken = FromUtf8(std::string("a\xC3") + "b\x80" + "c");
    EXPECT_EQ(ToUtf8(broken), u8"a\uFFFDb\uFFFDc");
    // A lone surrogate in UTF-16 does not produce invalid UTF-8.
    WideString lone;
    lone += static_cast<WCHAR>(0xD800);
    lone += static_cast<WCHAR>('x');
    EXPECT_EQ(ToUtf8(lone), u8"\uFFFDx");
}

TEST(Parser, BuildsHeadAndBodyAndFindsElementsById) {
    DomNodePtr root =
        ParseDocument("<html><head><style>p{}</style></head><body id='B'><p id=p1>a<u>b</u></p>"
                      "<!-- <input id=hidden> --></body></html>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->tag(), "html");
    DomNodePtr body = FindById(root, "B");
    ASSERT_TRUE(body);
    EXPECT_EQ(body->GetTagName(), WIDE("BODY"));
    EXPECT_TRUE(FindById(root, "p1"));
    EXPECT_FALSE(FindById(root, "hidden")) << "markup inside a comment is not part of the document";
    EXPECT_EQ(FindById(root, "p1")->GetInnerText(), WIDE("ab"));

    bool quirks = false;
    ParseDocument("<html><body></body></html>", &quirks);
    EXPECT_TRUE(quirks) << "a page without a document type is laid out as the classic browsers did";
    ParseDocument("<!DOCTYPE html><html><body></body></html>", &quirks);
    EXPECT_FALSE(quirks);

    DomNodePtr empty = ParseDocument("");
    ASSERT_EQ(empty->children().size(), 2u);
    EXPECT_EQ(empty->children()[1]->tag(), "body");
}

TEST(InnerHtml, ReplacesChildrenWithAParsedTableAndDetachesTheOldOnes) {
    DomNodePtr root = ParseDocument("<body><div id=list><table id=old><tr><td id=c>x</td></tr>"
                                    "</table></div></body>");
    DomNodePtr list = FindById(root, "list");
    DomNodePtr oldCell = FindById(root, "c");
    ASSERT_TRUE(list && oldCell);

    list->SetInnerHtml(WIDE("<table width=\"100%\"><tr><td class=\"even\" id=\"cat0\">12:00:01</td>"
                            "<td class=\"even\" id=\"txt0\"><p><u>Titre</u></p>a<br/>b</td></tr>"
                            "</table>"));
    EXPECT_FALSE(FindById(root, "old"));
    EXPECT_FALSE(oldCell->GetParent()) << "the replaced content has left the tree";
    DomNodePtr cell = FindById(root, "txt0");
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->GetClassName(), WIDE("even"));
    DomNodePtr title = FindFirstByTag(cell, "u");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->GetClassName(), WIDE(""));
    // The parser adds the implied tbody, as browsers do.
    EXPECT_EQ(FindFirstByTag(list, "tr")->parent()->tag(), "tbody");
    EXPECT_EQ(cell->GetInnerText(), WIDE("Titrea\r\nb"));
}

TEST(InnerHtml, FragmentsParseInTheContextOfTheirElement) {
    DomNodePtr root = ParseDocument("<body><table><tbody id=rows></tbody></table></body>");
    DomNodePtr rows = FindById(root, "rows");
    rows->SetInnerHtml(WIDE("<tr id=r><td>1</td></tr>"));
    ASSERT_TRUE(FindById(root, "r"));
    EXPECT_EQ(FindById(root, "r")->parent()->tag(), "tbody");

    // Markup characters in text are markup; an unclosed tag is closed by the parser.
    DomNodePtr div = FindById(ParseDocument("<body><div id=d></div></body>"), "d");
    div->SetInnerHtml(WIDE("a <b>bold"));
    ASSERT_EQ(div->children().size(), 2u);
    EXPECT_EQ(div->children()[1]->tag(), "b");
    EXPECT_EQ(div->GetInnerHtml(), WIDE("a <b>bold</b>"));
}

TEST(InnerHtml, SerialisationEscapesTextAndAttributesAndKeepsNoBreakSpaces) {
    DomNodePtr div = FindById(ParseDocument("<body><div id=d></div></body>"), "d");
    div->SetInnerHtml(WIDE("<td>x</td><span title='a\"b&amp;c'>1 &lt; 2 &amp;&nbsp;3</span><br>"));
    EXPECT_EQ(div->GetInnerHtml(),
              WIDE("x<span title=\"a&quot;b&amp;c\">1 &lt; 2 &amp;&nbsp;3</span><br>"))
        << "a stray cell outside a table is dropped as a browser drops it";
}

TEST(Attributes, ClassIdAndArbitraryAttributesRoundTrip) {
    DomNodePtr span =
        FindById(ParseDocument("<body><span id=menu class=menu_out>F</span></body>"), "menu");
    EXPECT_EQ(span->GetClassName(), WIDE("menu_out"));
    span->SetClassName(WIDE("menu_over"));
    EXPECT_EQ(span->GetClassName(), WIDE("menu_over"));
    EXPECT_EQ(span->GetAttribute(WIDE("CLASS")), WIDE("menu_over"));
    span->SetId(WIDE("menu2"));
    EXPECT_EQ(span->GetId(), WIDE("menu2"));
    EXPECT_FALSE(span->HasAttribute(WIDE("title")));
    span->SetAttribute(WIDE("Title"), WIDE("t"));
    EXPECT_EQ(span->GetAttribute(WIDE("title")), WIDE("t"));
}

TEST(InlineStyle, BackgroundColourIsSetReplacedAndRemovedWithoutTouchingOtherDeclarations) {
    EXPECT_EQ(GetStyleProperty("color: red; BACKGROUND-COLOR :#fff", "background-color"), "#fff");
    EXPECT_EQ(GetStyleProperty("color: red", "background-color"), "");
    EXPECT_EQ(GetStyleProperty("x: a; x: b", "x"), "b") << "the last declaration wins";
    EXPECT_EQ(GetStyleProperty("background: url(a;b); y: 1", "background"), "url(a;b)");

    EXPECT_EQ(SetStyleProperty("background-color: #fff; color: red", "background-color", "#fffbc0"),
              "color: red; background-color: #fffbc0");
    EXPECT_EQ(SetStyleProperty("background-color: #fff", "background-color", ""), "");

    DomNodePtr cell =
        FindById(ParseDocument("<body><table><tr><td id=c style='background-color: #ffffff; "
                               "filter:alpha(opacity=50);'>x</td></tr></table></body>"),
                 "c");
    cell->SetBackgroundColor(WIDE("#D0F1C5"));
    EXPECT_EQ(cell->GetBackgroundColor(), WIDE("#D0F1C5"));
    EXPECT_NE(std::string::npos, Utf8(cell->GetAttribute(WIDE("style"))).find("filter"));
    cell->SetBackgroundColor(WIDE(""));
    EXPECT_EQ(cell->GetBackgroundColor(), WIDE(""));
}

TEST(FormState, CheckboxCheckedStateAndTextFieldValueRoundTrip) {
    DomNodePtr root =
        ParseDocument("<body><input type=checkbox id=chk><input type=CHECKBOX id=on checked>"
                      "<input class=edit id=txtFreq size=4 value=5><span id=s></span>"
                      "<textarea id=area>initial</textarea></body>");
    DomNodePtr check = FindById(root, "chk");
    EXPECT_FALSE(check->GetChecked());
    EXPECT_TRUE(check->SetChecked(true));
    EXPECT_TRUE(check->GetChecked());
    EXPECT_TRUE(FindById(root, "on")->GetChecked());

    DomNodePtr field = FindById(root, "txtFreq");
    EXPECT_TRUE(field->IsTextField());
    EXPECT_EQ(field->GetValue(), WIDE("5"));
    EXPECT_TRUE(field->SetValue(WIDE("0.5")));
    EXPECT_EQ(field->GetValue(), WIDE("0.5"));
    EXPECT_EQ(field->GetAttribute(WIDE("value")), WIDE("5")) << "the attribute keeps the default";

    DomNodePtr span = FindById(root, "s");
    EXPECT_FALSE(span->SetChecked(true));
    EXPECT_FALSE(span->GetChecked());
    EXPECT_FALSE(span->SetValue(WIDE("x")));
    EXPECT_EQ(span->GetValue(), WIDE(""));

    DomNodePtr area = FindById(root, "area");
    EXPECT_EQ(area->GetValue(), WIDE("initial"));
    area->SetValue(WIDE("typed"));
    EXPECT_EQ(area->GetValue(), WIDE("typed"));
}

TEST(LayoutMarkup, TagsEveryElementWithItsIndexInDocumentOrder) {
    DomNodePtr root = ParseDocument("<body><p id=a>x<b id=b>y</b></p></body>");
    std::vector<DomNode*> order;
    const std::string markup = SerializeForLayout(*root, order);
    ASSERT_EQ(order.size(), 5u); // html, head, body, p, b; text has no index
    EXPECT_EQ(order[0]->tag(), "html");
    EXPECT_EQ(FindById(root, "b").get(), order[4]);
    EXPECT_NE(std::string::npos, markup.find("<b id=\"b\" data-htmlview-node=\"4\">y</b>"));

    // A cell's share of the table's height becomes its row's.
    DomNodePtr table = ParseDocument("<body><table><tr><td height='80%'>a</td><td>b</td></tr>"
                                     "<tr style='color: red'><td height=\"15%\">c</td></tr>"
                                     "<tr height=20><td height='50%'>d</td></tr></table></body>");
    const std::string rows = SerializeForLayout(*table, order);
    EXPECT_NE(std::string::npos, rows.find("<tr style=\"height: 80%\""));
    EXPECT_NE(std::string::npos, rows.find("<tr style=\"color: red; height: 15%\""));
    EXPECT_NE(std::string::npos, rows.find("<tr height=\"20\" style=\"height: 20px\""))
        << "a row's own height wins over its cells' shares";
    DomNodePtr units = ParseDocument("<body><table height=50%><tr height=12pt><td>a</td></tr>"
                                     "<tr height=wide><td>b</td></tr></table></body>");
    const std::string given = SerializeForLayout(*units, order);
    EXPECT_NE(std::string::npos, given.find("<table height=\"50%\" style=\"height: 50%\""));
    EXPECT_NE(std::string::npos, given.find("<tr height=\"12pt\" style=\"height: 12pt\""));
    EXPECT_NE(std::string::npos, given.find("<tr height=\"wide\" data")) << "no length, no height";
    EXPECT_EQ(std::string::npos, SerializeChildren(*table).find("height: 80%"))
        << "only the layout sees it";
}

TEST(DetachedElements, KeepTheirDataAndHaveNoGeometry) {
    DomNodePtr root = ParseDocument("<body><div id=d><span id=s class=k>t</span></div></body>");
    DomNodePtr span = FindById(root, "s");
    FindById(root, "d")->SetInnerHtml(WIDE(""));
    EXPECT_EQ(span->GetClassName(), WIDE("k"));
    span->SetClassName(WIDE("other"));
    EXPECT_EQ(span->GetOffsetWidth(), 0);
    EXPECT_FALSE(span->GetOffsetParent());
    EXPECT_EQ(span->GetScrollTop(), 0);
}

} // namespace

namespace {

using namespace htmlview::internal;

TEST(PageBytes, DecodesByteOrderMarksUtf8AndFallsBackToWindows1252) {
    const unsigned char utf8Bom[] = {0xEF, 0xBB, 0xBF, 'D', 0xC3, 0xA9};
    EXPECT_EQ(DecodePageBytes(utf8Bom, sizeof(utf8Bom)), "D\xC3\xA9");
    const unsigned char utf16[] = {0xFF, 0xFE, 'D', 0, 0xE9, 0};
    EXPECT_EQ(DecodePageBytes(utf16, sizeof(utf16)), "D\xC3\xA9");
    const unsigned char plain[] = {'D', 0xC3, 0xA9};
    EXPECT_EQ(DecodePageBytes(plain, sizeof(plain)), "D\xC3\xA9");
    // "Démarrer" and a euro sign written in the desktop's code page.
    const unsigned char ansi[] = {'D', 0xE9, 'm', ' ', 0x80};
    EXPECT_EQ(DecodePageBytes(ansi, sizeof(ansi)), "D\xC3\xA9m \xE2\x82\xAC");
    EXPECT_EQ(DecodePageBytes(nullptr, 0), "");
}

} // namespace

namespace {

using namespace htmlview;
using namespace htmlview::internal;

TEST(Scripts, MarkupFromOutsideCarriesNoScriptHandlersOrScriptAddresses) {
    DomNodePtr div = FindById(ParseDocument("<body><div id=d></div></body>"), "d");
    div->SetInnerHtml(WIDE("<b onmouseover=\"alert(1)\" class=k>gras</b><script>alert(2)</script>"
                           "<a href=' JavaScript:alert(3)' id=a>x</a><img src=\"vbscript:x\" id=i>"
                           "<p style=\"width: expression(alert(4))\" id=p>y</p>"
                           "<img src=\"file:///C:\\tmp\\1.jpg\" id=ok>"));
    const std::string markup = ToUtf8(div->GetInnerHtml());
    EXPECT_EQ(std::string::npos, markup.find("script")) << markup;
    EXPECT_EQ(std::string::npos, markup.find("onmouseover")) << markup;
    EXPECT_EQ(std::string::npos, markup.find("alert")) << markup;
    EXPECT_NE(std::string::npos, markup.find("<b class=\"k\">gras</b>")) << "the rest stays";
    EXPECT_TRUE(FindById(div, "a"));
    EXPECT_FALSE(FindById(div, "a")->HasAttribute(WIDE("href")));
    EXPECT_EQ(FindById(div, "ok")->GetAttribute(WIDE("src")), WIDE("file:///C:\\tmp\\1.jpg"));
}

} // namespace

namespace {

using namespace htmlview;
using namespace htmlview::internal;

TEST(Nesting, EndlesslyNestedMarkupKeepsItsTextAndABoundedDepth) {
    std::string deep;
    for (int i = 0; i < 20000; ++i) {
        deep += "<span>";
    }
    deep += "fond";
    DomNodePtr div = FindById(ParseDocument("<body><div id=d></div></body>"), "d");
    div->SetInnerHtml(FromUtf8(deep));
    EXPECT_EQ(div->GetInnerText(), WIDE("fond"));
    int depth = 0;
    for (DomNodePtr at = div; !at->children().empty() && at->children()[0]->IsElement();
         at = at->children()[0]) {
        ++depth;
    }
    EXPECT_LT(depth, 300);
    EXPECT_GT(depth, 100);
}

} // namespace
