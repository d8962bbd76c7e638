#include "htmlview/HtmlView.h"

#include "htmlview/src/Canvas.h"
#include "htmlview/src/HtmlParser.h"
#include "htmlview/src/PageLayout.h"
#include "htmlview/src/Utf.h"

#include <algorithm>

namespace htmlview {

using internal::DomNode;
using internal::DomNodePtr;

namespace {

// Posted to itself to turn the loaded page into the document, as a browser completes a page
// after the caller's own initialisation has run.
constexpr UINT kCompleteLoadMessage = WM_USER + 0x101;
// Pixels scrolled per wheel notch, and the wheel's distance per notch.
constexpr int kWheelStep = 48;
// Pixels scrolled by a click on a scroll bar's arrow.
constexpr int kLineStep = 16;
// A held scroll bar arrow or track repeats its step: first after a pause, then quickly.
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatDelay = 400;
constexpr UINT kRepeatInterval = 50;

enum class BarAction { None, LineUp, LineDown, PageUp, PageDown, Thumb };
constexpr int kWheelNotch = 120;

UINT ElementRectMessage() {
    static const UINT message = RegisterWindowMessageA(kElementRectMessageName);
    return message;
}

std::string ModuleBaseName(HMODULE module) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    std::string name(path, length);
    const size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

struct HtmlView::Impl {
    Impl(HWND window, HtmlViewHost* viewHost)
        : hwnd(window), host(viewHost), layout([this] { Invalidate(); }) {
        layout.container().images().SetFileLoader(internal::LoadPictureFile);
    }

    void Invalidate() const {
        if (hwnd) {
            InvalidateRect(hwnd, nullptr, FALSE);
        }
    }

    void BeginLoad(std::string utf8, WideString address);
    void CompleteLoad();
    void Fire(ElementEvent event, const DomNodePtr& node);
    void UpdateHover(POINT client);
    // Asks the platform to say when the pointer leaves the window (once per visit).
    void TrackLeave();
    void PointerLeft();
    void MouseDown(POINT client, bool left);
    void LeftUp(POINT client);
    // What a click does to a form field: a checkbox toggles, a radio button is chosen.
    void Activate(const DomNodePtr& source);
    void ContextMenu(POINT screen, const DomNodePtr& source);
    void Wheel(POINT screen, int delta);
    void Character(WCHAR character);
    void SetFocusedField(const DomNodePtr& field);
    void SelectFieldText(bool selected);
    void KeyDown(UINT key);
    bool ScrollBarClick(POINT client);
    // What the held scroll bar does once more: a line or page step, or the thumb following the
    // pointer.
    void StepScrollBar();
    void ReleaseScrollBar();
    void Paint();
    LRESULT ElementRect(const WCHAR* path, RECT* rect);
    DomNodePtr Find(const WideString& path) const;

