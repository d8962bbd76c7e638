#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(Desktop, FreshTemporaryRootIsCreatedAndDroppedAtTheNextReset) {
    winsim::ResetDesktop();
    const std::string first = winsim::RootDir();
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(std::filesystem::is_directory(first));

    winsim::ResetDesktop();
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_NE(first, winsim::RootDir());
}

TEST(Desktop, GivenRootIsKeptAcrossResetsAsASecondStartWouldSeeIt) {
    const std::string root = ::testing::TempDir() + "winsim-kept-root";
    std::filesystem::remove_all(root);
    winsim::DesktopConfig config;
    config.rootDir = root;
    winsim::ResetDesktop(config);
    std::ofstream(root + "/marker") << "x";

    winsim::ResetDesktop(config);
    EXPECT_TRUE(std::filesystem::exists(root + "/marker"));
    EXPECT_EQ(root, winsim::RootDir());
    std::filesystem::remove_all(root);
}

TEST(Desktop, ResetClearsTheLastError) {
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    winsim::ResetDesktop();
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
}

} // namespace

namespace {

TEST(Script, StepsRunInOrderAndAnExhaustedScriptNamesTheWaitingLoop) {
    winsim::ResetDesktop();
    std::string trace;
    winsim::ScriptPush("first", [&] { trace += "1"; });
    winsim::ScriptPush("second", [&] { trace += "2"; });
    EXPECT_EQ(2u, winsim::ScriptPending());

    winsim::ScriptStepOrFail("the test loop");
    EXPECT_EQ("first", winsim::ScriptCurrentStep());
    winsim::ScriptStepOrFail("the test loop");
    EXPECT_EQ("12", trace);
    try {
        winsim::ScriptStepOrFail("the test loop");
        FAIL() << "an empty script must end the wait";
    } catch (const winsim::ScriptExhausted& e) {
        EXPECT_NE(std::string(e.what()).find("the test loop"), std::string::npos);
    }
}

TEST(Script, ResetDropsPendingSteps) {
    winsim::ScriptPush("left over", [] {});
    winsim::ResetDesktop();
    EXPECT_EQ(0u, winsim::ScriptPending());
    EXPECT_FALSE(winsim::ScriptRunNext());
}

} // namespace
