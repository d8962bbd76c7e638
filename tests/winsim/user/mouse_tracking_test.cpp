// TrackMouseEvent: leave and hover notifications for the scripted pointer, one-shot, with the
// window hidden, moved, covered or destroyed under the pointer.
#include "recorder.h"

#include <winsim/script.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

using namespace usertest;

namespace {

class MouseTrackingTest : public ::testing::Test {
protected:
    void SetUp() override {
        usertest::Setup();
        a = MakeTopLevel("A");
        b = CreateWindowExA(0, "Recorder", "B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 200,
                            200, nullptr, nullptr, nullptr, nullptr);
        Name(b, "B");
        Drain();
        Log().clear();
    }

    static void Drain() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }

    static BOOL Track(HWND hwnd, DWORD flags, DWORD hoverTime = HOVER_DEFAULT) {
        TRACKMOUSEEVENT tme{sizeof(tme), flags, hwnd, hoverTime};
        return TrackMouseEvent(&tme);
    }

    static TRACKMOUSEEVENT Query() {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_QUERY, nullptr, 0};
        EXPECT_TRUE(TrackMouseEvent(&tme));
        return tme;
    }

    static std::vector<std::string> Seen() {
        Drain();
        std::vector<std::string> trace =
            Trace({WM_MOUSEMOVE, WM_MOUSELEAVE, WM_NCMOUSELEAVE, WM_MOUSEHOVER, WM_NCMOUSEHOVER});
        Log().clear();
        return trace;
    }

    static int Count(const std::vector<std::string>& trace, const std::string& what) {
        return static_cast<int>(std::count(trace.begin(), trace.end(), what));
    }

    HWND a = nullptr;
    HWND b = nullptr;
};

TEST_F(MouseTrackingTest, LeavingForAnotherWindowPostsOneLeaveBeforeTheMoveThere) {
    winsim::HoverWindow(a, POINT{50, 50});
    ASSERT_TRUE(Track(a, TME_LEAVE));
    winsim::HoverWindow(a, POINT{60, 70});
    winsim::HoverWindow(b, POINT{20, 20});
    EXPECT_EQ(Seen(), (std::vector<std::string>{"A:WM_MOUSEMOVE", "A:WM_MOUSEMOVE",
                                                "A:WM_MOUSELEAVE", "B:WM_MOUSEMOVE"}));
    EXPECT_EQ(Query().dwFlags, 0u) << "the leave ended the tracking";
    EXPECT_EQ(Query().hwndTrack, nullptr);

    winsim::HoverWindow(a, POINT{50, 50});
    winsim::HoverWindow(b, POINT{20, 20});
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 0) << "one-shot: not asked again, not sent";

    winsim::HoverWindow(a, POINT{50, 50});
    ASSERT_TRUE(Track(a, TME_LEAVE));
    winsim::HoverWindow(b, POINT{20, 20});
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 1) << "asked again after the leave";
}

TEST_F(MouseTrackingTest, AskingWhileThePointerIsElsewhereLeavesAtOnce) {
    winsim::HoverWindow(b, POINT{20, 20});
    Seen();
    ASSERT_TRUE(Track(a, TME_LEAVE));
    EXPECT_EQ(Seen(), std::vector<std::string>{"A:WM_MOUSELEAVE"});
    EXPECT_EQ(Query().hwndTrack, nullptr) << "nothing is tracked any further";

    // Over the caption is outside the client area that is tracked without TME_NONCLIENT.
    RECT r;
    GetWindowRect(a, &r);
    winsim::MovePointer(POINT{r.left + 40, r.top + 8});
    Seen();
    ASSERT_TRUE(Track(a, TME_LEAVE));
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 1);
    ASSERT_TRUE(Track(a, TME_LEAVE | TME_NONCLIENT));
    EXPECT_EQ(Query().dwFlags, static_cast<DWORD>(TME_LEAVE | TME_NONCLIENT));
    winsim::HoverWindow(a, POINT{50, 50});
    EXPECT_EQ(Seen(), (std::vector<std::string>{"A:WM_NCMOUSELEAVE", "A:WM_MOUSEMOVE"}))
        << "the frame was left for the client area";
}

TEST_F(MouseTrackingTest, EnteringAChildLeavesTheParent) {
    HWND child = MakeChild(a, 5, "child");
    winsim::HoverWindow(a, POINT{200, 150});
    ASSERT_TRUE(Track(a, TME_LEAVE));
    RECT cr;
    GetWindowRect(child, &cr);
    winsim::MovePointer(POINT{cr.left + 5, cr.top + 5});
    std::vector<std::string> trace = Seen();
    EXPECT_EQ(Count(trace, "A:WM_MOUSELEAVE"), 1);
    EXPECT_EQ(Count(trace, "child:WM_MOUSEMOVE"), 1);
}

