// The control as a window on the simulated desktop: loading pages from the module, events from
// mouse messages with the innermost source, form fields, the element-rectangle message and
// scrolling by wheel.
#include "htmlview/HtmlView.h"

#include <winsim/module_resources.h>
#include <winsim/sim_gdi.h>
#include <winsim/sim_user.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace htmlview;

struct Event {
    ElementEvent kind;
    ElementPtr source;
};

class RecordingHost : public HtmlViewHost {
public:
    void OnDocumentComplete(HtmlView&, const WideString& url) override {
        ++completions;
        lastUrl = url;
    }
    void OnElementEvent(HtmlView&, ElementEvent kind, const ElementPtr& source) override {
        events.push_back({kind, source});
    }
    bool OnContextMenu(HtmlView&, POINT, const ElementPtr& source) override {
        contextSources.push_back(source);
        return true; // as the program answers: no menu
    }

    int completions = 0;
    WideString lastUrl;
    std::vector<Event> events;
    std::vector<ElementPtr> contextSources;
};

LPARAM At(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

class HtmlViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        WNDCLASSEXA parentClass = {};
        parentClass.cbSize = sizeof(parentClass);
        parentClass.lpfnWndProc = DefWindowProcA;
        parentClass.hInstance = winsim::ProgramModule();
        parentClass.lpszClassName = "HtmlViewTestHost";
        ASSERT_TRUE(RegisterClassExA(&parentClass));
        parent = CreateWindowExA(0, "HtmlViewTestHost", "Verbacap", WS_POPUP | WS_VISIBLE, 40, 30,
                                 463, 353, nullptr, nullptr, winsim::ProgramModule(), nullptr);
        ASSERT_TRUE(parent);
        window = CreateHtmlView(parent, 100, RECT{0, 0, 463, 353}, winsim::ProgramModule(), &host);
        ASSERT_TRUE(window);
        view = HtmlViewFromWindow(window);
        ASSERT_TRUE(view);
    }

    void TearDown() override {
        if (parent) {
            DestroyWindow(parent); // takes the control and its document along
        }
    }

    void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }

    void Load(UINT page) {
        ASSERT_TRUE(view->LoadFromResource(winsim::ProgramModule(), page));
        Pump();
        ASSERT_TRUE(view->IsDocumentComplete());
    }

    POINT CentreOf(const WideString& path) {
        RECT rect = {};
        EXPECT_TRUE(view->GetElementClientRect(view->FindElement(path), &rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    void Click(POINT point) {
        SendMessageA(window, WM_MOUSEMOVE, 0, At(point));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(point));
        SendMessageA(window, WM_LBUTTONUP, 0, At(point));
    }

    static std::string Rows(int count) {
        std::string html = "<table width=\"100%\"><tr><th width=\"80px\">Capture time</th><th "
                           "width=\"60%\">Text</th><th>Image</th></tr>";
        for (int i = 0; i < count; ++i) {
            const std::string cls = i % 2 ? "odd" : "even";
            const std::string n = std::to_string(i);
            html += "<tr><td class=\"" + cls + "\" id=\"cat" + n + "\">12:00:0" + n +
                    "</td><td class=\"" + cls + "\" id=\"txt" + n + "\"><p><u>Titre</u></p>" +
                    "Ligne</td><td class=\"" + cls + "\" id=\"img" + n + "\">x</td></tr>";
        }
        return html + "</table>";
    }

    static WideString Wide(const std::string& text) { return WideString(text.begin(), text.end()); }

    RecordingHost host;
    HWND parent = nullptr;
    HWND window = nullptr;
    HtmlView* view = nullptr;
};

TEST_F(HtmlViewTest, PageBecomesTheDocumentWhenTheMessageLoopRunsAndTheHostIsTold) {
    ASSERT_TRUE(view->LoadFromResource(winsim::ProgramModule(), 104));
    EXPECT_FALSE(view->IsDocumentComplete());
    EXPECT_FALSE(view->GetElementById(WIDE("menu"))) << "not loaded before the loop runs";
    Pump();
    EXPECT_EQ(host.completions, 1);
    EXPECT_EQ(host.lastUrl.substr(0, 6), WIDE("res://"));
    EXPECT_EQ(host.lastUrl.substr(host.lastUrl.size() - 4), WIDE("/104"));
    ASSERT_TRUE(view->GetElementById(WIDE("menu")));
    EXPECT_EQ(view->GetElementById(WIDE("menu"))->GetTagName(), WIDE("SPAN"));

    EXPECT_FALSE(view->LoadFromResource(winsim::ProgramModule(), 999));
    Pump();
    EXPECT_EQ(host.completions, 1) << "a missing page changes nothing";
    EXPECT_TRUE(view->GetElementById(WIDE("menu")));
}

TEST_F(HtmlViewTest, MouseEventsReachTheHostWithTheInnermostElementAsSource) {
    Load(104);
    view->GetElementById(WIDE("tblTexts"))->SetInnerHtml(Wide(Rows(3)));

    SendMessageA(window, WM_MOUSEMOVE, 0, At(CentreOf(WIDE("txt1/u"))));
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(ElementEvent::MouseOver, host.events[0].kind);
    EXPECT_EQ(host.events[0].source->GetTagName(), WIDE("U")) << "the title is its own source";
    EXPECT_EQ(host.events[0].source->GetClassName(), WIDE(""));

    SendMessageA(window, WM_MOUSEMOVE, 0, At(CentreOf(WIDE("cat1"))));
    ASSERT_EQ(host.events.size(), 3u);
    EXPECT_EQ(ElementEvent::MouseOut, host.events[1].kind);
    EXPECT_EQ(host.events[1].source->GetTagName(), WIDE("U"));
    EXPECT_EQ(ElementEvent::MouseOver, host.events[2].kind);
    EXPECT_EQ(host.events[2].source->GetId(), WIDE("cat1"));

    SendMessageA(window, WM_MOUSEMOVE, 0, At(CentreOf(WIDE("cat1"))));
    EXPECT_EQ(host.events.size(), 3u) << "moving inside the same element says nothing";

    host.events.clear();
    const POINT time = CentreOf(WIDE("cat1"));
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, At(time));
    SendMessageA(window, WM_RBUTTONUP, 0, At(time));
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(ElementEvent::MouseDown, host.events[0].kind) << "any button";
    ASSERT_EQ(host.contextSources.size(), 1u) << "the right click asks the host";
    EXPECT_EQ(host.contextSources[0]->GetId(), WIDE("cat1"));

    host.events.clear();
    Click(time);
    ASSERT_EQ(host.events.size(), 2u);
    EXPECT_EQ(ElementEvent::MouseDown, host.events[0].kind);
    EXPECT_EQ(ElementEvent::Click, host.events[1].kind);
    EXPECT_EQ(host.events[1].source->GetId(), WIDE("cat1"));

    host.events.clear();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(time));
    SendMessageA(window, WM_LBUTTONUP, 0, At(CentreOf(WIDE("cat2"))));
    for (const Event& event : host.events) {
        EXPECT_NE(ElementEvent::Click, event.kind) << "down and up on different elements";
    }
}

