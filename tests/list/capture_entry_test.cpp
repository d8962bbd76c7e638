// The capture entry: its text in the list's HTML form, its time stamp from the desktop's clock,
// and the image file that goes with it.
#include "list/CaptureEntry.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <fstream>

namespace {

class CaptureEntryTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }

    // Writes a small file at a Windows path of the desktop; returns the path.
    static std::string WriteFile(const char* windowsPath) {
        std::ofstream(*winsim::HostPath(windowsPath)) << "jpeg";
        return windowsPath;
    }
    static bool Exists(const std::string& windowsPath) {
        return ::GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

TEST_F(CaptureEntryTest, LineFeedsBecomeBreaksAndNothingElseChanges) {
    EXPECT_EQ(CaptureTextToHtml("one\ntwo"), "one<br/>two");
    // Only the line feed is replaced: the carriage return stays in front of the break.
    EXPECT_EQ(CaptureTextToHtml("one\r\ntwo\n"), "one\r<br/>two<br/>");
    EXPECT_EQ(CaptureTextToHtml("\n\n"), "<br/><br/>");
    // Markup and breaks already in the text are kept as they are, nothing is escaped.
    EXPECT_EQ(CaptureTextToHtml("<b>a</b><br/>&amp; \"q\""), "<b>a</b><br/>&amp; \"q\"");
    EXPECT_EQ(CaptureTextToHtml(""), "");
    EXPECT_EQ(CaptureTextToHtml(nullptr), "");
}

TEST_F(CaptureEntryTest, TimeIsTheLocalTimeOfDayWithTwoDigitsEach) {
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 3;
    time.wDay = 9;
    time.wHour = 14;
    time.wMinute = 5;
    time.wSecond = 9;
    EXPECT_EQ(FormatCaptureTime(time), "14:05:09");
    time.wHour = 0;
    time.wMinute = 0;
    time.wSecond = 0;
    EXPECT_EQ(FormatCaptureTime(time), "00:00:00");
    time.wHour = 24;
    EXPECT_EQ(FormatCaptureTime(time), "");

    winsim::SetWallClock(2024, 12, 31, 23, 59, 58);
    CaptureEntry first("a", "", 10, 10);
    CaptureEntry second("b", "", 10, 10);
    EXPECT_EQ(first.m_strTime, "23:59:58");
    // Two captures within the same second carry the same time.
    EXPECT_EQ(second.m_strTime, first.m_strTime);
}

TEST_F(CaptureEntryTest, KeepsItsValuesAndDeletesItsFileWhenDestroyed) {
    const std::string path = WriteFile("C:\\shot.jpg");
    {
        CaptureEntry entry("Title\nline", path.c_str(), 400, 150);
        EXPECT_EQ(entry.m_strText, "Title<br/>line");
        EXPECT_EQ(entry.m_strImagePath, path.c_str());
        EXPECT_EQ(entry.m_nWidth, 400);
        EXPECT_EQ(entry.m_nHeight, 150);
        EXPECT_TRUE(Exists(path));
    }
    EXPECT_FALSE(Exists(path));
    // A failed grab: no file was written; destroying the entry is no error.
    { CaptureEntry failed("text", "C:\\missing.jpg", 0, 0); }
    EXPECT_FALSE(Exists("C:\\missing.jpg"));
}

} // namespace
