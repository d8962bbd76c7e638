// A dialog that shows an HTML page resource in the browser control, laid over its whole client
// area, and lets its class reach the page: elements by id, page events through an event map,
// data exchange with element values.
//
// The page starts loading in OnInitDialog and is complete some messages later; OnDocumentComplete
// runs then (its default moves the members to the page: UpdateData(false)). Element access
// before that finds nothing, and data exchange with elements does nothing.
//
// Event map entries bind an event to an element id or to a class name; an entry matches when the
// event's source element (the innermost element under the pointer) itself has that id, or that
// whole class attribute at the moment of the event. The first matching entry in table order runs,
// and only that one.
#pragma once

#include "framework/CDialog.h"
#include "htmlview/HtmlView.h"

// The page's elements, as the browser control offers them.
using IHTMLElement = htmlview::Element;
using CHtmlElementPtr = htmlview::ElementPtr;

struct IUnknown;
struct IDispatch;

enum DHtmlEventKind {
    DHTMLEVENT_ONCLICK,
    DHTMLEVENT_ONMOUSEOVER,
    DHTMLEVENT_ONMOUSEOUT,
    DHTMLEVENT_ONMOUSEDOWN,
};

enum DHtmlBinding { DHTMLBIND_ID, DHTMLBIND_CLASS };

class CDHtmlDialog;
typedef HRESULT (*AFX_PDHTMLEVENT)(CDHtmlDialog* pDialog, IHTMLElement* pElement);

struct DHtmlEventMapEntry {
    DHtmlBinding binding;
    DHtmlEventKind event;
    const char* szName; // element id or class name; null ends the table
    AFX_PDHTMLEVENT pfn;
};

// The context-menu kind passed to ShowContextMenu for a right click on the page.
#define CONTEXT_MENU_DEFAULT 0

class CDHtmlDialog : public CDialog, private htmlview::HtmlViewHost {
    DECLARE_DYNAMIC(CDHtmlDialog)
    DECLARE_MESSAGE_MAP()
public:
    // nHtmlResID: the HTML resource (type 23) shown; 0 for none.
    explicit CDHtmlDialog(UINT nIDTemplate, UINT nHtmlResID = 0, CWnd* pParentWnd = nullptr);
    ~CDHtmlDialog() override;

    // Creates the browser control over the client area and starts loading the page.
    BOOL OnInitDialog() override;
    // The page has loaded (pDisp is always null: the control has no dispatch interface).
    virtual void OnDocumentComplete(IDispatch* pDisp, LPCSTR szUrl);
    // A right click on the page: S_OK when the dialog has dealt with it (no menu shows), S_FALSE
    // (the default) to let the control show its own.
    virtual HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                    IDispatch* pdispReserved);

    // The element with the id, or null (no such element, or the page is not loaded).
    CHtmlElementPtr GetElement(LPCSTR szElementId) const;
    // S_OK with the element, or E_FAIL with null.
    HRESULT GetElement(LPCSTR szElementId, CHtmlElementPtr* ppElement) const;
    // Inner HTML and text, converted between the ANSI code page and the page's UTF-16.
    CString GetElementHtml(LPCSTR szElementId) const;
    void SetElementHtml(LPCSTR szElementId, LPCSTR szHtml);
    CString GetElementText(LPCSTR szElementId) const;

    bool IsDocumentComplete() const;
    htmlview::HtmlView* GetHtmlView() const;
    HWND GetBrowserWindow() const { return m_hWndBrowser; }

    UINT m_nHtmlResID;
    CString m_strCurrentUrl;

    virtual const DHtmlEventMapEntry* GetDHtmlEventMap() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The browser control follows the client area.
    void OnSize(UINT nType, int cx, int cy);

    // Runs the first event map entry that matches; false when none does.
    bool DispatchElementEvent(DHtmlEventKind event, const CHtmlElementPtr& source);

private:
    void OnDocumentComplete(htmlview::HtmlView& view, const htmlview::WideString& url) override;
    void OnElementEvent(htmlview::HtmlView& view, htmlview::ElementEvent event,
                        const CHtmlElementPtr& source) override;
    bool OnContextMenu(htmlview::HtmlView& view, POINT screenPoint,
                       const CHtmlElementPtr& source) override;

    HWND m_hWndBrowser = nullptr;
};

#define DECLARE_DHTML_EVENT_MAP()                                                                  \
public:                                                                                            \
    const DHtmlEventMapEntry* GetDHtmlEventMap() const override;

#define BEGIN_DHTML_EVENT_MAP(theClass)                                                            \
    const DHtmlEventMapEntry* theClass::GetDHtmlEventMap() const {                                 \
        typedef theClass ThisClass [[maybe_unused]];                                               \
        static const DHtmlEventMapEntry _dhtmlEntries[] = {

#define END_DHTML_EVENT_MAP()                                                                      \
    { DHTMLBIND_ID, DHTMLEVENT_ONCLICK, nullptr, nullptr }                                         \
    }                                                                                              \
    ;                                                                                              \
    return &_dhtmlEntries[0];                                                                      \
    }

#define AFX_DHTML_ENTRY(binding, event, name, memberFxn)                                           \
    {binding, event, name, [](CDHtmlDialog* pDialog, IHTMLElement* pElement) -> HRESULT {          \
         return static_cast<ThisClass*>(pDialog)->memberFxn(pElement);                             \
     }},

// HRESULT memberFxn(IHTMLElement* pElement) for the event on the element with the id.
#define DHTML_EVENT(event, elementId, memberFxn)                                                   \
    AFX_DHTML_ENTRY(DHTMLBIND_ID, event, elementId, memberFxn)
#define DHTML_EVENT_ONCLICK(elementId, memberFxn)                                                  \
    DHTML_EVENT(DHTMLEVENT_ONCLICK, elementId, memberFxn)
#define DHTML_EVENT_ONMOUSEOVER(elementId, memberFxn)                                              \
    DHTML_EVENT(DHTMLEVENT_ONMOUSEOVER, elementId, memberFxn)
#define DHTML_EVENT_ONMOUSEOUT(elementId, memberFxn)                                               \
    DHTML_EVENT(DHTMLEVENT_ONMOUSEOUT, elementId, memberFxn)
#define DHTML_EVENT_ONMOUSEDOWN(elementId, memberFxn)                                              \
    DHTML_EVENT(DHTMLEVENT_ONMOUSEDOWN, elementId, memberFxn)
// The event on an element whose class attribute is className.
#define DHTML_EVENT_CLASS(event, className, memberFxn)                                             \
    AFX_DHTML_ENTRY(DHTMLBIND_CLASS, event, className, memberFxn)

// The value of a text field: page to member when saving, member to page otherwise. Nothing
// happens before the page has loaded or when it has no such element.
void DDX_DHtml_ElementValue(CDataExchange* pDX, LPCSTR szId, CString& value);
// The checked state of a checkbox (1 or 0).
void DDX_DHtml_CheckBox(CDataExchange* pDX, LPCSTR szId, int& value);
// An element's inner HTML.
void DDX_DHtml_ElementInnerHtml(CDataExchange* pDX, LPCSTR szId, CString& value);
