// Dialogs from extended templates, Enter and Esc, the close box, message boxes, the hot-key
// control, and a modal dialog inside a handler while a hot-key arrives.
#include "recorder.h"
#include "tests/support/geometry.h"

#include <winsim/script.h>
#include <winsim/sim_user.h>

#include <gtest/gtest.h>

#include <cstring>

using namespace usertest;

namespace {

// Builds a DLGTEMPLATEEX in memory, as the resource compiler writes it.
class TemplateBuilder {
public:
    TemplateBuilder(const char* title, DWORD style, short cx, short cy) {
        Word(1);
        Word(0xFFFF);
        Dword(0);
        Dword(WS_EX_APPWINDOW);
        Dword(style | DS_SETFONT);
        countAt_ = bytes_.size();
        Word(0);
        Word(0);
        Word(0);
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0); // no menu
        Word(0); // the dialog class
        Text(title);
        Word(8);
        Word(400);
        bytes_.push_back(0);
        bytes_.push_back(1);
        Text("MS Shell Dlg");
    }

    void Control(const char* cls, const char* text, DWORD id, DWORD style, short x, short y,
                 short cx, short cy) {
        while (bytes_.size() % 4) {
            bytes_.push_back(0);
        }
        Dword(0);
        Dword(0);
        Dword(style | WS_CHILD | WS_VISIBLE);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Dword(id);
        Text(cls);
        Text(text);
        Word(0);
        ++count_;
        std::memcpy(bytes_.data() + countAt_, &count_, 2);
    }

    LPCDLGTEMPLATEA Get() const { return reinterpret_cast<LPCDLGTEMPLATEA>(bytes_.data()); }

private:
    void Word(WORD w) {
        bytes_.push_back(static_cast<unsigned char>(w));
        bytes_.push_back(static_cast<unsigned char>(w >> 8));
    }
    void Dword(DWORD d) {
        Word(static_cast<WORD>(d));
        Word(static_cast<WORD>(d >> 16));
    }
    void Text(const char* s) {
        for (; *s; ++s) {
            Word(static_cast<unsigned char>(*s));
        }
        Word(0);
    }

    std::vector<unsigned char> bytes_;
    size_t countAt_ = 0;
    WORD count_ = 0;
};

struct DialogRun {
    std::vector<UINT> messages;
    std::vector<WPARAM> commands;
    HWND dialog = nullptr;
};

DialogRun* g_run = nullptr;

INT_PTR CALLBACK RecordingDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    g_run->dialog = hwnd;
    g_run->messages.push_back(msg);
    if (msg == WM_INITDIALOG) {
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        g_run->commands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hwnd, LOWORD(wParam));
        }
        return TRUE;
    }
    return FALSE;
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        usertest::Setup();
        run_ = DialogRun();
        g_run = &run_;
    }
    DialogRun run_;
};

TemplateBuilder MainTemplate() {
    TemplateBuilder t("Verbacap",
                      WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_FIXEDSYS,
                      309, 217);
    t.Control("msctls_hotkey32", "", 1000, WS_BORDER | WS_TABSTOP, 105, 95, 84, 16);
    t.Control("Edit", "", 1001, WS_TABSTOP, 10, 10, 50, 12);
    return t;
}

TEST_F(DialogsTest, ControlsAreCreatedFromTheTemplateInDialogUnits) {
    HWND owner = MakeTopLevel("Owner");
    TemplateBuilder t = MainTemplate();
    winsim::ScriptPush("inspect and press Enter", [&] {
        HWND dlg = GetForegroundWindow();
        char title[32];
        GetWindowTextA(dlg, title, sizeof(title));
        EXPECT_STREQ(title, "Verbacap");
        EXPECT_FALSE(IsWindowEnabled(owner)) << "the owner is disabled while the dialog runs";
        HWND hotkey = GetDlgItem(dlg, 1000);
        ASSERT_NE(hotkey, nullptr);
        EXPECT_EQ(winsim::ClassNameOf(hotkey), "msctls_hotkey32");
        RECT unit{0, 0, 4, 8};
        ASSERT_TRUE(MapDialogRect(dlg, &unit));
        const int baseX = unit.right;
        const int baseY = unit.bottom;
        EXPECT_GE(baseX, 5);
        EXPECT_LE(baseX, 7);
        EXPECT_GE(baseY, 12);
        EXPECT_LE(baseY, 16);
        RECT r;
        GetWindowRect(hotkey, &r);
        POINT origin{r.left, r.top};
        ScreenToClient(dlg, &origin);
        EXPECT_EQ(origin, (POINT{(105 * baseX + 2) / 4, (95 * baseY + 4) / 8}));
        EXPECT_EQ(r.right - r.left, (84 * baseX + 2) / 4);
        RECT client;
        GetClientRect(dlg, &client);
        EXPECT_EQ(client.right, (309 * baseX + 2) / 4);
        EXPECT_NE(SendMessageA(dlg, WM_GETFONT, 0, 0), 0) << "the dialog font exists";
        EXPECT_EQ(GetFocus(), hotkey) << "WM_INITDIALOG returned TRUE: the first tab stop";
        winsim::PressKeys("Enter");
    });
    INT_PTR result = DialogBoxIndirectParamA(nullptr, t.Get(), owner, RecordingDialogProc, 5);
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(run_.dialog));
    EXPECT_EQ(run_.messages.front(), static_cast<UINT>(WM_SETFONT));
    EXPECT_EQ(GetForegroundWindow(), owner);
}

