#include "framework/CException.h"
#include "framework/CWinApp.h"
#include "framework/CWindowDC.h"
#include "framework/CWnd.h"
#include "window_test_support.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using framework_test::CreateRecordingWindow;

// A window object whose window is gone: its DC cannot be had.
HWND DeadWindow() {
    HWND hWnd = CreateRecordingWindow();
    DestroyWindow(hWnd);
    return hWnd;
}

class GrabbingWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    HWND target = nullptr;
    bool afterGrab = false;

protected:
    void OnTimer(UINT_PTR) {
        CWnd victim(target);
        CWindowDC dc(&victim);
        afterGrab = true;
    }
};

BEGIN_MESSAGE_MAP(GrabbingWnd, CWnd)
ON_WM_TIMER()
END_MESSAGE_MAP()

class HelpWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    LRESULT answer = 0;
    int contextQuestions = 0;
    int defaultHelp = 0;

protected:
    LRESULT OnCommandHelp(WPARAM, LPARAM) {
        ++contextQuestions;
        return answer;
    }
    void OnDefaultHelp() { ++defaultHelp; }
};

BEGIN_MESSAGE_MAP(HelpWnd, CWnd)
ON_MESSAGE(0x0365, OnCommandHelp)
ON_COMMAND(ID_DEFAULT_HELP, OnDefaultHelp)
END_MESSAGE_MAP()

class ExceptionRouteTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
};

TEST_F(ExceptionRouteTest, WindowDcOfAMissingWindowRaisesTheResourceException) {
    CWnd victim(DeadWindow());
    bool raised = false;
    try {
        CWindowDC dc(&victim);
    } catch (CResourceException* e) {
        raised = true;
        e->Delete();
    }
    EXPECT_TRUE(raised);
}

TEST_F(ExceptionRouteTest, AnExceptionLeavingAHandlerIsReportedAndTheProgramGoesOn) {
    CWinApp app("Verbacap");
    GrabbingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE)));
    wnd.target = DeadWindow();
    std::string text, caption;
    winsim::ScriptPush("read and close the box", [&] {
        HWND box = winsim::OpenMessageBox();
        ASSERT_NE(nullptr, box);
        text = winsim::MessageBoxText(box);
        caption = winsim::MessageBoxCaption(box);
        winsim::AnswerMessageBox(IDOK);
    });
    EXPECT_EQ(wnd.SendMessage(WM_TIMER, 1), 0);
    EXPECT_FALSE(wnd.afterGrab);
    EXPECT_EQ(text, "A required resource was unavailable.");
    EXPECT_EQ(caption, "Verbacap");
    // The window still handles its messages.
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
    wnd.DestroyWindow();
}

TEST_F(ExceptionRouteTest, HelpAsksTheMainWindowThenSendsTheDefaultHelpCommand) {
    CWinApp app;
    HelpWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(CreateRecordingWindow()));
    app.OnHelp(); // no main window: nothing to ask
    app.m_pMainWnd = &wnd;
    app.OnHelp();
    EXPECT_EQ(wnd.contextQuestions, 1);
    EXPECT_EQ(wnd.defaultHelp, 1);
    wnd.answer = 1;
    app.OnHelp();
    EXPECT_EQ(wnd.contextQuestions, 2);
    EXPECT_EQ(wnd.defaultHelp, 1);
    wnd.DestroyWindow();
}

} // namespace
