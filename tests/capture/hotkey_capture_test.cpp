// Whole captures in the running program: the person presses Alt+C over another program's window
// and the program records it: sound, entry, picture, list, clipboard.
#include "program_fixture.h"

#include "tests/imaging/JpegFile.h"

#include <winsim/sim_gdi.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char kImageFolder[] = "C:\\Program Files\\Verbacap\\tmp";
using Controls = std::vector<winsim::ChildControl>;

// Alt+C goes down and, once the program has handled it, up again.
void StepPressAltC(const std::string& when = "") {
    winsim::ScriptPush("hold Alt+C" + when, [] {
        winsim::KeyDown(VK_MENU);
        winsim::KeyDown('C');
    });
    winsim::ScriptPush("release Alt+C", [] {
        winsim::KeyUp('C');
        winsim::KeyUp(VK_MENU);
    });
}

bool FileExists(const CString& path) {
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The host bytes of a file on drive C:, by its Windows path.
Bytes ReadCaptureFile(const CString& path) {
    std::string relative = path.str();
    EXPECT_EQ(relative.substr(0, 3), "C:\\");
    relative = relative.substr(3);
    for (char& ch : relative) {
        if (ch == '\\') {
            ch = '/';
        }
    }
    return ReadHostFile(relative);
}

CSize WindowSize(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return CSize(rect.right - rect.left, rect.bottom - rect.top);
}

size_t ImageFolderFiles() {
    std::optional<std::string> host = winsim::HostPath(kImageFolder);
    std::error_code error;
    size_t count = 0;
    for (std::filesystem::directory_iterator it(*host, error), end; !error && it != end;
         it.increment(error)) {
        count += it->is_regular_file(error) ? 1 : 0;
    }
    return count;
}

class HotKeyCaptureTest : public ProgramTest {};

TEST_F(HotKeyCaptureTest, AMessageBoxGivesItsMessageAPictureTheSoundAndTheClipboard) {
    auto box = std::make_shared<HWND>();
    Step("another program shows a message box",
         [box] { *box = winsim::ShowOtherProgramMessageBox("Bloc-notes", "Ligne 1\nLigne 2"); });
    StepPressAltC();
    Step("look at the capture", [box] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 1);
        const CaptureEntry& entry = *dialog.GetEntryAt(0);
        EXPECT_EQ(entry.m_strText.str(), "Ligne 1<br/>Ligne 2");
        EXPECT_EQ(dialog.GetSelectedEntry(), 0);
        EXPECT_EQ(winsim::ClipboardText(), "Ligne 1\r\nLigne 2");
        EXPECT_EQ(winsim::ClipboardOwner(), dialog.m_hWnd);

        const CSize size = WindowSize(*box);
        EXPECT_EQ(entry.m_nWidth, size.cx);
        EXPECT_EQ(entry.m_nHeight, size.cy);
        EXPECT_EQ(entry.m_strImagePath.Left(30), CString(kImageFolder) + "\\");
        DecodedImage image;
        ASSERT_TRUE(DecodeJpeg(ReadCaptureFile(entry.m_strImagePath), &image));
        EXPECT_EQ(image.width, size.cx);
        EXPECT_EQ(image.height, size.cy);

        const std::vector<winsim::SoundStart> sounds = winsim::SoundsStarted();
        ASSERT_EQ(sounds.size(), 1u);
        EXPECT_EQ(sounds[0].name, "#137");
        EXPECT_TRUE(sounds[0].fromResource);
        EXPECT_TRUE(sounds[0].async);
        EXPECT_FALSE(sounds[0].playedDefault);

        CHtmlElementPtr cell = dialog.GetElement("txt0");
        ASSERT_NE(cell, nullptr);
        EXPECT_NE(CString(cell->GetInnerText().c_str()).Find("Ligne 2"), -1);
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ImageFolderFiles(), 0u) << "the run's pictures go with the program";
    EXPECT_TRUE(::PathFileExistsA(kImageFolder)) << "the folder stays";
}

TEST_F(HotKeyCaptureTest, AWindowWithoutMessageTextGivesAnEmptyTextAndAPicture) {
    auto dialogWindow = std::make_shared<HWND>();
    Step("another program shows a dialog", [dialogWindow] {
        *dialogWindow = winsim::ShowOtherProgramDialog("T", Controls{{"A", {}}, {"B", {}}});
    });
    StepPressAltC();
    Step("look at the capture", [dialogWindow] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 1);
        const CaptureEntry& entry = *dialog.GetEntryAt(0);
        EXPECT_EQ(entry.m_strText.str(), "");
        EXPECT_EQ(winsim::ClipboardText(), "");
        EXPECT_EQ(entry.m_nWidth, WindowSize(*dialogWindow).cx);
        EXPECT_TRUE(FileExists(entry.m_strImagePath));
    });
    StepClose();
    RunProgram();
}

TEST_F(HotKeyCaptureTest, WithCopyAllAFlatDialogGivesItsTitleAndTheControlsAfterTheFirst) {
    WriteSetting("CopyAll", "1");
    Step("another program shows a dialog", [] {
        winsim::ShowOtherProgramDialog("T", Controls{{"A", {}}, {"B", {}}, {"C", {}}});
    });
    StepPressAltC();
    Step("look at the capture", [] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 1);
        EXPECT_EQ(dialog.GetEntryAt(0)->m_strText.str(), "<p><u>T</u></p>  B<br/>  C<br/>");
        EXPECT_EQ(winsim::ClipboardText(), "T\r\n=\r\n\r\n  B\r\n  C\r\n");
    });
    StepClose();
    RunProgram();
}

