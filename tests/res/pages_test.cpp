// The four HTML pages read back as RT_HTML resources: their ids, classes, texts and styles.
#include "page_reader.h"
#include "template_readers.h"

#include <res/resource.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

namespace {

using restest::Page;

Page LoadPage(int id) {
    auto data = restest::ResourceData(MAKEINTRESOURCEA(id), RT_HTML);
    EXPECT_TRUE(data) << "page " << id;
    return Page(data ? std::string(data->begin(), data->end()) : std::string());
}

std::string Attr(const Page& page, const std::string& id, const std::string& name) {
    auto element = page.Element(id);
    if (!element) {
        return "<no element " + id + ">";
    }
    auto found = element->find(name);
    return found == element->end() ? "<no " + name + ">" : found->second;
}

// The page names a bitmap as res://Verbacap.exe/#2/<name>; the resource must exist under it.
void ExpectBitmapUrlResolves(const Page& page, const std::string& name) {
    const std::string url = "res://Verbacap.exe/#2/" + name;
    EXPECT_TRUE(page.Contains("url(" + url + ")")) << url;
    EXPECT_NE(FindResourceA(GetModuleHandleA("Verbacap.exe"), name.c_str(), "#2"), nullptr) << name;
}

class Pages : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(Pages, MainPageHasTheMenuTitlesTheListTheSettingsAndTheCommentedOptions) {
    const Page page = LoadPage(IDR_HTML_VERBACAP);
    EXPECT_TRUE(page.Contains("charset=utf-8"));
    EXPECT_EQ(Attr(page, "CQuilloryTextDlg", "<tag>"), "body");
    ExpectBitmapUrlResolves(page, "background");
    const std::string body = page.Rule("body");
    EXPECT_NE(body.find("background-color: #ffffff;"), std::string::npos) << body;
    EXPECT_NE(body.find("font-family: Tahoma; font-size: 8pt; margin: 0px;"), std::string::npos);

    EXPECT_EQ(Attr(page, "menu", "class"), "menu_out");
    EXPECT_EQ(page.ElementText("menu"), "Fonctions");
    EXPECT_EQ(Attr(page, "menuHelp", "class"), "menu_out");
    EXPECT_EQ(page.ElementText("menuHelp"), "Aide");
    EXPECT_EQ(page.Rule(".menu_out"), "color: #001133; border: 1px solid #ffffff; "
                                      "padding-left: 3px; padding-right: 3px; cursor: default;");
    EXPECT_EQ(page.Rule(".menu_over"),
              "color: #ffffff; background-color: #336699; border: 1px solid #113366; "
              "padding-left: 3px; padding-right: 3px; cursor: default;");
    EXPECT_NE(page.Rule(".odd").find("background-color: #ffffff;"), std::string::npos);
    EXPECT_NE(page.Rule(".even").find("background-color: #c6dcf0;"), std::string::npos);
    EXPECT_NE(page.Rule("div").find("border: 1px outset #3366a0;"), std::string::npos);

    EXPECT_EQ(Attr(page, "tblTexts", "<tag>"), "div");
    EXPECT_EQ(Attr(page, "tblTexts", "style"), "width: 100%; height: 250px; overflow: auto;");
    EXPECT_EQ(Attr(page, "tbl", "<tag>"), "table");
    EXPECT_TRUE(page.Contains("<th width=\"80px\">Heure capture</th><th width=\"60%\">Texte</th>"
                              "<th>Image</th>"));
    EXPECT_TRUE(page.Contains("<tr><td colspan=\"3\"></td></tr>"));

    EXPECT_EQ(Attr(page, "chkCopyAll", "type"), "checkbox");
    EXPECT_EQ(Attr(page, "chkCopyAll", "name"), "chkCopyAll");
    EXPECT_TRUE(page.Contains("<label for=\"chkCopyAll\">Copier tout le dialogue</label>"));
    EXPECT_TRUE(page.Contains("Touche de raccourci:"));
    EXPECT_EQ(Attr(page, "ctrlHotkey", "style"), "width: 120px; height: 20px;");
    EXPECT_TRUE(page.Contains("<b>Verbacap 2.2</b>"));

