// The picture of a capture through the hot-key at each display depth, and a capture made while
// a message box opened in the middle of another capture is open.
#include "program_fixture.h"

#include "tests/imaging/JpegFile.h"

#include <winsim/sim_gdi.h>

#include <cstdlib>
#include <string>

namespace {

void StepPressAltC() {
    winsim::ScriptPush("hold Alt+C", [] {
        winsim::KeyDown(VK_MENU);
        winsim::KeyDown('C');
    });
    winsim::ScriptPush("release Alt+C", [] {
        winsim::KeyUp('C');
        winsim::KeyUp(VK_MENU);
    });
}

Bytes ReadCaptureFile(const CString& path) {
    std::string relative = path.Mid(3).str();
    for (char& ch : relative) {
        if (ch == '\\') {
            ch = '/';
        }
    }
    return ReadHostFile(relative);
}

// Four quadrants of colours that every display depth shows, the palette display included.
const COLORREF kQuadrants[4] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 255, 255)};

LRESULT CALLBACK QuadrantsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd, &paint);
        RECT client;
        ::GetClientRect(hwnd, &client);
        const int midX = client.right / 2;
        const int midY = client.bottom / 2;
        const RECT parts[4] = {{0, 0, midX, midY},
                               {midX, 0, client.right, midY},
                               {0, midY, midX, client.bottom},
                               {midX, midY, client.right, client.bottom}};
        for (int i = 0; i < 4; ++i) {
            HBRUSH brush = ::CreateSolidBrush(kQuadrants[i]);
            ::FillRect(dc, &parts[i], brush);
            ::DeleteObject(brush);
        }
        ::EndPaint(hwnd, &paint);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND ShowQuadrantsWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = QuadrantsProc;
    windowClass.lpszClassName = "CaptureQuadrants";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowExA(0, "CaptureQuadrants", "Quadrants", WS_OVERLAPPEDWINDOW, 120,
                                    90, 240, 180, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    ::SetForegroundWindow(window);
    return window;
}

int Distance(COLORREF screen, const DecodedImage& image, int x, int y) {
    const size_t at = (static_cast<size_t>(y) * image.width + x) * 3;
    return std::abs(GetRValue(screen) - image.rgb[at]) +
           std::abs(GetGValue(screen) - image.rgb[at + 1]) +
           std::abs(GetBValue(screen) - image.rgb[at + 2]);
}

class CaptureDepthTest : public ProgramTest, public ::testing::WithParamInterface<int> {
protected:
    CaptureDepthTest() { config_.displayBits = GetParam(); }
};

TEST_P(CaptureDepthTest, ThePictureShowsTheWindowAsTheScreenDoes) {
    auto window = std::make_shared<HWND>();
    Step("a window with four colours in the foreground",
         [window] { *window = ShowQuadrantsWindow(); });
    StepPressAltC();
    Step("compare the picture with the screen", [window] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 1);
        const CaptureEntry& entry = *dialog.GetEntryAt(0);
        RECT rect;
        ::GetWindowRect(*window, &rect);
        ASSERT_EQ(entry.m_nWidth, rect.right - rect.left);
        ASSERT_EQ(entry.m_nHeight, rect.bottom - rect.top);
        DecodedImage image;
        ASSERT_TRUE(DecodeJpeg(ReadCaptureFile(entry.m_strImagePath), &image));
        ASSERT_EQ(image.width, entry.m_nWidth);
        ASSERT_EQ(image.height, entry.m_nHeight);
        // Points inside each quadrant and on the caption, away from edges that JPEG blurs.
        POINT client = {0, 0};
        ::ClientToScreen(*window, &client);
        RECT inner;
        ::GetClientRect(*window, &inner);
        const POINT samples[] = {{inner.right / 4, inner.bottom / 4},
                                 {inner.right * 3 / 4, inner.bottom / 4},
                                 {inner.right / 4, inner.bottom * 3 / 4},
                                 {inner.right * 3 / 4, inner.bottom * 3 / 4}};
        for (const POINT& sample : samples) {
            const int screenX = client.x + sample.x;
            const int screenY = client.y + sample.y;
            const COLORREF shown = winsim::ScreenPixel(screenX, screenY);
            EXPECT_LE(Distance(shown, image, screenX - rect.left, screenY - rect.top), 24)
                << "at " << sample.x << "," << sample.y << " the screen shows " << std::hex
                << shown;
        }
        const COLORREF caption = winsim::ScreenPixel(rect.left + 40, rect.top + 8);
        EXPECT_LE(Distance(caption, image, 40, 8), 48);
    });
    StepClose();
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Depths, CaptureDepthTest, ::testing::Values(8, 16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "Bits";
                         });