    HWND hwnd;
    HtmlView* self = nullptr;
    HtmlViewHost* host;
    internal::PageLayout layout;
    WideString url;
    bool complete = false;
    bool loadPending = false;
    int busy = 0;           // messages being handled (nested ones included)
    bool destroyed = false; // the window is gone; the object goes when busy drops to 0
    std::string pendingMarkup;
    WideString pendingUrl;
    DomNodePtr hover;
    DomNodePtr pressed;
    DomNodePtr focusedField;
    WCHAR pendingHighSurrogate = 0;
    bool fieldSelected = false; // the focused field's whole text is selected
    bool trackingLeave = false; // a WM_MOUSELEAVE has been asked for and not yet come
    // The scroll bar being held down with the left button: whose, which part, and where the
    // pointer is.
    DomNodePtr held;
    BarAction heldAction = BarAction::None;
    POINT heldPoint = {0, 0};
    LONG dragGrip = 0; // where the thumb was taken, from its top
    internal::Canvas canvas;
};

void HtmlView::Impl::BeginLoad(std::string utf8, WideString address) {
    pendingMarkup = std::move(utf8);
    pendingUrl = std::move(address);
    loadPending = true;
    if (!PostMessageA(hwnd, kCompleteLoadMessage, 0, 0)) {
        CompleteLoad();
    }
}

void HtmlView::Impl::CompleteLoad() {
    if (!loadPending) {
        return;
    }
    loadPending = false;
    hover.reset();
    pressed.reset();
    ReleaseScrollBar();
    SetFocusedField(nullptr);
    bool quirks = false;
    DomNodePtr root = internal::ParseDocument(pendingMarkup, &quirks);
    layout.SetDocument(std::move(root), quirks);
    pendingMarkup.clear();
    url = std::move(pendingUrl);
    complete = true;
    layout.EnsureLayout();
    Invalidate();
    if (host) {
        host->OnDocumentComplete(*self, url);
    }
}

void HtmlView::Impl::Fire(ElementEvent event, const DomNodePtr& node) {
    if (host && node) {
        const DomNodePtr keep = node; // the handler may change the tree under it
        host->OnElementEvent(*self, event, keep);
    }
}

void HtmlView::Impl::UpdateHover(POINT client) {
    DomNodePtr now = layout.HitTest(client);
    if (now == hover) {
        return;
    }
    DomNodePtr old = std::move(hover);
    hover = now;
    Fire(ElementEvent::MouseOut, old);
    if (!destroyed) {
        Fire(ElementEvent::MouseOver, now);
    }
}

void HtmlView::Impl::TrackLeave() {
    if (trackingLeave || !hwnd) {
        return;
    }
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd;
    trackingLeave = TrackMouseEvent(&track) != FALSE;
}

void HtmlView::Impl::PointerLeft() {
    trackingLeave = false;
    // The element under the pointer loses it as the pointer leaves the window, so that what
    // lit up on its mouse-over returns to rest.
    if (hover) {
        DomNodePtr old = std::move(hover);
        hover.reset();
        Fire(ElementEvent::MouseOut, old);
    }
}

void HtmlView::Impl::SetFocusedField(const DomNodePtr& field) {
    if (field == focusedField) {
        return;
    }
    focusedField = field;
    pendingHighSurrogate = 0;
    fieldSelected = false;
    layout.container().SetFocusedField(field.get(), false);
    Invalidate();
}

void HtmlView::Impl::SelectFieldText(bool selected) {
    fieldSelected = selected && focusedField;
    layout.container().SetFocusedField(focusedField.get(), fieldSelected);
    Invalidate();
}

void HtmlView::Impl::KeyDown(UINT key) {
    if (focusedField && key == VK_DELETE && fieldSelected) {
        SelectFieldText(false);
        focusedField->SetValueUtf8(std::string());
    }
}

namespace {

bool Inside(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

} // namespace

bool HtmlView::Impl::ScrollBarClick(POINT client) {
    DomNodePtr scroller = layout.ScrollableAt(client);
    internal::ScrollBarParts parts = {};
    LONG maxOffset = 0;
    if (!scroller || !layout.ScrollBarState(*scroller, &parts, &maxOffset)) {
        return false;
    }
    const RECT bar = {parts.up.left, parts.up.top, parts.down.right, parts.down.bottom};
    if (!Inside(bar, client)) {
        return false;
    }
    // As on the desktop's scroll bars: the arrows move a line, the track beside the thumb a
    // page, both again and again while the button is held, and the thumb is dragged.
    BarAction action = BarAction::None;
    if (Inside(parts.up, client)) {
        action = BarAction::LineUp;
    } else if (Inside(parts.down, client)) {
        action = BarAction::LineDown;
    } else if (parts.hasThumb && Inside(parts.thumb, client)) {
        action = BarAction::Thumb;
        dragGrip = client.y - parts.thumb.top;
    } else if (parts.hasThumb) {
        action = client.y < parts.thumb.top ? BarAction::PageUp : BarAction::PageDown;
    }
    if (action == BarAction::None) {
        return true; // a bar with nothing to scroll
    }
    held = scroller;
    heldAction = action;
    heldPoint = client;
    SetCapture(hwnd);
    if (action != BarAction::Thumb) {
        StepScrollBar();
        SetTimer(hwnd, kRepeatTimer, kRepeatDelay, nullptr);
    }
    return true;
}

void HtmlView::Impl::StepScrollBar() {
    internal::ScrollBarParts parts = {};
    LONG maxOffset = 0;
    if (!held || !layout.ScrollBarState(*held, &parts, &maxOffset)) {
        return;
    }
    // Only while the pointer stays on the part that was pressed; paging stops where the thumb
    // reaches the pointer.
    const LONG top = held->GetScrollTop();
    const LONG page = std::max<LONG>(kLineStep, parts.down.bottom - parts.up.top - kLineStep);
    switch (heldAction) {
    case BarAction::LineUp:
        if (Inside(parts.up, heldPoint)) {
            held->SetScrollTop(top - kLineStep);
        }
        break;
    case BarAction::LineDown:
        if (Inside(parts.down, heldPoint)) {
            held->SetScrollTop(top + kLineStep);
        }
        break;
    case BarAction::PageUp:
        if (parts.hasThumb && Inside(parts.track, heldPoint) && heldPoint.y < parts.thumb.top) {
            held->SetScrollTop(top - page);
        }
        break;
    case BarAction::PageDown:
        if (parts.hasThumb && Inside(parts.track, heldPoint) && heldPoint.y >= parts.thumb.bottom) {
            held->SetScrollTop(top + page);
        }
        break;
    case BarAction::Thumb:
        held->SetScrollTop(
            internal::ScrollOffsetForThumb(parts, heldPoint.y - dragGrip, maxOffset));
        break;
    case BarAction::None:
        break;
    }
}

void HtmlView::Impl::ReleaseScrollBar() {
    if (!held) {
        return;
    }
    held.reset();
    heldAction = BarAction::None;
    if (hwnd) {
        KillTimer(hwnd, kRepeatTimer);
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
    }
}

void HtmlView::Impl::MouseDown(POINT client, bool left) {
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
    }
    if (left && ScrollBarClick(client)) {
        return;
    }
    UpdateHover(client);
    const DomNodePtr source = hover;
    if (left) {
        pressed = source;
        SetFocusedField(source && source->IsTextField() ? source : nullptr);
    }
    Fire(ElementEvent::MouseDown, source);
}

void HtmlView::Impl::LeftUp(POINT client) {
    const DomNodePtr source = layout.HitTest(client);
    const DomNodePtr down = std::move(pressed);
    pressed.reset();
    if (!source || source != down) {
        return;
    }
    Activate(source);
    Fire(ElementEvent::Click, source);
    if (destroyed) {
        return;
    }
    // A click on a label is a click on the field it names, as the user expects.
    for (DomNodePtr at = source; at; at = at->parent()) {
        if (at->tag() != "label") {
            continue;
        }
        const std::string* target = at->FindAttribute("for");
        DomNodePtr field = target && layout.root() ? layout.ElementById(*target)
                                                   : internal::FindFirstByTag(at, "input");
        if (field && field != source && field->IsCheckable()) {
            Activate(field);
            Fire(ElementEvent::Click, field);
        }
        break;
    }
}

void HtmlView::Impl::Activate(const DomNodePtr& source) {
    if (source->IsCheckable()) {
        const std::string* type = source->FindAttribute("type");
        if (type && internal::AsciiLower(*type) == "radio") {
            // Choosing a radio button clears the others of its group.
            const std::string* name = source->FindAttribute("name");
            if (name && !name->empty() && layout.root()) {
                std::vector<DomNodePtr> pending = {layout.root()};
                while (!pending.empty()) {
                    DomNodePtr node = pending.back();
                    pending.pop_back();
                    const std::string* other = node->FindAttribute("name");
                    if (node != source && node->IsCheckable() && other && *other == *name) {
                        node->SetChecked(false);
                    }
                    for (const DomNodePtr& child : node->children()) {
                        pending.push_back(child);
                    }
                }
            }
            source->SetChecked(true);
        } else {
            source->SetChecked(!source->GetChecked());
        }
    }
}

void HtmlView::Impl::ContextMenu(POINT screen, const DomNodePtr& source) {
    if (host) {
        host->OnContextMenu(*self, screen, source);
    }
}

void HtmlView::Impl::Wheel(POINT screen, int delta) {
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    DomNodePtr target = layout.ScrollableAt(client);
    if (!target) {
        return;
    }
    target->SetScrollTop(target->GetScrollTop() - delta * kWheelStep / kWheelNotch);
    UpdateHover(client);
}

void HtmlView::Impl::Character(WCHAR character) {
    if (!focusedField) {
        return;
    }
    std::string value = focusedField->CurrentValue();
    if (character == 1) {
        // Ctrl+A selects the whole text; what is typed next replaces it.
        SelectFieldText(true);
        return;
    }
    if (fieldSelected && (character == 8 || character >= 0x20)) {
        value.clear();
        SelectFieldText(false);
        if (character == 8) {
            focusedField->SetValueUtf8(std::move(value));
            return;
        }
    }
    if (character == 8) {
        // Backspace removes the last character, not the last byte.
        while (!value.empty() && (static_cast<unsigned char>(value.back()) & 0xC0) == 0x80) {
            value.pop_back();
        }
        if (!value.empty()) {
            value.pop_back();
        }
        focusedField->SetValueUtf8(std::move(value));
        return;
    }
    if (character >= 0xD800 && character < 0xDC00) {
        pendingHighSurrogate = character;
        return;
    }
    if (character < 0x20 || character == 0x7F) {
        return; // Enter, Tab, Escape and other controls belong to the dialog
    }
    WideString typed;
    if (character >= 0xDC00 && character < 0xE000) {
        if (!pendingHighSurrogate) {
            return;
        }
        typed += pendingHighSurrogate;
    }
    pendingHighSurrogate = 0;
    typed += character;
    focusedField->SetValueUtf8(value + internal::ToUtf8(typed));
}

void HtmlView::Impl::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (!dc) {
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    const SIZE size = {client.right - client.left, client.bottom - client.top};
    if (size.cx > 0 && size.cy > 0) {
        // The page is drawn into a canvas kept between paints, so that it appears whole and a
        // change redraws only what it changed; the part of the window to paint comes from it.
        const bool kept = canvas.Fits(dc, size);
        if (canvas.dc()) {
            layout.SetViewportSize(size);
            layout.PaintChanges(canvas.dc(), kept);
            const RECT& part = paint.rcPaint;
            BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top,
                   canvas.dc(), part.left, part.top, SRCCOPY);
        }
    }
    EndPaint(hwnd, &paint);
}

DomNodePtr HtmlView::Impl::Find(const WideString& path) const {
    if (!layout.root()) {
        return nullptr;
    }
    const std::string text = internal::ToUtf8(path);
    const size_t slash = text.find('/');
    DomNodePtr found = layout.ElementById(text.substr(0, slash));
    if (found && slash != std::string::npos) {
        found = internal::FindFirstByTag(found, internal::AsciiLower(text.substr(slash + 1)));
    }
    return found;
}

LRESULT HtmlView::Impl::ElementRect(const WCHAR* path, RECT* rect) {
    if (!path || !rect) {
        return FALSE;
    }
    *rect = RECT{0, 0, 0, 0};
    DomNodePtr element = Find(WideString(path));
    RECT visible;
    if (!element || !layout.VisibleClientRect(*element, &visible)) {
        return FALSE;
    }
    POINT corners[2] = {{visible.left, visible.top}, {visible.right, visible.bottom}};
    ClientToScreen(hwnd, &corners[0]);
    ClientToScreen(hwnd, &corners[1]);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return TRUE;
}

namespace {

LRESULT HandleMessage(HtmlView::Impl& impl, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK HtmlViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* host = static_cast<HtmlViewHost*>(create->lpCreateParams);
        auto* view = new HtmlView(std::make_unique<HtmlView::Impl>(hwnd, host));
        view->impl().self = view;
        // The size is known from the start, whether or not a WM_SIZE follows.
        view->impl().layout.SetViewportSize(SIZE{create->cx, create->cy});
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HtmlView* view = HtmlViewFromWindow(hwnd);
    if (!view) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    // A host may destroy the control from inside an event handler: the object then lives on
    // until the outermost message that reached it has been handled. The count also drops when
    // an exception passes through (a scripted run that stops inside a handler), so that the
    // control still goes with its window afterwards.
    struct Busy {
        HtmlView* view;
        explicit Busy(HtmlView* v) : view(v) { ++view->impl().busy; }
        ~Busy() {
            if (--view->impl().busy == 0 && view->impl().destroyed) {
                delete view;
            }
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    } busy(view);
    return HandleMessage(view->impl(), hwnd, message, wParam, lParam);
}

LRESULT HandleMessage(HtmlView::Impl& impl, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        impl.hwnd = nullptr;
        impl.host = nullptr;
        impl.destroyed = true;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_SIZE:
        impl.layout.SetViewportSize(SIZE{LOWORD(lParam), HIWORD(lParam)});
        impl.Invalidate();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        impl.Paint();
        return 0;
    case kCompleteLoadMessage:
        impl.CompleteLoad();
        return 0;
    case WM_MOUSEMOVE:
        if (impl.held) {
            impl.heldPoint = point;
            if (impl.heldAction == BarAction::Thumb) {
                impl.StepScrollBar();
            }
            return 0;
        }
        impl.TrackLeave();
        impl.UpdateHover(point);
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer) {
            if (impl.held) {
                impl.StepScrollBar();
                SetTimer(hwnd, kRepeatTimer, kRepeatInterval, nullptr);
            } else {
                KillTimer(hwnd, kRepeatTimer);
            }
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) {
            impl.ReleaseScrollBar();
        }
        return 0;
    case WM_MOUSELEAVE:
        impl.PointerLeft();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        impl.MouseDown(point, true);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        impl.MouseDown(point, false);
        return 0;
    case WM_LBUTTONUP:
        if (impl.held) {
            impl.ReleaseScrollBar();
            return 0;
        }
        impl.LeftUp(point);
        return 0;
    case WM_RBUTTONUP: {
        POINT screen = point;
        ClientToScreen(hwnd, &screen);
        impl.ContextMenu(screen, impl.layout.HitTest(point));
        return 0;
    }
    case WM_CONTEXTMENU:
        // Only the keyboard's request arrives here; a right click is answered on button up.
        if (lParam == -1) {
            RECT client;
            GetClientRect(hwnd, &client);
            POINT screen = {client.left, client.top};
            ClientToScreen(hwnd, &screen);
            impl.ContextMenu(screen, impl.focusedField ? impl.focusedField : impl.layout.body());
        }
        return 0;
    case WM_MOUSEWHEEL:
        impl.Wheel(point, static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
    case WM_CHAR:
        impl.Character(static_cast<WCHAR>(wParam));
        return 0;
    case WM_KEYDOWN:
        impl.KeyDown(static_cast<UINT>(wParam));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_KILLFOCUS:
        impl.SetFocusedField(nullptr);
        return 0;
    default:
        break;
    }
    if (message == ElementRectMessage() && message != 0) {
        return impl.ElementRect(reinterpret_cast<const WCHAR*>(wParam),
                                reinterpret_cast<RECT*>(lParam));
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

bool RegisterHtmlViewClass(HINSTANCE instance) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(instance, kHtmlViewClassName, &existing)) {
        return true;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = HtmlViewProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHtmlViewClassName;
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateHtmlView(HWND parent, int controlId, const RECT& rect, HINSTANCE instance,
                    HtmlViewHost* host) {
    if (!RegisterHtmlViewClass(instance)) {
        return nullptr;
    }
    return CreateWindowExA(
        0, kHtmlViewClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, host);
}

HtmlView* HtmlViewFromWindow(HWND window) {
    if (!window) {
        return nullptr;
    }
    char className[64] = {};
    if (!GetClassNameA(window, className, sizeof(className)) ||
        std::string(className) != kHtmlViewClassName) {
        return nullptr;
    }
    return reinterpret_cast<HtmlView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HtmlView::HtmlView(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
HtmlView::~HtmlView() = default;

HWND HtmlView::GetWindow() const {
    return impl_->hwnd;
}
void HtmlView::SetHost(HtmlViewHost* host) {
    impl_->host = host;
}

bool HtmlView::LoadFromResource(HMODULE module, UINT resourceId) {
    HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(kHtmlResourceType));
    if (!found) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return false;
    }
    impl_->layout.container().images().SetModule(module);
    const std::string address =
        "res://" + ModuleBaseName(module) + "/" + std::to_string(resourceId);
    impl_->BeginLoad(internal::DecodePageBytes(static_cast<const unsigned char*>(data), size),
                     internal::FromUtf8(address));
    return true;
}

void HtmlView::LoadFromString(const WideString& html, const WideString& url) {
    impl_->BeginLoad(internal::ToUtf8(html), url);
}

bool HtmlView::IsDocumentComplete() const {
    return impl_->complete;
}
WideString HtmlView::GetUrl() const {
    return impl_->url;
}

ElementPtr HtmlView::GetElementById(const WideString& id) const {
    return impl_->layout.ElementById(internal::ToUtf8(id));
}

ElementPtr HtmlView::FindElement(const WideString& path) const {
    return impl_->Find(path);
}

ElementPtr HtmlView::GetBody() const {
    return impl_->layout.body();
}

bool HtmlView::GetElementClientRect(const ElementPtr& element, RECT* rect) const {
    auto* node = dynamic_cast<DomNode*>(element.get());
    if (!node || !rect || node->owner() != &impl_->layout) {
        return false;
    }
    return impl_->layout.ClientRect(*node, rect);
}

bool HtmlView::GetElementScreenRect(const ElementPtr& element, RECT* rect) const {
    if (!GetElementClientRect(element, rect)) {
        return false;
    }
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    ClientToScreen(impl_->hwnd, &corners[0]);
    ClientToScreen(impl_->hwnd, &corners[1]);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return true;
}

ElementPtr HtmlView::HitTest(POINT clientPoint) const {
    return impl_->layout.HitTest(clientPoint);
}

ElementPtr HtmlView::GetFocusedField() const {
    return impl_->focusedField;
}

SIZE HtmlView::GetDocumentSize() const {
    return impl_->layout.DocumentSize();
}

} // namespace htmlview
