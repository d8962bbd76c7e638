// The shell's painting: the desktop background where no window covers it, and the taskbar with
// the notification area, which lies above every window that is not topmost. It draws through
// the public GDI functions on the screen's DC, as the shell of Windows draws through its own.
#include "core/shell.h"
#include "system/system_metrics.h"
#include "system/taskbar.h"
#include "system/tray_state.h"
#include "system/windows_version.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>
#include <winsim/wingdi.h>
#include <winsim/winuser.h>
#include <winsim/winuser_system.h>

#include <algorithm>

namespace winsim::system {
namespace {

// The colour the screen starts with, whatever the look.
constexpr COLORREF kDesktopColor = RGB(0, 128, 128);
constexpr int kIconSize = 16;
constexpr int kSlotWidth = 22; // an icon with its spacing
constexpr int kAreaPadding = 4;

// The shell paints in the middle of other calls (a window moves, an icon is added): the
// caller's last error stays as it was.
class LastErrorKept {
public:
    LastErrorKept() : error_(GetLastError()) {}
    ~LastErrorKept() { SetLastError(error_); }
    LastErrorKept(const LastErrorKept&) = delete;
    LastErrorKept& operator=(const LastErrorKept&) = delete;

private:
    DWORD error_;
};

RECT ScreenRect() {
    return RECT{0, 0, Config().screenWidth, Config().screenHeight};
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) {
        return RECT{};
    }
    return r;
}

bool IsEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

size_t ShownIconCount() {
    const auto& icons = TrayIconList();
    return static_cast<size_t>(std::count_if(icons.begin(), icons.end(),
                                             [](const TrayIconRecord& i) { return !i.hidden; }));
}

// The screen that the visible top-level windows cover (only the topmost ones, if asked).
HRGN CoveredByWindows(bool topmostOnly) {
    HRGN covered = CreateRectRgn(0, 0, 0, 0);
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (!IsWindowVisible(window) || IsIconic(window)) {
            continue;
        }
        if (topmostOnly &&
            !(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & WS_EX_TOPMOST)) {
            continue;
        }
        RECT r{};
        GetWindowRect(window, &r);
        HRGN one = CreateRectRgnIndirect(&r);
        CombineRgn(covered, covered, one, RGN_OR);
        DeleteObject(one);
    }
    return covered;
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

struct FlatColors {
    COLORREF bar;
    COLORREF barTop;
    COLORREF area;
    COLORREF areaEdge;
    COLORREF areaLight;
};

// The taskbar of Windows XP and later: a coloured strip with a lighter line along its top, and
// a notification area of its own colour set off by a line on its left.
void PaintFlat(HDC dc, const RECT& bar, const RECT& area, const FlatColors& colors) {
    Fill(dc, bar, colors.bar);
    Fill(dc, RECT{bar.left, bar.top, bar.right, bar.top + 1}, colors.barTop);
    Fill(dc, RECT{area.left, bar.top + 1, area.right, bar.bottom}, colors.area);
    Fill(dc, RECT{area.left, bar.top + 1, area.left + 1, bar.bottom}, colors.areaEdge);
    Fill(dc, RECT{area.left + 1, bar.top + 1, area.left + 2, bar.bottom}, colors.areaLight);
}

// The classic taskbar: a raised grey strip with the notification area sunk into it.
void PaintClassic(HDC dc, const RECT& bar, const RECT& area) {
    Fill(dc, bar, GetSysColor(COLOR_BTNFACE));
    RECT top = bar;
    DrawEdge(dc, &top, EDGE_RAISED, BF_TOP);
    RECT sunk{area.left, area.top + 2, area.right - 2, area.bottom - 2};
    DrawEdge(dc, &sunk, BDR_SUNKENOUTER, BF_RECT);
}

void PaintIcons(HDC dc) {
    size_t shown = 0;
    for (const TrayIconRecord& icon : TrayIconList()) {
        if (icon.hidden) {
            continue;
        }
        RECT slot = TrayIconSlot(shown++);
        if (icon.icon) {
            // An icon handle that is no longer valid leaves its place empty, as on Windows.
            DrawIconEx(dc, slot.left, slot.top, icon.icon, kIconSize, kIconSize, 0, nullptr,
                       DI_NORMAL);
        }
    }
}

void PaintTaskbarOn(HDC dc) {
    RECT bar = TaskbarRect();
    RECT area = NotificationAreaRect();
    switch (CurrentLook()) {
    case Look::Standard95:
    case Look::Classic:
        PaintClassic(dc, bar, area);
        break;
    case Look::Luna:
        PaintFlat(dc, bar, area,
                  FlatColors{RGB(36, 94, 229), RGB(86, 145, 245), RGB(15, 143, 240),
                             RGB(10, 72, 180), RGB(110, 190, 250)});
        break;
    case Look::Aero:
        PaintFlat(dc, bar, area,
                  FlatColors{RGB(26, 44, 70), RGB(90, 110, 140), RGB(26, 44, 70), RGB(26, 44, 70),
                             RGB(26, 44, 70)});
        break;
    case Look::Modern:
        PaintFlat(dc, bar, area,
                  FlatColors{RGB(16, 16, 16), RGB(16, 16, 16), RGB(16, 16, 16), RGB(16, 16, 16),
                             RGB(16, 16, 16)});
        break;
    }
    PaintIcons(dc);
}

} // namespace