TEST_F(HotKeyCaptureTest, TwoCapturesInARowGetTwoFilesAndTheSecondIsSelected) {
    Step("a first message box", [] { winsim::ShowOtherProgramMessageBox("Un", "Premier"); });
    StepPressAltC();
    Step("a second one at the same moment",
         [] { winsim::ShowOtherProgramMessageBox("Deux", "Second"); });
    StepPressAltC();
    Step("look at both captures", [] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 2);
        const CaptureEntry& first = *dialog.GetEntryAt(0);
        const CaptureEntry& second = *dialog.GetEntryAt(1);
        EXPECT_EQ(first.m_strText.str(), "Premier");
        EXPECT_EQ(second.m_strText.str(), "Second");
        EXPECT_NE(first.m_strImagePath, second.m_strImagePath);
        EXPECT_TRUE(FileExists(first.m_strImagePath));
        EXPECT_TRUE(FileExists(second.m_strImagePath));
        EXPECT_EQ(dialog.GetSelectedEntry(), 1);
        EXPECT_EQ(winsim::ClipboardText(), "Second");
        EXPECT_EQ(winsim::SoundStartCount("#137"), 2);
        EXPECT_EQ(ImageFolderFiles(), 2u);
    });
    Step("time passes", [] { winsim::LetTimePass(1000); });
    StepPressAltC(" a second later");
    Step("the third capture is named after the new tick", [] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 3);
        char name[32];
        std::snprintf(name, sizeof name, "\\%lx.jpg", static_cast<unsigned long>(::GetTickCount()));
        EXPECT_EQ(dialog.GetEntryAt(2)->m_strImagePath, CString(kImageFolder) + name);
        EXPECT_EQ(ImageFolderFiles(), 3u);
    });
    StepClose();
    RunProgram();
}

TEST_F(HotKeyCaptureTest, WithoutAForegroundWindowNothingIsRecorded) {
    Step("no window is in the foreground", [] { winsim::SetNoForegroundWindow(); });
    StepPressAltC();
    Step("nothing happened", [] {
        EXPECT_TRUE(Dialog().GetEntryCount() == 0);
        EXPECT_EQ(winsim::SoundStartCount("#137"), 0);
        EXPECT_EQ(ImageFolderFiles(), 0u);
        EXPECT_FALSE(winsim::ClipboardText().has_value());
    });
    StepClose();
    RunProgram();
}

TEST_F(HotKeyCaptureTest, TheMainWindowHiddenInTheTrayStillCapturesAndRendersTheList) {
    Step("hide the main window in the tray", [] { Dialog().HideToTray(); });
    Step("another program shows a message box",
         [] { winsim::ShowOtherProgramMessageBox("Bloc-notes", "Cach\xe9"); });
    StepPressAltC();
    Step("look at the capture", [] {
        CQuilloryTextDlg& dialog = Dialog();
        EXPECT_FALSE(::IsWindowVisible(dialog.m_hWnd));
        ASSERT_EQ(dialog.GetEntryCount(), 1);
        EXPECT_EQ(dialog.GetEntryAt(0)->m_strText.str(), "Cach\xe9");
        EXPECT_EQ(winsim::ClipboardText(), "Cach\xe9");
        CHtmlElementPtr cell = dialog.GetElement("txt0");
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(CString(cell->GetInnerText().c_str()), CString("Cach\xe9"));
        EXPECT_TRUE(FileExists(dialog.GetEntryAt(0)->m_strImagePath));
    });
    Step("quit", [] { Dialog().Shutdown(); });
    RunProgram();
}

// A window of the program's own thread that goes away while its texts are read: reading the
// text of its second control destroys it.
LRESULT CALLBACK VanishingControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && ::GetDlgCtrlID(hwnd) == 2) {
        ::DestroyWindow(::GetParent(hwnd));
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(HotKeyCaptureTest, AWindowThatVanishesDuringTheCaptureGivesAnEntryWithoutPicture) {
    WriteSetting("CopyAll", "1");
    Step("a window that goes away when read", [] {
        WNDCLASSA control = {};
        control.lpfnWndProc = VanishingControlProc;
        control.lpszClassName = "VanishingControl";
        ASSERT_NE(::RegisterClassA(&control), 0);
        HWND window = ::CreateWindowExA(0, "#32770", "Fragile", WS_POPUP | WS_CAPTION, 50, 50, 200,
                                        100, nullptr, nullptr, nullptr, nullptr);
        for (int id = 1; id <= 3; ++id) {
            ::CreateWindowExA(0, "VanishingControl", "x", WS_CHILD | WS_VISIBLE, 0, 20 * id, 100,
                              18, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              nullptr, nullptr);
        }
        ::ShowWindow(window, SW_SHOW);
        ASSERT_TRUE(::SetForegroundWindow(window));
    });
    StepPressAltC();
    Step("the entry is there without a picture", [] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 1);
        const CaptureEntry& entry = *dialog.GetEntryAt(0);
        EXPECT_EQ(entry.m_nWidth, 0);
        EXPECT_EQ(entry.m_nHeight, 0);
        EXPECT_EQ(entry.m_strText.Left(21), CString("<p><u>Fragile</u></p>"));
    });
    StepClose();
    RunProgram();
}

} // namespace
