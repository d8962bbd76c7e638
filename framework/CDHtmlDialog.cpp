#include "framework/CDHtmlDialog.h"

#include "framework/AfxModule.h"

IMPLEMENT_DYNAMIC(CDHtmlDialog, CDialog)

BEGIN_MESSAGE_MAP(CDHtmlDialog, CDialog)
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// The browser control's child id: outside the range of the program's own controls.
constexpr int kBrowserControlId = 0xE900;

CDHtmlDialog* DialogOf(CDataExchange* pDX) {
    return pDX != nullptr ? DYNAMIC_DOWNCAST(CDHtmlDialog, pDX->m_pDlgWnd) : nullptr;
}

bool Equals(const htmlview::WideString& wide, const char* ansi) {
    return ansi != nullptr && wide == AfxAnsiToWide(ansi);
}

} // namespace

CDHtmlDialog::CDHtmlDialog(UINT nIDTemplate, UINT nHtmlResID, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nHtmlResID(nHtmlResID) {}

CDHtmlDialog::~CDHtmlDialog() {
    // The control must not call back into a dialog object that is gone.
    if (htmlview::HtmlView* view = GetHtmlView()) {
        view->SetHost(nullptr);
    }
}

const DHtmlEventMapEntry* CDHtmlDialog::GetDHtmlEventMap() const {
    static const DHtmlEventMapEntry noEntries[] = {
        {DHTMLBIND_ID, DHTMLEVENT_ONCLICK, nullptr, nullptr}};
    return &noEntries[0];
}

BOOL CDHtmlDialog::OnInitDialog() {
    BOOL result = CDialog::OnInitDialog();
    RECT client = {0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &client);
    HINSTANCE hModule = AfxGetResourceHandle();
    m_hWndBrowser = htmlview::CreateHtmlView(m_hWnd, kBrowserControlId, client, hModule, this);
    if (m_hWndBrowser != nullptr) {
        // Below the dialog's own controls, which lie on top of the page.
        ::SetWindowPos(m_hWndBrowser, HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (m_nHtmlResID != 0) {
            HINSTANCE hPageModule = nullptr;
            if (AfxFindResourceHandle(MAKEINTRESOURCEA(m_nHtmlResID),
                                      MAKEINTRESOURCEA(htmlview::kHtmlResourceType),
                                      &hPageModule) != nullptr) {
                GetHtmlView()->LoadFromResource(hPageModule, m_nHtmlResID);
            }
        }
    }
    return result;
}

void CDHtmlDialog::OnDocumentComplete(IDispatch*, LPCSTR szUrl) {
    m_strCurrentUrl = szUrl;
    UpdateData(false);
}

HRESULT CDHtmlDialog::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_FALSE;
}

htmlview::HtmlView* CDHtmlDialog::GetHtmlView() const {
    return m_hWndBrowser != nullptr ? htmlview::HtmlViewFromWindow(m_hWndBrowser) : nullptr;
}

bool CDHtmlDialog::IsDocumentComplete() const {
    htmlview::HtmlView* view = GetHtmlView();
    return view != nullptr && view->IsDocumentComplete();
}

CHtmlElementPtr CDHtmlDialog::GetElement(LPCSTR szElementId) const {
    if (szElementId == nullptr || !IsDocumentComplete()) {
        return nullptr;
    }
    return GetHtmlView()->GetElementById(AfxAnsiToWide(szElementId));
}

HRESULT CDHtmlDialog::GetElement(LPCSTR szElementId, CHtmlElementPtr* ppElement) const {
    if (ppElement == nullptr) {
        return E_POINTER;
    }
    *ppElement = GetElement(szElementId);
    return *ppElement != nullptr ? S_OK : E_FAIL;
}

CString CDHtmlDialog::GetElementHtml(LPCSTR szElementId) const {
    CHtmlElementPtr element = GetElement(szElementId);
    return element != nullptr ? CString(element->GetInnerHtml().c_str()) : CString();
}

void CDHtmlDialog::SetElementHtml(LPCSTR szElementId, LPCSTR szHtml) {
    if (CHtmlElementPtr element = GetElement(szElementId)) {
        element->SetInnerHtml(AfxAnsiToWide(szHtml));
    }
}

CString CDHtmlDialog::GetElementText(LPCSTR szElementId) const {
    CHtmlElementPtr element = GetElement(szElementId);
    return element != nullptr ? CString(element->GetInnerText().c_str()) : CString();
}

LRESULT CDHtmlDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The control went with its children; a later dialog run makes a new one.
        m_hWndBrowser = nullptr;
    }
    return result;
}

void CDHtmlDialog::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (m_hWndBrowser != nullptr) {
        ::MoveWindow(m_hWndBrowser, 0, 0, cx, cy, TRUE);
    }
}

