// Windows, their texts and the messages they get, as the program relies on them.
#include "tests/conformance/Conformance.h"

#include <cstring>
#include <vector>

namespace {

std::vector<UINT> g_messages;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_messages.push_back(message);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// Position of the first `message` in the record, or -1.
int IndexOf(UINT message) {
    for (size_t i = 0; i < g_messages.size(); ++i) {
        if (g_messages[i] == message) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

CONFORMANCE_TEST(CreationAndDestructionMessagesComeInOrder) {
    g_messages.clear();
    HWND hWnd = conformance::MakeTopWindow("Ordre", RecordingProc);
    EXPECT(hWnd != nullptr);
    // The frame is created before the client: WM_NCCREATE, then WM_CREATE.
    EXPECT(IndexOf(WM_NCCREATE) >= 0);
    EXPECT(IndexOf(WM_CREATE) > IndexOf(WM_NCCREATE));
    // Before both, an overlapped window is asked for its size limits, and between them its client
    // area is computed. Nothing of the program answers these two.
    EXPECT_EQ(IndexOf(WM_GETMINMAXINFO), 0);
    EXPECT(IndexOf(WM_NCCALCSIZE) > IndexOf(WM_NCCREATE));
    EXPECT(IndexOf(WM_NCCALCSIZE) < IndexOf(WM_CREATE));
    EXPECT_EQ(IndexOf(WM_DESTROY), -1);

    g_messages.clear();
    ::DestroyWindow(hWnd);
    EXPECT(IndexOf(WM_DESTROY) >= 0);
    EXPECT(IndexOf(WM_NCDESTROY) > IndexOf(WM_DESTROY));
    EXPECT(!::IsWindow(hWnd));
}

namespace {

// Creates a window of the recording class with these styles, under `parent` when given.
HWND MakeRecordedWindow(DWORD style, HWND parent, int width, int height) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ConformanceRecorded";
    ::RegisterClassA(&wc);
    g_messages.clear();
    return ::CreateWindowExA(0, wc.lpszClassName, "Ordre", style, 10, 10, width, height, parent,
                             nullptr, wc.hInstance, nullptr);
}

// A window that asks for at least 300 x 200 and takes its whole rectangle as client area.
LRESULT CALLBACK OwnLimitsProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = 300;
        info->ptMinTrackSize.y = 200;
        return 0;
    }
    if (message == WM_NCCALCSIZE) {
        return 0; // the rectangle stays as it is: no frame at all
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

// Only overlapped and sizable windows are asked for their size limits; every window computes
// its client area before WM_CREATE.
CONFORMANCE_TEST(SizeLimitsAreAskedOfOverlappedAndSizableWindowsOnly) {
    HWND popup = MakeRecordedWindow(WS_POPUP | WS_CAPTION, nullptr, 200, 120);
    EXPECT(popup != nullptr);
    EXPECT_EQ(IndexOf(WM_GETMINMAXINFO), -1);
    EXPECT(IndexOf(WM_NCCALCSIZE) > IndexOf(WM_NCCREATE));
    EXPECT(IndexOf(WM_NCCALCSIZE) < IndexOf(WM_CREATE));

    HWND child = MakeRecordedWindow(WS_CHILD, popup, 50, 20);
    EXPECT(child != nullptr);
    EXPECT_EQ(IndexOf(WM_GETMINMAXINFO), -1);
    EXPECT(IndexOf(WM_NCCALCSIZE) > IndexOf(WM_NCCREATE));
    EXPECT(IndexOf(WM_NCCALCSIZE) < IndexOf(WM_CREATE));

    HWND sizable = MakeRecordedWindow(WS_POPUP | WS_THICKFRAME, nullptr, 200, 120);
    EXPECT(sizable != nullptr);
    EXPECT_EQ(IndexOf(WM_GETMINMAXINFO), 0);
    ::DestroyWindow(sizable);
    ::DestroyWindow(popup);
}

// The limits and the client area that a window answers are the ones it gets.
CONFORMANCE_TEST(AnswersToSizeLimitsAndClientAreaAreKept) {
    HWND hWnd = conformance::MakeTopWindow("Limites", OwnLimitsProc);
    RECT window = {};
    ::GetWindowRect(hWnd, &window);
    EXPECT_EQ(window.right - window.left, 300L);
    EXPECT_EQ(window.bottom - window.top, 200L);
    RECT client = {};
    ::GetClientRect(hWnd, &client);
    EXPECT_EQ(client.right, 300L);
    EXPECT_EQ(client.bottom, 200L);
    ::DestroyWindow(hWnd);
}

CONFORMANCE_TEST(PostedMessagesComeBeforeQuit) {
    HWND hWnd = conformance::MakeTopWindow("File");
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    ::PostQuitMessage(3);
    ::PostMessageA(hWnd, WM_USER + 1, 1, 0);
    ::PostMessageA(hWnd, WM_USER + 2, 2, 0);
    std::vector<UINT> order;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_USER + 1 || msg.message == WM_USER + 2 || msg.message == WM_QUIT) {
            order.push_back(msg.message);
        }
        if (msg.message == WM_QUIT) {
            EXPECT_EQ(static_cast<int>(msg.wParam), 3);
            break;
        }
    }
    EXPECT_EQ(order.size(), 3u);
    if (order.size() == 3) {
        EXPECT_EQ(static_cast<UINT>(WM_USER + 1), order[0]);
        EXPECT_EQ(static_cast<UINT>(WM_USER + 2), order[1]);
        EXPECT_EQ(order[2], static_cast<UINT>(WM_QUIT));
    }
    ::DestroyWindow(hWnd);
}

CONFORMANCE_TEST(WindowTextIsCutToTheBuffer) {
    HWND hWnd = conformance::MakeTopWindow("Verbacap");
    char text[16];
    std::memset(text, 'x', sizeof text);
    // Room for four characters and the terminating zero.
    EXPECT_EQ(::GetWindowTextA(hWnd, text, 5), 4);
    EXPECT_STREQ("Verb", text);
    EXPECT_EQ(::GetWindowTextLengthA(hWnd), 8);

    // No room at all: nothing is written.
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(::GetWindowTextA(hWnd, text, 0), 0);
    EXPECT_EQ(text[0], 'x');

    // A long title is kept whole.
    std::string longTitle(5000, 'a');
    longTitle += "fin";
    EXPECT(::SetWindowTextA(hWnd, longTitle.c_str()));
    std::vector<char> buffer(6000, '\0');
    EXPECT_EQ(::GetWindowTextA(hWnd, buffer.data(), static_cast<int>(buffer.size())), 5003);
    EXPECT_STREQ(longTitle, buffer.data());
    ::DestroyWindow(hWnd);
}

CONFORMANCE_TEST(ChildWindowsAreWalkedInCreationOrder) {
    HWND parent = conformance::MakeTopWindow("Parent");
    HWND first = ::CreateWindowExA(0, "STATIC", "un", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                   nullptr, nullptr);
    HWND second = ::CreateWindowExA(0, "BUTTON", "deux", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                    nullptr, nullptr);
    HWND inner = ::CreateWindowExA(0, "STATIC", "trois", WS_CHILD, 0, 0, 10, 10, first, nullptr,
                                   nullptr, nullptr);
    EXPECT(::GetWindow(parent, GW_CHILD) == first);
    EXPECT(::GetWindow(first, GW_HWNDNEXT) == second);
    EXPECT(::GetWindow(second, GW_HWNDNEXT) == nullptr);
    EXPECT(::GetWindow(first, GW_CHILD) == inner);
    EXPECT(::GetParent(inner) == first);
    ::DestroyWindow(parent);
    EXPECT(!::IsWindow(inner));
}

// The message box's text is its child with id 0xFFFF, readable through GetDlgItemTextA while
// the box's own modal loop runs.
namespace {

char g_boxText[64];
UINT g_boxLength = 0;
UINT g_boxCutLength = 0;
char g_boxCut[64];
bool g_boxFound = false;

void CALLBACK ReadMessageBox(HWND, UINT, UINT_PTR idEvent, DWORD) {
    HWND box = ::FindWindowA("#32770", "Boite de test");
    if (box == nullptr) {
        return;
    }
    ::KillTimer(nullptr, idEvent);
    g_boxFound = true;
    g_boxLength = ::GetDlgItemTextA(box, 0xFFFF, g_boxText, sizeof g_boxText);
    g_boxCutLength = ::GetDlgItemTextA(box, 0xFFFF, g_boxCut, 6);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

} // namespace

CONFORMANCE_TEST(MessageBoxTextIsItemFFFF) {
    g_boxFound = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ReadMessageBox);
    EXPECT(timer != 0);
    const int answer = ::MessageBoxA(nullptr, "Ligne un\nLigne deux", "Boite de test", MB_OK);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(answer, IDOK);
    EXPECT(g_boxFound);
    EXPECT_EQ(g_boxLength, 19u);
    EXPECT_STREQ("Ligne un\nLigne deux", g_boxText);
    EXPECT_EQ(g_boxCutLength, 5u);
    EXPECT_STREQ("Ligne", g_boxCut);
}

// DialogBox shows its dialog the first time the dialog's message queue goes empty, whatever the
// template says and whatever the dialog did to its visibility before, in WM_INITDIALOG or in a
// message posted then: a dialog that is to start hidden must hide after that moment.
namespace {

bool g_shownAfterHiding = false;
int g_ticks = 0;

INT_PTR CALLBACK HidingDialogProc(HWND hDlg, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        ::ShowWindow(hDlg, SW_HIDE);
        // A posted message comes before the queue is empty.
        ::PostMessageA(hDlg, WM_USER + 7, 0, 0);
        ::SetTimer(hDlg, 1, 100, nullptr);
        return TRUE;
    }
    if (message == WM_USER + 7) {
        ::ShowWindow(hDlg, SW_HIDE);
        return TRUE;
    }
    // A timer message can come before the queue was ever empty, on a busy machine: the dialog
    // has a second to show.
    if (message == WM_TIMER) {
        g_shownAfterHiding = ::IsWindowVisible(hDlg) != FALSE;
        if (g_shownAfterHiding || ++g_ticks >= 10) {
            ::KillTimer(hDlg, 1);
            ::EndDialog(hDlg, 5);
        }
        return TRUE;
    }
    return FALSE;
}

} // namespace

