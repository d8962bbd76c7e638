// Message queues, the virtual clock and timers, global hot-keys and atoms, keyboard input.
#include "recorder.h"

#include <winsim/script.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

using namespace usertest;

namespace {

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override { usertest::Setup(); }
};

// Runs the program's message loop until WM_QUIT, as a program's main loop does.
int RunLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

TEST_F(MessagesTest, PostedMessagesArriveInOrderAndQuitComesLast) {
    HWND w = MakeTopLevel("W");
    PostMessageA(w, WM_USER + 1, 1, 0);
    PostQuitMessage(3);
    PostMessageA(w, WM_USER + 2, 2, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1)) << "peeking leaves it queued";
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_QUIT + WM_USER, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT)) << "the new window paints last";
    DispatchMessageA(&msg);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "painting validated it";
}

TEST_F(MessagesTest, FiltersSelectByWindowAndRange) {
    HWND a = MakeTopLevel("A");
    HWND b = MakeTopLevel("B");
    PostMessageA(a, WM_USER + 1, 0, 0);
    PostMessageA(b, WM_USER + 2, 0, 0);
    PostMessageA(a, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x99), WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(MessagesTest, AWaitingLoopWithNothingScriptedEndsWithTheOpenWindowNamed) {
    MakeTopLevel("Verbacap");
    try {
        RunLoop();
        FAIL() << "the loop should have ended";
    } catch (const winsim::ScriptExhausted& e) {
        EXPECT_NE(std::string(e.what()).find("'Verbacap'"), std::string::npos) << e.what();
    }
}

TEST_F(MessagesTest, TimersFireOnTheWayThroughAScriptedWait) {
    HWND w = MakeTopLevel("W");
    ASSERT_EQ(SetTimer(w, 1, 500, nullptr), 1u);
    std::vector<DWORD> ticks;
    SetHandler([&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
        if (msg == WM_TIMER) {
            EXPECT_EQ(wParam, 1u);
            ticks.push_back(GetTickCount());
        }
        return false;
    });
    DWORD start = GetTickCount();
    winsim::ScriptPush("wait 1.2", [] { winsim::LetTimePass(1200); });
    winsim::ScriptPush("quit", [] { PostQuitMessage(0); });
    RunLoop();
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0] - start, 500u);
    EXPECT_EQ(ticks[1] - start, 1000u);
    EXPECT_EQ(GetTickCount() - start, 1200u);
}

TEST_F(MessagesTest, TimeJumpingOutsideALoopMergesExpiriesIntoOneMessage) {
    HWND w = MakeTopLevel("W");
    SetTimer(w, 7, 100, nullptr);
    winsim::LetTimePass(1000);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_TRUE(KillTimer(w, 7));
    EXPECT_FALSE(KillTimer(w, 7));
    winsim::LetTimePass(1000);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(MessagesTest, TimerPeriodsAreClampedAsWindowsDoes) {
    HWND w = MakeTopLevel("W");
    SetTimer(w, 1, 0, nullptr);
    winsim::LetTimePass(9);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    winsim::LetTimePass(1);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
        << "a period under 10 ms becomes 10 ms";
    // A negative interval passed through UINT is beyond the maximum, which applies instead.
    SetTimer(w, 1, static_cast<UINT>(-500), nullptr);
    winsim::LetTimePass(0x7FFFFFFE);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    winsim::LetTimePass(1);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x55), 1, 100, nullptr), 0u);
}

TEST_F(MessagesTest, TimerCallbacksAreCalledByDispatch) {
    static int calls = 0;
    calls = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 50, [](HWND, UINT msg, UINT_PTR, DWORD) {
        EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
        ++calls;
    });
    ASSERT_NE(id, 0u);
    winsim::LetTimePass(60);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg);
    EXPECT_EQ(calls, 1);
}

TEST_F(MessagesTest, TheWallClockFollowsTheVirtualClock) {
    winsim::SetWallClock(2024, 2, 29, 23, 59, 58);
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wSecond, 58);
    EXPECT_EQ(st.wDayOfWeek, 4) << "29 February 2024 was a Thursday";
    winsim::LetTimePass(2500);
    GetLocalTime(&st);
    EXPECT_EQ(st.wMonth, 3);
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wHour, 0);
    EXPECT_EQ(st.wSecond, 0);
    EXPECT_EQ(st.wMilliseconds, 500);
}