TEST_F(HtmlViewTest, HandlersMayRewriteTheListDuringAnEvent) {
    Load(104);
    view->GetElementById(WIDE("tblTexts"))->SetInnerHtml(Wide(Rows(2)));
    struct RewritingHost : RecordingHost {
        void OnElementEvent(HtmlView& v, ElementEvent kind, const ElementPtr& source) override {
            RecordingHost::OnElementEvent(v, kind, source);
            if (kind == ElementEvent::MouseDown) {
                v.GetElementById(WIDE("tblTexts"))->SetInnerHtml(WIDE("<p id=empty>vide</p>"));
            }
        }
    } rewriting;
    view->SetHost(&rewriting);
    Click(CentreOf(WIDE("cat0")));
    EXPECT_TRUE(view->GetElementById(WIDE("empty")));
    EXPECT_GT(view->GetElementById(WIDE("empty"))->GetOffsetHeight(), 0);
    view->SetHost(&host);
}

TEST_F(HtmlViewTest, AHandlerMayDestroyTheWindowThatReportedTheEvent) {
    Load(104);
    struct ClosingHost : RecordingHost {
        void OnElementEvent(HtmlView& v, ElementEvent kind, const ElementPtr& source) override {
            RecordingHost::OnElementEvent(v, kind, source);
            if (kind == ElementEvent::MouseDown) {
                DestroyWindow(GetParent(v.GetWindow()));
            }
        }
    } closing;
    view->SetHost(&closing);
    const POINT place = CentreOf(WIDE("menu"));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(place));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(parent));
    parent = nullptr;
    EXPECT_EQ(closing.events.size(), 2u) << "over and down, then nothing more";
}

