// Message queues (one per simulated thread), sending, posting, retrieving and dispatching.
#include "user/activation.h"
#include "user/clock_internal.h"
#include "user/input_internal.h"
#include "user/mouse_tracking.h"
#include "user/paint_internal.h"
#include "user/window_internal.h"

#include <winsim/script.h>

#include <algorithm>
#include <vector>

namespace winsim::user {
namespace {

std::vector<std::string>& WaitStack() {
    static std::vector<std::string> stack;
    return stack;
}

bool InRange(UINT msg, UINT min, UINT max) {
    if (min == 0 && max == 0) {
        return true;
    }
    return msg >= min && msg <= max;
}

bool MatchesWindow(HWND filter, HWND target) {
    if (!filter) {
        return true;
    }
    if (filter == reinterpret_cast<HWND>(-1)) {
        return target == nullptr;
    }
    return target == filter || IsChild(filter, target);
}

bool TakeFrom(std::deque<MSG>& queue, MSG* msg, HWND hwnd, UINT min, UINT max, bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (InRange(it->message, min, max) && MatchesWindow(hwnd, it->hwnd)) {
            *msg = *it;
            if (remove) {
                queue.erase(it);
            }
            return true;
        }
    }
    return false;
}

// Input messages are taken in the order they came; a key message is matched against the
// filter with the window it goes to at this moment.
bool TakeInputFrom(DWORD threadId, std::deque<MSG>& queue, MSG* msg, HWND hwnd, UINT min, UINT max,
                   bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        MSG candidate = *it;
        if (IsKeyboardMessage(candidate.message)) {
            ResolveKeyboardMessage(threadId, &candidate);
        }
        if (InRange(candidate.message, min, max) && MatchesWindow(hwnd, candidate.hwnd)) {
            *msg = candidate;
            if (remove) {
                queue.erase(it);
            }
            return true;
        }
    }
    return false;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    msg.pt = CursorPosition();
    return msg;
}

std::string Quoted(HWND hwnd) {
    Window* w = Find(hwnd);
    return w ? "'" + w->text + "'" : std::string("?");
}

} // namespace

WaitingIn::WaitingIn(std::string what) {
    WaitStack().push_back(std::move(what));
}

WaitingIn::~WaitingIn() {
    WaitStack().pop_back();
}

std::string DescribeWaiting() {
    if (!WaitStack().empty()) {
        return WaitStack().back();
    }
    HWND active = ProgramThread().active;
    if (active) {
        return "the message loop, with the window " + Quoted(active) + " active";
    }
    std::string open;
    for (HWND h : Find(State().desktop)->children) {
        Window* w = Find(h);
        if (w && !IsOtherProgram(*w) && (w->style & WS_VISIBLE)) {
            open += (open.empty() ? "" : ", ") + Quoted(h);
        }
    }
    return open.empty() ? std::string("the message loop, with no window shown")
                        : "the message loop, with the windows " + open + " shown";
}

void WaitForInput() {
    PumpOtherPrograms();
    if (AdvancePendingWait()) {
        return;
    }
    struct StepGuard {
        StepGuard() { SetInScriptStep(true); }
        ~StepGuard() { SetInScriptStep(false); }
    } guard;
    ScriptStepOrFail(DescribeWaiting());
    PumpOtherPrograms();
}

