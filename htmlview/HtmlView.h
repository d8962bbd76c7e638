// The browser control: a child window that shows an HTML document (a page resource of the
// module, or markup given by the host), paints it through GDI and reports element events to its
// host. Elements are reached by id and offer the part of the document object model that an HTML
// dialog needs: id, tag, class name, inner HTML, inline background colour, checked state, text
// value, offset geometry and scroll position.
//
// Text crosses this interface as UTF-16 (the platform's WCHAR). Nothing of the layout engine is
// visible here.
#pragma once

#include "platform/win32.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace htmlview {

using WideString = std::basic_string<WCHAR>;

// The window class of the control, registered by RegisterHtmlViewClass.
constexpr char kHtmlViewClassName[] = "VerbacapHtmlView";

// The registered window message (RegisterWindowMessageA with this name) through which anyone
// holding the control's window, such as a scripted user, asks where an element is:
//   wParam: const WCHAR* path, "ID" or "ID/TAG" (the first descendant of ID with tag TAG);
//   lParam: RECT* that receives the element's border box in screen coordinates, clipped to
//           the visible part of the view (the rectangle is empty when nothing of it shows).
// The result is TRUE when the document has that element, FALSE otherwise (RECT left empty).
constexpr char kElementRectMessageName[] = "VerbacapHtmlView.ElementRect";

// Resource type of HTML pages in a module (RT_HTML).
constexpr WORD kHtmlResourceType = 23;

class Element;
using ElementPtr = std::shared_ptr<Element>;

// One element of the document. A handle stays valid after the element has left the document
// (its inner HTML was replaced, say): it then keeps its own data, has no geometry (all offsets
// 0, no offset parent) and changing it changes nothing that is shown.
class Element {
public:
    virtual ~Element() = default;

    virtual WideString GetId() const = 0;
    virtual void SetId(const WideString& id) = 0;

    // The tag name in upper case ("DIV", "TD", "INPUT"), as the document object model gives it.
    virtual WideString GetTagName() const = 0;

    // The whole value of the class attribute ("" when there is none).
    virtual WideString GetClassName() const = 0;
    virtual void SetClassName(const WideString& className) = 0;

    // Any attribute; GetAttribute gives "" for an attribute that is absent.
    virtual WideString GetAttribute(const WideString& name) const = 0;
    virtual bool HasAttribute(const WideString& name) const = 0;
    virtual void SetAttribute(const WideString& name, const WideString& value) = 0;
    virtual std::vector<std::pair<WideString, WideString>> GetAttributes() const = 0;

    // The markup of the element's children. Setting it parses the fragment (in the context of
    // this element, as a browser does) and replaces all children with the result.
    virtual WideString GetInnerHtml() const = 0;
    // Taken by value: a caller done with its markup moves it in, and the element may keep it.
    virtual void SetInnerHtml(WideString html) = 0;

    // The text of the element and its descendants, without markup.
    virtual WideString GetInnerText() const = 0;

    // The background colour of the element's inline style, as a CSS colour ("#fffbc0", "red");
    // "" when the inline style sets none. Setting "" removes it.
    virtual WideString GetBackgroundColor() const = 0;
    virtual void SetBackgroundColor(const WideString& cssColor) = 0;

    // The checked state of a checkbox or radio button; false for any other element, which
    // SetChecked leaves alone (and then returns false).
    virtual bool GetChecked() const = 0;
    virtual bool SetChecked(bool checked) = 0;

    // The value of a text field (an input element or a text area); "" for any other element,
    // which SetValue leaves alone (and then returns false).
    virtual WideString GetValue() const = 0;
    virtual bool SetValue(const WideString& value) = 0;

    // The tree.
    virtual ElementPtr GetParent() const = 0;
    virtual std::vector<ElementPtr> GetChildren() const = 0;

    // Geometry of the current layout, in pixels. The offset parent is the nearest ancestor that
    // is positioned, scrolls its content, or is a table cell or table, else the body; the body
    // has none. Offsets are measured from the offset parent's padding edge, or from the
    // document's origin when the offset parent is the body. Width and height are those of the
    // border box. Asking for geometry lays the document out first if it has changed.
    virtual LONG GetOffsetLeft() const = 0;
    virtual LONG GetOffsetTop() const = 0;
    virtual LONG GetOffsetWidth() const = 0;
    virtual LONG GetOffsetHeight() const = 0;
    virtual ElementPtr GetOffsetParent() const = 0;