TEST_F(HtmlViewTest, ClickTogglesTheCheckboxAndItsLabelDoesToo) {
    Load(104);
    ElementPtr box = view->GetElementById(WIDE("chkCopyAll"));
    ASSERT_TRUE(box);
    EXPECT_FALSE(box->GetChecked());
    Click(CentreOf(WIDE("chkCopyAll")));
    EXPECT_TRUE(box->GetChecked());
    ASSERT_FALSE(host.events.empty());
    EXPECT_EQ(ElementEvent::Click, host.events.back().kind);
    EXPECT_EQ(box, host.events.back().source) << "the handler reads the new state";

    EXPECT_TRUE(box->SetChecked(false));
    EXPECT_FALSE(box->GetChecked());

    // The label's text: the label has no "for" match in the event map, the checkbox does.
    host.events.clear();
    RECT field = {};
    view->GetElementClientRect(box, &field);
    Click(POINT{field.right + 30, (field.top + field.bottom) / 2});
    EXPECT_TRUE(box->GetChecked());
    ASSERT_GE(host.events.size(), 2u);
    EXPECT_EQ(box, host.events.back().source);
}

TEST_F(HtmlViewTest, TypingGoesIntoTheFocusedTextField) {
    Load(103);
    ElementPtr field = view->GetElementById(WIDE("txtFreq"));
    ASSERT_TRUE(field);
    EXPECT_TRUE(field->SetValue(WIDE("5")));
    Click(CentreOf(WIDE("txtFreq")));
    EXPECT_EQ(field, view->GetFocusedField());
    SendMessageA(window, WM_CHAR, 8, 0);
    for (char c : std::string("0.5")) {
        SendMessageA(window, WM_CHAR, static_cast<WPARAM>(c), 0);
    }
    EXPECT_EQ(field->GetValue(), WIDE("0.5"));
    SendMessageA(window, WM_CHAR, 8, 0);
    EXPECT_EQ(field->GetValue(), WIDE("0."));
    SendMessageA(window, WM_CHAR, '\r', 0);
    EXPECT_EQ(field->GetValue(), WIDE("0.")) << "Enter belongs to the dialog";
    SendMessageA(window, WM_CHAR, 1, 0); // Ctrl+A
    SendMessageA(window, WM_CHAR, '2', 0);
    EXPECT_EQ(field->GetValue(), WIDE("2")) << "typing replaces the selected text";
    SendMessageA(window, WM_CHAR, 1, 0);
    SendMessageA(window, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(field->GetValue(), WIDE(""));
    SendMessageA(window, WM_CHAR, '0', 0);
    SendMessageA(window, WM_CHAR, '.', 0);

    Click(CentreOf(WIDE("CDlgAutoScreenshot")));
    EXPECT_FALSE(view->GetFocusedField());
    SendMessageA(window, WM_CHAR, '7', 0);
    EXPECT_EQ(field->GetValue(), WIDE("0.")) << "nothing is typed without a focused field";
}

TEST_F(HtmlViewTest, ElementRectangleMessageAnswersInScreenCoordinates) {
    Load(104);
    const UINT message = RegisterWindowMessageA(kElementRectMessageName);
    RECT rect = {};
    ASSERT_TRUE(SendMessageA(window, message, reinterpret_cast<WPARAM>(WIDE("ctrlHotkey")),
                             reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 20);
    RECT client = {};
    view->GetElementClientRect(view->GetElementById(WIDE("ctrlHotkey")), &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(client.left + origin.x, rect.left);
    EXPECT_EQ(client.top + origin.y, rect.top);

    EXPECT_FALSE(SendMessageA(window, message, reinterpret_cast<WPARAM>(WIDE("nothing")),
                              reinterpret_cast<LPARAM>(&rect)));
    view->GetElementById(WIDE("tblTexts"))->SetInnerHtml(Wide(Rows(1)));
    EXPECT_TRUE(SendMessageA(window, message, reinterpret_cast<WPARAM>(WIDE("txt0/u")),
                             reinterpret_cast<LPARAM>(&rect)));
    EXPECT_GT(rect.right - rect.left, 0);
}

TEST_F(HtmlViewTest, WheelScrollsTheListUnderThePointer) {
    Load(104);
    ElementPtr list = view->GetElementById(WIDE("tblTexts"));
    list->SetInnerHtml(Wide(Rows(30)));
    POINT screen = CentreOf(WIDE("tblTexts"));
    ClientToScreen(window, &screen);
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), At(screen));
    EXPECT_EQ(list->GetScrollTop(), 48);
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), At(screen));
    EXPECT_EQ(list->GetScrollTop(), 0);
}

