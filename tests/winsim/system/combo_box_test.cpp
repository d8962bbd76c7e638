// The system's combo box, of which the file dialogs show their folder and file types.
#include "test_windows.h"

#include <winsim/sim.h>
#include <winsim/sim_user.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

int selectionChanges = 0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == 7 && HIWORD(wParam) == CBN_SELCHANGE) {
        ++selectionChanges;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Press(const std::string& key) {
    winsim::PressKeys(key);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class ComboBox : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        parent_ = test::MakeWindowWithProc("ComboParent", ParentProc);
        selectionChanges = 0;
        ShowWindow(parent_, SW_SHOW);
        combo_ = Make(CBS_DROPDOWNLIST);
    }

    HWND Make(DWORD style) {
        return CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10,
                               10, 150, 120, parent_, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    }

    LRESULT Send(UINT msg, WPARAM wParam = 0, const char* text = nullptr) {
        return SendMessageA(combo_, msg, wParam, reinterpret_cast<LPARAM>(text));
    }

    std::string Item(int index) {
        char text[64] = {};
        SendMessageA(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }

    std::string Shown() {
        char text[64] = {};
        GetWindowTextA(combo_, text, sizeof(text));
        return text;
    }

    HWND parent_ = nullptr;
    HWND combo_ = nullptr;
};

TEST_F(ComboBox, KeepsItsItemsInOrderWithTheSelectionOnTheSameItem) {
    ASSERT_TRUE(combo_);
    EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Send(CB_ADDSTRING, 0, "beta"), 0);
    EXPECT_EQ(Send(CB_ADDSTRING, 0, "gamma"), 1);
    EXPECT_EQ(Send(CB_SETCURSEL, 1), 1);
    EXPECT_EQ(Shown(), "gamma");
    // Inserting before the selection moves it with its item.
    EXPECT_EQ(Send(CB_INSERTSTRING, 0, "alpha"), 0);
    EXPECT_EQ(Send(CB_GETCURSEL), 2);
    EXPECT_EQ(Send(CB_INSERTSTRING, static_cast<WPARAM>(-1), "delta"), 3);
    EXPECT_EQ(Send(CB_INSERTSTRING, 9, "far"), CB_ERR);
    EXPECT_EQ(Send(CB_GETCOUNT), 4);
    EXPECT_EQ(Item(3), "delta");
    EXPECT_EQ(Send(CB_GETLBTEXTLEN, 3), 5);
    EXPECT_EQ(Send(CB_GETLBTEXTLEN, 4), CB_ERR);
    EXPECT_EQ(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "GAMMA"), 2);
    EXPECT_EQ(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "gam"), CB_ERR);
    // Deleting before the selection keeps it on its item; deleting it clears it.
    EXPECT_EQ(Send(CB_DELETESTRING, 0), 3);
    EXPECT_EQ(Send(CB_GETCURSEL), 1);
    EXPECT_EQ(Send(CB_DELETESTRING, 1), 2);
    EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Shown(), "");
    // An index out of range clears the selection and fails.
    Send(CB_SETCURSEL, 0);
    EXPECT_EQ(Send(CB_SETCURSEL, 5), CB_ERR);
    EXPECT_EQ(Send(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Send(CB_RESETCONTENT), CB_OKAY);
    EXPECT_EQ(Send(CB_GETCOUNT), 0);
}

TEST_F(ComboBox, SortsWhenAskedAndKeepsItemData) {
    combo_ = Make(CBS_DROPDOWNLIST | CBS_SORT);
    Send(CB_ADDSTRING, 0, "pear");
    Send(CB_ADDSTRING, 0, "Apple");
    EXPECT_EQ(Send(CB_ADDSTRING, 0, "banana"), 1);
    EXPECT_EQ(Item(0), "Apple");
    EXPECT_EQ(Item(2), "pear");
    EXPECT_EQ(Send(CB_SETITEMDATA, 2, reinterpret_cast<const char*>(42)), TRUE);
    EXPECT_EQ(SendMessageA(combo_, CB_GETITEMDATA, 2, 0), 42);
    EXPECT_EQ(SendMessageA(combo_, CB_GETITEMDATA, 3, 0), CB_ERR);
}

TEST_F(ComboBox, ADropDownListShowsOnlyItsItemsAndTheKeysMoveTheSelection) {
    Send(CB_ADDSTRING, 0, "one");
    Send(CB_ADDSTRING, 0, "two");
    Send(CB_ADDSTRING, 0, "three");
    EXPECT_EQ(Send(WM_SETTEXT, 0, "nothing"), CB_ERR);
    EXPECT_TRUE(SetWindowTextA(combo_, "TWO"));
    EXPECT_EQ(Send(CB_GETCURSEL), 1);
    EXPECT_EQ(Shown(), "two");
    // The field is one line of its font high, whatever height it was made with.
    RECT r;
    GetWindowRect(combo_, &r);
    EXPECT_LT(r.bottom - r.top, 40);

    SetFocus(combo_);
    Press("Down");
    EXPECT_EQ(Shown(), "three");
    Press("Down"); // already the last: no change, no notification
    Press("Home");
    EXPECT_EQ(Shown(), "one");
    EXPECT_EQ(Send(CB_GETCURSEL), 0);
    EXPECT_EQ(selectionChanges, 2);
}

} // namespace
