// The JPEG library's own errors: shown in a "JPEG Error" box owned by the active window, after
// which the writer closes the file, frees the library and reports failure.
#include "imaging/WindowCapture.h"
#include "DibBuilder.h"
#include "JpegFile.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct SeenBox {
    bool shown = false;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
};

// The scripted person reads the box that comes up and presses OK.
void ReadAndCloseTheBox(SeenBox* seen) {
    winsim::ScriptPush("read the JPEG error and press OK", [seen] {
        const HWND box = winsim::OpenMessageBox();
        ASSERT_NE(nullptr, box);
        seen->shown = true;
        seen->caption = winsim::MessageBoxCaption(box);
        seen->text = winsim::MessageBoxText(box);
        seen->owner = GetWindow(box, GW_OWNER);
        winsim::AnswerMessageBox(IDOK);
    });
}

HWND ShowActiveWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "ImagingTestOwner";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, "ImagingTestOwner", "Owner", WS_OVERLAPPEDWINDOW, 10, 10,
                                        300, 200, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    return window;
}

class JpegErrorBoxTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(JpegErrorBoxTest, UnsupportedBitCountShowsTooFewScanlinesAndKeepsTheFile) {
    const HWND active = ShowActiveWindow();
    ASSERT_EQ(GetActiveWindow(), active);
    SeenBox seen;
    ReadAndCloseTheBox(&seen);

    DibBuilder dib(4, 4, 15);
    std::string error;
    EXPECT_FALSE(WindowCapture().WriteJpeg(dib.Dib(), 100, "C:\\odd.jpg", &error));
    EXPECT_EQ(error, "Invalid bitmap bit count");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "JPEG Error");
    EXPECT_EQ(seen.text, "Application transferred too few scanlines");
    EXPECT_EQ(active, seen.owner);
    EXPECT_TRUE(HostFileExists("odd.jpg")) << "an opened file is never deleted";
    EXPECT_EQ(winsim::OpenMessageBox(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(active)) << "the owner is usable again";
}

TEST_F(JpegErrorBoxTest, ALibraryRefusalIsAFailureWithoutAProgramText) {
    // A picture without pixels is refused by the library when the compression starts; the
    // box says why, the program's text stays empty and the result is still a failure.
    SeenBox seen;
    ReadAndCloseTheBox(&seen);
    DibBuilder dib(0, 5, 32);
    std::string error = "leftover";
    EXPECT_FALSE(WindowCapture().WriteJpeg(dib.Dib(), 100, "C:\\empty.jpg", &error));
    EXPECT_EQ(error, "");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "JPEG Error");
    EXPECT_EQ(seen.text, "Empty JPEG image (DNL not supported)");
    EXPECT_EQ(seen.owner, nullptr) << "no window is active";

    // A top-down DIB (negative height) is too large for the library once read as unsigned.
    SeenBox second;
    ReadAndCloseTheBox(&second);
    DibBuilder topDown(4, 4, 24);
    topDown.Header()->biHeight = -4;
    EXPECT_FALSE(WindowCapture().WriteJpeg(topDown.Dib(), 100, "C:\\topdown.jpg", &error));
    ASSERT_TRUE(second.shown);
    EXPECT_EQ(second.text, "Maximum supported image dimension is 65500 pixels");
}

TEST_F(JpegErrorBoxTest, ACaptureWhileTheBoxIsOpenWritesItsOwnFile) {
    // The box's modal loop still dispatches the hot-key, so another capture can run inside it;
    // each call has its own library object and error state.
    DibBuilder good = DibBuilder(6, 5, 24);
    bool innerWritten = false;
    std::string innerError = "leftover";
    SeenBox seen;
    winsim::ScriptPush("capture again while the box is open", [&] {
        innerWritten = WindowCapture().WriteJpeg(good.Dib(), 100, "C:\\inner.jpg", &innerError);
    });
    ReadAndCloseTheBox(&seen);

    DibBuilder odd(4, 4, 48);
    std::string error;
    EXPECT_FALSE(WindowCapture().WriteJpeg(odd.Dib(), 100, "C:\\outer.jpg", &error));
    EXPECT_EQ(error, "Invalid bitmap bit count");
    EXPECT_EQ(seen.text, "Application transferred too few scanlines");
    EXPECT_TRUE(innerWritten);
    EXPECT_EQ(innerError, "");
    DecodedImage decoded;
    EXPECT_TRUE(DecodeJpeg(ReadHostFile("inner.jpg"), &decoded));
    EXPECT_EQ(decoded.width, 6);
}

TEST_F(JpegErrorBoxTest, ABoxNobodyAnswersEndsTheRunAndTheNextWriteWorks) {
    DibBuilder odd(4, 4, 2);
    std::string error;
    EXPECT_THROW(WindowCapture().WriteJpeg(odd.Dib(), 100, "C:\\first.jpg", &error),
                 winsim::ScriptExhausted);

    DibBuilder good(4, 4, 24);
    EXPECT_TRUE(WindowCapture().WriteJpeg(good.Dib(), 100, "C:\\first.jpg", &error));
    EXPECT_EQ(error, "");
    DecodedImage decoded;
    EXPECT_TRUE(DecodeJpeg(ReadHostFile("first.jpg"), &decoded));
}

} // namespace
