// The file dialogs' window: a modal dialog owned by the caller's window, with the common
// dialog's controls, from which the answer is read.
#include "file_dialog_fixture.h"

#include <winsim/dlgs.h>
#include <winsim/sim_gdi.h>
#include <winsim/sim_user.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string ItemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ComboItem(HWND combo, int index) {
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

using FileDialogWindow = FileDialogFixture;

TEST_F(FileDialogWindow, IsAModalWindowOfItsOwnerInTheForegroundShowingTheProposal) {
    MoveWindow(owner_, 60, 40, 640, 480, TRUE);
    const fs::path shown = fs::path(winsim::RootDir()) / "Program Files" / "Verbacap";
    fs::create_directories(shown / "Captures");
    for (const char* name : {"capture 1.jpg", "capture 2.jpg", "Verbacap.exe", "notes.txt"}) {
        std::ofstream(shown / name) << "x";
    }
    HWND dialog = nullptr;
    Step("look at the dialog", [&] {
        dialog = Dialog();
        ASSERT_TRUE(IsWindow(dialog));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_);
        EXPECT_FALSE(IsWindowEnabled(owner_));
        // A capture taken now sees the dialog.
        EXPECT_EQ(GetForegroundWindow(), dialog);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, edt1));
        EXPECT_EQ(WindowText(dialog), "Save As");
        EXPECT_EQ(winsim::ClassNameOf(dialog), "#32770");
        EXPECT_EQ(ItemText(dialog, edt1), "screenshot.jpg");
        EXPECT_EQ(ItemText(dialog, IDOK), "&Save");
        // The folder box holds the folders down to the one shown; the view lists its
        // subfolders and the files of the selected type.
        HWND folders = GetDlgItem(dialog, cmb2);
        ASSERT_EQ(SendMessageA(folders, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(ComboItem(folders, 0), "Local Disk (C:)");
        EXPECT_EQ(ComboItem(folders, 1), "Program Files");
        EXPECT_EQ(ItemText(dialog, cmb2), "Verbacap");
        EXPECT_EQ(ItemText(dialog, lst2), "[Captures]\ncapture 1.jpg\ncapture 2.jpg\n");
        // OFN_HIDEREADONLY: the read-only box is there, hidden.
        EXPECT_TRUE(GetDlgItem(dialog, chx1));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, chx1)));
        EXPECT_EQ(SendDlgItemMessageA(dialog, cmb1, CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(ItemText(dialog, cmb1), "JPEG images (*.jpg)");
        const std::string png = testing::TempDir() + "file_dialog_save_as.png";
        EXPECT_TRUE(winsim::SaveScreenshot(png));
        // Choosing a folder the shown one lies in goes there.
        SetFocus(folders);
        winsim::PressKeys("Up");
    });
    Step("see the folder above and cancel", [&] {
        EXPECT_EQ(winsim::OpenFileDialog()->folder, "C:\\Program Files");
        EXPECT_EQ(ItemText(dialog, lst2), "[Verbacap]\n");
        winsim::SaveDialogCancel();
    });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(GetForegroundWindow(), owner_);
    EXPECT_FALSE(winsim::OpenFileDialog());
}