TEST_F(MouseTrackingTest, TheWindowGoingAwayFromUnderThePointerLeaves) {
    winsim::HoverWindow(a, POINT{50, 50});
    ASSERT_TRUE(Track(a, TME_LEAVE));
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 1) << "hidden";

    ShowWindow(a, SW_SHOW);
    winsim::HoverWindow(a, POINT{50, 50});
    ASSERT_TRUE(Track(a, TME_LEAVE));
    MoveWindow(a, 0, 400, 300, 200, TRUE);
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 1) << "moved away";

    winsim::HoverWindow(a, POINT{50, 50});
    ASSERT_TRUE(Track(a, TME_LEAVE));
    MoveWindow(a, 10, 400, 300, 200, TRUE);
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 0) << "moved, still under the pointer";
    POINT p;
    GetCursorPos(&p);
    SetWindowPos(b, HWND_TOP, p.x - 20, p.y - 20, 100, 100, SWP_SHOWWINDOW);
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 1) << "covered by another window";
}

TEST_F(MouseTrackingTest, DestroyingTheTrackedWindowEndsTheTrackingSilently) {
    winsim::HoverWindow(a, POINT{50, 50});
    ASSERT_TRUE(Track(a, TME_LEAVE | TME_HOVER));
    DestroyWindow(a);
    EXPECT_EQ(Query().hwndTrack, nullptr);
    winsim::LetTimePass(1000);
    EXPECT_TRUE(Seen().empty());
}

TEST_F(MouseTrackingTest, CancelAndQuery) {
    winsim::HoverWindow(a, POINT{50, 50});
    Seen();
    ASSERT_TRUE(Track(a, TME_LEAVE | TME_HOVER, 250));
    TRACKMOUSEEVENT q = Query();
    EXPECT_EQ(q.dwFlags, static_cast<DWORD>(TME_LEAVE | TME_HOVER));
    EXPECT_EQ(q.hwndTrack, a);
    EXPECT_EQ(q.dwHoverTime, 250u);
    ASSERT_TRUE(Track(b, TME_CANCEL | TME_LEAVE)) << "cancelling another window changes nothing";
    EXPECT_EQ(Query().dwFlags, static_cast<DWORD>(TME_LEAVE | TME_HOVER));
    ASSERT_TRUE(Track(a, TME_CANCEL | TME_HOVER));
    EXPECT_EQ(Query().dwFlags, static_cast<DWORD>(TME_LEAVE));
    winsim::LetTimePass(1000);
    EXPECT_TRUE(Seen().empty()) << "no hover once cancelled";
    ASSERT_TRUE(Track(a, TME_CANCEL | TME_LEAVE));
    EXPECT_EQ(Query().hwndTrack, nullptr);
    winsim::HoverWindow(b, POINT{20, 20});
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSELEAVE"), 0);
}

TEST_F(MouseTrackingTest, BadArgumentsFailWithTheWindowsErrors) {
    TRACKMOUSEEVENT tme{sizeof(tme) - 1, TME_LEAVE, a, 0};
    SetLastError(0);
    EXPECT_FALSE(TrackMouseEvent(&tme));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    DestroyWindow(b);
    EXPECT_FALSE(Track(b, TME_LEAVE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(TrackMouseEvent(nullptr));
}

TEST_F(MouseTrackingTest, HoverComesAfterThePointerRestsAndOnlyOnce) {
    winsim::HoverWindow(a, POINT{50, 50});
    Seen();
    ASSERT_TRUE(Track(a, TME_HOVER));
    winsim::LetTimePass(399);
    EXPECT_TRUE(Seen().empty());
    winsim::HoverWindow(a, POINT{52, 48}); // inside the hover rectangle: the rest goes on
    winsim::LetTimePass(1);
    Drain();
    ASSERT_EQ(Trace({WM_MOUSEHOVER}), std::vector<std::string>{"A:WM_MOUSEHOVER"});
    const usertest::Seen& hover = Log().back();
    EXPECT_EQ(hover.lParam, MAKELPARAM(52, 48)) << "client coordinates of the pointer";
    Log().clear();
    winsim::LetTimePass(2000);
    EXPECT_TRUE(Seen().empty()) << "one-shot";
    EXPECT_EQ(Query().hwndTrack, nullptr);

    ASSERT_TRUE(Track(a, TME_HOVER, 100));
    winsim::LetTimePass(60);
    winsim::HoverWindow(a, POINT{80, 50}); // left the rectangle: the rest starts again
    winsim::LetTimePass(60);
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSEHOVER"), 0);
    winsim::LetTimePass(40);
    EXPECT_EQ(Count(Seen(), "A:WM_MOUSEHOVER"), 1);
}

TEST_F(MouseTrackingTest, HoverArrivesOnTimeDuringAScriptedWait) {
    winsim::HoverWindow(a, POINT{50, 50});
    Seen();
    DWORD hoverAt = 0;
    DWORD start = GetTickCount();
    SetHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (hwnd == a && msg == WM_MOUSEHOVER) {
            hoverAt = GetTickCount();
            PostQuitMessage(0);
        }
        return false;
    });
    ASSERT_TRUE(Track(a, TME_HOVER | TME_LEAVE));
    winsim::ScriptPush("wait", [] { winsim::LetTimePass(5000); });
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(hoverAt - start, 400u);
    EXPECT_EQ(Query().dwFlags, static_cast<DWORD>(TME_LEAVE)) << "leave tracking stays";
}

} // namespace
