// Windows: creation and destruction, the tree in z-order, texts, geometry, show states,
// activation and focus.
#include "recorder.h"
#include "tests/support/geometry.h"

#include <winsim/sim_user.h>

#include <gtest/gtest.h>

using namespace usertest;

namespace {

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override { usertest::Setup(); }
};

TEST_F(WindowsTest, ChildrenAreVisitedInCreationOrderWithChildAndNext) {
    HWND dlg = MakeTopLevel("T");
    HWND a = MakeChild(dlg, 1, "A");
    HWND b = MakeChild(dlg, 2, "B");
    HWND c = MakeChild(dlg, 3, "C");
    HWND a1 = MakeChild(a, 11, "A1");

    EXPECT_EQ(GetWindow(dlg, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), nullptr);
    EXPECT_EQ(GetWindow(a, GW_CHILD), a1);
    EXPECT_EQ(GetWindow(b, GW_CHILD), nullptr);
    EXPECT_EQ(GetParent(a1), a);
    EXPECT_EQ(GetDlgItem(dlg, 2), b);
    EXPECT_EQ(GetDlgItem(dlg, 11), nullptr) << "only direct children are dialog items";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
    EXPECT_EQ(GetDlgCtrlID(c), 3);
    EXPECT_TRUE(IsChild(dlg, a1));
    EXPECT_FALSE(IsChild(a, c));
    EXPECT_EQ(GetParent(dlg), nullptr);
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), dlg);
}

TEST_F(WindowsTest, OwnedPopupsKnowTheirOwnerAndStayAboveIt) {
    HWND main = MakeTopLevel("Main");
    HWND popup = MakeTopLevel("Popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, main);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), main);
    EXPECT_EQ(GetParent(popup), main);
    SetForegroundWindow(main);
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), popup);
    EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), main);
}

TEST_F(WindowsTest, InvalidHandlesFailWithTheWindowsError) {
    HWND bogus = reinterpret_cast<HWND>(0x1234);
    SetLastError(0);
    EXPECT_EQ(GetWindow(bogus, GW_CHILD), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    RECT r;
    EXPECT_FALSE(GetWindowRect(bogus, &r));
    EXPECT_FALSE(DestroyWindow(bogus));
    EXPECT_FALSE(IsWindow(bogus));

    SetLastError(0);
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(CreateWindowExA(0, "Recorder", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));

    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Recorder";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
}

TEST_F(WindowsTest, AMessageTableFailsOnAnotherOrderAMissingRowOrAnExtraMessage) {
    MakeTopLevel("Main", WS_OVERLAPPEDWINDOW);
    MakeTopLevel("Other", WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(MessagesInOrder({{"Main", WM_CREATE}, {"Other", WM_CREATE}}));
    EXPECT_FALSE(MessagesInOrder({{"Other", WM_CREATE}, {"Main", WM_CREATE}}));
    EXPECT_FALSE(MessagesInOrder({{"Main", WM_CREATE}}));
    EXPECT_FALSE(
        MessagesInOrder({{"Main", WM_CREATE}, {"Other", WM_CREATE}, {"Other", WM_CREATE}}));
    EXPECT_FALSE(MessagesInOrder({{"Main", WM_CREATE, kLParam, 0}, {"Other", WM_CREATE}}))
        << "WM_CREATE carries the CREATESTRUCT";
}

TEST_F(WindowsTest, CreationAndDestructionSendTheirMessagesInWindowsOrder) {
    HWND main = MakeTopLevel("Main", WS_OVERLAPPEDWINDOW);
    HWND child = MakeChild(main, 1, "Child");
    HWND owned = MakeTopLevel("Owned", WS_POPUP, main);
    EXPECT_TRUE(MessagesInOrder({
        {"Main", WM_NCCREATE},
        {"Main", WM_CREATE},
        {"Child", WM_NCCREATE},
        {"Child", WM_CREATE},
        {"Owned", WM_NCCREATE},
        {"Owned", WM_CREATE},
    }));
    Log().clear();
    ASSERT_TRUE(DestroyWindow(main));
    // Owned windows go first; WM_DESTROY runs parent first, WM_NCDESTROY children first.
    EXPECT_TRUE(MessagesInOrder({
        {"Owned", WM_DESTROY},
        {"Owned", WM_NCDESTROY},
        {"Main", WM_DESTROY},
        {"Child", WM_DESTROY},
        {"Child", WM_NCDESTROY},
        {"Main", WM_NCDESTROY},
    }));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WindowsTest, CreateFailsWhenWmCreateRefuses) {
    SetHandler([](HWND, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg == WM_CREATE) {
            *result = -1;
            return true;
        }
        return false;
    });
    EXPECT_EQ(MakeTopLevel("Refused"), nullptr);
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), nullptr);
}