    // The two further options exist only inside a comment, so not in the document.
    EXPECT_FALSE(page.Element("chkMinimizeToTray"));
    EXPECT_FALSE(page.Element("chkAutostart"));
    ASSERT_EQ(page.Comments().size(), 1u);
    const Page comment(page.Comments()[0]);
    EXPECT_EQ(Attr(comment, "chkMinimizeToTray", "type"), "checkbox");
    EXPECT_TRUE(comment.Contains(">Minimiser dans la barre de tray<"));
    EXPECT_EQ(Attr(comment, "chkAutostart", "type"), "checkbox");
    EXPECT_TRUE(comment.Contains(">D\xC3\xA9marrage automatique<"));
}

TEST_F(Pages, AutoCapturePageAsksForTheIntervalWithStartAndCancel) {
    const Page page = LoadPage(IDR_HTML_AUTOSCREENSHOT);
    EXPECT_EQ(Attr(page, "CDlgAutoScreenshot", "<tag>"), "body");
    ExpectBitmapUrlResolves(page, "dlgbkg");
    EXPECT_NE(page.Rule("body").find("font-family: Tahoma; font-size: 8pt;"), std::string::npos);
    EXPECT_EQ(page.Rule("h1").find("font-size: 11pt; color: #10307F;"), 0u) << page.Rule("h1");
    EXPECT_TRUE(page.Contains("<h1>Captures automatiques</h1>"));
    EXPECT_TRUE(page.Contains("<p>Capture d'\xC3\xA9"
                              "cran toutes les <input"));
    EXPECT_EQ(Attr(page, "txtFreq", "type"), "text");
    EXPECT_EQ(Attr(page, "txtFreq", "class"), "edit");
    EXPECT_EQ(Attr(page, "txtFreq", "size"), "4");
    EXPECT_EQ(Attr(page, "txtFreq", "style"), "width: 40px;");
    // The note on a refused interval goes under the field, empty until then.
    EXPECT_TRUE(
        page.Contains("> secondes<br><span id=\"freqNotice\" class=\"notice\"></span></p>\n<hr>"));
    EXPECT_EQ(Attr(page, "ButtonOK", "class"), "button");
    EXPECT_EQ(page.ElementText("ButtonOK"), "D\xC3\xA9marrer !");
    EXPECT_EQ(Attr(page, "ButtonCancel", "class"), "button");
    EXPECT_EQ(page.ElementText("ButtonCancel"), "Annuler");
    const std::string button = page.Rule(".button");
    EXPECT_NE(button.find("color: #ffffff; background-color: #3366a0; width: 80px;"),
              std::string::npos)
        << button;
}

// The style sheet that the About and Help pages share.
void ExpectInfoPageStyles(const Page& page) {
    EXPECT_EQ(page.Rule("body"), "font-family: Tahoma; font-size: 8pt; color: #000000;");
    EXPECT_EQ(page.Rule("h1"), "font-size: 11pt; color: #10307F;");
    EXPECT_EQ(page.Rule("h2"), "font-size: 9pt; color: #10307F;");
    EXPECT_NE(page.Rule("hr").find("height: 1px; width: 95%; color: #3366a0;"), std::string::npos);
    EXPECT_NE(page.Rule(".button").find("color: #ffffff; background-color: #3366a0; "
                                        "width: 80px; border: 1px outset #6699cc;"),
              std::string::npos);
    EXPECT_FALSE(page.Contains("background-image"));
}

TEST_F(Pages, AboutPageCreditsTheAuthorsWithTheDisclaimerAndAnOkButton) {
    const Page page = LoadPage(IDR_HTML_ABOUT);
    EXPECT_EQ(Attr(page, "CDialogAbout", "<tag>"), "body");
    ExpectInfoPageStyles(page);
    const std::string& m = page.Markup();
    const size_t heading = m.find("<h1>A propos de Verbacap</h1>");
    const size_t credit =
        m.find("<a href=\"mailto:verbacap@example.org\">the Verbacap authors</a>");
    const size_t thanks = m.find("merci");
    const size_t disclaimer = m.find("<small>Cette application est un logiciel gratuit.");
    const size_t site = m.find("Visitez notre site web:<br><a href=\"http://www.example.org/"
                               "verbacap/\">http://www.example.org/verbacap/</a>");
    const size_t rule = m.find("<hr>");
    ASSERT_NE(heading, std::string::npos);
    ASSERT_NE(credit, std::string::npos);
    ASSERT_NE(thanks, std::string::npos);
    ASSERT_NE(disclaimer, std::string::npos);
    ASSERT_NE(site, std::string::npos);
    ASSERT_NE(rule, std::string::npos);
    EXPECT_TRUE(heading < credit && credit < thanks && thanks < disclaimer && disclaimer < site &&
                site < rule);
    EXPECT_EQ(Attr(page, "ButtonOK", "class"), "button");
    EXPECT_EQ(page.ElementText("ButtonOK"), "OK");
    EXPECT_LT(rule, m.find("id=\"ButtonOK\""));
    EXPECT_FALSE(page.Element("ButtonCancel"));
}

TEST_F(Pages, HelpPageHasItsSectionsInOrderAndNoButtons) {
    const Page page = LoadPage(IDR_HTML_HELP);
    EXPECT_EQ(Attr(page, "CDialogHelp", "<tag>"), "body");
    EXPECT_EQ(Attr(page, "CDialogHelp", "scroll"), "yes");
    ExpectInfoPageStyles(page);
    const char* const headings[] = {
        "<h1>I. Qu'est-ce que Verbacap?</h1>",
        "<h1>II. En d\xC3\xA9tail... Utilisation</h1>",
        "<h2>II.1 Copier le texte</h2>",
        "<h2>II.2 Prendre des copies d'\xC3\xA9"
        "cran</h2>",
        "<h2>II.3 Supprimer des entr\xC3\xA9"
        "es</h2>",
        "<h2>II.4 Que copier?</h2>",
        "<h2>II.5 Auto-captures</h2>",
        "<h2>II.6 Note sur DirectX</h2>",
        "<h1>III. Configuration</h1>",
        "<h2>III.1 Configurer une touche de raccourci</h2>",
        "<h2>III.2 Minimiser dans la barre de tray</h2>",
        "<h2>III.3 D\xC3\xA9marrage automatique</h2>",
    };
    size_t previous = 0;
    for (const char* heading : headings) {
        const size_t at = page.Markup().find(heading);
        ASSERT_NE(at, std::string::npos) << heading;
        EXPECT_GT(at, previous) << heading;
        previous = at;
    }
    EXPECT_TRUE(
        page.Contains("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    EXPECT_FALSE(page.Contains("<button"));
    EXPECT_FALSE(page.Contains("<input"));
}

} // namespace
