// Hostile window titles and texts: their markup stays, nothing in them can run script in the
// program's page.
#include "list/MarkupNeutraliser.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

namespace {

class MarkupNeutraliserTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(config); }
    std::string Neutralised(const std::string& text) {
        return NeutraliseMarkup(CString(text)).str();
    }
    winsim::DesktopConfig config;
};

TEST_F(MarkupNeutraliserTest, OrdinaryMarkupAndTextStayAsTheyAre) {
    for (const char* text : {
             "plain text, no markup",
             "<p><u>Erreur</u></p>Le fichier est introuvable.<br/>R\xE9"
             "essayer ?",
             "<b>bold</b> <i>it</i> <font color=\"red\">red</font>",
             "a &amp; b &lt; c &gt; d",
             "<a href=\"http://example.com/x?a=1&amp;b=2\" title=\"t\">link</a>",
             "<img src=\"C:\\pic.jpg\" width=\"10\">",
             "<br/><hr/><table border=\"1\"><tr><td>x</td></tr></table>",
             "1 > 0",
         }) {
        EXPECT_EQ(Neutralised(text), text);
    }
}

TEST_F(MarkupNeutraliserTest, TagsAreWrittenAnewWithQuotedValues) {
    EXPECT_EQ(Neutralised("<FONT Color=red SIZE='3'>x</FONT>"),
              "<font color=\"red\" size=\"3\">x</font>");
    EXPECT_EQ(Neutralised("<input disabled value=a\"b>"), "<input disabled value=\"a&quot;b\">");
    EXPECT_EQ(Neutralised("<a title='<b>'>t</a>"), "<a title=\"&lt;b&gt;\">t</a>");
    EXPECT_EQ(Neutralised("<img/src=x/alt=y>"), "<img src=\"x/alt=y\">");
    EXPECT_EQ(Neutralised("</b foo=bar>"), "</b>");
}

TEST_F(MarkupNeutraliserTest, ScriptElementsShowAsText) {
    EXPECT_EQ(Neutralised("<script>alert(1)</script>"), "&lt;script>alert(1)&lt;/script>");
    EXPECT_EQ(Neutralised("<SCRIPT src=//evil/x.js></SCRIPT>"),
              "&lt;SCRIPT src=//evil/x.js>&lt;/SCRIPT>");
    EXPECT_EQ(Neutralised("<ScRiPt\ttype=text/vbscript>MsgBox 1</sCrIpT >"),
              "&lt;ScRiPt\ttype=text/vbscript>MsgBox 1&lt;/sCrIpT >");
    // Markup written by a script's text is checked like any other.
    EXPECT_EQ(Neutralised("<script>document.write('<img src=x onerror=alert(1)>')</script>"),
              "&lt;script>document.write('<img src=\"x\">')&lt;/script>");
    for (const char* active :
         {"<iframe src=http://evil>", "<object data=x.ocx>", "<embed src=x.swf>",
          "<style>b{x:expression(alert(1))}</style>", "<meta http-equiv=refresh content=0>",
          "<svg onload=alert(1)>", "<base href=http://evil/>", "<plaintext>"}) {
        EXPECT_EQ(Neutralised(active).substr(0, 4), "&lt;") << active;
    }
}

TEST_F(MarkupNeutraliserTest, EventHandlerAttributesAreDropped) {
    EXPECT_EQ(Neutralised("<img src=x onerror=alert(1)>"), "<img src=\"x\">");
    EXPECT_EQ(Neutralised("<b ONMOUSEOVER=\"alert(1)\">b</b>"), "<b>b</b>");
    EXPECT_EQ(Neutralised("<b OnClick='alert(1)' title=k>b</b>"), "<b title=\"k\">b</b>");
    EXPECT_EQ(Neutralised("<body onload=alert(1)>"), "<body>");
    EXPECT_EQ(Neutralised("<img src=x\nonerror\n=\nalert(1)>"), "<img src=\"x\">");
    // A value that hides a second attribute stays one value.
    EXPECT_EQ(Neutralised("<img alt=\"x onerror=alert(1)\" src=y>"),
              "<img alt=\"x onerror=alert(1)\" src=\"y\">");
    // Names the page could read otherwise are dropped.
    EXPECT_EQ(Neutralised("<img src=x \"onerror=alert(1)>"), "<img src=\"x\">");
}