// The page as the screen shows it once the window has painted: written as a PNG
// (htmlview-window/ in the test's temporary folder) and checked pixel by pixel.
TEST_F(HtmlViewTest, TheWindowPaintsThePageOntoTheScreen) {
    RECT onScreen;
    GetWindowRect(window, &onScreen);
    const COLORREF desktop = winsim::ScreenPixel(onScreen.left - 1, onScreen.top + 10);

    Load(104);
    view->GetElementById(WIDE("tblTexts"))->SetInnerHtml(Wide(Rows(2)));
    UpdateWindow(window);
    const std::string folder = ::testing::TempDir() + "htmlview-window/";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(winsim::SaveScreenRect(onScreen, folder + "main-page.png"));

    const auto rectOf = [this](const WideString& path) {
        RECT rect = {};
        EXPECT_TRUE(view->GetElementScreenRect(view->FindElement(path), &rect));
        return rect;
    };
    const auto count = [](const RECT& rect, auto matches) {
        int found = 0;
        for (LONG y = rect.top; y < rect.bottom; ++y) {
            for (LONG x = rect.left; x < rect.right; ++x) {
                found += matches(winsim::ScreenPixel(x, y)) ? 1 : 0;
            }
        }
        return found;
    };

    const RECT head = rectOf(WIDE("tblTexts/th"));
    EXPECT_EQ(winsim::ScreenPixel(head.left + 2, head.top + 2), RGB(0x33, 0x66, 0x99))
        << "the head's blue";
    EXPECT_GT(count(head, [](COLORREF c) { return c == RGB(0xFF, 0xFF, 0xFF); }), 20)
        << "white head text";
    EXPECT_GT(count(rectOf(WIDE("menu")), [](COLORREF c) { return c == RGB(0x00, 0x11, 0x33); }),
              20)
        << "the menu's dark text";
    EXPECT_GT(count(rectOf(WIDE("cat0")),
                    [](COLORREF c) { return GetRValue(c) < 0x40 && GetGValue(c) < 0x40; }),
              20)
        << "the capture time's text";

    // An even row's blue at 80 %, over the page's light background.
    const RECT row = rectOf(WIDE("txt0"));
    const COLORREF even = winsim::ScreenPixel(row.right - 4, row.bottom - 4);
    EXPECT_GT(GetRValue(even), 0xC6 + 4);
    EXPECT_LT(GetRValue(even), 0xFF - 4);
    EXPECT_GT(GetBValue(even), GetRValue(even));

    // Below the settings, the page's background bitmap: light and bluish, not the blank canvas.
    const COLORREF page = winsim::ScreenPixel(onScreen.right - 30, onScreen.bottom - 8);
    EXPECT_NE(RGB(0xFF, 0xFF, 0xFF), page);
    EXPECT_GT(GetRValue(page), 0xE0);
    EXPECT_GT(GetBValue(page), GetRValue(page));

    EXPECT_EQ(desktop, winsim::ScreenPixel(onScreen.left - 1, onScreen.top + 10))
        << "nothing drawn beside the window";
}

