// The image file's path of a new capture: the folder "tmp" beside the executable, created when
// missing, and a name from the tick count that no other capture holds.
#include "ui/QuilloryTextDlg.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

class ImagePathTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(config_); }

    static std::string TickName(DWORD tick) {
        char name[16];
        std::snprintf(name, sizeof name, "%lx.jpg", static_cast<unsigned long>(tick));
        return name;
    }

    winsim::DesktopConfig config_;
};

TEST_F(ImagePathTest, TheFolderBesideTheExecutableIsCreatedAndTheNameIsTheTickInHex) {
    const char kFolder[] = "C:\\Program Files\\Verbacap\\tmp";
    ASSERT_FALSE(::PathFileExistsA(kFolder));
    winsim::LetTimePass(0xABC);
    const DWORD tick = ::GetTickCount();
    CQuilloryTextDlg dialog;
    const CString path = dialog.MakeImagePath();
    EXPECT_EQ(path.str(), std::string(kFolder) + "\\" + TickName(tick));
    EXPECT_NE(TickName(tick).find_first_of("abcdef"), std::string::npos);
    EXPECT_TRUE(::PathFileExistsA(kFolder));
    std::optional<std::string> host = winsim::HostPath(kFolder);
    ASSERT_TRUE(host);
    EXPECT_TRUE(std::filesystem::is_directory(*host));
}

TEST_F(ImagePathTest, CapturesWithinOneTickGetNamesOfTheirOwn) {
    CQuilloryTextDlg dialog;
    const DWORD tick = ::GetTickCount();
    const CString first = dialog.MakeImagePath();
    const CString second = dialog.MakeImagePath();
    const CString third = dialog.MakeImagePath();
    EXPECT_EQ(::GetTickCount(), tick);
    EXPECT_EQ(first.str().substr(first.GetLength() - TickName(tick).size()), TickName(tick));
    EXPECT_EQ(second.str().substr(second.GetLength() - TickName(tick + 1).size()),
              TickName(tick + 1));
    EXPECT_EQ(third.str().substr(third.GetLength() - TickName(tick + 2).size()),
              TickName(tick + 2));
    // Each name is held by a file at once, even before a picture is written into it.
    EXPECT_TRUE(::PathFileExistsA(first));
    EXPECT_TRUE(::PathFileExistsA(second));
    // Time passing frees the tick's own name again only when its file is gone.
    ::DeleteFileA(first);
    EXPECT_EQ(dialog.MakeImagePath(), first);
}

class ImagePathDoubleByteTest : public ImagePathTest {
protected:
    ImagePathDoubleByteTest() {
        config_.codePage = 932;
        // The folder's name is a double-byte character whose trail byte is a backslash.
        config_.exePath = "C:\\\x95\x5C\\Verbacap.exe";
    }
};

TEST_F(ImagePathDoubleByteTest, TheFolderIsCutAtTheLastRealBackslash) {
    CQuilloryTextDlg dialog;
    const CString path = dialog.MakeImagePath();
    EXPECT_EQ(path.Left(10), CString("C:\\\x95\x5C\\tmp\\"));
    EXPECT_TRUE(::PathFileExistsA("C:\\\x95\x5C\\tmp"));
}

} // namespace