TEST_F(FileDialogWindow, TheOpenDialogAndAGivenTitleNameTheWindowAndItsControls) {
    ofn_.lpstrFilter = "Text (*.txt)\0*.txt\0Pictures\0*.jpg;*.png\0\0";
    ofn_.nFilterIndex = 2;
    ofn_.Flags = OFN_READONLY | OFN_EXPLORER;
    std::ofstream(fs::path(winsim::RootDir()) / "Saved" / "b.JPG") << "b";
    std::ofstream(fs::path(winsim::RootDir()) / "Saved" / "a.png") << "a";
    std::ofstream(fs::path(winsim::RootDir()) / "Saved" / "notes.txt") << "n";
    // Names that only begin or only end like a pattern are not of its type.
    std::ofstream(fs::path(winsim::RootDir()) / "Saved" / "c.jpg.bak") << "c";
    std::ofstream(fs::path(winsim::RootDir()) / "Saved" / "jpg") << "j";
    fs::create_directory(fs::path(winsim::RootDir()) / "Saved" / "Old");
    ofn_.lpstrInitialDir = "C:\\Saved";
    ofn_.lpstrTitle = nullptr;
    Step("look and open", [&] {
        HWND dialog = Dialog();
        ASSERT_TRUE(dialog);
        EXPECT_EQ(WindowText(dialog), "Open");
        EXPECT_EQ(ItemText(dialog, IDOK), "&Open");
        EXPECT_EQ(SendDlgItemMessageA(dialog, cmb1, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(IsDlgButtonChecked(dialog, chx1), static_cast<UINT>(BST_CHECKED));
        // Subfolders first, then the files of the selected type.
        EXPECT_EQ(ItemText(dialog, lst2), "[Old]\na.png\nb.JPG\n");
        // Another type lists other files.
        SetFocus(GetDlgItem(dialog, cmb1));
        winsim::PressKeys("Up");
    });
    Step("look at the other type and open", [&] {
        HWND dialog = Dialog();
        EXPECT_EQ(ItemText(dialog, cmb1), "Text (*.txt)");
        EXPECT_EQ(ItemText(dialog, lst2), "[Old]\nnotes.txt\n");
        winsim::SaveDialogSaveAs("notes.txt");
    });
    ASSERT_TRUE(GetOpenFileNameA(&ofn_));
    EXPECT_STREQ(file_, "C:\\Saved\\notes.txt");
    EXPECT_TRUE(ofn_.Flags & OFN_READONLY);
    EXPECT_EQ(winsim::ScriptPending(), 0u);

    ofn_.lpstrTitle = "Ouvrir une image";
    Step("look at the title", [&] {
        EXPECT_EQ(WindowText(Dialog()), "Ouvrir une image");
        winsim::SaveDialogCancel();
    });
    EXPECT_FALSE(GetOpenFileNameA(&ofn_));
}

TEST_F(FileDialogWindow, TheAnswerIsWhatTheFieldHoldsWhenSaveIsPressed) {
    Step("press Save with an empty field", [&] {
        SetDlgItemTextA(Dialog(), edt1, "");
        winsim::ClickDialogButton(Dialog(), IDOK);
        EXPECT_TRUE(IsWindowVisible(Dialog())); // nothing to save yet
    });
    Step("type a folder's name", [&] { winsim::SaveDialogSaveAs("C:\\Saved"); });
    Step("see the folder and type a name", [&] {
        HWND dialog = Dialog();
        EXPECT_EQ(winsim::OpenFileDialog()->folder, "C:\\Saved");
        EXPECT_EQ(ItemText(dialog, cmb2), "Saved");
        EXPECT_EQ(ItemText(dialog, edt1), "");
        // The toolbar's button goes up one level.
        winsim::ClickWindow(GetDlgItem(dialog, 0x04F0));
    });
    Step("see the root and type a name", [&] {
        HWND dialog = Dialog();
        EXPECT_EQ(winsim::OpenFileDialog()->folder, "C:\\");
        EXPECT_EQ(ItemText(dialog, cmb2), "Local Disk (C:)");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 0x04F0))); // nothing above the root
        EXPECT_NE(ItemText(dialog, lst2).find("[Saved]\n"), std::string::npos);
        SetDlgItemTextA(dialog, edt1, "typed");
        EXPECT_EQ(winsim::OpenFileDialog()->fileName, "typed");
        winsim::ClickDialogButton(dialog, IDOK);
    });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_STREQ(file_, "C:\\typed.jpg");
    EXPECT_FALSE(ofn_.Flags & OFN_EXTENSIONDIFFERENT);
}

TEST_F(FileDialogWindow, EnterSavesWhatWasTypedAndEscapeCancels) {
    Step("type a name into the emptied field and press Enter", [&] {
        SetDlgItemTextA(Dialog(), edt1, "");
        winsim::TypeText("typed");
        winsim::PressKeys("Enter");
    });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_STREQ(file_, "C:\\Program Files\\Verbacap\\typed.jpg");

    Step("press Escape", [] { winsim::PressKeys("Esc"); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogWindow, ItsQuestionsAndReportsAreOwnedByTheDialog) {
    std::ofstream(fs::path(winsim::RootDir()) / "Saved" / "old.jpg") << "old";
    HWND dialog = nullptr;
    HWND questionOwner = nullptr;
    bool dialogDisabled = false;
    std::string caption;
    Step("save over old.jpg", [&] {
        dialog = Dialog();
        winsim::SaveDialogSaveAs("C:\\Saved\\old.jpg");
    });
    Step("look at the question and refuse", [&] {
        HWND box = winsim::OpenMessageBox();
        questionOwner = GetWindow(box, GW_OWNER);
        dialogDisabled = !IsWindowEnabled(dialog);
        caption = winsim::MessageBoxCaption(box);
        winsim::AnswerMessageBox(IDNO);
    });
    Step("the dialog is usable again; save in a missing folder", [&] {
        EXPECT_TRUE(IsWindowEnabled(dialog));
        EXPECT_EQ(GetForegroundWindow(), dialog);
        winsim::SaveDialogSaveAs("C:\\Nowhere\\x");
    });
    Step("the report is owned by the dialog", [&] {
        HWND box = winsim::OpenMessageBox();
        EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
        EXPECT_EQ(winsim::MessageBoxCaption(box), "Save As");
        winsim::AnswerMessageBox(IDOK);
    });
    Step("cancel", [] { winsim::SaveDialogCancel(); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(questionOwner, dialog);
    EXPECT_TRUE(dialogDisabled);
    EXPECT_EQ(caption, "Confirm Save As");
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(FileDialogWindow, GoesWithItsOwnersDisablingWhenTheScriptRunsOut) {
    HWND dialog = nullptr;
    Step("look", [&] { dialog = Dialog(); });
    EXPECT_THROW(GetSaveFileNameA(&ofn_), winsim::ScriptExhausted);
    EXPECT_TRUE(dialog);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner_));
    // A dialog can open again afterwards.
    Step("cancel", [] { winsim::SaveDialogCancel(); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogWindow, AnOwnerThatWasDisabledStaysDisabled) {
    EnableWindow(owner_, FALSE);
    Step("cancel", [] { winsim::SaveDialogCancel(); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_FALSE(IsWindowEnabled(owner_));
}

} // namespace
