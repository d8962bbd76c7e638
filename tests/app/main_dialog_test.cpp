// The main window's own behaviour: keys that must not end it, the page's context menu, and the
// hot-key control laid over its place in the page.
#include "program_fixture.h"
#include "tests/support/geometry.h"

namespace {

RECT ElementClientRect(const char* id) {
    RECT rect = {};
    CQuilloryTextDlg& dialog = ProgramTest::Dialog();
    dialog.GetHtmlView()->GetElementClientRect(dialog.GetElement(id), &rect);
    return rect;
}

// Records the control's place right after the dialog's initialisation, before the page loads.
class ProbedDialog : public CQuilloryTextDlg {
public:
    RECT rectAtInit = {-1, -1, -1, -1};
    bool documentCompleteAtInit = true;

protected:
    BOOL OnInitDialog() override {
        BOOL result = CQuilloryTextDlg::OnInitDialog();
        documentCompleteAtInit = IsDocumentComplete();
        ::GetWindowRect(GetHotKeyControl(), &rectAtInit);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rectAtInit), 2);
        return result;
    }
};

} // namespace

TEST_F(ProgramTest, EscAndEnterDoNotEndTheMainWindow) {
    Step("press Esc", [] { winsim::PressKeys("Esc"); });
    Step("press Enter", [] { winsim::PressKeys("Enter"); });
    Step("the window is still there", [] { EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd)); });
    Step("click into the hot-key field and press Esc and Enter", [] {
        winsim::ClickWindow(Dialog().GetHotKeyControl());
        winsim::PressKeys("Esc");
        winsim::PressKeys("Enter");
    });
    Step("the window is still there", [] { EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd)); });
    StepClose();
    RunProgram();
}

TEST_F(ProgramTest, RightClickOnThePageOpensNoMenu) {
    Step("right click on the page", [] {
        const size_t windowsBefore = winsim::TopLevelWindows().size();
        winsim::ClickWindowAt(Dialog().GetBrowserWindow(), {40, 40}, 1);
        EXPECT_EQ(winsim::TopLevelWindows().size(), windowsBefore);
        POINT point = {40, 40};
        EXPECT_EQ(Dialog().ShowContextMenu(CONTEXT_MENU_DEFAULT, &point, nullptr, nullptr), S_OK);
        EXPECT_TRUE(::IsWindowVisible(Dialog().m_hWnd));
    });
    StepClose();
    RunProgram();
}

TEST_F(ProgramTest, HotKeyControlIsInvisibleBeforeThePageAndCoversItsPlaceAfter) {
    Step("look at the hot-key field", [] {
        RECT place = ElementClientRect("ctrlHotkey");
        EXPECT_EQ(place.right - place.left, 120);
        EXPECT_EQ(place.bottom - place.top, 20);
        RECT control = HotKeyControlRect();
        EXPECT_EQ(control, place);
        // The control lies above the browser control.
        EXPECT_EQ(::GetWindow(Dialog().m_hWnd, GW_CHILD), Dialog().GetHotKeyControl());
    });
    StepClose();

    theApp.SetCurrentHandles(::GetModuleHandleA(nullptr), const_cast<LPSTR>(""), SW_SHOW);
    ProbedDialog dialog;
    theApp.m_pMainWnd = &dialog;
    dialog.DoModal();
    theApp.m_pMainWnd = nullptr;

    EXPECT_FALSE(dialog.documentCompleteAtInit);
    EXPECT_EQ(dialog.rectAtInit, (RECT{0, 0, 0, 0}));
}

TEST_F(ProgramTest, HotKeyControlFollowsItsPlaceWhenTheWindowIsMaximisedAndRestored) {
    auto expectOverPlace = [](const char* when) {
        RECT place = ElementClientRect("ctrlHotkey");
        RECT control = HotKeyControlRect();
        EXPECT_EQ(control, (RECT{place.left, place.top, place.left + 120, place.top + 20})) << when;
    };
    static RECT before;
    Step("note the place", [&] {
        before = HotKeyControlRect();
        expectOverPlace("at start");
    });
    Step("maximise", [&] { winsim::ClickCaptionButton(Dialog().m_hWnd, HTMAXBUTTON); });
    Step("look at the maximised window", [&] {
        EXPECT_TRUE(::IsZoomed(Dialog().m_hWnd));
        expectOverPlace("maximised");
    });
    Step("restore", [&] { winsim::ClickCaptionButton(Dialog().m_hWnd, HTMAXBUTTON); });
    Step("look at the restored window", [&] {
        EXPECT_FALSE(::IsZoomed(Dialog().m_hWnd));
        expectOverPlace("restored");
        RECT restored = HotKeyControlRect();
        EXPECT_EQ(restored.top, before.top);
        EXPECT_EQ(restored.left, before.left);
    });
    StepClose();
    RunProgram();
}

TEST_F(ProgramTest, TheTakenHotKeyNoticeKeepsThePageWithinTheWindow) {
    ASSERT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
    Step("the list and the field fit the window", [] {
        ASSERT_TRUE(Dialog().IsHotKeyRefused());
        RECT client = {};
        ::GetClientRect(Dialog().GetBrowserWindow(), &client);
        EXPECT_LE(ElementClientRect("tbl").right, client.right);
        EXPECT_LE(ElementClientRect("hotkeyNotice").right, client.right);
        // The notice goes under the field, which stays right of its label.
        EXPECT_GE(ElementClientRect("hotkeyNotice").top, ElementClientRect("ctrlHotkey").bottom);
        EXPECT_LT(ElementClientRect("ctrlHotkey").left, 160);
    });
    Step("maximised", [] { winsim::ClickCaptionButton(Dialog().m_hWnd, HTMAXBUTTON); });
    Step("still within", [] {
        RECT client = {};
        ::GetClientRect(Dialog().GetBrowserWindow(), &client);
        EXPECT_LE(ElementClientRect("tbl").right, client.right);
    });
    StepClose();
    RunProgram();
}
