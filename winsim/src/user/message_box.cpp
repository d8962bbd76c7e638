// MessageBoxA: a modal dialog built at run time with the icon, the message text (a static
// control with id 0xFFFF, as on Windows) and the buttons of its type.
#include "user/activation.h"
#include "user/builtin_classes.h"
#include "user/dialog_internal.h"
#include "user/dialog_state.h"
#include "user/events.h"
#include "user/geometry.h"
#include "user/message_box_internal.h"
#include "user/window_internal.h"

#include <algorithm>
#include <sstream>

namespace winsim::user {
namespace {

struct ButtonSpec {
    int id;
    const char* text;
};

std::vector<ButtonSpec> ButtonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    case MB_CANCELTRYCONTINUE:
        return {{IDCANCEL, "Cancel"}, {IDTRYAGAIN, "&Try Again"}, {IDCONTINUE, "&Continue"}};
    default:
        return {{IDOK, "OK"}};
    }
}

INT_PTR CALLBACK MessageBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_COMMAND: {
        Window* w = Find(hwnd);
        if (!w || !w->dialog) {
            return FALSE;
        }
        int id = LOWORD(wParam);
        if (id == IDCANCEL && !GetDlgItem(hwnd, IDCANCEL)) {
            // Esc and the close box answer OK in a box whose only button is OK; a box
            // without Cancel otherwise ignores them.
            if (GetDlgItem(hwnd, IDOK) && !GetDlgItem(hwnd, IDNO) && !GetDlgItem(hwnd, IDRETRY)) {
                id = IDOK;
            } else {
                return TRUE;
            }
        } else if (!GetDlgItem(hwnd, id)) {
            return TRUE;
        }
        if (IsOtherProgram(*w)) {
            DestroyWindow(hwnd);
        } else {
            EndDialog(hwnd, id);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace

HWND CreateMessageBoxWindow(HWND owner, const std::string& text, const std::string& caption,
                            UINT type, DWORD thread, DWORD process) {
    // Layout in pixels with the message font's 6 x 13 cells: 75 x 23 buttons 6 apart, the
    // text 12 from the edges (to the right of a 32 x 32 icon when there is one).
    const int cellWidth = 6;
    const int lineHeight = 13;
    const int margin = 12;
    const int buttonWidth = 75;
    const int buttonHeight = 23;
    const int gap = 6;
    const bool icon = (type & MB_ICONMASK) != 0;
    std::vector<std::string> lines = Lines(text);
    size_t longest = 0;
    for (const auto& l : lines) {
        longest = std::max(longest, l.size());
    }
    std::vector<ButtonSpec> buttons = ButtonsFor(type);
    int textWidth = static_cast<int>(longest) * cellWidth;
    int textHeight = static_cast<int>(lines.size()) * lineHeight;
    // The text is measured in the font its static control draws with, when a DC is at hand.
    if (HDC dc = GetDC(nullptr)) {
        TEXTMETRICA tm{};
        if (GetTextMetricsA(dc, &tm) && tm.tmHeight > 0) {
            textWidth = 0;
            for (const auto& l : lines) {
                SIZE size{};
                GetTextExtentPoint32A(dc, l.c_str(), static_cast<int>(l.size()), &size);
                textWidth = std::max(textWidth, static_cast<int>(size.cx) + 2);
            }
            textHeight = static_cast<int>(lines.size()) * tm.tmHeight;
        }
        ReleaseDC(nullptr, dc);
    }
    int textLeft = margin + (icon ? 32 + margin : 0);
    int buttonsWidth = static_cast<int>(buttons.size()) * (buttonWidth + gap) - gap;
    int clientWidth = std::max(textLeft + textWidth + margin, buttonsWidth + 2 * margin);
    clientWidth = std::max(clientWidth, 120);
    int top = std::max(textHeight, icon ? 32 : 0);
    int clientHeight = margin + top + margin + buttonHeight + margin;

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPSIBLINGS;
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
    if (type & (MB_TOPMOST | MB_SYSTEMMODAL)) {
        exStyle |= WS_EX_TOPMOST;
    }
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    RECT area = WorkArea();
    Window* o = Find(owner);
    if (o && (o->style & WS_VISIBLE) && !(o->style & WS_MINIMIZE)) {
        area = o->rect;
    }
    int x = std::max(0, area.left + (area.right - area.left - width) / 2);
    int y = std::max(0, area.top + (area.bottom - area.top - height) / 2);

    HWND box = CreateWindowExA(exStyle, kDialogClass, caption.c_str(), style, x, y, width, height,
                               owner, nullptr, nullptr, nullptr);
    if (!box) {
        return nullptr;
    }
    Window* w = Find(box);
    w->thread = thread;
    w->process = process;
    w->dialog->proc = MessageBoxProc;
    w->dialog->isMessageBox = true;
    w->dialog->baseX = cellWidth;
    w->dialog->baseY = lineHeight;
    if (icon) {
        HWND iconControl =
            CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_ICON, margin, margin, 32,
                            32, box, reinterpret_cast<HMENU>(20), nullptr, nullptr);
        LPCSTR which = IDI_ASTERISK;
        switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            which = IDI_HAND;
            break;
        case MB_ICONQUESTION:
            which = IDI_QUESTION;
            break;
        case MB_ICONEXCLAMATION:
            which = IDI_EXCLAMATION;
            break;
        default:
            break;
        }
        Send(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, which)), 0);
    }
    CreateWindowExA(0, "Static", text.c_str(), WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX,
                    textLeft, margin, textWidth, textHeight, box, reinterpret_cast<HMENU>(0xFFFF),
                    nullptr, nullptr);
    size_t defaultIndex = ((type & MB_DEFMASK) >> 8);
    if (defaultIndex >= buttons.size()) {
        defaultIndex = 0;
    }
    int bx = (clientWidth - buttonsWidth) / 2;
    int by = clientHeight - margin - buttonHeight;
    HWND defaultButton = nullptr;
    for (size_t i = 0; i < buttons.size(); ++i) {
        DWORD bs = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                   (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (i == 0 ? WS_GROUP : 0);
        HWND b = CreateWindowExA(
            0, "Button", buttons[i].text, bs, bx + static_cast<int>(i) * (buttonWidth + gap), by,
            buttonWidth, buttonHeight, box,
            reinterpret_cast<HMENU>(static_cast<uintptr_t>(buttons[i].id)), nullptr, nullptr);
        if (i == defaultIndex) {
            defaultButton = b;
        }
        if (buttons[i].id == IDCANCEL) {
            w = Find(box);
            w->dialog->hasCancel = true;
        }
    }
    w = Find(box);
    w->dialog->defaultId = buttons[defaultIndex].id;
    w->dialog->savedFocus = defaultButton;
    RecordEvent("message box '" + caption + "': " + text);
    ShowWindow(box, SW_SHOWNORMAL);
    return box;
}

} // namespace winsim::user

using namespace winsim::user;

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    if (hWnd && !FindOrFail(hWnd)) {
        return 0;
    }
    HWND owner = hWnd ? RootOf(hWnd) : nullptr;
    bool disabledOwner = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner = true;
    }
    std::string caption = lpCaption ? lpCaption : "Error";
    HWND box = CreateMessageBoxWindow(owner, lpText ? lpText : "", caption, uType, kProgramThread,
                                      kProgramProcess);
    if (!box) {
        if (disabledOwner && Find(owner)) {
            EnableWindow(owner, TRUE);
        }
        return 0;
    }
    INT_PTR result =
        RunModalDialog(box, disabledOwner ? owner : nullptr, "the message box '" + caption + "'");
    return result < 0 ? 0 : static_cast<int>(result);
}
