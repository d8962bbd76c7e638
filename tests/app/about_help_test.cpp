// The About and Help dialogs of the Help menu.
#include "page_dialog.h"

namespace {

void Command(UINT id) {
    ::PostMessageA(ProgramTest::Dialog().m_hWnd, WM_COMMAND, id, 0);
}

std::string BodyId(CDHtmlDialog& dialog) {
    CHtmlElementPtr element = dialog.GetElement("ButtonOK");
    while (element != nullptr && element->GetParent() != nullptr &&
           AsciiOf(element->GetTagName()) != "BODY") {
        element = element->GetParent();
    }
    return element != nullptr ? AsciiOf(element->GetId()) : std::string();
}

} // namespace

class AboutHelpTest : public ProgramTest {};

TEST_F(AboutHelpTest, AboutShowsTheSamePageEachTimeAndClosesByOkOrItsCloseBox) {
    static htmlview::WideString firstText;
    Step("choose the About item", [] { Command(ID_SHOW_ABOUT); });
    Step("the About page; OK", [] {
        CDHtmlDialog* about = OpenPageDialog();
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(BodyId(*about), "CDialogAbout");
        CString caption;
        about->GetWindowText(caption);
        EXPECT_EQ(std::string(caption), "A propos de Verbacap...");
        firstText = about->GetHtmlView()->FindElement(u"ButtonOK")->GetParent()->GetInnerText();
        ClickElement(*about, "ButtonOK");
    });
    Step("closed; again", [] {
        EXPECT_EQ(OpenPageDialog(), nullptr);
        Command(ID_SHOW_ABOUT);
    });
    Step("the same page; the close box", [] {
        CDHtmlDialog* about = OpenPageDialog();
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->GetHtmlView()->FindElement(u"ButtonOK")->GetParent()->GetInnerText(),
                  firstText);
        winsim::ClickCaptionButton(about->m_hWnd, HTCLOSE);
    });
    Step("closed", [] {
        EXPECT_EQ(OpenPageDialog(), nullptr);
        EXPECT_TRUE(::IsWindowEnabled(Dialog().m_hWnd));
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(AboutHelpTest, HelpHasNoButtonAndClosesByItsCloseBox) {
    Step("choose the Help item", [] { Command(ID_SHOW_HELP); });
    Step("the Help page; clicks on it", [] {
        CDHtmlDialog* help = OpenPageDialog();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->GetElement("ButtonOK"), nullptr);
        EXPECT_EQ(help->GetElement("ButtonCancel"), nullptr);
        winsim::ClickWindowAt(help->GetBrowserWindow(), POINT{40, 40});
    });
    Step("still open; the close box", [] {
        CDHtmlDialog* help = OpenPageDialog();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->GetElement("CDialogHelp") != nullptr, true);
        winsim::ClickCaptionButton(help->m_hWnd, HTCLOSE);
    });
    Step("closed", [] { EXPECT_EQ(OpenPageDialog(), nullptr); });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(AboutHelpTest, CapturesGoOnWhileADialogIsOpen) {
    Step("a box of another program, then the About item", [] {
        winsim::ShowOtherProgramMessageBox("Bloc-notes", "Fichier introuvable.");
        Command(ID_SHOW_ABOUT);
    });
    Step("the box in front; the hot-key", [] {
        ASSERT_NE(OpenPageDialog(), nullptr);
        ::SetForegroundWindow(winsim::OpenMessageBox());
        winsim::PressKeys("Alt+C");
    });
    Step("captured while About is open", [] {
        ASSERT_NE(OpenPageDialog(), nullptr);
        ASSERT_EQ(Dialog().GetEntryCount(), 1);
        EXPECT_EQ(std::string(Dialog().GetEntryAt(0)->m_strText), "Fichier introuvable.");
        winsim::ClickCaptionButton(OpenPageDialog()->m_hWnd, HTCLOSE);
    });
    Step("answer the box", [] { winsim::AnswerMessageBox(IDOK); });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}