// The pointer moved by the desktop's input: leaving the window ends the hover of the element
// that had it, so that a row lit on its mouse-over returns to its colour.
TEST_F(HtmlViewTest, LeavingTheWindowGivesTheElementUnderThePointerItsMouseOut) {
    Load(104);
    view->GetElementById(WIDE("tblTexts"))->SetInnerHtml(Wide(Rows(2)));
    RECT onScreen;
    GetWindowRect(parent, &onScreen);
    const POINT outside = {onScreen.right + 40, onScreen.bottom + 40};
    const auto last = [this]() {
        Pump();
        return host.events.empty() ? Event{ElementEvent::Click, nullptr} : host.events.back();
    };

    winsim::HoverWindow(window, CentreOf(WIDE("cat0")));
    Event seen = last();
    EXPECT_EQ(ElementEvent::MouseOver, seen.kind);
    EXPECT_EQ(view->GetElementById(WIDE("cat0")), seen.source);

    host.events.clear();
    winsim::MovePointer(outside);
    seen = last();
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(ElementEvent::MouseOut, seen.kind);
    EXPECT_EQ(view->GetElementById(WIDE("cat0")), seen.source);

    // Back in and out again: each visit ends with its own mouse-out.
    host.events.clear();
    winsim::HoverWindow(window, CentreOf(WIDE("txt1")));
    winsim::MovePointer(outside);
    Pump();
    ASSERT_EQ(host.events.size(), 2u);
    EXPECT_EQ(ElementEvent::MouseOver, host.events[0].kind);
    EXPECT_EQ(ElementEvent::MouseOut, host.events[1].kind);
    EXPECT_EQ(host.events[0].source, host.events[1].source) << "the element that had the pointer";

    host.events.clear();
    winsim::MovePointer(POINT{outside.x + 5, outside.y});
    Pump();
    EXPECT_TRUE(host.events.empty()) << "moving about elsewhere tells nothing";
}

// The list's scroll bar answers the mouse as the desktop's do: its arrows move a line, the
// track a page, again and again while held; the thumb follows the pointer while it is held.
TEST_F(HtmlViewTest, TheScrollBarsArrowsTrackAndThumbScrollTheList) {
    Load(104);
    ElementPtr list = view->GetElementById(WIDE("tblTexts"));
    list->SetInnerHtml(Wide(Rows(30)));
    RECT box;
    ASSERT_TRUE(view->GetElementClientRect(list, &box));
    const LONG x = box.right - 1 - 8; // inside the border, in the middle of the bar
    const POINT up = {x, box.top + 1 + 8};
    const POINT down = {x, box.bottom - 1 - 8};
    const auto press = [this](POINT at) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(at));
        SendMessageA(window, WM_LBUTTONUP, 0, At(at));
    };

    press(down);
    EXPECT_EQ(list->GetScrollTop(), 16) << "one line down";
    press(down);
    press(up);
    EXPECT_EQ(list->GetScrollTop(), 16) << "and back up";
    press(POINT{x, down.y - 20});
    const LONG paged = list->GetScrollTop();
    EXPECT_GT(paged, 16 + 150) << "a page down";

    // Held down, an arrow repeats its step after a pause, then quickly, until it is released.
    list->SetScrollTop(0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(down));
    EXPECT_EQ(list->GetScrollTop(), 16);
    winsim::LetTimePass(450);
    Pump();
    EXPECT_EQ(list->GetScrollTop(), 32);
    winsim::LetTimePass(60);
    Pump();
    EXPECT_EQ(list->GetScrollTop(), 48);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{x - 100, down.y}));
    winsim::LetTimePass(60);
    Pump();
    EXPECT_EQ(list->GetScrollTop(), 48) << "paused while the pointer is off the arrow";
    SendMessageA(window, WM_LBUTTONUP, 0, At(POINT{x - 100, down.y}));
    winsim::LetTimePass(1000);
    Pump();
    EXPECT_EQ(list->GetScrollTop(), 48) << "released";

    // Dragging the thumb to the bottom of the bar shows the end of the list.
    list->SetScrollTop(0);
    const POINT thumb = {x, up.y + 16};
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, At(thumb));
    EXPECT_EQ(GetCapture(), window) << "the bar keeps the pointer while the thumb is held";
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{x, box.bottom + 100}));
    list->SetScrollTop(1000000);
    const LONG end = list->GetScrollTop();
    list->SetScrollTop(0);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{x, box.bottom + 100}));
    EXPECT_EQ(end, list->GetScrollTop());
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, At(POINT{x, box.top - 100}));
    EXPECT_EQ(list->GetScrollTop(), 0) << "and back to the top";
    host.events.clear();
    SendMessageA(window, WM_LBUTTONUP, 0, At(POINT{x, box.top - 100}));
    EXPECT_NE(window, GetCapture());
    SendMessageA(window, WM_MOUSEMOVE, 0, At(POINT{x, box.bottom + 100}));
    EXPECT_EQ(list->GetScrollTop(), 0) << "released: moving scrolls nothing";
    for (const Event& event : host.events) {
        EXPECT_NE(ElementEvent::Click, event.kind) << "a drag is no click";
    }
}

} // namespace
