// The modal dialog loop shows its dialog the first time the queue goes empty, and a window keeps
// itself hidden by taking SWP_SHOWWINDOW out of WM_WINDOWPOSCHANGING.
#include "recorder.h"

#include <winsim/script.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <vector>

using namespace usertest;

namespace {

// The smallest DLGTEMPLATE (not extended): no controls, no font.
std::vector<WORD> PlainTemplate(DWORD style) {
    std::vector<WORD> words;
    words.push_back(LOWORD(style));
    words.push_back(HIWORD(style));
    words.push_back(0); // extended style
    words.push_back(0);
    words.push_back(0); // no items
    words.push_back(20);
    words.push_back(20);
    words.push_back(120);
    words.push_back(60);
    words.push_back(0); // no menu
    words.push_back(0); // the dialog class
    for (const char* t = "Hidden"; *t; ++t) {
        words.push_back(static_cast<WORD>(*t));
    }
    words.push_back(0);
    return words;
}

constexpr UINT kHideNow = WM_APP + 1;

enum class HideHow { InInitDialog, ByPostedMessage, RefuseShow };

struct HidingRun {
    HideHow how = HideHow::InInitDialog;
    bool refuseShow = false;
    HWND dialog = nullptr;
};
HidingRun* g_run = nullptr;

INT_PTR CALLBACK HidingDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        g_run->dialog = hwnd;
        if (g_run->how == HideHow::InInitDialog) {
            ShowWindow(hwnd, SW_HIDE);
        } else if (g_run->how == HideHow::ByPostedMessage) {
            PostMessageA(hwnd, kHideNow, 0, 0);
        }
        return TRUE;
    case kHideNow:
        ShowWindow(hwnd, SW_HIDE);
        return TRUE;
    case WM_WINDOWPOSCHANGING:
        if (g_run->refuseShow) {
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
        }
        return TRUE;
    case WM_COMMAND:
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

class DialogFirstShowTest : public ::testing::Test {
protected:
    void SetUp() override {
        usertest::Setup();
        run_ = HidingRun();
        g_run = &run_;
    }
    INT_PTR RunDialog(DWORD style, HWND owner = nullptr) {
        std::vector<WORD> t = PlainTemplate(style);
        return DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), owner,
                                       HidingDialogProc, 0);
    }
    HidingRun run_;
};

const DWORD kVisible = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
const DWORD kInvisible = WS_POPUP | WS_CAPTION | WS_SYSMENU;

TEST_F(DialogFirstShowTest, TheFirstIdleShowsTheDialogWhateverHidItBefore) {
    for (HideHow how : {HideHow::InInitDialog, HideHow::ByPostedMessage}) {
        for (DWORD style : {kVisible, kInvisible}) {
            run_ = HidingRun();
            run_.how = how;
            bool visible = false;
            HWND foreground = nullptr;
            winsim::ScriptPush("look", [&] {
                visible = IsWindowVisible(run_.dialog) != FALSE;
                foreground = GetForegroundWindow();
                PostMessageA(run_.dialog, WM_COMMAND, IDOK, 0);
            });
            EXPECT_EQ(RunDialog(style), IDOK);
            EXPECT_TRUE(visible) << "hidden "
                                 << (how == HideHow::InInitDialog ? "in init" : "later")
                                 << ", template " << (style & WS_VISIBLE ? "visible" : "hidden");
            EXPECT_EQ(foreground, run_.dialog) << "the show activates the dialog";
        }
    }
}

TEST_F(DialogFirstShowTest, ADialogThatRefusesTheShowStaysHiddenAndInactiveUntilItAllowsIt) {
    HWND owner = MakeTopLevel("Owner");
    run_.how = HideHow::RefuseShow;
    run_.refuseShow = true;
    bool hiddenAtIdle = false;
    bool ownerStillForeground = false;
    bool hiddenAfterShowWindow = false;
    bool hiddenAfterSetWindowPos = false;
    bool shownOnceAllowed = false;
    winsim::ScriptPush("look", [&] {
        hiddenAtIdle = !IsWindowVisible(run_.dialog);
        ownerStillForeground = GetForegroundWindow() == owner;
        ShowWindow(run_.dialog, SW_SHOWNORMAL);
        hiddenAfterShowWindow = !IsWindowVisible(run_.dialog);
        SetWindowPos(run_.dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        hiddenAfterSetWindowPos = !IsWindowVisible(run_.dialog);
        run_.refuseShow = false;
        ShowWindow(run_.dialog, SW_SHOWNORMAL);
        shownOnceAllowed = IsWindowVisible(run_.dialog) && GetForegroundWindow() == run_.dialog;
        PostMessageA(run_.dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RunDialog(kVisible, owner), IDOK);
    EXPECT_TRUE(hiddenAtIdle) << "neither the template nor the first idle showed it";
    EXPECT_TRUE(ownerStillForeground);
    EXPECT_TRUE(hiddenAfterShowWindow);
    EXPECT_TRUE(hiddenAfterSetWindowPos);
    EXPECT_TRUE(shownOnceAllowed);
    EXPECT_EQ(GetForegroundWindow(), owner);
}

bool g_everShown = false;

// Ends itself through a message posted during WM_INITDIALOG, before the queue first empties.
INT_PTR CALLBACK EndingDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    if (msg == WM_SHOWWINDOW && wParam) {
        g_everShown = true;
    }
    if (msg == WM_COMMAND) {
        EndDialog(hwnd, IDOK);
        return TRUE;
    }
    return FALSE;
}

TEST_F(DialogFirstShowTest, ADialogEndedBeforeTheFirstIdleIsNeverShown) {
    g_everShown = false;
    std::vector<WORD> t = PlainTemplate(kInvisible);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), nullptr,
                                      EndingDialogProc, 0),
              IDOK);
    EXPECT_FALSE(g_everShown);
}

} // namespace