// A window of the program's own thread that, the first time its title is read, asks something
// in a message box: the capture that reads it waits inside the box's modal loop, as it does
// inside the JPEG library's error box, and the hot-key's message is still dispatched there.
bool g_askOnRead = false;

LRESULT CALLBACK AskingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && g_askOnRead) {
        g_askOnRead = false;
        ::MessageBoxA(hwnd, "Un instant", "Attente", MB_OK);
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

class NestedCaptureTest : public ProgramTest {};

TEST_F(NestedCaptureTest, ACaptureInsideAMessageBoxLoopOfAnotherCaptureKeepsBothApart) {
    WriteSetting("CopyAll", "1");
    auto window = std::make_shared<HWND>();
    Step("a window that asks when its title is read", [window] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = AskingWindowProc;
        windowClass.lpszClassName = "AskingWindow";
        ::RegisterClassA(&windowClass);
        *window = ::CreateWindowExA(0, "AskingWindow", "Principal", WS_OVERLAPPEDWINDOW, 60, 60,
                                    200, 120, nullptr, nullptr, nullptr, nullptr);
        ::ShowWindow(*window, SW_SHOW);
        ASSERT_TRUE(::SetForegroundWindow(*window));
        g_askOnRead = true;
    });
    StepPressAltC();
    Step("the box is open in the middle of the capture", [] {
        HWND box = winsim::OpenMessageBox();
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(winsim::MessageBoxCaption(box), "Attente");
        ASSERT_EQ(::GetForegroundWindow(), box);
        EXPECT_TRUE(Dialog().GetEntryCount() == 0);
    });
    StepPressAltC();
    Step("the box's capture is in; close the box", [] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 1);
        EXPECT_EQ(dialog.GetEntryAt(0)->m_strText.Left(21), CString("<p><u>Attente</u></p>"));
        winsim::AnswerMessageBox(IDOK);
    });
    Step("both captures are listed, each with a picture of its own", [window] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 2);
        const CaptureEntry& inner = *dialog.GetEntryAt(0);
        const CaptureEntry& outer = *dialog.GetEntryAt(1);
        EXPECT_EQ(outer.m_strText, CString("<p><u>Principal</u></p>"));
        RECT rect;
        ::GetWindowRect(*window, &rect);
        EXPECT_EQ(outer.m_nWidth, rect.right - rect.left);
        EXPECT_GT(inner.m_nWidth, 0);
        EXPECT_NE(inner.m_strImagePath, outer.m_strImagePath);
        DecodedImage innerImage;
        DecodedImage outerImage;
        EXPECT_TRUE(DecodeJpeg(ReadCaptureFile(inner.m_strImagePath), &innerImage));
        EXPECT_TRUE(DecodeJpeg(ReadCaptureFile(outer.m_strImagePath), &outerImage));
        EXPECT_EQ(outerImage.width, outer.m_nWidth);
        EXPECT_EQ(dialog.GetSelectedEntry(), 1);
        EXPECT_EQ(winsim::ClipboardText(), "Principal\r\n=========\r\n\r\n");
        EXPECT_EQ(winsim::SoundStartCount("#137"), 2);
    });
    StepClose();
    RunProgram();
}

} // namespace