    // How far the element's content is scrolled (0 for an element that does not scroll).
    // Setting clamps to the scrollable range.
    virtual LONG GetScrollLeft() const = 0;
    virtual LONG GetScrollTop() const = 0;
    virtual void SetScrollLeft(LONG x) = 0;
    virtual void SetScrollTop(LONG y) = 0;
};

enum class ElementEvent {
    MouseOver, // the pointer came onto the source element (the innermost one under it)
    MouseOut,  // the pointer left the source element
    MouseDown, // a mouse button (any) went down on the source element
    Click,     // the left button went down and up on the source element
};

class HtmlView;

// What the control tells its host. The host is given at creation (or later with SetHost) and
// must outlive the control or be removed first.
class HtmlViewHost {
public:
    // The document is loaded and laid out; its elements can be reached from now on.
    virtual void OnDocumentComplete(HtmlView& view, const WideString& url) = 0;
    // An element event, with the innermost element under the pointer as its source.
    virtual void OnElementEvent(HtmlView& view, ElementEvent event, const ElementPtr& source) = 0;
    // A right click on the page (or the keyboard's context-menu key): the host may show a menu
    // of its own and returns true when it has dealt with the request. The control has no
    // context menu of its own, so a false answer shows nothing either.
    virtual bool OnContextMenu(HtmlView& view, POINT screenPoint, const ElementPtr& source) = 0;

protected:
    ~HtmlViewHost() = default;
};

// Registers the control's window class for the module; true also when it is registered already.
bool RegisterHtmlViewClass(HINSTANCE instance);

// Creates the control (registering its class when needed) as a visible child window of parent
// with the given control id and rectangle (parent client coordinates). NULL on failure.
HWND CreateHtmlView(HWND parent, int controlId, const RECT& rect, HINSTANCE instance,
                    HtmlViewHost* host);

// The control behind a window of the class, or nullptr for any other window.
HtmlView* HtmlViewFromWindow(HWND window);

class HtmlView {
public:
    HWND GetWindow() const;
    void SetHost(HtmlViewHost* host);

    // Starts loading the HTML resource (type 23) with this id from module. The page becomes
    // the document when the control handles its next posted message; then the host hears
    // OnDocumentComplete. Until then the previous document (or none) stays. False when the
    // module has no such resource.
    bool LoadFromResource(HMODULE module, UINT resourceId);

    // The same for markup held by the caller (UTF-16), shown as the document of url.
    void LoadFromString(const WideString& html, const WideString& url);

    // True once a document has been loaded and the host told.
    bool IsDocumentComplete() const;
    WideString GetUrl() const;

    // The first element with this id (document order), or nullptr.
    ElementPtr GetElementById(const WideString& id) const;
    // "ID" or "ID/TAG": the element with that id, or the first descendant of it with that tag.
    ElementPtr FindElement(const WideString& path) const;
    ElementPtr GetBody() const;

    // The element's border box in the control's client coordinates (scrolling of its ancestors
    // applied), and in screen coordinates. False when the element is not in the document.
    bool GetElementClientRect(const ElementPtr& element, RECT* rect) const;
    bool GetElementScreenRect(const ElementPtr& element, RECT* rect) const;

    // The innermost element at a point of the client area, or nullptr.
    ElementPtr HitTest(POINT clientPoint) const;

    // The text field that receives typed characters, or nullptr.
    ElementPtr GetFocusedField() const;

    // Size of the laid-out document (lays it out when it has changed).
    SIZE GetDocumentSize() const;

    // How many times the document has been laid out so far. Changes to the document only mark
    // the layout out of date; it is made again when geometry or painting is asked for.
    unsigned GetLayoutCount() const;

    struct Impl;
    explicit HtmlView(std::unique_ptr<Impl> impl);
    ~HtmlView();
    HtmlView(const HtmlView&) = delete;
    HtmlView& operator=(const HtmlView&) = delete;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace htmlview
