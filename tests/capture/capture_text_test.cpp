// The text that a capture reads from the foreground window: a message box's message, or the
// whole dialog (title and the controls' lines), and the bound of the text buffer.
#include "capture/CaptureText.h"
#include "ui/QuilloryTextDlg.h"

#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <pthread.h>

#include <string>
#include <vector>

namespace {

using Controls = std::vector<winsim::ChildControl>;

class CaptureTextTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(config_); }

    std::string Read(HWND window, bool copyAll) {
        CQuilloryTextDlg dialog;
        dialog.SetCopyAll(copyAll);
        CaptureText text;
        dialog.ReadCaptureText(window, text);
        EXPECT_LE(text.GetLength(), CaptureText::kMaxLength);
        return text.GetText().str();
    }

public:
    std::string ReadWholeDialog(HWND window) { return Read(window, true); }

protected:
    winsim::DesktopConfig config_;
};

TEST_F(CaptureTextTest, AMessageBoxGivesItsMessageAloneWithItsLineBreaks) {
    HWND box = winsim::ShowOtherProgramMessageBox("Bloc-notes", "Ligne 1\r\nLigne 2");
    EXPECT_EQ(Read(box, false), "Ligne 1\r\nLigne 2");
}

TEST_F(CaptureTextTest, AWindowWithoutAMessageTextGivesNothingUnlessTheWholeDialogIsAsked) {
    HWND dialog = winsim::ShowOtherProgramDialog("T", Controls{{"A", {}}, {"B", {}}});
    EXPECT_EQ(Read(dialog, false), "");
    EXPECT_EQ(Read(nullptr, false), "");
}

TEST_F(CaptureTextTest, AFlatDialogGivesItsTitleAndEveryControlButTheFirst) {
    HWND dialog = winsim::ShowOtherProgramDialog("T", Controls{{"A", {}}, {"B", {}}, {"C", {}}});
    EXPECT_EQ(Read(dialog, true), "<p><u>T</u></p>  B\n  C\n");
}

TEST_F(CaptureTextTest, OnlyTheFirstControlOfALevelIsDescendedIntoAndItsLinesComeFirst) {
    // A's children (after the first) come first with four blanks; B's children are never read.
    HWND dialog = winsim::ShowOtherProgramDialog(
        "Propriétés", Controls{{"A", {{"A1", {{"A1a", {}}, {"A1b", {}}}}, {"A2", {}}, {"A3", {}}}},
                               {"B", {{"B1", {}}, {"B2", {}}}},
                               {"C", {}}});
    EXPECT_EQ(Read(dialog, true), "<p><u>Propriétés</u></p>      A1b\n    A2\n    A3\n  B\n  C\n");
}

TEST_F(CaptureTextTest, EmptyTextsStillGiveALineAndAnEmptyTitleItsMarkup) {
    HWND dialog = winsim::ShowOtherProgramDialog("", Controls{{"A", {}}, {"", {}}, {"", {}}});
    EXPECT_EQ(Read(dialog, true), "<p><u></u></p>  \n  \n");
    HWND alone = winsim::ShowOtherProgramDialog("Seul", Controls{});
    EXPECT_EQ(Read(alone, true), "<p><u>Seul</u></p>");
}

TEST_F(CaptureTextTest, AWholeDialogTooLongForTheBufferEndsWithTheLastLineThatFits) {
    // Each line takes 2 + 4,095 + 1 bytes; after "<p><u>T</u></p>" seven of them fit.
    const std::string longText(4095, 'x');
    Controls controls{{"first", {}}};
    for (int i = 0; i < 9; ++i) {
        controls.push_back({longText, {}});
    }
    // A short line behind the one that did not fit must not slip in.
    controls.push_back({"court", {}});
    HWND dialog = winsim::ShowOtherProgramDialog("T", controls);
    const std::string text = Read(dialog, true);
    std::string expected = "<p><u>T</u></p>";
    for (int i = 0; i < 7; ++i) {
        expected += "  " + longText + "\n";
    }
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
}

TEST_F(CaptureTextTest, AControlTextIsReadUpTo4095Characters) {
    const std::string longText(5000, 'y');
    HWND dialog = winsim::ShowOtherProgramDialog("T", Controls{{"A", {}}, {longText, {}}});
    EXPECT_EQ(Read(dialog, true), "<p><u>T</u></p>  " + std::string(4095, 'y') + "\n");
}

