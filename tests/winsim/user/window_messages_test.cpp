// Conformance of the messages that moving, sizing, showing, activating and enabling windows
// send, of timers' identities and priority, and of menu state queries.
#include "recorder.h"

#include <winsim/sim_user.h>

#include <gtest/gtest.h>

using namespace usertest;

namespace {

class WindowMessagesTest : public ::testing::Test {
protected:
    void SetUp() override { usertest::Setup(); }

    // The messages a window got, by number, in order.
    static std::vector<UINT> MessagesOf(HWND hwnd, const std::vector<UINT>& interesting) {
        std::vector<UINT> out;
        for (const usertest::Seen& s : Log()) {
            if (s.hwnd == hwnd &&
                std::find(interesting.begin(), interesting.end(), s.msg) != interesting.end()) {
                out.push_back(s.msg);
            }
        }
        return out;
    }

    static const usertest::Seen* Last(HWND hwnd, UINT msg) {
        const usertest::Seen* found = nullptr;
        for (const usertest::Seen& s : Log()) {
            if (s.hwnd == hwnd && s.msg == msg) {
                found = &s;
            }
        }
        return found;
    }
};

const std::vector<UINT> kPositionMessages = {WM_SHOWWINDOW, WM_WINDOWPOSCHANGING,
                                             WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE};

TEST_F(WindowMessagesTest, SetWindowPosSendsChangingThenChangedThenMoveAndSize) {
    HWND w = MakeTopLevel("W");
    Log().clear();
    ASSERT_TRUE(SetWindowPos(w, nullptr, 10, 20, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_EQ(MessagesOf(w, kPositionMessages),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    RECT client;
    GetClientRect(w, &client);
    const usertest::Seen* size = Last(w, WM_SIZE);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(LOWORD(size->lParam), client.right) << "WM_SIZE carries the client size";
    EXPECT_EQ(HIWORD(size->lParam), client.bottom);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    const usertest::Seen* move = Last(w, WM_MOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(static_cast<short>(LOWORD(move->lParam)), origin.x) << "WM_MOVE: client origin";
    EXPECT_EQ(static_cast<short>(HIWORD(move->lParam)), origin.y);

    Log().clear();
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(MessagesOf(w, kPositionMessages),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}))
        << "nothing moved, nothing sized";
}

TEST_F(WindowMessagesTest, AWindowCanCorrectItsNewPlaceInWindowPosChanging) {
    HWND w = MakeTopLevel("W");
    SetHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
        if (hwnd == w && msg == WM_WINDOWPOSCHANGING) {
            auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
            wp->cx = std::max(wp->cx, 250); // a minimum width
            *result = 0;
            return true;
        }
        return false;
    });
    MoveWindow(w, 5, 5, 100, 100, TRUE);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 100);
}

TEST_F(WindowMessagesTest, WithoutDefaultProcessingOfWindowPosChangedNoMoveOrSizeArrives) {
    HWND w = MakeTopLevel("W");
    SetHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (hwnd == w && msg == WM_WINDOWPOSCHANGED) {
            *result = 0;
            return true;
        }
        return false;
    });
    Log().clear();
    MoveWindow(w, 5, 5, 120, 130, TRUE);
    EXPECT_EQ(MessagesOf(w, {WM_MOVE, WM_SIZE}), std::vector<UINT>{});
}

