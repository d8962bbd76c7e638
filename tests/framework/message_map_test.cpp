#include "framework/CWnd.h"
#include "window_test_support.h"

#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using framework_test::CreateRecordingWindow;
using framework_test::RecordedMessages;

constexpr UINT kPrivateMessage = WM_APP + 7;

std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}

bool Recorded(UINT message) {
    auto& messages = RecordedMessages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

class BaseWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    bool destroyedAfterDetach = false;

protected:
    void OnTimer(UINT_PTR nIDEvent) { Calls().push_back("base timer " + std::to_string(nIDEvent)); }
    LRESULT OnPrivate(WPARAM wParam, LPARAM) {
        Calls().push_back("base private");
        return static_cast<LRESULT>(wParam) * 2;
    }
    void OnBaseCommand() { Calls().push_back("base command"); }
    void OnRange(UINT nID) { Calls().push_back("range " + std::to_string(nID)); }
    void OnClose() {
        Calls().push_back("base close");
        Default();
    }
    void PostNcDestroy() override { destroyedAfterDetach = m_hWnd == nullptr; }
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
ON_WM_TIMER()
ON_MESSAGE(kPrivateMessage, OnPrivate)
ON_COMMAND(100, OnBaseCommand)
ON_COMMAND(101, OnBaseCommand)
ON_COMMAND_RANGE(200, 210, OnRange)
ON_WM_CLOSE()
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
    DECLARE_MESSAGE_MAP()
protected:
    void OnTimer(UINT_PTR nIDEvent) {
        Calls().push_back("derived timer " + std::to_string(nIDEvent));
    }
    void OnDerivedCommand() { Calls().push_back("derived command"); }
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS | static_cast<UINT>(Default()); }
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
ON_WM_TIMER()
ON_COMMAND(100, OnDerivedCommand)
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        Calls().clear();
        RecordedMessages().clear();
    }
    void TearDown() override { CWnd::DeleteTempMap(); }
};

TEST_F(MessageMapTest, OwnEntriesComeFirstAndTheBaseMapAnswersTheRest) {
    DerivedWnd wnd;
    HWND hWnd = CreateRecordingWindow();
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    RecordedMessages().clear();

    SendMessageA(hWnd, WM_TIMER, 3, 0);
    EXPECT_EQ(Calls(), std::vector<std::string>{"derived timer 3"});
    Calls().clear();

    // Only the base class handles the private message; its result comes back.
    EXPECT_EQ(SendMessageA(hWnd, kPrivateMessage, 21, 0), 42);
    EXPECT_EQ(Calls(), std::vector<std::string>{"base private"});
    Calls().clear();

    // A handled message never reaches the window's own procedure.
    EXPECT_FALSE(Recorded(WM_TIMER));
    EXPECT_FALSE(Recorded(kPrivateMessage));

    // Unhandled messages go on to the window's previous procedure.
    SendMessageA(hWnd, WM_APP + 99, 0, 0);
    EXPECT_TRUE(Recorded(WM_APP + 99));
    EXPECT_TRUE(Calls().empty());
    wnd.DestroyWindow();
}

TEST_F(MessageMapTest, CommandsByIdAndByRange) {
    DerivedWnd wnd;
    HWND hWnd = CreateRecordingWindow();
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    RecordedMessages().clear();

    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(100, 0), 0);
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(101, 1), 0); // an accelerator
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(200, 0), 0);
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(210, 0), 0);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"derived command", "base command", "range 200",
                                                 "range 210"}));
    EXPECT_FALSE(Recorded(WM_COMMAND));

    Calls().clear();
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(211, 0), 0);
    SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(199, 0), 0);
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(Recorded(WM_COMMAND));
    wnd.DestroyWindow();
}

TEST_F(MessageMapTest, DefaultPassesTheCurrentMessageOnAndReturnsItsResult) {
    DerivedWnd wnd;
    HWND hWnd = CreateRecordingWindow();
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    RecordedMessages().clear();

    LRESULT code = SendMessageA(hWnd, WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(Recorded(WM_GETDLGCODE));
    EXPECT_EQ(code & DLGC_WANTALLKEYS, static_cast<LRESULT>(DLGC_WANTALLKEYS));

    // The base's close handler calls Default(): the window's own procedure destroys the window.
    SendMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Recorded(WM_CLOSE));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(Calls(), std::vector<std::string>{"base close"});
    // The object let go of the window with its last message.
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(wnd.destroyedAfterDetach);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(MessageMapTest, FromHandleGivesTemporariesForOtherProgramsWindows) {
    HWND other = winsim::ShowOtherProgramMessageBox("Autre", "Bonjour");
    ASSERT_NE(nullptr, other);
    EXPECT_EQ(CWnd::FromHandlePermanent(other), nullptr);
    CWnd* temporary = CWnd::FromHandle(other);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(other, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(other));
    EXPECT_EQ(CWnd::FromHandlePermanent(other), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    CString title;
    temporary->GetWindowText(title);
    EXPECT_EQ(title, "Autre");
    CRect rect;
    temporary->GetWindowRect(&rect);
    EXPECT_FALSE(rect.IsRectEmpty());

    // A temporary made outside any message outlives the messages handled meanwhile.
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(CreateRecordingWindow()));
    wnd.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(temporary, CWnd::FromHandle(other));
    // The foreground window is the other program's box, reached as a temporary too.
    EXPECT_EQ(CWnd::GetForegroundWindow(), temporary);
    wnd.DestroyWindow();
}

TEST_F(MessageMapTest, AttachIsExclusiveAndDetachKeepsTheWindow) {
    HWND hWnd = CreateRecordingWindow();
    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.Attach(hWnd));
    EXPECT_FALSE(second.Attach(hWnd));
    EXPECT_FALSE(first.Attach(CreateRecordingWindow()));
    EXPECT_EQ(hWnd, first.Detach());
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_TRUE(second.Attach(hWnd));
    // An object that goes while still attached takes its window with it.
    auto* scoped = new CWnd();
    HWND doomed = CreateRecordingWindow();
    ASSERT_TRUE(scoped->SubclassWindow(doomed));
    delete scoped;
    EXPECT_FALSE(IsWindow(doomed));
    EXPECT_EQ(CWnd::FromHandlePermanent(doomed), nullptr);
    second.DestroyWindow();
}

} // namespace
