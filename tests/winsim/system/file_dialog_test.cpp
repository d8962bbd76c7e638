// What the file dialogs give the caller: the chosen path and its parts, the flags, the current
// directory and the extended error, answered by the scripted person.
#include "file_dialog_fixture.h"

#include <winsim/sim_user.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using SaveDialog = FileDialogFixture;

std::string Contents(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(SaveDialog, ShowsItsProposalAndGivesTheChosenPathWithTheDefaultExtension) {
    bool ownerDisabled = false;
    Step("look and answer", [&] {
        std::optional<winsim::FileDialogShown> shown = winsim::OpenFileDialog();
        ASSERT_TRUE(shown);
        EXPECT_TRUE(shown->save);
        EXPECT_EQ(shown->fileName, "screenshot.jpg");
        EXPECT_EQ(shown->defaultExtension, "jpg");
        ASSERT_EQ(shown->filters.size(), 1u);
        EXPECT_EQ(shown->filters[0].first, "JPEG images (*.jpg)");
        EXPECT_EQ(shown->filters[0].second, "*.jpg");
        EXPECT_EQ(shown->folder, "C:\\Program Files\\Verbacap");
        ownerDisabled = !IsWindowEnabled(owner_);
        winsim::SaveDialogSaveAs("C:\\saved\\capture");
    });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_STREQ(file_, "C:\\saved\\capture.jpg");
    EXPECT_STREQ(file_ + ofn_.nFileOffset, "capture.jpg");
    EXPECT_STREQ(file_ + ofn_.nFileExtension, "jpg");
    EXPECT_FALSE(ofn_.Flags & OFN_EXTENSIONDIFFERENT);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_FALSE(winsim::OpenFileDialog());

    // A name with an extension of its own keeps it, and the caller hears that it differs.
    Step("save as PNG", [] { winsim::SaveDialogSaveAs("C:\\Saved\\capture.png"); });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_STREQ(file_, "C:\\Saved\\capture.png");
    EXPECT_TRUE(ofn_.Flags & OFN_EXTENSIONDIFFERENT);

    // Of a longer default extension, the first three characters are added.
    ofn_.lpstrDefExt = "jpeg";
    Step("save without extension", [] { winsim::SaveDialogSaveAs("C:\\Saved\\long"); });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_STREQ(file_, "C:\\Saved\\long.jpe");
    EXPECT_FALSE(ofn_.Flags & OFN_EXTENSIONDIFFERENT);
}

TEST_F(SaveDialog, TheChosenFolderBecomesTheCurrentDirectoryOnlyWithoutNoChangeDir) {
    ofn_.Flags |= OFN_NOCHANGEDIR;
    Step("save with OFN_NOCHANGEDIR", [] { winsim::SaveDialogSaveAs("C:\\Saved\\a"); });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CurrentDirectory(), "C:\\Program Files\\Verbacap");

    ofn_.Flags &= ~static_cast<DWORD>(OFN_NOCHANGEDIR);
    Step("save without it", [] { winsim::SaveDialogSaveAs("C:\\Saved\\b"); });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CurrentDirectory(), "C:\\Saved");
}