TEST_F(WindowsTest, TextIsTruncatedToTheBufferAsWindowsDoes) {
    HWND w = MakeTopLevel("Verbacap");
    char buffer[16];
    EXPECT_EQ(GetWindowTextA(w, buffer, 5), 4);
    EXPECT_STREQ(buffer, "Verb");
    EXPECT_EQ(GetWindowTextA(w, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'x';
    EXPECT_EQ(GetWindowTextA(w, buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'x') << "nothing is written into a buffer of size 0";
    EXPECT_EQ(GetWindowTextLengthA(w), 8);
    EXPECT_TRUE(SetWindowTextA(w, "Nouveau titre"));
    EXPECT_EQ(GetWindowTextA(w, buffer, sizeof(buffer)), 13);
    EXPECT_STREQ(buffer, "Nouveau titre");

    HWND c = MakeChild(w, 0xFFFF, "Le message");
    EXPECT_EQ(GetDlgItemTextA(w, 0xFFFF, buffer, sizeof(buffer)), 10u);
    EXPECT_STREQ(buffer, "Le message");
    EXPECT_EQ(GetDlgItemTextA(w, 7, buffer, sizeof(buffer)), 0u);
    EXPECT_STREQ(buffer, "") << "a missing item gives an empty text";
    (void)c;
}

TEST_F(WindowsTest, TruncationNeverSplitsADoubleByteCharacter) {
    winsim::DesktopConfig config;
    config.codePage = 932;
    winsim::ResetDesktop(config);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Plain";
    RegisterClassA(&wc);
    // "A" then two double-byte characters (Shift-JIS lead bytes 0x82).
    const char text[] = "A\x82\xa0\x82\xa2";
    HWND w = CreateWindowExA(0, "Plain", text, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    char buffer[8];
    EXPECT_EQ(GetWindowTextA(w, buffer, 3), 1) << "half a character is not copied";
    EXPECT_STREQ(buffer, "A");
    EXPECT_EQ(GetWindowTextA(w, buffer, 4), 3);
}

TEST_F(WindowsTest, ClientAreaExcludesCaptionAndBorders) {
    HWND w =
        CreateWindowExA(WS_EX_DLGMODALFRAME, "Recorder", "Dlg", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        50, 60, 200, 100, nullptr, nullptr, nullptr, nullptr);
    RECT wr;
    RECT cr;
    GetWindowRect(w, &wr);
    GetClientRect(w, &cr);
    EXPECT_EQ(wr, (RECT{50, 60, 250, 160}));
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(cr, (RECT{0, 0, 200 - 2 * 3, 100 - 3 - caption - 3}));
    POINT p{0, 0};
    ClientToScreen(w, &p);
    EXPECT_EQ(p, (POINT{53, 60 + 3 + caption}));
    ScreenToClient(w, &p);
    EXPECT_EQ(p.x, 0);

    RECT adjusted{0, 0, cr.right, cr.bottom};
    AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    EXPECT_EQ(adjusted.right - adjusted.left, 200);
    EXPECT_EQ(adjusted.bottom - adjusted.top, 100);
}

TEST_F(WindowsTest, ChildrenMoveWithTheirParent) {
    HWND parent = MakeTopLevel("P", WS_POPUP | WS_VISIBLE);
    HWND child = MakeChild(parent, 1, "C");
    RECT before;
    GetWindowRect(child, &before);
    SetWindowPos(parent, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT after;
    GetWindowRect(child, &after);
    EXPECT_EQ(after.left - before.left, 200);
    EXPECT_EQ(after.top - before.top, 100);
    // The child's own position is relative to the client area.
    SetWindowPos(child, nullptr, 5, 6, 70, 20, SWP_NOZORDER);
    GetWindowRect(child, &after);
    EXPECT_EQ(after, (RECT{305, 206, 305 + 70, 206 + 20}));
}

TEST_F(WindowsTest, TopmostBandAndSetWindowPosZOrder) {
    HWND a = MakeTopLevel("A");
    HWND b = MakeTopLevel("B");
    EXPECT_EQ(GetTopWindow(nullptr), b);
    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_EQ(GetTopWindow(nullptr), a);
    EXPECT_TRUE(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetForegroundWindow(b);
    EXPECT_EQ(GetTopWindow(nullptr), a) << "a topmost window stays above";
    SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetTopWindow(nullptr), a) << "it ends in front without staying on top";
    EXPECT_EQ(GetForegroundWindow(), a);
    SetForegroundWindow(b);
    EXPECT_EQ(GetTopWindow(nullptr), b);
}

TEST_F(WindowsTest, MinimizeSendsSizeAndTheMinimisedFlagWithDeactivation) {
    HWND other = MakeTopLevel("Other");
    HWND main = MakeTopLevel("Main");
    ASSERT_EQ(GetForegroundWindow(), main);
    RECT normal;
    GetWindowRect(main, &normal);
    Log().clear();
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(GetForegroundWindow(), other);
    bool sizeMinimized = false;
    bool activateMinimized = false;
    for (const Seen& s : Log()) {
        if (s.hwnd == main && s.msg == WM_SIZE && s.wParam == SIZE_MINIMIZED) {
            sizeMinimized = true;
        }
        if (s.hwnd == main && s.msg == WM_ACTIVATE) {
            EXPECT_EQ(LOWORD(s.wParam), WA_INACTIVE);
            activateMinimized = HIWORD(s.wParam) != 0;
        }
    }
    EXPECT_TRUE(sizeMinimized);
    EXPECT_TRUE(activateMinimized);

    ShowWindow(main, SW_RESTORE);
    EXPECT_FALSE(IsIconic(main));
    RECT restored;
    GetWindowRect(main, &restored);
    EXPECT_EQ(restored.left, normal.left);
    EXPECT_EQ(restored.bottom, normal.bottom);
    EXPECT_EQ(GetForegroundWindow(), main);

    ShowWindow(main, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(main));
    RECT client;
    GetClientRect(main, &client);
    EXPECT_GT(client.right, 1000);
}

TEST_F(WindowsTest, HideSendsShowWindowAndPassesTheActivationOn) {
    HWND other = MakeTopLevel("Other");
    HWND main = MakeTopLevel("Main");
    Log().clear();
    EXPECT_TRUE(ShowWindow(main, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(ShowWindow(main, SW_HIDE)) << "it was hidden already";
    EXPECT_EQ(Trace({WM_SHOWWINDOW})[0], "Main:WM_SHOWWINDOW");
    EXPECT_EQ(GetForegroundWindow(), other);
    EXPECT_EQ(GetActiveWindow(), other);
    auto events = winsim::TakeUserEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "window 'Main' hidden");
}

TEST_F(WindowsTest, FocusChangeSendsKillFocusBeforeSetFocus) {
    HWND main = MakeTopLevel("Main");
    HWND a = MakeChild(main, 1, "A");
    HWND b = MakeChild(main, 2, "B");
    SetFocus(a);
    Log().clear();
    EXPECT_EQ(SetFocus(b), a);
    // Each names the other window.
    EXPECT_TRUE(MessagesInOrder({
        {"A", WM_KILLFOCUS, kWParam, reinterpret_cast<WPARAM>(b)},
        {"B", WM_SETFOCUS, kWParam, reinterpret_cast<WPARAM>(a)},
    }));
    EXPECT_EQ(GetFocus(), b);
}

TEST_F(WindowsTest, AnotherProgramTakingTheForegroundDeactivatesTheProgram) {
    HWND main = MakeTopLevel("Main");
    HWND edit = MakeChild(main, 1, "Field");
    SetFocus(edit);
    Log().clear();
    HWND box = winsim::ShowOtherProgramMessageBox("Erreur", "Fichier introuvable");
    EXPECT_EQ(GetForegroundWindow(), box);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(MessagesInOrder({
        {"Main", WM_ACTIVATE, kWParam, WA_INACTIVE},
        {"Field", WM_KILLFOCUS},
        {"Main", WM_ACTIVATEAPP, kWParam, FALSE},
    }));
    char text[64];
    EXPECT_EQ(GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)), 19u);
    EXPECT_STREQ(text, "Fichier introuvable");
    EXPECT_TRUE(winsim::IsOtherProgramWindow(box));
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    EXPECT_NE(process, GetCurrentProcessId());

    winsim::SetNoForegroundWindow();
    EXPECT_EQ(GetForegroundWindow(), nullptr);
    SetForegroundWindow(main);
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(GetFocus(), main);
}

TEST_F(WindowsTest, WindowLongsAndSubclassing) {
    HWND w = MakeTopLevel("W");
    SetWindowLongPtrA(w, GWLP_USERDATA, 42);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 42);
    static WNDPROC previous = nullptr;
    static int seen = 0;
    WNDPROC sub = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER + 1) {
            ++seen;
            return 7;
        }
        return CallWindowProcA(previous, h, m, wp, lp);
    };
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sub)));
    EXPECT_EQ(SendMessageA(w, WM_USER + 1, 0, 0), 7);
    EXPECT_EQ(seen, 1);
    char buffer[8];
    EXPECT_EQ(GetWindowTextA(w, buffer, sizeof(buffer)), 1) << "other messages pass through";
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(w, 64), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

} // namespace
