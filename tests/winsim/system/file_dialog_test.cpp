// The save-file dialog, answered by the scripted person.
#include "test_windows.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/sim_user.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {

class SaveDialog : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        owner_ = test::MakeWindow("Verbacap");
        CreateDirectoryA("C:\\Saved", nullptr);
        ofn_.lStructSize = sizeof(ofn_);
        ofn_.hwndOwner = owner_;
        ofn_.lpstrFilter = "JPEG images (*.jpg)\0*.jpg\0\0";
        ofn_.lpstrFile = file_;
        ofn_.nMaxFile = sizeof(file_);
        ofn_.lpstrDefExt = "jpg";
        ofn_.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
        std::strcpy(file_, "screenshot.jpg");
    }

    void Step(const std::string& what, std::function<void()> step) {
        winsim::ScriptPush(what, std::move(step));
    }

    HWND owner_ = nullptr;
    char file_[MAX_PATH + 1] = {};
    OPENFILENAMEA ofn_{};
};

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
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    // Without OFN_NOCHANGEDIR the chosen folder becomes the current directory.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_STREQ(current, "C:\\saved");
    EXPECT_FALSE(winsim::OpenFileDialog());
}

TEST_F(SaveDialog, CancellingChangesNothing) {
    ofn_.Flags |= OFN_NOCHANGEDIR;
    Step("cancel", [] { winsim::SaveDialogCancel(); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(file_, "screenshot.jpg");
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_STREQ(current, "C:\\Program Files\\Verbacap");
}

TEST_F(SaveDialog, AnExistingFileIsReplacedOnlyAfterThePersonAgrees) {
    std::ofstream(fs::path(winsim::RootDir()) / "Saved" / "old.jpg") << "old";
    std::string question;
    Step("save over old.jpg", [] { winsim::SaveDialogSaveAs("C:\\Saved\\old.jpg"); });
    Step("refuse", [&] {
        question = winsim::MessageBoxText(winsim::OpenMessageBox());
        winsim::AnswerMessageBox(IDNO);
    });
    Step("save over it again", [] { winsim::SaveDialogSaveAs("C:\\Saved\\old.jpg"); });
    Step("agree", [] { winsim::AnswerMessageBox(IDYES); });
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(question, "C:\\Saved\\old.jpg already exists.\nDo you want to replace it?");
    EXPECT_STREQ(file_, "C:\\Saved\\old.jpg");
    EXPECT_EQ(winsim::ScriptPending(), 0u);
}

TEST_F(SaveDialog, AMissingFolderIsReportedAndTheDialogStaysOpen) {
    std::string report;
    Step("save in a missing folder", [] { winsim::SaveDialogSaveAs("C:\\Nowhere\\x.jpg"); });
    Step("read the report", [&] {
        report = winsim::MessageBoxText(winsim::OpenMessageBox());
        winsim::AnswerMessageBox(IDOK);
    });
    Step("cancel", [] { winsim::SaveDialogCancel(); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_NE(report.find("C:\\Nowhere\\x.jpg"), std::string::npos);
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

    char small[8] = "a.jpg";
    ofn_.lpstrFile = small;
    ofn_.nMaxFile = sizeof(small);
    Step("save", [] { winsim::SaveDialogSaveAs("C:\\Saved\\long name.jpg"); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof(needed));
    EXPECT_EQ(needed, std::string("C:\\Saved\\long name.jpg").size() + 1);
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
