// Auto-capture: the interval dialog, the timer of the main window and its captures.
#include "page_dialog.h"

namespace {

void ChooseAutoCapture() {
    ::PostMessageA(ProgramTest::Dialog().m_hWnd, WM_COMMAND, ID_AUTOCAPTURE, 0);
}

CDHtmlDialog& IntervalDialog() {
    CDHtmlDialog* dialog = OpenPageDialog();
    if (dialog == nullptr || dialog->GetElement("txtFreq") == nullptr) {
        throw std::runtime_error("the interval dialog is not open");
    }
    return *dialog;
}

std::string FieldValue() {
    return AsciiOf(IntervalDialog().GetElement("txtFreq")->GetValue());
}

// Types the interval (in place of what the field holds) and presses "Démarrer !".
void Start(const std::string& interval) {
    IntervalDialog().GetElement("txtFreq")->SetValue(WideOf(interval));
    ClickElement(IntervalDialog(), "ButtonOK");
}

void ShowOtherProgramBox() {
    winsim::ShowOtherProgramMessageBox("Bloc-notes", "Fichier introuvable.");
}

} // namespace

class AutoCaptureTest : public ProgramTest {};

TEST_F(AutoCaptureTest, FirstUseShowsFiveAndStartsACaptureEveryFiveSeconds) {
    Step("choose Auto-captures", [] { ChooseAutoCapture(); });
    Step("the dialog shows 5", [] {
        EXPECT_EQ(FieldValue(), "5");
        ClickElement(IntervalDialog(), "ButtonOK");
    });
    Step("running", [] {
        EXPECT_EQ(OpenPageDialog(), nullptr);
        EXPECT_TRUE(Dialog().IsAutoCaptureOn());
        EXPECT_EQ(Dialog().GetAutoCaptureTimer(), 1u);
        ShowOtherProgramBox();
        winsim::LetTimePass(10500);
    });
    Step("two captures of the box", [] {
        ASSERT_EQ(Dialog().GetEntryCount(), 2);
        EXPECT_EQ(std::string(Dialog().GetEntryAt(1)->m_strText), "Fichier introuvable.");
        EXPECT_EQ(ReadSetting("AsFreq"), "5");
        winsim::AnswerMessageBox(IDOK);
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(AutoCaptureTest, HalfASecondWithACommaIsStoredAsTypedAndTheCommandStopsAtOnce) {
    Step("choose Auto-captures", [] { ChooseAutoCapture(); });
    Step("half a second, written the French way", [] { Start("0,5"); });
    Step("one second passes", [] {
        ShowOtherProgramBox();
        winsim::LetTimePass(1000);
    });
    Step("two captures; stop", [] {
        EXPECT_EQ(Dialog().GetEntryCount(), 2);
        EXPECT_EQ(ReadSetting("AsFreq"), "0,5");
        ChooseAutoCapture();
    });
    Step("stopped without a dialog", [] {
        EXPECT_EQ(OpenPageDialog(), nullptr);
        EXPECT_FALSE(Dialog().IsAutoCaptureOn());
        winsim::LetTimePass(3000);
    });
    Step("no more captures; the menu shows no mark", [] {
        EXPECT_EQ(Dialog().GetEntryCount(), 2);
        winsim::AnswerMessageBox(IDOK);
        ChooseAutoCapture();
    });
    Step("the dialog shows the interval as typed", [] {
        EXPECT_EQ(FieldValue(), "0,5");
        ClickElement(IntervalDialog(), "ButtonCancel");
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(AutoCaptureTest, CancelAndTheCloseBoxStartNothingAndKeepTheStoredInterval) {
    Step("choose Auto-captures", [] { ChooseAutoCapture(); });
    Step("Annuler after typing 9", [] {
        IntervalDialog().GetElement("txtFreq")->SetValue(u"9");
        ClickElement(IntervalDialog(), "ButtonCancel");
    });
    Step("off; the default is stored", [] {
        EXPECT_FALSE(Dialog().IsAutoCaptureOn());
        EXPECT_EQ(ReadSetting("AsFreq"), "5");
        WriteSetting("AsFreq", "3");
        ChooseAutoCapture();
    });
    Step("the close box after typing 7", [] {
        EXPECT_EQ(FieldValue(), "3");
        IntervalDialog().GetElement("txtFreq")->SetValue(u"7");
        winsim::ClickCaptionButton(IntervalDialog().m_hWnd, HTCLOSE);
    });
    Step("off; nothing written", [] {
        EXPECT_EQ(OpenPageDialog(), nullptr);
        EXPECT_FALSE(Dialog().IsAutoCaptureOn());
        EXPECT_EQ(ReadSetting("AsFreq"), "3");
        winsim::LetTimePass(10000);
    });
    Step("no capture", [] { EXPECT_TRUE(Dialog().GetEntryCount() == 0); });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(AutoCaptureTest, ARefusedIntervalKeepsTheDialogOpenAndStartsNothing) {
    WriteSetting("AsFreq", "4");
    Step("choose Auto-captures", [] { ChooseAutoCapture(); });
    Step("zero", [] { Start("0"); });
    Step("still open, with a note", [] {
        EXPECT_NE(OpenPageDialog(), nullptr);
        EXPECT_FALSE(Dialog().IsAutoCaptureOn());
        EXPECT_NE(AsciiOf(IntervalDialog().GetElement("freqNotice")->GetInnerText()), "");
        EXPECT_EQ(FieldValue(), "0");
        EXPECT_EQ(ReadSetting("AsFreq"), "4");
        // Enter confirms as the start button does, with the same check.
        IntervalDialog().GetElement("txtFreq")->SetValue(u"abc");
        winsim::PressKeys("Enter");
    });
    Step("refused again; Annuler", [] {
        ASSERT_NE(OpenPageDialog(), nullptr);
        EXPECT_FALSE(Dialog().IsAutoCaptureOn());
        ClickElement(IntervalDialog(), "ButtonCancel");
    });
    Step("closed; the stored interval as it was", [] {
        EXPECT_EQ(OpenPageDialog(), nullptr);
        EXPECT_EQ(ReadSetting("AsFreq"), "4");
        winsim::LetTimePass(5000);
    });
    Step("no capture", [] { EXPECT_TRUE(Dialog().GetEntryCount() == 0); });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}

TEST_F(AutoCaptureTest, ATimerCaptureIsTheSameAsAHotKeyCapture) {
    Step("a box; the hot-key", [] {
        ShowOtherProgramBox();
        winsim::PressKeys("Alt+C");
    });
    Step("start at 2 s", [] {
        ASSERT_EQ(Dialog().GetEntryCount(), 1);
        ChooseAutoCapture();
    });
    Step("2", [] { Start("2"); });
    Step("the box in front again; time passes", [] {
        ::SetForegroundWindow(winsim::OpenMessageBox());
        ::OpenClipboard(nullptr);
        ::EmptyClipboard();
        ::CloseClipboard();
        winsim::LetTimePass(2000);
    });
    Step("the same entry, sound and clipboard", [] {
        ASSERT_EQ(Dialog().GetEntryCount(), 2);
        const CaptureEntry& byKey = *Dialog().GetEntryAt(0);
        const CaptureEntry& byTimer = *Dialog().GetEntryAt(1);
        EXPECT_EQ(std::string(byTimer.m_strText), std::string(byKey.m_strText));
        EXPECT_EQ(byTimer.m_nWidth, byKey.m_nWidth);
        EXPECT_EQ(byTimer.m_nHeight, byKey.m_nHeight);
        EXPECT_TRUE(::PathFileExistsA(byTimer.m_strImagePath));
        EXPECT_EQ(winsim::SoundsStarted().size(), 2u);
        EXPECT_EQ(winsim::ClipboardText(), "Fichier introuvable.");
        EXPECT_EQ(Dialog().GetSelectedEntry(), 1);
        winsim::AnswerMessageBox(IDOK);
    });
    StepClose();
    EXPECT_EQ(RunProgram(), 0);
}
