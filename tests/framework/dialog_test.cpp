#include "framework/CDialog.h"
#include "framework/CHotKeyCtrl.h"
#include "framework/CWinApp.h"
#include "window_test_support.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Template 102: the main dialog, with the hot-key control 1000. Template 162: no controls.
constexpr UINT kMainTemplate = 102;
constexpr UINT kPlainTemplate = 162;

class QuietDialog : public CDialog {
public:
    QuietDialog() : CDialog(kMainTemplate) {}
    CHotKeyCtrl m_hotKey;
    int inits = 0;
    int oks = 0;
    int cancels = 0;
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ++inits;
        return TRUE;
    }
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 1000, m_hotKey); }
};

class HelpApp : public CWinApp {
    DECLARE_MESSAGE_MAP()
public:
    int helpCommands = 0;
    void OnHelpCommand() { ++helpCommands; }
};

BEGIN_MESSAGE_MAP(HelpApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
    void TearDown() override { CWnd::DeleteTempMap(); }
};

TEST_F(DialogTest, EnterAndEscReachTheOverridesAndTheDialogEndsOnlyWhenTold) {
    QuietDialog dialog;
    HWND seen = nullptr;
    DWORD hotKeyValue = 0;
    // The template has no tab stop: the keys go to the dialog itself.
    winsim::ScriptPush("Enter", [&] {
        SetFocus(dialog.m_hWnd);
        winsim::PressKeys("Enter");
    });
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    winsim::ScriptPush("look and end", [&] {
        seen = dialog.m_hWnd;
        EXPECT_EQ(&dialog, CWnd::FromHandlePermanent(dialog.m_hWnd));
        // The control of the template is bound to the member object.
        EXPECT_EQ(&dialog.m_hotKey, CWnd::FromHandlePermanent(GetDlgItem(dialog.m_hWnd, 1000)));
        dialog.m_hotKey.SetHotKey('C', HOTKEYF_ALT);
        hotKeyValue = dialog.m_hotKey.GetHotKey();
        dialog.EndDialog(7);
    });
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.oks, 1);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_EQ(static_cast<DWORD>(MAKEWORD('C', HOTKEYF_ALT)), hotKeyValue);
    ASSERT_NE(nullptr, seen);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_hotKey.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(seen), nullptr);
}

TEST_F(DialogTest, DefaultOkAndCancelEndTheDialog) {
    CDialog okDialog(kPlainTemplate);
    winsim::ScriptPush("Enter", [&] {
        SetFocus(okDialog.m_hWnd);
        winsim::PressKeys("Enter");
    });
    EXPECT_EQ(okDialog.DoModal(), IDOK);

    CDialog cancelDialog(kPlainTemplate);
    winsim::ScriptPush("Esc", [&] {
        SetFocus(cancelDialog.m_hWnd);
        winsim::PressKeys("Esc");
    });
    EXPECT_EQ(cancelDialog.DoModal(), IDCANCEL);

    // The close box ends it as Esc does.
    CDialog closed(kPlainTemplate);
    winsim::ScriptPush("close box", [&] { winsim::ClickCaptionButton(closed.m_hWnd, HTCLOSE); });
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, MissingTemplateFails) {
    CDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST_F(DialogTest, OwnedByTheMainWindowAndCommandsGoOnToTheApplication) {
    HelpApp app;
    CWnd mainWnd;
    ASSERT_TRUE(
        mainWnd.Attach(framework_test::CreateRecordingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE)));
    app.m_pMainWnd = &mainWnd;

    CDialog dialog(kPlainTemplate);
    HWND owner = nullptr;
    winsim::ScriptPush("look, ask for help, close", [&] {
        owner = GetWindow(dialog.m_hWnd, GW_OWNER);
        SendMessageA(dialog.m_hWnd, WM_COMMAND, ID_HELP, 0);
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(mainWnd.m_hWnd, owner);
    EXPECT_EQ(app.helpCommands, 1);
    mainWnd.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

} // namespace
