// Keyboard messages find their window when the program reads them: keys typed ahead go to the
// window that has the focus then (type-ahead into a field or dialog that appeared meanwhile).
#include "recorder.h"

#include <winsim/script.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

using namespace usertest;

namespace {

class KeyboardFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        usertest::Setup();
        main = MakeTopLevel("Main");
        first = MakeChild(main, 1, "First");
        second = MakeChild(main, 2, "Second");
    }

    // The next key message, with paint and other messages handled on the way.
    static MSG NextKey() {
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
                return msg;
            }
            DispatchMessageA(&msg);
        }
        ADD_FAILURE() << "no key message is queued";
        return MSG{};
    }

    HWND main = nullptr;
    HWND first = nullptr;
    HWND second = nullptr;
};

TEST_F(KeyboardFocusTest, AKeyGoesToTheFocusAtTheTimeItIsRead) {
    SetFocus(first);
    winsim::PressKeys("X");
    SetFocus(second);
    MSG down = NextKey();
    EXPECT_EQ(down.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(down.hwnd, second);
    DispatchMessageA(&down);
    SetFocus(first);
    MSG up = NextKey();
    EXPECT_EQ(up.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(up.hwnd, first) << "each message goes to the focus of its own moment";
}

TEST_F(KeyboardFocusTest, AFilterSeesTheWindowTheKeyWouldGoTo) {
    SetFocus(first);
    winsim::PressKeys("X");
    SetFocus(second);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, first, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, second, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, second);
}

TEST_F(KeyboardFocusTest, KeysOutliveTheWindowThatHadTheFocus) {
    SetFocus(first);
    winsim::TypeText("ab");
    DestroyWindow(first);
    SetFocus(second);
    std::string chars;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        if (msg.message == WM_CHAR) {
            EXPECT_EQ(msg.hwnd, second);
            chars += static_cast<char>(msg.wParam);
        }
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(chars, "ab") << "typed ahead, nothing lost";
}

TEST_F(KeyboardFocusTest, WithoutAFocusTheActiveWindowGetsSystemKeys) {
    SetFocus(first);
    winsim::PressKeys("X");
    SetFocus(nullptr);
    MSG down = NextKey();
    EXPECT_EQ(down.message, static_cast<UINT>(WM_SYSKEYDOWN)) << "no focus: a system key";
    EXPECT_EQ(down.hwnd, main);

    winsim::PressKeys("Y");
    SetFocus(second);
    while (PeekMessageA(&down, nullptr, 0, 0, PM_REMOVE) && down.wParam != 'Y') {
    }
    EXPECT_EQ(down.message, static_cast<UINT>(WM_KEYDOWN)) << "pressed without, read with focus";
    EXPECT_EQ(down.hwnd, second);
}

TEST_F(KeyboardFocusTest, AltCombinationsStaySystemKeysWhateverHasTheFocus) {
    SetFocus(first);
    winsim::PressKeys("Alt+X");
    MSG msg;
    bool sawX = false;
    while (PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        if (msg.wParam == 'X' && (msg.message == WM_SYSKEYDOWN)) {
            sawX = true;
            EXPECT_EQ(msg.hwnd, first);
            EXPECT_TRUE(msg.lParam & (LPARAM{1} << 29)) << "Alt is held";
        }
    }
    EXPECT_TRUE(sawX);
}

TEST_F(KeyboardFocusTest, AMenuOpenedByAnAltHotKeyTakesOnlyTheKeysPressedWhileItIsOpen) {
    ASSERT_TRUE(RegisterHotKey(main, 1, MOD_ALT, 'C'));
    SetFocus(first);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 101, "&Copy");
    AppendMenuA(menu, MF_STRING, 102, "&Quit");
    BOOL chosen = -1;
    SetHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (hwnd == main && msg == WM_HOTKEY) {
            chosen = TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, main, nullptr);
            PostQuitMessage(0);
        }
        return false;
    });
    // The Alt of the combination is still queued when the menu opens: it must not close it.
    winsim::ScriptPush("Alt+C", [] { winsim::PressKeys("Alt+C"); });
    winsim::ScriptPush("Q in the menu", [] {
        ASSERT_TRUE(winsim::IsMenuOpen());
        winsim::PressKeys("Q");
    });
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(chosen, 102);
    DestroyMenu(menu);
}

} // namespace
