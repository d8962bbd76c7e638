#include "framework/CDHtmlDialog.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Template 162 with page 103: the text field "txtFreq" and the buttons "ButtonOK" and
// "ButtonCancel" (class "button") inside the body "CDlgAutoScreenshot".
class FrequencyDialog : public CDHtmlDialog {
    DECLARE_DHTML_EVENT_MAP()
public:
    FrequencyDialog() : CDHtmlDialog(162, 103) {}

    CString m_strFreq = "7";
    std::vector<std::string> events;
    int documentsCompleted = 0;
    CString valueWhenComplete;
    int contextMenus = 0;

    void OnDocumentComplete(IDispatch* pDisp, LPCSTR szUrl) override {
        CDHtmlDialog::OnDocumentComplete(pDisp, szUrl);
        ++documentsCompleted;
        if (CHtmlElementPtr field = GetElement("txtFreq")) {
            valueWhenComplete = CString(field->GetValue().c_str());
        }
    }
    HRESULT ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
        ++contextMenus;
        return S_OK;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDHtmlDialog::DoDataExchange(pDX);
        DDX_DHtml_ElementValue(pDX, "txtFreq", m_strFreq);
    }
    HRESULT OnBodyClick(IHTMLElement*) {
        events.push_back("body click");
        return S_OK;
    }
    HRESULT OnButtonOK(IHTMLElement*) {
        events.push_back("ok");
        CDialog::OnOK();
        return S_OK;
    }
    HRESULT OnButtonCancel(IHTMLElement*) {
        events.push_back("cancel");
        CDialog::OnCancel();
        return S_OK;
    }
    HRESULT OnButtonOver(IHTMLElement* pElement) {
        events.push_back("class over " + std::string(CString(pElement->GetId().c_str())));
        return S_OK;
    }
    HRESULT OnOkOverById(IHTMLElement*) {
        events.push_back("id over");
        return S_OK;
    }
};

BEGIN_DHTML_EVENT_MAP(FrequencyDialog)
DHTML_EVENT_ONCLICK("CDlgAutoScreenshot", OnBodyClick)
DHTML_EVENT_ONCLICK("ButtonOK", OnButtonOK)
DHTML_EVENT_ONCLICK("ButtonCancel", OnButtonCancel)
DHTML_EVENT_CLASS(DHTMLEVENT_ONMOUSEOVER, "button", OnButtonOver)
DHTML_EVENT_ONMOUSEOVER("ButtonOK", OnOkOverById)
DHTML_EVENT_ONMOUSEDOWN("noSuchElement", OnBodyClick)
END_DHTML_EVENT_MAP()

POINT CentreOf(FrequencyDialog& dialog, const char* id) {
    RECT rect = {};
    CHtmlElementPtr element = dialog.GetElement(id);
    EXPECT_NE(nullptr, element) << id;
    if (element != nullptr) {
        EXPECT_TRUE(dialog.GetHtmlView()->GetElementScreenRect(element, &rect));
    }
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class DHtmlDialogTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
    void TearDown() override { CWnd::DeleteTempMap(); }
};

TEST_F(DHtmlDialogTest, MembersGoToThePageWhenLoadedAndComeBackOnOk) {
    FrequencyDialog dialog;
    bool elementBeforeLoad = true;
    winsim::ScriptPush("look at the loaded page and type", [&] {
        EXPECT_TRUE(dialog.IsDocumentComplete());
        CHtmlElementPtr field = dialog.GetElement("txtFreq");
        ASSERT_NE(nullptr, field);
        EXPECT_EQ(dialog.GetElement("nothing"), nullptr);
        field->SetValue(WIDE("2.5"));
    });
    winsim::ScriptPush("click OK", [&] { winsim::Click(CentreOf(dialog, "ButtonOK")); });
    // Before the page has loaded there is nothing to reach.
    elementBeforeLoad = dialog.GetElement("txtFreq") != nullptr;

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(elementBeforeLoad);
    EXPECT_EQ(dialog.documentsCompleted, 1);
    EXPECT_EQ(dialog.valueWhenComplete, "7");
    EXPECT_EQ(dialog.m_strFreq, "2.5");
    // The pointer came onto the button, then clicked it; the click's source is the button, so
    // the body's entry does not run.
    EXPECT_EQ((std::vector<std::string>{"class over ButtonOK", "ok"}), dialog.events);
    EXPECT_EQ(dialog.GetBrowserWindow(), nullptr);
}

TEST_F(DHtmlDialogTest, CancelLeavesTheMemberAsItWas) {
    FrequencyDialog dialog;
    winsim::ScriptPush("type", [&] { dialog.GetElement("txtFreq")->SetValue(WIDE("9")); });
    winsim::ScriptPush("click Cancel", [&] { winsim::Click(CentreOf(dialog, "ButtonCancel")); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_strFreq, "7");
    EXPECT_EQ((std::vector<std::string>{"class over ButtonCancel", "cancel"}), dialog.events);
}

TEST_F(DHtmlDialogTest, FirstMatchingEntryWinsAndOnlyTheSourceElementMatches) {
    FrequencyDialog dialog;
    winsim::ScriptPush("hover OK", [&] { winsim::MovePointer(CentreOf(dialog, "ButtonOK")); });
    winsim::ScriptPush("hover the heading", [&] {
        CHtmlElementPtr body = dialog.GetElement("CDlgAutoScreenshot");
        RECT rect = {};
        ASSERT_TRUE(dialog.GetHtmlView()->GetElementScreenRect(body, &rect));
        winsim::MovePointer(POINT{rect.left + 2, rect.top + 2});
    });
    winsim::ScriptPush("class changes what matches", [&] {
        dialog.GetElement("ButtonCancel")->SetClassName(WIDE("other"));
        winsim::MovePointer(CentreOf(dialog, "ButtonCancel"));
    });
    winsim::ScriptPush("end", [&] { dialog.EndDialog(IDCANCEL); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    // The class entry comes before the id entry for the same event: only it runs.
    EXPECT_EQ(std::vector<std::string>{"class over ButtonOK"}, dialog.events);
}

TEST_F(DHtmlDialogTest, BrowserFillsTheClientAreaAndAnswersTheContextMenuQuestion) {
    FrequencyDialog dialog;
    winsim::ScriptPush("resize and right click", [&] {
        HWND browser = dialog.GetBrowserWindow();
        ASSERT_NE(nullptr, browser);
        SetWindowPos(dialog.m_hWnd, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
        RECT client = {}, browserRect = {};
        GetClientRect(dialog.m_hWnd, &client);
        GetClientRect(browser, &browserRect);
        EXPECT_EQ(client.right, browserRect.right);
        EXPECT_EQ(client.bottom, browserRect.bottom);
        winsim::Click(CentreOf(dialog, "txtFreq"), 1);
    });
    winsim::ScriptPush("end", [&] { dialog.EndDialog(IDCANCEL); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.contextMenus, 1);
}

} // namespace