RECT TaskbarRect() {
    RECT screen = ScreenRect();
    RECT work = WorkArea();
    return Intersect(RECT{screen.left, work.bottom, screen.right, screen.bottom}, screen);
}

RECT NotificationAreaRect() {
    RECT bar = TaskbarRect();
    if (IsEmpty(bar)) {
        return RECT{};
    }
    int width = 2 * kAreaPadding + static_cast<int>(ShownIconCount()) * kSlotWidth;
    return RECT{std::max(bar.left, bar.right - width), bar.top, bar.right, bar.bottom};
}

RECT TrayIconSlot(size_t shownIndex) {
    RECT area = NotificationAreaRect();
    int right = area.right - kAreaPadding - static_cast<int>(shownIndex) * kSlotWidth;
    int left = right - kSlotWidth + (kSlotWidth - kIconSize) / 2;
    int top = area.top + (area.bottom - area.top - kIconSize) / 2;
    return RECT{left, top, left + kIconSize, top + kIconSize};
}

void PaintTaskbar() {
    internal::ShellAreaChanged(TaskbarRect());
}

} // namespace winsim::system

namespace winsim::internal {

void ShellAreaChanged(const RECT& screenArea) {
    using namespace winsim::system;
    RECT area = Intersect(screenArea, ScreenRect());
    if (IsEmpty(area)) {
        return;
    }
    LastErrorKept kept;
    HDC dc = GetDC(nullptr);
    if (!dc) {
        return;
    }
    RECT bar = TaskbarRect();

    // The desktop shows where neither a window nor the taskbar covers it.
    HRGN desktop = CreateRectRgnIndirect(&area);
    HRGN windows = CoveredByWindows(false);
    HRGN barRegion = CreateRectRgnIndirect(&bar);
    CombineRgn(desktop, desktop, windows, RGN_DIFF);
    CombineRgn(desktop, desktop, barRegion, RGN_DIFF);
    SelectClipRgn(dc, desktop);
    Fill(dc, area, kDesktopColor);

    // The taskbar shows where no topmost window covers it.
    RECT barPart = Intersect(area, bar);
    if (!IsEmpty(barPart)) {
        HRGN taskbar = CreateRectRgnIndirect(&barPart);
        HRGN topmost = CoveredByWindows(true);
        CombineRgn(taskbar, taskbar, topmost, RGN_DIFF);
        SelectClipRgn(dc, taskbar);
        PaintTaskbarOn(dc);
        DeleteObject(topmost);
        DeleteObject(taskbar);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(barRegion);
    DeleteObject(windows);
    DeleteObject(desktop);
    ReleaseDC(nullptr, dc);
}

void ShellStarted() {
    ShellAreaChanged(RECT{0, 0, Config().screenWidth, Config().screenHeight});
}

} // namespace winsim::internal