TEST_F(WindowMessagesTest, ShowingSendsShowWindowFirstAndReportsTheFormerVisibility) {
    HWND w = MakeTopLevel("W", WS_OVERLAPPEDWINDOW);
    Log().clear();
    EXPECT_FALSE(ShowWindow(w, SW_SHOW)) << "it was hidden";
    std::vector<UINT> order = MessagesOf(w, kPositionMessages);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), static_cast<UINT>(WM_SHOWWINDOW));
    EXPECT_EQ(Last(w, WM_SHOWWINDOW)->wParam, static_cast<WPARAM>(TRUE));
    EXPECT_TRUE(ShowWindow(w, SW_SHOW)) << "it was visible";
    EXPECT_FALSE(ShowWindow(w, 77)) << "an unknown command";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowMessagesTest, MaximizeAndRestoreTellTheirKindInWmSize) {
    HWND w = MakeTopLevel("W");
    RECT before;
    GetClientRect(w, &before);
    Log().clear();
    ShowWindow(w, SW_MAXIMIZE);
    ASSERT_NE(Last(w, WM_SIZE), nullptr);
    EXPECT_EQ(Last(w, WM_SIZE)->wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));
    Log().clear();
    ShowWindow(w, SW_RESTORE);
    ASSERT_NE(Last(w, WM_SIZE), nullptr);
    EXPECT_EQ(Last(w, WM_SIZE)->wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(LOWORD(Last(w, WM_SIZE)->lParam), before.right) << "back to the former size";
    EXPECT_FALSE(IsZoomed(w));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ASSERT_TRUE(GetWindowPlacement(w, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
}

TEST_F(WindowMessagesTest, TheWindowLosingActivationHearsFirstAndEachNamesTheOther) {
    HWND a = MakeTopLevel("A");
    HWND b = MakeTopLevel("B");
    SetForegroundWindow(a);
    Log().clear();
    ASSERT_TRUE(SetForegroundWindow(b));
    EXPECT_TRUE(MessagesInOrder({
        {"A", WM_NCACTIVATE, kWParam, FALSE},
        {"A", WM_ACTIVATE, kWParam | kLParam, WA_INACTIVE, reinterpret_cast<LPARAM>(b)},
        {"B", WM_NCACTIVATE, kWParam, TRUE},
        {"B", WM_ACTIVATE, kWParam | kLParam, WA_ACTIVE, reinterpret_cast<LPARAM>(a)},
    }));
    const usertest::Seen* lost = Last(a, WM_ACTIVATE);
    const usertest::Seen* won = Last(b, WM_ACTIVATE);
    ASSERT_TRUE(lost && won);
    EXPECT_EQ(LOWORD(lost->wParam), WA_INACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(lost->lParam), b);
    EXPECT_EQ(LOWORD(won->wParam), WA_ACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(won->lParam), a);
    EXPECT_EQ(GetActiveWindow(), b);

    Log().clear();
    EXPECT_TRUE(SetForegroundWindow(b));
    EXPECT_TRUE(Trace({WM_ACTIVATE}).empty()) << "already in the foreground: no messages";
}

TEST_F(WindowMessagesTest, ClickingAnInactiveWindowActivatesItAsAClick) {
    HWND a = MakeTopLevel("A");
    HWND b = CreateWindowExA(0, "Recorder", "B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 200,
                             200, nullptr, nullptr, nullptr, nullptr);
    Name(b, "B");
    SetForegroundWindow(a);
    Log().clear();
    winsim::ClickWindow(b);
    EXPECT_EQ(GetForegroundWindow(), b);
    const usertest::Seen* mouseActivate = Last(b, WM_MOUSEACTIVATE);
    ASSERT_NE(mouseActivate, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(mouseActivate->wParam), b);
    EXPECT_EQ(LOWORD(mouseActivate->lParam), HTCLIENT);
    EXPECT_EQ(HIWORD(mouseActivate->lParam), WM_LBUTTONDOWN);
    EXPECT_EQ(LOWORD(Last(b, WM_ACTIVATE)->wParam), WA_CLICKACTIVE);
}

TEST_F(WindowMessagesTest, DisablingTheFocusedControlTakesTheFocusAway) {
    HWND w = MakeTopLevel("W");
    HWND field = MakeChild(w, 1, "Field");
    SetFocus(field);
    Log().clear();
    EXPECT_FALSE(EnableWindow(field, FALSE)) << "it was enabled";
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(MessagesInOrder({
        {"Field", WM_KILLFOCUS},
        {"Field", WM_ENABLE, kWParam, FALSE},
    }));
    EXPECT_EQ(Last(field, WM_ENABLE)->wParam, static_cast<WPARAM>(FALSE));
    EXPECT_TRUE(EnableWindow(field, FALSE)) << "it was disabled already";
    EXPECT_FALSE(IsWindowEnabled(field));
    Log().clear();
    EXPECT_TRUE(EnableWindow(field, TRUE));
    EXPECT_EQ(Last(field, WM_ENABLE)->wParam, static_cast<WPARAM>(TRUE));
    EXPECT_TRUE(IsWindowEnabled(field));
}

TEST_F(WindowMessagesTest, ATimerSetAgainKeepsItsIdAndRestartsItsPeriod) {
    HWND w = MakeTopLevel("W");
    ASSERT_EQ(SetTimer(w, 5, 100, nullptr), 5u);
    winsim::LetTimePass(80);
    ASSERT_EQ(SetTimer(w, 5, 100, nullptr), 5u) << "same window, same id: replaced";
    winsim::LetTimePass(80);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE)) << "restarted at 80";
    winsim::LetTimePass(20);
    ASSERT_TRUE(PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_FALSE(PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE)) << "one timer, not two";

    UINT_PTR first = SetTimer(nullptr, 5, 100, nullptr);
    UINT_PTR second = SetTimer(nullptr, 5, 100, nullptr);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second) << "thread timers get ids of their own";
    EXPECT_TRUE(KillTimer(nullptr, first));
    EXPECT_TRUE(KillTimer(w, 5));
    EXPECT_FALSE(KillTimer(w, 5)) << "gone already";
}

TEST_F(WindowMessagesTest, PostedMessagesComeBeforeTimersThatAreDue) {
    HWND w = MakeTopLevel("W");
    SetTimer(w, 1, 50, nullptr);
    winsim::LetTimePass(60);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, w, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    while (PeekMessageA(&msg, w, 0, 0, PM_REMOVE) && msg.message == WM_PAINT) {
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER)) << "the timer comes last";
}

TEST_F(WindowMessagesTest, MenuStateQueriesReturnWhatWindowsReturns) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 10, "&Open\tCtrl+O");
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 20, "One");
    AppendMenuA(sub, MF_STRING, 21, "Two");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");

    EXPECT_EQ(CheckMenuItem(menu, 10, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 10, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 99, MF_CHECKED), static_cast<DWORD>(-1)) << "no such item";
    EXPECT_EQ(CheckMenuItem(menu, 21, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED))
        << "items of submenus are found by command";
    EXPECT_EQ(GetMenuState(sub, 21, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(EnableMenuItem(menu, 10, MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    UINT popup = GetMenuState(menu, 1, MF_BYPOSITION);
    EXPECT_TRUE(popup & MF_POPUP);
    EXPECT_EQ(HIBYTE(popup), 2) << "a popup item's state has its item count in the high byte";
    EXPECT_EQ(GetMenuState(menu, 7, MF_BYPOSITION), static_cast<UINT>(-1));

    char buffer[8];
    EXPECT_EQ(GetMenuStringA(menu, 10, buffer, sizeof(buffer), MF_BYCOMMAND), 7);
    EXPECT_STREQ(buffer, "&Open\tC") << "cut to the buffer with its terminating zero";
    EXPECT_EQ(GetMenuStringA(menu, 10, nullptr, 0, MF_BYCOMMAND), 12) << "the length it needs";

    EXPECT_TRUE(SetMenuDefaultItem(menu, 10, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 10u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 0u) << "by position";
    EXPECT_FALSE(SetMenuDefaultItem(menu, 55, FALSE));
    DestroyMenu(menu);
}

} // namespace