bool CDHtmlDialog::DispatchElementEvent(DHtmlEventKind event, const CHtmlElementPtr& source) {
    if (source == nullptr) {
        return false;
    }
    const htmlview::WideString id = source->GetId();
    const htmlview::WideString className = source->GetClassName();
    for (const DHtmlEventMapEntry* entry = GetDHtmlEventMap(); entry->szName != nullptr; ++entry) {
        if (entry->event != event) {
            continue;
        }
        const htmlview::WideString& candidate = entry->binding == DHTMLBIND_ID ? id : className;
        if (!candidate.empty() && Equals(candidate, entry->szName)) {
            entry->pfn(this, source.get());
            return true;
        }
    }
    return false;
}

namespace {

// The control calls its host from its own window procedure; the dialog's code runs there as it
// runs in its own messages (Default(), temporaries, the framework's exceptions).
struct HostCall {
    enum Kind { DocumentComplete, ElementEvent, ContextMenu } kind;
    const htmlview::WideString* url;
    DHtmlEventKind event;
    const CHtmlElementPtr* source;
    POINT point;
    bool handled;
};

} // namespace

void CDHtmlDialog::OnDocumentComplete(htmlview::HtmlView&, const htmlview::WideString& url) {
    HostCall call{HostCall::DocumentComplete, &url, DHTMLEVENT_ONCLICK, nullptr, {0, 0}, false};
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.lParam = reinterpret_cast<LPARAM>(&call);
    CallFrameworkFunction(this, msg, [](CWnd* pWnd, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        auto* pCall = reinterpret_cast<HostCall*>(lParam);
        auto* pDialog = static_cast<CDHtmlDialog*>(pWnd);
        CString urlText(pCall->url->c_str());
        pDialog->OnDocumentComplete(static_cast<IDispatch*>(nullptr), urlText);
        return 0;
    });
}

void CDHtmlDialog::OnElementEvent(htmlview::HtmlView&, htmlview::ElementEvent event,
                                  const CHtmlElementPtr& source) {
    DHtmlEventKind kind = DHTMLEVENT_ONCLICK;
    switch (event) {
    case htmlview::ElementEvent::Click:
        kind = DHTMLEVENT_ONCLICK;
        break;
    case htmlview::ElementEvent::MouseOver:
        kind = DHTMLEVENT_ONMOUSEOVER;
        break;
    case htmlview::ElementEvent::MouseOut:
        kind = DHTMLEVENT_ONMOUSEOUT;
        break;
    case htmlview::ElementEvent::MouseDown:
        kind = DHTMLEVENT_ONMOUSEDOWN;
        break;
    }
    HostCall call{HostCall::ElementEvent, nullptr, kind, &source, {0, 0}, false};
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.lParam = reinterpret_cast<LPARAM>(&call);
    CallFrameworkFunction(this, msg, [](CWnd* pWnd, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        auto* pCall = reinterpret_cast<HostCall*>(lParam);
        pCall->handled =
            static_cast<CDHtmlDialog*>(pWnd)->DispatchElementEvent(pCall->event, *pCall->source);
        return 0;
    });
}

bool CDHtmlDialog::OnContextMenu(htmlview::HtmlView&, POINT screenPoint, const CHtmlElementPtr&) {
    HostCall call{HostCall::ContextMenu, nullptr, DHTMLEVENT_ONCLICK, nullptr, screenPoint, false};
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.lParam = reinterpret_cast<LPARAM>(&call);
    CallFrameworkFunction(this, msg, [](CWnd* pWnd, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        auto* pCall = reinterpret_cast<HostCall*>(lParam);
        HRESULT hr = static_cast<CDHtmlDialog*>(pWnd)->ShowContextMenu(
            CONTEXT_MENU_DEFAULT, &pCall->point, nullptr, nullptr);
        pCall->handled = hr == S_OK;
        return 0;
    });
    return call.handled;
}

void DDX_DHtml_ElementValue(CDataExchange* pDX, LPCSTR szId, CString& value) {
    CDHtmlDialog* pDialog = DialogOf(pDX);
    CHtmlElementPtr element = pDialog != nullptr ? pDialog->GetElement(szId) : nullptr;
    if (element == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = CString(element->GetValue().c_str());
    } else {
        element->SetValue(AfxAnsiToWide(value));
    }
}

void DDX_DHtml_CheckBox(CDataExchange* pDX, LPCSTR szId, int& value) {
    CDHtmlDialog* pDialog = DialogOf(pDX);
    CHtmlElementPtr element = pDialog != nullptr ? pDialog->GetElement(szId) : nullptr;
    if (element == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = element->GetChecked() ? 1 : 0;
    } else {
        element->SetChecked(value != 0);
    }
}

void DDX_DHtml_ElementInnerHtml(CDataExchange* pDX, LPCSTR szId, CString& value) {
    CDHtmlDialog* pDialog = DialogOf(pDX);
    CHtmlElementPtr element = pDialog != nullptr ? pDialog->GetElement(szId) : nullptr;
    if (element == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = CString(element->GetInnerHtml().c_str());
    } else {
        element->SetInnerHtml(AfxAnsiToWide(value));
    }
}