void PumpOtherPrograms() {
    // Other programs handle their queues at once; what they post to each other is handled in
    // the same round, up to a bound that stops two programs that keep posting to each other.
    for (int round = 0; round < 64; ++round) {
        bool any = false;
        std::vector<DWORD> threads;
        for (auto& [id, thread] : State().threads) {
            if (id != kProgramThread) {
                threads.push_back(id);
            }
        }
        for (DWORD id : threads) {
            MSG msg;
            while (TakeMessage(id, &msg, nullptr, 0, 0, true)) {
                any = true;
                HWND root = msg.hwnd ? RootOf(msg.hwnd) : nullptr;
                Window* r = Find(root);
                if (r && r->dialog && IsDialogMessageA(root, &msg)) {
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (!any) {
            return;
        }
    }
}

bool TakeMessage(DWORD threadId, MSG* msg, HWND hwnd, UINT min, UINT max, bool remove) {
    PostDueMouseHover(threadId);
    Thread& thread = ThreadOf(threadId);
    bool found = TakeFrom(thread.translated, msg, hwnd, min, max, remove) ||
                 TakeFrom(thread.posted, msg, hwnd, min, max, remove);
    if (!found && TakeInputFrom(threadId, thread.input, msg, hwnd, min, max, remove)) {
        found = true;
        if (remove) {
            TakeInputMessage(*msg);
        }
    }
    if (!found && thread.quitPosted && InRange(WM_QUIT, min, max)) {
        *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(thread.quitCode), 0);
        if (remove) {
            thread.quitPosted = false;
        }
        found = true;
    }
    if (!found && InRange(WM_PAINT, min, max)) {
        if (HWND target = NextWindowToPaint(threadId, hwnd)) {
            *msg = MakeMessage(target, WM_PAINT, 0, 0);
            found = true;
        }
    }
    if (!found && InRange(WM_TIMER, min, max)) {
        found = TakeDueTimer(threadId, hwnd, msg, remove);
    }
    if (found && remove) {
        Thread& t = ThreadOf(threadId);
        t.lastMessageTime = msg->time;
        t.lastMessagePos = msg->pt;
    }
    return found;
}

void PostToThread(DWORD thread, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ThreadOf(thread).posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

void PostInput(DWORD thread, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ThreadOf(thread).input.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

void ForgetWindowInInput(HWND hwnd) {
    for (auto& entry : State().threads) {
        // A named reference rather than a structured binding: lambdas below capture it.
        auto& thread = entry.second;
        for (auto* queue : {&thread.posted, &thread.input, &thread.translated}) {
            queue->erase(std::remove_if(queue->begin(), queue->end(),
                                        [&](const MSG& m) {
                                            // Typed-ahead keys outlive the window that had the
                                            // focus; they go where the focus is when read.
                                            return m.hwnd == hwnd &&
                                                   !(queue == &thread.input &&
                                                     IsKeyboardMessage(m.message));
                                        }),
                         queue->end());
        }
    }
}

} // namespace winsim::user

using namespace winsim::user;

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                               LPARAM lParam) {
    if (!lpPrevWndFunc) {
        return 0;
    }
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd == HWND_BROADCAST) {
        std::vector<HWND> tops = Find(State().desktop)->children;
        for (HWND h : tops) {
            Send(h, Msg, wParam, lParam);
        }
        return TRUE;
    }
    if (!FindOrFail(hWnd)) {
        return 0;
    }
    return Send(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!hWnd) {
        return PostThreadMessageA(kProgramThread, Msg, wParam, lParam);
    }
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : Find(State().desktop)->children) {
            if (Window* w = Find(h)) {
                PostToThread(w->thread, h, Msg, wParam, lParam);
            }
        }
        return TRUE;
    }
    Window* w = FindOrFail(hWnd);
    if (!w) {
        return FALSE;
    }
    if (hWnd == State().desktop) {
        return TRUE;
    }
    PostToThread(w->thread, hWnd, Msg, wParam, lParam);
    return TRUE;
}

BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (State().threads.find(idThread) == State().threads.end()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    PostToThread(idThread, nullptr, Msg, wParam, lParam);
    return TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    if (hWnd && hWnd != reinterpret_cast<HWND>(-1) && !FindOrFail(hWnd)) {
        return FALSE;
    }
    return TakeMessage(kProgramThread, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax,
                       (wRemoveMsg & PM_REMOVE) != 0);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg) {
        SetLastError(ERROR_NOACCESS);
        return -1;
    }
    if (hWnd && hWnd != reinterpret_cast<HWND>(-1) && !FindOrFail(hWnd)) {
        return -1;
    }
    while (!TakeMessage(kProgramThread, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
        WaitForInput();
    }
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI WaitMessage() {
    MSG msg;
    if (!TakeMessage(kProgramThread, &msg, nullptr, 0, 0, false)) {
        WaitForInput();
    }
    return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg) {
        return FALSE;
    }
    UINT m = lpMsg->message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN) {
        return m == WM_KEYUP || m == WM_SYSKEYUP;
    }
    int ch = CharacterForKey(static_cast<UINT>(lpMsg->wParam));
    if (ch) {
        Window* w = Find(lpMsg->hwnd);
        DWORD thread = w ? w->thread : kProgramThread;
        MSG charMsg = *lpMsg;
        charMsg.message = m == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        charMsg.wParam = static_cast<WPARAM>(ch);
        ThreadOf(thread).translated.push_back(charMsg);
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_NOACCESS);
        return 0;
    }
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        if (!IsLiveTimer(lpMsg->hwnd, lpMsg->wParam, proc)) {
            return 0;
        }
        proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    }
    if (!lpMsg->hwnd) {
        return 0;
    }
    if (!FindOrFail(lpMsg->hwnd)) {
        return 0;
    }
    return Send(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

void WINAPI PostQuitMessage(int nExitCode) {
    Thread& thread = ProgramThread();
    thread.quitPosted = true;
    thread.quitCode = nExitCode;
}

DWORD WINAPI GetMessageTime() {
    return ProgramThread().lastMessageTime;
}

DWORD WINAPI GetMessagePos() {
    POINT p = ProgramThread().lastMessagePos;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

BOOL WINAPI InSendMessage() {
    return FALSE;
}

UINT WINAPI RegisterWindowMessageA(LPCSTR lpString) {
    if (!lpString || !*lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto& table = State().registeredMessages;
    for (auto& [name, id] : table) {
        if (SameTextIgnoringCase(name, lpString)) {
            return id;
        }
    }
    UINT id = 0xC000 + static_cast<UINT>(table.size());
    table[lpString] = id;
    return id;
}
