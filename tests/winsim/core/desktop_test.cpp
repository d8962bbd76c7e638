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
    EXPECT_EQ(winsim::RootDir(), root);
    std::filesystem::remove_all(root);
}

TEST(Desktop, ResetClearsTheLastError) {
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    winsim::ResetDesktop();
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

} // namespace

namespace {

TEST(Script, StepsRunInOrderAndAnExhaustedScriptNamesTheWaitingLoop) {
    winsim::ResetDesktop();
    std::string trace;
    winsim::ScriptPush("first", [&] { trace += "1"; });
    winsim::ScriptPush("second", [&] { trace += "2"; });
    EXPECT_EQ(winsim::ScriptPending(), 2u);

    winsim::ScriptStepOrFail("the test loop");
    EXPECT_EQ(winsim::ScriptCurrentStep(), "first");
    winsim::ScriptStepOrFail("the test loop");
    EXPECT_EQ(trace, "12");
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
    EXPECT_EQ(winsim::ScriptPending(), 0u);
    EXPECT_FALSE(winsim::ScriptRunNext());
}

} // namespace
