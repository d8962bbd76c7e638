#include "framework/CFileDialog.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_system.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(FileDialogTest, SaveModeShowsItsSettingsAndGivesTheChosenNames) {
    CFileDialog dialog(false, "jpg", "screenshot.jpg", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "JPEG images (*.jpg)|*.jpg||");
    std::optional<winsim::FileDialogShown> shown;
    winsim::ScriptPush("save as", [&] {
        shown = winsim::OpenFileDialog();
        winsim::SaveDialogSaveAs("C:\\Images\\capture");
    });
    CreateDirectoryA("C:\\Images", nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(shown->save);
    EXPECT_EQ(shown->fileName, "screenshot.jpg");
    EXPECT_EQ(shown->defaultExtension, "jpg");
    ASSERT_EQ(shown->filters.size(), 1u);
    EXPECT_EQ(shown->filters[0].first, "JPEG images (*.jpg)");
    EXPECT_EQ(shown->filters[0].second, "*.jpg");
    EXPECT_NE(0u, shown->flags & OFN_OVERWRITEPROMPT);
    EXPECT_NE(0u, shown->flags & OFN_HIDEREADONLY);

    EXPECT_EQ(dialog.GetPathName(), "C:\\Images\\capture.jpg");
    EXPECT_EQ(dialog.GetFileName(), "capture.jpg");
    EXPECT_EQ(dialog.GetFileExt(), "jpg");
}

TEST_F(FileDialogTest, CancelGivesIdCancel) {
    CFileDialog dialog(false, "jpg", "screenshot.jpg");
    winsim::ScriptPush("cancel", [] { winsim::SaveDialogCancel(); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

} // namespace
