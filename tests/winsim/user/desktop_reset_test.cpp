// A fresh desktop: what a program left open on the last one is gone, silently, as the windows
// of a process vanish when it ends; handles of the old desktop name nothing on the new one.
#include "recorder.h"

#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

bool g_programStopped = false;
int g_callsAfterStop = 0;

LRESULT CALLBACK StoppedProgramProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_programStopped) {
        // The program's objects behind this procedure are gone by now.
        ++g_callsAfterStop;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeProgramWindow(const char* title, HWND parent = nullptr) {
    DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    return CreateWindowExA(0, "StoppedProgram", title, style, 50, 50, 200, 150, parent, nullptr,
                           nullptr, nullptr);
}

TEST(DesktopResetTest, AStoppedProgramsWindowsVanishWithoutMessagesAndLeaveNothingBehind) {
    winsim::ResetDesktop();
    g_programStopped = false;
    g_callsAfterStop = 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = StoppedProgramProc;
    wc.lpszClassName = "StoppedProgram";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND main = MakeProgramWindow("Main");
    HWND child = MakeProgramWindow("Child", main);
    HWND owned = CreateWindowExA(0, "StoppedProgram", "Owned", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 main, nullptr, nullptr, nullptr);
    ASSERT_TRUE(main && child && owned);
    SetFocus(child);
    SetCapture(main);
    ASSERT_NE(SetTimer(main, 1, 100, nullptr), 0u);
    ASSERT_TRUE(RegisterHotKey(main, 7, MOD_ALT, 'C'));
    winsim::HoverWindow(main, POINT{20, 20});
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | TME_HOVER, main, HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    PostMessageA(main, WM_USER, 0, 0);
    winsim::PressKeys("X");
    HMENU menu = CreatePopupMenu();
    std::vector<HWND> old{main, child, owned};

    g_programStopped = true;
    winsim::ResetDesktop();
    EXPECT_EQ(g_callsAfterStop, 0) << "no message reaches a stopped program";

    EXPECT_TRUE(winsim::TopLevelWindows().empty());
    EXPECT_EQ(GetForegroundWindow(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsMenu(menu));
    TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, nullptr);

    // The new desktop's program starts afresh: its class, hot-key and windows.
    g_programStopped = false;
    ASSERT_NE(RegisterClassA(&wc), 0) << "the class went with the old program";
    std::vector<HWND> fresh{MakeProgramWindow("New main"), MakeProgramWindow("Second"),
                            MakeProgramWindow("Third")};
    EXPECT_TRUE(RegisterHotKey(fresh[0], 7, MOD_ALT, 'C'));
    for (HWND stale : old) {
        EXPECT_FALSE(IsWindow(stale)) << "an old handle names no window of the new desktop";
        for (HWND h : fresh) {
            EXPECT_NE(stale, h);
        }
    }
    SetLastError(0);
    EXPECT_EQ(SendMessageA(old[0], WM_USER, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

    winsim::LetTimePass(1000);
    MSG msg;
    int taken = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && ++taken < 100) {
        EXPECT_NE(msg.message, static_cast<UINT>(WM_TIMER)) << "the old timer died";
        EXPECT_NE(msg.message, static_cast<UINT>(WM_USER)) << "the old queue was emptied";
        EXPECT_NE(msg.message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_NE(msg.message, static_cast<UINT>(WM_MOUSEHOVER));
        DispatchMessageA(&msg);
    }
    EXPECT_LT(taken, 100);
}

} // namespace