TEST_F(DialogsTest, EscapeAndTheCloseBoxCancel) {
    TemplateBuilder t = MainTemplate();
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, 0), IDCANCEL);

    run_ = DialogRun();
    winsim::ScriptPush("close box",
                       [] { winsim::ClickCaptionButton(GetForegroundWindow(), HTCLOSE); });
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, 0), IDCANCEL);
    bool sawClose = false;
    for (UINT m : run_.messages) {
        sawClose = sawClose || m == WM_CLOSE;
    }
    EXPECT_TRUE(sawClose) << "the close box arrives as WM_CLOSE";
}

TEST_F(DialogsTest, ADialogWithoutTabStopsHoldsTheFocusItselfSoEnterAndEscReachIt) {
    TemplateBuilder t("Sans arr\xeat", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 100, 60);
    t.Control("msctls_hotkey32", "", 1000, WS_BORDER, 10, 10, 60, 14);
    winsim::ScriptPush("focus", [] {
        EXPECT_EQ(GetFocus(), g_run->dialog);
        winsim::PressKeys("Enter");
    });
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, 0), IDOK);
    EXPECT_EQ(run_.commands, std::vector<WPARAM>({IDOK}));
    EXPECT_EQ(winsim::ScriptPending(), 1u) << "Enter ended the dialog before Esc was needed";
    winsim::ScriptClear();
}

TEST_F(DialogsTest, TheHotKeyControlTakesTheCombinationPressedWhileFocused) {
    TemplateBuilder t = MainTemplate();
    std::vector<WORD> values;
    winsim::ScriptPush("keys", [&] {
        HWND hotkey = GetDlgItem(GetForegroundWindow(), 1000);
        SendMessageA(hotkey, HKM_SETHOTKEY, MAKEWORD('C', HOTKEYF_ALT), 0);
        values.push_back(static_cast<WORD>(SendMessageA(hotkey, HKM_GETHOTKEY, 0, 0)));
        winsim::PressKeys("Ctrl+Shift+X");
    });
    winsim::ScriptPush("read", [&] {
        HWND hotkey = GetDlgItem(GetForegroundWindow(), 1000);
        values.push_back(static_cast<WORD>(SendMessageA(hotkey, HKM_GETHOTKEY, 0, 0)));
        winsim::PressKeys("Ctrl+Insert");
    });
    winsim::ScriptPush("read again", [&] {
        HWND hotkey = GetDlgItem(GetForegroundWindow(), 1000);
        values.push_back(static_cast<WORD>(SendMessageA(hotkey, HKM_GETHOTKEY, 0, 0)));
        winsim::PressKeys("Backspace");
    });
    winsim::ScriptPush("read and close", [&] {
        HWND hotkey = GetDlgItem(GetForegroundWindow(), 1000);
        values.push_back(static_cast<WORD>(SendMessageA(hotkey, HKM_GETHOTKEY, 0, 0)));
        winsim::PressKeys("Esc");
    });
    DialogBoxIndirectParamA(nullptr, t.Get(), nullptr, RecordingDialogProc, 0);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0], MAKEWORD('C', HOTKEYF_ALT));
    EXPECT_EQ(values[1], MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    EXPECT_EQ(values[2], MAKEWORD(VK_INSERT, HOTKEYF_CONTROL | HOTKEYF_EXT));
    EXPECT_EQ(values[3], 0) << "Backspace clears the control";
}

TEST_F(DialogsTest, TheHotKeyMessageIsDispatchedInsideAModalDialogOpenedByAHandler) {
    HWND main = MakeTopLevel("Main");
    RegisterHotKey(main, 0xC000, MOD_ALT, 'C');
    TemplateBuilder t = MainTemplate();
    INT_PTR inner = 0;
    SetHandler([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
        if (msg == WM_COMMAND && LOWORD(wParam) == 161) {
            inner = DialogBoxIndirectParamA(nullptr, t.Get(), hwnd, RecordingDialogProc, 0);
        }
        return false;
    });
    PostMessageA(main, WM_COMMAND, 161, 0);
    winsim::ScriptPush("Alt+C", [] { winsim::PressKeys("Alt+C"); });
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    winsim::ScriptPush("quit", [] { PostQuitMessage(0); });
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(inner, IDCANCEL);
    std::vector<std::string> trace = Trace({WM_HOTKEY, WM_COMMAND});
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0], "Main:WM_COMMAND");
    EXPECT_EQ(trace[1], "Main:WM_HOTKEY") << "the hot-key arrived while the dialog was open";
}