TEST_F(MessagesTest, HotKeyConflictsFailWithTheWindowsError) {
    HWND w = MakeTopLevel("W");
    EXPECT_TRUE(RegisterHotKey(w, 0xC000, MOD_ALT, 'C'));
    SetLastError(0);
    EXPECT_FALSE(RegisterHotKey(w, 0xC001, MOD_ALT, 'C'));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    EXPECT_TRUE(RegisterHotKey(w, 0xC001, MOD_ALT | MOD_SHIFT, 'C'));
    EXPECT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_CONTROL, 'X'));
    EXPECT_FALSE(RegisterHotKey(w, 0xC002, MOD_CONTROL, 'X'));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_ALREADY_REGISTERED));
    EXPECT_TRUE(UnregisterHotKey(w, 0xC000));
    EXPECT_FALSE(UnregisterHotKey(w, 0xC000));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HOTKEY_NOT_REGISTERED));
    EXPECT_TRUE(RegisterHotKey(w, 0xC003, MOD_ALT, 'C')) << "free again";
    DestroyWindow(w);
    HWND other = MakeTopLevel("Other");
    EXPECT_TRUE(RegisterHotKey(other, 1, MOD_ALT, 'C')) << "a destroyed window frees its keys";
}

TEST_F(MessagesTest, ARegisteredCombinationPostsWmHotKeyWhereverTheFocusIs) {
    HWND w = MakeTopLevel("Main");
    HWND field = MakeChild(w, 1, "Field");
    SetFocus(field);
    RegisterHotKey(w, 0xC000, MOD_ALT, 'C');
    winsim::ShowOtherProgramMessageBox("Erreur", "Texte");
    winsim::PressKeys("Alt+C");
    MSG msg;
    std::vector<UINT> got;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_PAINT) {
            DispatchMessageA(&msg);
            continue;
        }
        got.push_back(msg.message);
        if (msg.message == WM_HOTKEY) {
            EXPECT_EQ(msg.hwnd, w);
            EXPECT_EQ(msg.wParam, 0xC000u);
            EXPECT_EQ(LOWORD(msg.lParam), MOD_ALT);
            EXPECT_EQ(HIWORD(msg.lParam), 'C');
        }
    }
    EXPECT_EQ(got, std::vector<UINT>{WM_HOTKEY}) << "the program is in the background";

    SetForegroundWindow(w);
    SetFocus(field);
    Log().clear();
    winsim::PressKeys("Alt+C");
    winsim::PressKeys("Alt+X");
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    std::vector<std::string> trace = Trace({WM_HOTKEY, WM_SYSKEYDOWN, WM_SYSKEYUP});
    // Posted messages come before input; C is eaten by the hot-key; X reaches the focus.
    EXPECT_EQ(trace, (std::vector<std::string>{"Main:WM_HOTKEY", "Field:WM_SYSKEYDOWN",
                                               "Field:WM_SYSKEYUP", "Field:WM_SYSKEYUP",
                                               "Field:WM_SYSKEYDOWN", "Field:WM_SYSKEYDOWN",
                                               "Field:WM_SYSKEYUP", "Field:WM_SYSKEYUP"}));
}

TEST_F(MessagesTest, KeysReachTheFocusWithCharactersFromTranslateMessage) {
    HWND w = MakeTopLevel("Main");
    HWND field = MakeChild(w, 1, "Field");
    SetFocus(field);
    winsim::TypeText("Ab1");
    winsim::PressKeys("Ctrl+Insert");
    std::string chars;
    LPARAM insertFlags = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_PAINT) {
            DispatchMessageA(&msg);
            continue;
        }
        TranslateMessage(&msg);
        EXPECT_EQ(msg.hwnd, field);
        if (msg.message == WM_CHAR) {
            chars += static_cast<char>(msg.wParam);
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_INSERT) {
            insertFlags = msg.lParam;
        }
    }
    EXPECT_EQ(chars, "Ab1");
    EXPECT_TRUE(insertFlags & (LPARAM{1} << 24)) << "Insert is an extended key";
    EXPECT_FALSE(winsim::ParseKeyCombo("Ctrl+Nothing", nullptr));
    EXPECT_THROW(winsim::PressKeys("Hyper+C"), std::invalid_argument);
}

TEST_F(MessagesTest, AtomsAreReferenceCounted) {
    ATOM a = GlobalAddAtomA("QuilloryHotKey");
    ASSERT_GE(a, 0xC000);
    EXPECT_EQ(GlobalAddAtomA("quilloryhotkey"), a) << "names compare without case";
    EXPECT_EQ(GlobalDeleteAtom(a), 0);
    EXPECT_EQ(GlobalFindAtomA("QuilloryHotKey"), a) << "one reference is left";
    EXPECT_EQ(GlobalDeleteAtom(a), 0);
    EXPECT_EQ(GlobalFindAtomA("QuilloryHotKey"), 0);
    EXPECT_EQ(GlobalDeleteAtom(a), a) << "deleting a deleted atom fails";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalAddAtomA("#123"), 123);
    EXPECT_EQ(GlobalAddAtomA("#0"), 0);
    EXPECT_EQ(GlobalAddAtomA(std::string(256, 'x').c_str()), 0);
    char name[32];
    ATOM b = GlobalAddAtomA("Verbacap");
    EXPECT_EQ(GlobalGetAtomNameA(b, name, sizeof(name)), 8u);
    EXPECT_STREQ(name, "Verbacap");
}

} // namespace