TEST_F(SaveDialog, CancelReturnsFalseWithoutAnExtendedErrorAndChangesNothing) {
    ofn_.Flags |= OFN_NOCHANGEDIR; // the folder visited is not kept as the current directory
    OPENFILENAMEA bad = ofn_;
    bad.lStructSize = 10;
    EXPECT_FALSE(GetSaveFileNameA(&bad)); // leaves an extended error behind
    Step("go to C:\\Saved and cancel", [] {
        winsim::SaveDialogSaveAs("C:\\Saved");
        winsim::SaveDialogCancel();
    });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(file_, "screenshot.jpg");
    EXPECT_EQ(CurrentDirectory(), "C:\\Program Files\\Verbacap");
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(SaveDialog, AnExistingFileIsReplacedOnlyAfterThePersonAgrees) {
    const fs::path old = fs::path(winsim::RootDir()) / "Saved" / "old.jpg";
    std::ofstream(old) << "old";
    std::string question;
    bool openAfterNo = false;
    Step("save over old.jpg", [] { winsim::SaveDialogSaveAs("C:\\Saved\\old.jpg"); });
    Step("refuse", [&] {
        question = winsim::MessageBoxText(winsim::OpenMessageBox());
        winsim::AnswerMessageBox(IDNO);
    });
    Step("look, then save over it again", [&] {
        openAfterNo = IsWindowVisible(Dialog());
        winsim::SaveDialogSaveAs("C:\\Saved\\old.jpg");
    });
    Step("agree", [] { winsim::AnswerMessageBox(IDYES); });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(question, "C:\\Saved\\old.jpg already exists.\nDo you want to replace it?");
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(Contents(old), "old"); // the dialog chooses; it writes nothing
    EXPECT_STREQ(file_, "C:\\Saved\\old.jpg");
    EXPECT_EQ(winsim::ScriptPending(), 0u);

    // Without OFN_OVERWRITEPROMPT nobody is asked.
    ofn_.Flags &= ~static_cast<DWORD>(OFN_OVERWRITEPROMPT);
    Step("save over it unasked", [] { winsim::SaveDialogSaveAs("C:\\Saved\\old.jpg"); });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
}

TEST_F(SaveDialog, AMissingFolderIsReportedAndTheDialogStaysOpen) {
    std::string report;
    bool openAfterReport = false;
    Step("save in a missing folder", [] { winsim::SaveDialogSaveAs("C:\\Nowhere\\x.jpg"); });
    Step("read the report", [&] {
        report = winsim::MessageBoxText(winsim::OpenMessageBox());
        winsim::AnswerMessageBox(IDOK);
    });
    Step("cancel", [&] {
        openAfterReport = IsWindowVisible(Dialog());
        winsim::SaveDialogCancel();
    });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_NE(report.find("C:\\Nowhere\\x.jpg"), std::string::npos);
    EXPECT_TRUE(openAfterReport);
    EXPECT_FALSE(fs::exists(fs::path(winsim::RootDir()) / "Nowhere"));
}

TEST_F(SaveDialog, TheFirstFolderIsTheProposedNamesThenTheInitialOneThenTheCurrentDirectory) {
    CreateDirectoryA("C:\\Other", nullptr);
    std::strcpy(file_, "C:\\Saved\\proposed.jpg");
    ofn_.lpstrInitialDir = "C:\\Other";
    auto firstFolder = [&] {
        std::string folder;
        std::string field;
        Step("look", [&] {
            folder = winsim::OpenFileDialog()->folder;
            field = winsim::OpenFileDialog()->fileName;
            winsim::SaveDialogCancel();
        });
        GetSaveFileNameA(&ofn_);
        return folder + " " + field;
    };
    EXPECT_EQ(firstFolder(), "C:\\Saved proposed.jpg");
    std::strcpy(file_, "proposed.jpg");
    EXPECT_EQ(firstFolder(), "C:\\Other proposed.jpg");
    ofn_.lpstrInitialDir = "C:\\Gone";
    EXPECT_EQ(firstFolder(), "C:\\Program Files\\Verbacap proposed.jpg");
}

TEST_F(SaveDialog, KeepsTheThreadsMessagesFlowingAndEndsWhenTheScriptDoes) {
    PostMessageA(owner_, WM_USER + 5, 1, 2);
    EXPECT_THROW(GetSaveFileNameA(&ofn_), winsim::ScriptExhausted);
    ASSERT_EQ(test::Received().size(), 1u);
    EXPECT_EQ(test::Received()[0].message, static_cast<UINT>(WM_USER + 5));
    EXPECT_FALSE(winsim::OpenFileDialog());
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_THROW(winsim::SaveDialogCancel(), std::runtime_error);
}

TEST_F(SaveDialog, BadStructuresAndSmallBuffersFailWithTheirExtendedErrors) {
    OPENFILENAMEA bad = ofn_;
    bad.lStructSize = 10;
    EXPECT_FALSE(GetSaveFileNameA(&bad));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    bad = ofn_;
    bad.nMaxFile = 0;
    EXPECT_FALSE(GetSaveFileNameA(&bad));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));

    // The proposal fills the buffer to its end without a terminator: it is read no further.
    char small[8] = {'a', '.', 'j', 'p', 'g', 'x', 'y', 'z'};
    ofn_.lpstrFile = small;
    ofn_.nMaxFile = sizeof(small);
    Step("save", [] {
        EXPECT_EQ(winsim::OpenFileDialog()->fileName, "a.jpgxyz");
        winsim::SaveDialogSaveAs("C:\\Saved\\long name.jpg");
    });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof(needed));
    EXPECT_EQ(needed, std::string("C:\\Saved\\long name.jpg").size() + 1);
    EXPECT_FALSE(winsim::OpenFileDialog());
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST(TrayClicks, PostTheCallbackMessageWithTheMouseMessage) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("main");
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 100;
    data.uFlags = NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = 0x0DCD;
    std::strcpy(data.szTip, "Verbacap");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    winsim::ClickTrayIcon(window, 100, 1);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
    ASSERT_EQ(test::Received().size(), 2u);
    EXPECT_EQ(test::Received()[0].message, 0x0DCDu);
    EXPECT_EQ(test::Received()[0].wParam, 100u);
    EXPECT_EQ(test::Received()[0].lParam, WM_RBUTTONDOWN);
    EXPECT_EQ(test::Received()[1].lParam, WM_RBUTTONUP);
    EXPECT_THROW(winsim::ClickTrayIcon(window, 7), std::runtime_error);

    // A destroyed window cannot add an icon.
    DestroyWindow(window);
    data.uID = 101;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data));
}

} // namespace