TEST_F(DialogsTest, MessageBoxShowsItsTextInControlFfffAndReturnsTheAnswer) {
    HWND main = MakeTopLevel("Main");
    winsim::ScriptPush("answer", [&] {
        HWND box = winsim::OpenMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetForegroundWindow(), box);
        EXPECT_EQ(GetWindow(box, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main));
        char text[64];
        EXPECT_EQ(GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)), 21u);
        EXPECT_STREQ(text, "Invalid JPEG file\nend");
        EXPECT_EQ(winsim::MessageBoxCaption(box), "JPEG Error");
        EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
        winsim::AnswerMessageBox(IDNO);
    });
    EXPECT_EQ(MessageBoxA(main, "Invalid JPEG file\nend", "JPEG Error", MB_YESNO | MB_ICONERROR),
              IDNO);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(winsim::OpenMessageBox(), nullptr);
    EXPECT_EQ(GetForegroundWindow(), main);
}

TEST_F(DialogsTest, AnsweringWithoutAnOpenBoxIsAnError) {
    EXPECT_THROW(winsim::AnswerMessageBox(IDOK), std::runtime_error);
}

TEST_F(DialogsTest, EscapeAnswersOkOnlyInABoxWhoseOnlyButtonIsOk) {
    winsim::ScriptPush("Esc", [] { winsim::PressKeys("Esc"); });
    EXPECT_EQ(MessageBoxA(nullptr, "Texte", "Titre", MB_OK), IDOK);

    winsim::ScriptPush("Esc does nothing", [] { winsim::PressKeys("Esc"); });
    winsim::ScriptPush("yes", [] { winsim::AnswerMessageBox(IDYES); });
    EXPECT_EQ(MessageBoxA(nullptr, "Texte", "Titre", MB_YESNO), IDYES);

    winsim::ScriptPush("Enter on the default button", [] { winsim::PressKeys("Enter"); });
    EXPECT_EQ(MessageBoxA(nullptr, "Texte", "Titre", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
}

TEST_F(DialogsTest, AnUnansweredMessageBoxEndsTheRunNamingIt) {
    try {
        MessageBoxA(nullptr, "Texte", "JPEG Error", MB_OK);
        FAIL() << "the run should have ended";
    } catch (const winsim::ScriptExhausted& e) {
        EXPECT_NE(std::string(e.what()).find("the message box 'JPEG Error'"), std::string::npos)
            << e.what();
    }
}

TEST_F(DialogsTest, AnotherProgramsDialogKeepsItsChildrenInOrder) {
    HWND dlg = winsim::ShowOtherProgramDialog(
        "T", {{"A", {{"A1", {}}, {"A2", {}}}}, {"B", {}}, {"C", {}}});
    EXPECT_EQ(GetForegroundWindow(), dlg);
    HWND a = GetWindow(dlg, GW_CHILD);
    HWND b = GetWindow(a, GW_HWNDNEXT);
    HWND c = GetWindow(b, GW_HWNDNEXT);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    char text[8];
    GetWindowTextA(b, text, sizeof(text));
    EXPECT_STREQ(text, "B");
    HWND a1 = GetWindow(a, GW_CHILD);
    GetWindowTextA(GetWindow(a1, GW_HWNDNEXT), text, sizeof(text));
    EXPECT_STREQ(text, "A2");
    // The children lie inside their parent, below its own line of text, and B below them all.
    RECT ra, ra1, ra2, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(a1, &ra1);
    GetWindowRect(GetWindow(a1, GW_HWNDNEXT), &ra2);
    GetWindowRect(b, &rb);
    EXPECT_GE(ra1.top, ra.top + 18);
    EXPECT_LE(ra2.bottom, ra.bottom);
    EXPECT_GE(rb.top, ra.bottom);
}

} // namespace

namespace {

TEST_F(DialogsTest, AnOpenMessageBoxIsPaintedOnTheScreen) {
    COLORREF caption = 0;
    COLORREF face = 0;
    winsim::ScriptPush("look", [&] {
        HWND box = winsim::OpenMessageBox();
        RECT r;
        GetWindowRect(box, &r);
        HDC screen = GetDC(nullptr);
        caption = GetPixel(screen, (r.left + r.right) / 2,
                           r.top + 3 + GetSystemMetrics(SM_CYCAPTION) / 2);
        face = GetPixel(screen, r.left + 6, r.bottom - 6);
        ReleaseDC(nullptr, screen);
        winsim::AnswerMessageBox(IDOK);
    });
    MessageBoxA(nullptr, "Texte", "Titre", MB_OK);
    EXPECT_EQ(caption, GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(face, GetSysColor(COLOR_3DFACE));
}

} // namespace
