#include "recorder.h"

#include <algorithm>
#include <sstream>

namespace usertest {
namespace {

Handler& CurrentHandler() {
    static Handler handler;
    return handler;
}

std::map<HWND, std::string>& Names() {
    static std::map<HWND, std::string> names;
    return names;
}

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Log().push_back(Seen{hwnd, msg, wParam, lParam});
    LRESULT result = 0;
    if (CurrentHandler() && CurrentHandler()(hwnd, msg, wParam, lParam, &result)) {
        return result;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

std::vector<Seen>& Log() {
    static std::vector<Seen> log;
    return log;
}

const char* MessageName(UINT msg) {
    switch (msg) {
    case WM_NCCREATE:
        return "WM_NCCREATE";
    case WM_CREATE:
        return "WM_CREATE";
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_NCDESTROY:
        return "WM_NCDESTROY";
    case WM_SIZE:
        return "WM_SIZE";
    case WM_MOVE:
        return "WM_MOVE";
    case WM_SHOWWINDOW:
        return "WM_SHOWWINDOW";
    case WM_ACTIVATE:
        return "WM_ACTIVATE";
    case WM_NCACTIVATE:
        return "WM_NCACTIVATE";
    case WM_ACTIVATEAPP:
        return "WM_ACTIVATEAPP";
    case WM_SETFOCUS:
        return "WM_SETFOCUS";
    case WM_KILLFOCUS:
        return "WM_KILLFOCUS";
    case WM_PARENTNOTIFY:
        return "WM_PARENTNOTIFY";
    case WM_HOTKEY:
        return "WM_HOTKEY";
    case WM_TIMER:
        return "WM_TIMER";
    case WM_COMMAND:
        return "WM_COMMAND";
    case WM_INITDIALOG:
        return "WM_INITDIALOG";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_SYSKEYDOWN:
        return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP:
        return "WM_SYSKEYUP";
    case WM_CHAR:
        return "WM_CHAR";
    case WM_CLOSE:
        return "WM_CLOSE";
    case WM_SYSCOMMAND:
        return "WM_SYSCOMMAND";
    case WM_ENTERMENULOOP:
        return "WM_ENTERMENULOOP";
    case WM_EXITMENULOOP:
        return "WM_EXITMENULOOP";
    case WM_INITMENU:
        return "WM_INITMENU";
    case WM_INITMENUPOPUP:
        return "WM_INITMENUPOPUP";
    case WM_UNINITMENUPOPUP:
        return "WM_UNINITMENUPOPUP";
    case WM_MENUSELECT:
        return "WM_MENUSELECT";
    case WM_MEASUREITEM:
        return "WM_MEASUREITEM";
    case WM_DRAWITEM:
        return "WM_DRAWITEM";
    case WM_ENTERIDLE:
        return "WM_ENTERIDLE";
    case WM_MOUSEACTIVATE:
        return "WM_MOUSEACTIVATE";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_ENABLE:
        return "WM_ENABLE";
    case WM_MOUSEMOVE:
        return "WM_MOUSEMOVE";
    case WM_MOUSELEAVE:
        return "WM_MOUSELEAVE";
    case WM_NCMOUSELEAVE:
        return "WM_NCMOUSELEAVE";
    case WM_MOUSEHOVER:
        return "WM_MOUSEHOVER";
    case WM_NCMOUSEHOVER:
        return "WM_NCMOUSEHOVER";
    default:
        return "?";
    }
}

std::vector<std::string> Trace(const std::vector<UINT>& interesting) {
    std::vector<std::string> out;
    for (const Seen& s : Log()) {
        for (UINT m : interesting) {
            if (s.msg == m) {
                auto it = Names().find(s.hwnd);
                std::string name = it == Names().end() ? "?" : it->second;
                out.push_back(name + ":" + MessageName(m));
            }
        }
    }
    return out;
}

namespace {

std::string WindowName(HWND hwnd) {
    auto it = Names().find(hwnd);
    return it == Names().end() ? "?" : it->second;
}

bool Matches(const ExpectedMessage& row, const Seen& seen) {
    return row.msg == seen.msg && WindowName(seen.hwnd) == row.window &&
           (!(row.flags & kWParam) || row.wParam == seen.wParam) &&
           (!(row.flags & kLParam) || row.lParam == seen.lParam);
}

std::string Describe(const std::string& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::ostringstream out;
    out << window << ":" << MessageName(msg) << " wParam=" << wParam << " lParam=" << lParam;
    return out.str();
}

} // namespace

::testing::AssertionResult MessagesInOrder(const std::vector<ExpectedMessage>& expected) {
    std::vector<Seen> seen;
    for (const Seen& s : Log()) {
        if (std::any_of(expected.begin(), expected.end(),
                        [&s](const ExpectedMessage& row) { return row.msg == s.msg; })) {
            seen.push_back(s);
        }
    }
    size_t row = 0;
    while (row < expected.size() && row < seen.size() && Matches(expected[row], seen[row])) {
        ++row;
    }
    if (row == expected.size() && row == seen.size()) {
        return ::testing::AssertionSuccess();
    }
    const std::string problem = row == expected.size()
                                    ? "more messages than the table lists"
                                    : "row " + std::to_string(row) + " (" +
                                          Describe(expected[row].window, expected[row].msg,
                                                   expected[row].wParam, expected[row].lParam) +
                                          (row < seen.size() ? ") differs" : ") never came");
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << problem << "\nexpected:";
    for (const ExpectedMessage& e : expected) {
        failure << "\n  " << Describe(e.window, e.msg, e.wParam, e.lParam);
    }
    failure << "\nseen:";
    for (const Seen& s : seen) {
        failure << "\n  " << Describe(WindowName(s.hwnd), s.msg, s.wParam, s.lParam);
    }
    return failure;
}

void SetHandler(Handler handler) {
    CurrentHandler() = std::move(handler);
}

void Name(HWND hwnd, const std::string& name) {
    Names()[hwnd] = name;
}

void Setup() {
    winsim::ResetDesktop();
    Log().clear();
    Names().clear();
    CurrentHandler() = nullptr;
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecorderProc;
    wc.lpszClassName = "Recorder";
    RegisterClassA(&wc);
}

HWND MakeTopLevel(const char* title, DWORD style, HWND owner) {
    HWND hwnd = CreateWindowExA(0, "Recorder", title, style, 100, 100, 300, 200, owner, nullptr,
                                nullptr, nullptr);
    Name(hwnd, title);
    return hwnd;
}

HWND MakeChild(HWND parent, int id, const char* text, DWORD style) {
    HWND hwnd =
        CreateWindowExA(0, "Recorder", text, WS_CHILD | style, 10 * id, 10, 50, 20, parent,
                        reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
    Name(hwnd, text);
    return hwnd;
}

} // namespace usertest
