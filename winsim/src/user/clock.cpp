// The virtual clock: tick count, wall-clock time and timers. Time moves only when a test or a
// scenario lets it pass.
#include "user/clock_internal.h"
#include "user/mouse_tracking.h"
#include "user/window_internal.h"

#include <winsim/sim_user.h>

#include <algorithm>

namespace winsim::user {
namespace {

// The desktop starts one hour after the system started, on 15 January 2024 at 09:00:00.
constexpr ULONGLONG kStartTick = 3600000;
constexpr long long kStartWallClock = 1705309200000LL; // ms since 1970-01-01, UTC

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    DWORD thread = 0;
    UINT period = 0;
    ULONGLONG next = 0;
    TIMERPROC proc = nullptr;
    bool due = false;
};

struct Clock {
    ULONGLONG elapsed = 0;   // ms since the desktop started
    ULONGLONG waitUntil = 0; // end of a scripted wait under way
    long long wallClockBase = kStartWallClock;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 0x7F00;
    bool inStep = false;
};

Clock& TheClock() {
    static Clock clock;
    return clock;
}

void MarkDue(ULONGLONG now) {
    for (Timer& t : TheClock().timers) {
        if (t.next <= now) {
            // Expiries that the program did not take in time merge into one WM_TIMER.
            t.due = true;
            ULONGLONG behind = (now - t.next) / t.period + 1;
            t.next += behind * t.period;
        }
    }
}

void AdvanceTo(ULONGLONG target) {
    Clock& c = TheClock();
    if (target > c.elapsed) {
        c.elapsed = target;
        MarkDue(target);
    }
}

UINT ClampPeriod(UINT elapse) {
    if (elapse < USER_TIMER_MINIMUM) {
        return USER_TIMER_MINIMUM;
    }
    if (elapse > USER_TIMER_MAXIMUM) {
        return USER_TIMER_MAXIMUM;
    }
    return elapse;
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(long long z, int* y, unsigned* m, unsigned* d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *d = doy - (153 * mp + 2) / 5 + 1;
    *m = mp < 10 ? mp + 3 : mp - 9;
    *y = static_cast<int>(yy + (*m <= 2));
}

long long DaysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

SYSTEMTIME FromMilliseconds(long long ms) {
    long long days = ms >= 0 ? ms / 86400000 : (ms - 86399999) / 86400000;
    long long rest = ms - days * 86400000;
    int y;
    unsigned m;
    unsigned d;
    CivilFromDays(days, &y, &m, &d);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    st.wHour = static_cast<WORD>(rest / 3600000);
    st.wMinute = static_cast<WORD>(rest / 60000 % 60);
    st.wSecond = static_cast<WORD>(rest / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(rest % 1000);
    return st;
}

// FILETIME counts 100 ns since 1601-01-01.
constexpr long long kEpochDifferenceMs = 11644473600000LL;

} // namespace

bool AdvancePendingWait() {
    Clock& c = TheClock();
    if (c.waitUntil <= c.elapsed) {
        return false;
    }
    ULONGLONG step = c.waitUntil;
    for (const Timer& t : c.timers) {
        step = std::min(step, t.next);
    }
    if (ULONGLONG hover = NextMouseHoverTick()) {
        // A pointer resting on a tracked window is noticed on time, as a timer would be.
        step = std::min(step, hover > kStartTick ? hover - kStartTick : 0);
    }
    step = std::max(step, c.elapsed + 1);
    AdvanceTo(std::min(step, c.waitUntil));
    return true;
}

bool TakeDueTimer(DWORD thread, HWND filter, MSG* msg, bool remove) {
    for (Timer& t : TheClock().timers) {
        if (!t.due || t.thread != thread) {
            continue;
        }
        if (filter && filter != reinterpret_cast<HWND>(-1) && t.hwnd != filter &&
            !IsChild(filter, t.hwnd)) {
            continue;
        }
        if (filter == reinterpret_cast<HWND>(-1) && t.hwnd) {
            continue;
        }
        *msg = MSG{};
        msg->hwnd = t.hwnd;
        msg->message = WM_TIMER;
        msg->wParam = t.id;
        msg->lParam = reinterpret_cast<LPARAM>(t.proc);
        msg->time = GetTickCount();
        msg->pt = POINT{};
        if (remove) {
            t.due = false;
        }
        return true;
    }
    return false;
}

bool IsLiveTimer(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
    for (const Timer& t : TheClock().timers) {
        if (t.hwnd == hwnd && t.id == id && t.proc == proc) {
            return true;
        }
    }
    return false;
}

void KillWindowTimers(HWND hwnd) {
    auto& timers = TheClock().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

void ResetClock() {
    TheClock() = Clock();
}

void SetInScriptStep(bool inStep) {
    TheClock().inStep = inStep;
}

} // namespace winsim::user

namespace winsim {

void LetTimePass(DWORD milliseconds) {
    using namespace winsim::user;
    Clock& c = TheClock();
    if (c.inStep) {
        // Inside a scripted step the program's loops take the time in slices, handling every
        // timer as it expires.
        c.waitUntil = std::max(c.waitUntil, c.elapsed) + milliseconds;
        return;
    }
    AdvanceTo(c.elapsed + milliseconds);
}

void SetWallClock(int year, int month, int day, int hour, int minute, int second) {
    using namespace winsim::user;
    long long days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    long long ms = days * 86400000LL + hour * 3600000LL + minute * 60000LL + second * 1000LL;
    TheClock().wallClockBase = ms - static_cast<long long>(TheClock().elapsed);
}

bool TimeIsPassing() {
    using namespace winsim::user;
    return TheClock().waitUntil > TheClock().elapsed;
}

} // namespace winsim

using namespace winsim::user;

DWORD WINAPI GetTickCount() {
    return static_cast<DWORD>(kStartTick + TheClock().elapsed);
}

ULONGLONG WINAPI GetTickCount64() {
    return kStartTick + TheClock().elapsed;
}

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime) {
        Clock& c = TheClock();
        *lpSystemTime = FromMilliseconds(c.wallClockBase + static_cast<long long>(c.elapsed));
    }
}

