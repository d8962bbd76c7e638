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
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_TRUE(shown.has_value());
    EXPECT_TRUE(shown->save);
    EXPECT_EQ("screenshot.jpg", shown->fileName);
    EXPECT_EQ("jpg", shown->defaultExtension);
    ASSERT_EQ(1u, shown->filters.size());
    EXPECT_EQ("JPEG images (*.jpg)", shown->filters[0].first);
    EXPECT_EQ("*.jpg", shown->filters[0].second);
    EXPECT_NE(0u, shown->flags & OFN_OVERWRITEPROMPT);
    EXPECT_NE(0u, shown->flags & OFN_HIDEREADONLY);

    EXPECT_EQ("C:\\Images\\capture.jpg", dialog.GetPathName());
    EXPECT_EQ("capture.jpg", dialog.GetFileName());
    EXPECT_EQ("jpg", dialog.GetFileExt());
}

TEST_F(FileDialogTest, CancelGivesIdCancel) {
    CFileDialog dialog(false, "jpg", "screenshot.jpg");
    winsim::ScriptPush("cancel", [] { winsim::SaveDialogCancel(); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

} // namespace