TEST_F(MarkupNeutraliserTest, CapturedMarkupCannotStandInForThePagesOwnElements) {
    EXPECT_EQ(Neutralised("<div id=ctrlHotkey style=\"color:red\">x</div>"),
              "<div style=\"color:red\">x</div>");
    EXPECT_EQ(Neutralised("<span CLASS=odd>x</span><input type=checkbox NAME=chkCopyAll>"),
              "<span>x</span><input type=\"checkbox\">");
    EXPECT_EQ(Neutralised("<label for=chkCopyAll>x</label>"), "<label>x</label>");
}

TEST_F(MarkupNeutraliserTest, ScriptAddressesAreDroppedHoweverWritten) {
    for (const char* hostile : {
             "<a href='javascript:alert(1)'>x</a>",
             "<a href=JavaScript:alert(1)>x</a>",
             "<a href=\"java\tscript:alert(1)\">x</a>",
             "<a href=\" javascript:alert(1)\">x</a>",
             "<a href=\"vbscript:msgbox(1)\">x</a>",
             "<a href=\"&#106;avascript:alert(1)\">x</a>",
             "<a href=\"&#x6A;avascript&#58;alert(1)\">x</a>",
             "<a href=\"javascript&colon;alert(1)\">x</a>",
             "<a href=\"java&#x09;script:alert(1)\">x</a>",
             "<a href=\"jav&#0000097script:alert(1)\">x</a>",
         }) {
        EXPECT_EQ(Neutralised(hostile), "<a>x</a>") << hostile;
    }
    EXPECT_EQ(Neutralised("<img src=\"x\" dynsrc=\"vbscript:x\" lowsrc=javascript:y>"),
              "<img src=\"x\">");
    EXPECT_EQ(Neutralised("<div style=\"width:expression(alert(1))\">d</div>"), "<div>d</div>");
    EXPECT_EQ(Neutralised("<div style=\"background:url(javascript:alert(1))\">d</div>"),
              "<div>d</div>");
    EXPECT_EQ(Neutralised("<div style=\"behavior:url(x.htc)\">d</div>"), "<div>d</div>");
    EXPECT_EQ(Neutralised("<div style=\"width:exp/**/ression(alert(1))\">d</div>"), "<div>d</div>");
    EXPECT_EQ(Neutralised("<div style=\"width:\\65 xpression(alert(1))\">d</div>"), "<div>d</div>");
    EXPECT_EQ(Neutralised("<div style=\"color:red\">d</div>"), "<div style=\"color:red\">d</div>");
}

TEST_F(MarkupNeutraliserTest, WhatIsNoWholeTagShowsAsText) {
    // Left open at the end of the text: it would take in the rest of the table.
    EXPECT_EQ(Neutralised("<img src=x onerror=alert(1)"), "&lt;img src=x onerror=alert(1)");
    EXPECT_EQ(Neutralised("<a title=\"x>y"), "&lt;a title=\"x>y");
    EXPECT_EQ(Neutralised("<!--[if IE]><script>alert(1)</script><![endif]-->"),
              "&lt;!--[if IE]>&lt;script>alert(1)&lt;/script>&lt;![endif]-->");
    EXPECT_EQ(Neutralised("<?import namespace=x>"), "&lt;?import namespace=x>");
    EXPECT_EQ(Neutralised("a < b <3 </ x>"), "a &lt; b &lt;3 &lt;/ x>");
    EXPECT_EQ(Neutralised("<"), "&lt;");
}

TEST_F(MarkupNeutraliserTest, DoubleByteTextStaysWholeAndLoneLeadBytesGo) {
    config.codePage = 932;
    winsim::ResetDesktop(config);
    // Two kanji, and a wide letter whose trail byte is 'o': all stay whole.
    EXPECT_EQ(Neutralised("<b>\x93\xFA\x96\x7B</b>"), "<b>\x93\xFA\x96\x7B</b>");
    EXPECT_EQ(Neutralised("\x82\x6Fn"), "\x82\x6Fn");
    // A lead byte in front of a quote could join it in the conversion to UTF-16.
    EXPECT_EQ(Neutralised("<a title=\"x\x82\">\" onmouseover=alert(1) \"</a>"),
              "<a title=\"x?\">\" onmouseover=alert(1) \"</a>");
    EXPECT_EQ(Neutralised("end\x82"), "end?");
}

} // namespace