TEST_F(CaptureTextTest, AnOverlongTitleIsShortenedSoThatItsClosingMarkupFits) {
    HWND dialog =
        winsim::ShowOtherProgramDialog(std::string(40000, 't'), Controls{{"A", {}}, {"B", {}}});
    const std::string text = Read(dialog, true);
    ASSERT_EQ(text.size(), static_cast<size_t>(CaptureText::kMaxLength));
    EXPECT_EQ(text.substr(0, 7), "<p><u>t");
    EXPECT_EQ(text.substr(text.size() - 9), "t</u></p>");
}

TEST_F(CaptureTextTest, PiecesAreTakenWholeAndTheFirstRefusalClosesTheText) {
    CaptureText text;
    EXPECT_TRUE(text.Append(std::string(CaptureText::kMaxLength - 3, 'a').c_str()));
    EXPECT_FALSE(text.Append("abcd"));
    EXPECT_TRUE(text.IsClosed());
    EXPECT_FALSE(text.Append("b"));
    EXPECT_EQ(text.GetLength(), CaptureText::kMaxLength - 3);
}

// Windows gives a program's main thread 1 MB of stack: the capture reads on a thread of that
// size here, so a walk that takes stack per level of the window tree fails as it would there.
std::string ReadWholeDialogOnAWindowsSizedStack(CaptureTextTest& test, HWND window) {
    struct Job {
        CaptureTextTest& test;
        HWND window;
        std::string text;
    } job{test, window, {}};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1 << 20);
    pthread_t thread;
    const auto run = [](void* data) -> void* {
        Job& job = *static_cast<Job*>(data);
        job.text = job.test.ReadWholeDialog(job.window);
        return nullptr;
    };
    EXPECT_EQ(pthread_create(&thread, &attributes, run, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    return job.text;
}

TEST_F(CaptureTextTest, ADialogNestedHundredsDeepIsReadDeepestLineFirst) {
    // Each level: the chain's next window first, then one control "S<level>".
    constexpr int kDepth = 400;
    Controls level{{"S" + std::to_string(kDepth), {}}};
    for (int depth = kDepth - 1; depth >= 1; --depth) {
        Controls outer{{"C", std::move(level)}, {"S" + std::to_string(depth), {}}};
        level = std::move(outer);
    }
    HWND dialog = winsim::ShowOtherProgramDialog("T", level);
    const std::string text = ReadWholeDialogOnAWindowsSizedStack(*this, dialog);
    // The deepest control with a line is the "S" beside the chain's window at kDepth - 1.
    // The lines that fit in the buffer, each taken whole.
    std::string expected = "<p><u>T</u></p>";
    for (int depth = kDepth - 1; depth >= 1; --depth) {
        const std::string line =
            std::string(2 * static_cast<size_t>(depth), ' ') + "S" + std::to_string(depth) + "\n";
        if (expected.size() + line.size() > static_cast<size_t>(CaptureText::kMaxLength)) {
            break;
        }
        expected += line;
    }
    EXPECT_EQ(text, expected);
}

class CaptureTextDoubleByteTest : public CaptureTextTest {
protected:
    CaptureTextDoubleByteTest() { config_.codePage = 932; }
};

TEST_F(CaptureTextDoubleByteTest, ACutNeverSplitsADoubleByteCharacter) {
    CaptureText text;
    ASSERT_TRUE(text.Append(std::string(CaptureText::kMaxLength - 5, 'a').c_str()));
    // Three double-byte characters (0x95 0x5C each) with one byte to keep free: room for four
    // bytes, that is two whole characters.
    const char kanji[] = "\x95\x5C\x95\x5C\x95\x5C";
    text.AppendCut(kanji, 6, 1);
    EXPECT_EQ(text.GetLength(), CaptureText::kMaxLength - 1);
    EXPECT_EQ(text.GetText().Right(4), CString("\x95\x5C\x95\x5C"));
    // Room for a single byte and a lead byte: the lead byte does not go in alone.
    CaptureText odd;
    ASSERT_TRUE(odd.Append(std::string(CaptureText::kMaxLength - 3, 'a').c_str()));
    odd.AppendCut("b\x95\x5C", 3, 1);
    EXPECT_EQ(odd.GetLength(), CaptureText::kMaxLength - 2);
    EXPECT_EQ(odd.GetText().Right(2), CString("ab"));
}

} // namespace