void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    // The desktop's time zone is UTC.
    GetLocalTime(lpSystemTime);
}

void WINAPI GetSystemTimeAsFileTime(FILETIME* lpSystemTimeAsFileTime) {
    if (!lpSystemTimeAsFileTime) {
        return;
    }
    Clock& c = TheClock();
    long long ms = c.wallClockBase + static_cast<long long>(c.elapsed) + kEpochDifferenceMs;
    ULONGLONG units = static_cast<ULONGLONG>(ms) * 10000ULL;
    lpSystemTimeAsFileTime->dwLowDateTime = static_cast<DWORD>(units);
    lpSystemTimeAsFileTime->dwHighDateTime = static_cast<DWORD>(units >> 32);
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, FILETIME* lpFileTime) {
    if (!lpSystemTime || !lpFileTime) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    const SYSTEMTIME& st = *lpSystemTime;
    if (st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 || st.wDay > 31 || st.wHour > 23 ||
        st.wMinute > 59 || st.wSecond > 59 || st.wMilliseconds > 999 || st.wYear < 1601) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long long days = DaysFromCivil(st.wYear, st.wMonth, st.wDay);
    long long ms = days * 86400000LL + st.wHour * 3600000LL + st.wMinute * 60000LL +
                   st.wSecond * 1000LL + st.wMilliseconds + kEpochDifferenceMs;
    ULONGLONG units = static_cast<ULONGLONG>(ms) * 10000ULL;
    lpFileTime->dwLowDateTime = static_cast<DWORD>(units);
    lpFileTime->dwHighDateTime = static_cast<DWORD>(units >> 32);
    return TRUE;
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (!lpFileTime || !lpSystemTime) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    ULONGLONG units =
        (static_cast<ULONGLONG>(lpFileTime->dwHighDateTime) << 32) | lpFileTime->dwLowDateTime;
    if (units >> 63) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long long ms = static_cast<long long>(units / 10000ULL) - kEpochDifferenceMs;
    *lpSystemTime = FromMilliseconds(ms);
    return TRUE;
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    // The program's thread sleeps while the desktop's time goes on; no message is handled.
    AdvanceTo(TheClock().elapsed + dwMilliseconds);
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    Clock& c = TheClock();
    DWORD thread = kProgramThread;
    if (hWnd) {
        Window* w = FindOrFail(hWnd);
        if (!w) {
            return 0;
        }
        if (w->thread != kProgramThread) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    UINT period = ClampPeriod(uElapse);
    for (Timer& t : c.timers) {
        if (t.hwnd == hWnd && t.thread == thread && t.id == nIDEvent && (hWnd || nIDEvent)) {
            // Setting an existing timer again restarts it with the new period.
            t.period = period;
            t.proc = lpTimerFunc;
            t.next = c.elapsed + period;
            t.due = false;
            return hWnd ? (nIDEvent ? nIDEvent : 1) : nIDEvent;
        }
    }
    Timer t;
    t.hwnd = hWnd;
    t.id = hWnd ? nIDEvent : c.nextThreadTimer++;
    t.thread = thread;
    t.period = period;
    t.next = c.elapsed + period;
    t.proc = lpTimerFunc;
    c.timers.push_back(t);
    return hWnd ? (nIDEvent ? nIDEvent : 1) : t.id;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    if (hWnd && !FindOrFail(hWnd)) {
        return FALSE;
    }
    auto& timers = TheClock().timers;
    for (auto it = timers.begin(); it != timers.end(); ++it) {
        if (it->hwnd == hWnd && it->id == uIDEvent) {
            timers.erase(it);
            return TRUE;
        }
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