CONFORMANCE_TEST(DialogBoxShowsTheDialogWhenItsQueueFirstGoesEmpty) {
    // DLGTEMPLATE, then no menu, the default class and an empty title, WORD-aligned.
    WORD buffer[32] = {};
    auto* dialogTemplate = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dialogTemplate->style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialogTemplate->cx = 100;
    dialogTemplate->cy = 50;
    g_shownAfterHiding = false;
    g_ticks = 0;
    const INT_PTR result = ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), dialogTemplate,
                                                     nullptr, HidingDialogProc, 0);
    EXPECT_EQ(static_cast<int>(result), 5);
    EXPECT(g_shownAfterHiding);
}

namespace {

// Every WM_ACTIVATE's wParam, in order.
std::vector<WPARAM> g_activations;

LRESULT CALLBACK ActivationProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE) {
        g_activations.push_back(wParam);
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

// The minimise button of the caption: the active window loses the activation as a minimised
// window, which is how the main window knows to go to the notification area.
CONFORMANCE_TEST(MinimisingTheActiveWindowDeactivatesItAsMinimised) {
    HWND hWnd = conformance::MakeTopWindow("Minimiser", ActivationProc);
    ::ShowWindow(hWnd, SW_SHOW);
    ::SetForegroundWindow(hWnd);
    EXPECT(::GetActiveWindow() == hWnd);
    g_activations.clear();
    ::SendMessageA(hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT(::IsIconic(hWnd));
    // Whatever the system posts on the way is handled too.
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < 300) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
    bool deactivatedAsMinimised = false;
    for (WPARAM wParam : g_activations) {
        if (LOWORD(wParam) == WA_INACTIVE && HIWORD(wParam) != 0) {
            deactivatedAsMinimised = true;
        }
    }
    // Wine 8 leaves the minimised window active and sends it no WM_ACTIVATE at all.
    EXPECT(deactivatedAsMinimised || BROKEN_ON_WINE(g_activations.empty()));
    ::DestroyWindow(hWnd);
}
