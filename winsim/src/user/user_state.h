// The state of the user side of the simulated desktop: window classes, windows and their tree,
// threads with their message queues, activation and focus. One instance, cleared by ResetUser.
#pragma once

#include <winsim/windows.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace winsim::user {

// The program runs on this thread of this process; windows of other simulated programs belong
// to threads and processes of their own.
constexpr DWORD kProgramThread = 0x0A04;
constexpr DWORD kProgramProcess = 0x0A00;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    bool system = false;
    int windowCount = 0;
};

struct DialogState;
struct ComboBoxState;

// The thickness of a window's non-client area on each side.
struct Insets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    RECT rect{};       // window rectangle in screen coordinates
    RECT normalRect{}; // where a minimised or maximised window returns to
    // A non-client area of the window's own choosing: its answer to WM_NCCALCSIZE at creation
    // differed from the frame of its styles.
    bool ownFrame = false;
    Insets ownFrameInsets;
    HWND parent = nullptr; // the desktop window for top-level windows
    HWND owner = nullptr;
    std::vector<HWND> children; // in z-order, topmost first
    LONG_PTR id = 0;
    HMENU menu = nullptr;
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<unsigned char> extra;
    DWORD thread = kProgramThread;
    DWORD process = kProgramProcess;
    bool destroying = false;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    HFONT font = nullptr;
    // Painting: the invalid part of the client area, in client coordinates.
    bool needsPaint = false;
    bool needsErase = false;
    bool needsFramePaint = false;
    RECT updateRect{};
    bool inPaint = false;
    // A caption button held down by the pointer (HTCLOSE, HTMINBUTTON ...), 0 when none.
    int pressedCaptionButton = 0;
    std::unique_ptr<DialogState> dialog;
    std::unique_ptr<ComboBoxState> comboBox;
    // Control state of the built-in classes.
    WORD hotKey = 0;
    int checkState = 0;
    bool pushed = false;

    Window();
    ~Window();
};

struct Thread {
    DWORD id = 0;
    DWORD process = 0;
    std::deque<MSG> posted;
    std::deque<MSG> input;
    std::deque<MSG> translated; // characters made by TranslateMessage, taken first
    bool quitPosted = false;
    int quitCode = 0;
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    DWORD lastMessageTime = 0;
    POINT lastMessagePos{};
};

struct UserState {
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::map<DWORD, Thread> threads;
    HWND desktop = nullptr;
    HWND foreground = nullptr;
    uintptr_t nextHandle = 0;
    DWORD nextOtherThread = 0;
    ATOM nextClassAtom = 0;
    std::map<std::string, UINT> registeredMessages;
};

UserState& State();

// The window for a handle, or nullptr (no error set).
Window* Find(HWND hwnd);
// The window for a handle; sets ERROR_INVALID_WINDOW_HANDLE and returns nullptr when there is
// none.
Window* FindOrFail(HWND hwnd);
Thread& ThreadOf(DWORD id);
Thread& ProgramThread();
HWND NewHandle();
bool IsTopLevel(const Window& w);
bool IsOtherProgram(const Window& w);
// The top-level window that contains hwnd (hwnd itself for a top-level window).
HWND RootOf(HWND hwnd);
// hwnd is child (at any depth) of ancestor.
bool IsDescendant(HWND ancestor, HWND hwnd);

// Sends a message straight to the window's procedure (the simulated desktop is one thread, so a
// message to a window of another program is handled at once, as a sent message would be).
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Case-insensitive comparison of class names and menu texts.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

std::shared_ptr<WindowClass> FindClass(LPCSTR name, HINSTANCE instance);

// Internal helpers shared by the files of this area.
void RegisterSystemClasses();
void ForgetWindowInInput(HWND hwnd);
void KillWindowTimers(HWND hwnd);
void ReleaseWindowHotKeys(HWND hwnd);
void ResetClock();
void ResetHotKeysAndAtoms();
void ResetMenus();
void ResetInput();
void NotifyWindowShown(HWND hwnd, bool shown);

} // namespace winsim::user
