// Cost of opening the entry popup of the owner-drawn menus: registering its five icons again
// (replaced in place at every opening) and measuring and drawing its six items, in the classic
// and the XP style. The XP style also makes three variants of each icon at registration.
#include "menu/IvyMenu.h"
#include "menu/MenuStyle.h"
#include "menu/SharedIconList.h"

#include <winsim/sim.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const UINT kCommands[] = {139, 138, 130, 131, 0, 132};

// An image list of five 16 x 15 icons on a magenta ground, each with a dark diagonal band.
HIMAGELIST MakeIcons() {
    HIMAGELIST list = ImageList_Create(16, 15, ILC_MASK | ILC_COLORDDB, 1, 1);
    HDC screen = GetDC(NULL);
    HBITMAP strip = CreateCompatibleBitmap(screen, 80, 15);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    HGDIOBJ replaced = SelectObject(dc, strip);
    for (int x = 0; x < 80; ++x) {
        for (int y = 0; y < 15; ++y) {
            const bool band = (x + y) % 16 < 6;
            SetPixel(dc, x, y, band ? RGB(40, 60, 120) : RGB(255, 0, 255));
        }
    }
    SelectObject(dc, replaced);
    DeleteDC(dc);
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    DeleteObject(strip);
    return list;
}

// The entry popup's shape: four commands, a separator, and "Quitter" with its accelerator.
std::unique_ptr<IvyMenu> MakePopup() {
    auto popup = std::make_unique<IvyMenu>();
    popup->CreatePopupMenu();
    for (UINT id : kCommands) {
        popup->AppendItem(id == 132 ? WIDE("Quitter\t[Esc]")
                                    : WIDE("Copier le &texte dans le presse-papier"),
                          0, id);
    }
    popup->PadAcceleratorColumn();
    return popup;
}

void StartDesktop(bool xpStyle) {
    ReleaseSharedIcons();
    winsim::DesktopConfig config;
    config.windowsVersion = xpStyle ? "xp" : "2000";
    winsim::ResetDesktop(config);
    ForgetMenuStyle();
}

void BM_RegisterEntryIconsAgain(benchmark::State& state) {
    StartDesktop(state.range(0) != 0);
    HIMAGELIST icons = MakeIcons();
    {
        std::unique_ptr<IvyMenu> popup = MakePopup();
        int image = 0;
        for (UINT id : kCommands) {
            if (id != 0) {
                popup->SetItemIcon(nullptr, id, icons, image++ % 5);
            }
        }
        for (auto _ : state) {
            image = 0;
            for (UINT id : kCommands) {
                if (id != 0) {
                    benchmark::DoNotOptimize(popup->SetItemIcon(nullptr, id, icons, image++ % 5));
                }
            }
        }
        state.counters["shared_images"] = SharedIconCount();
    }
    ImageList_Destroy(icons);
    ReleaseSharedIcons();
}
BENCHMARK(BM_RegisterEntryIconsAgain)->ArgName("xp")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_MeasureAndDrawEntryItems(benchmark::State& state) {
    StartDesktop(state.range(0) != 0);
    HIMAGELIST icons = MakeIcons();
    {
        std::unique_ptr<IvyMenu> popup = MakePopup();
        int image = 0;
        for (UINT id : kCommands) {
            if (id != 0) {
                popup->SetItemIcon(nullptr, id, icons, image++ % 5);
            }
        }
        HDC screen = GetDC(NULL);
        HBITMAP canvas = CreateCompatibleBitmap(screen, 260, 140);
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(NULL, screen);
        HGDIOBJ replaced = SelectObject(dc, canvas);
        for (auto _ : state) {
            int top = 0;
            for (int position = 0; position < 6; ++position) {
                MEASUREITEMSTRUCT measure = {};
                measure.CtlType = ODT_MENU;
                measure.itemID = kCommands[position];
                measure.itemData = reinterpret_cast<ULONG_PTR>(popup->ItemRecord(position));
                popup->MeasureItem(&measure);
                DRAWITEMSTRUCT draw = {};
                draw.CtlType = ODT_MENU;
                draw.itemID = kCommands[position];
                draw.itemState = position == 2 ? ODS_SELECTED : 0;
                draw.hwndItem = reinterpret_cast<HWND>(popup->m_hMenu);
                draw.hDC = dc;
                draw.rcItem = RECT{0, top, 260, top + static_cast<LONG>(measure.itemHeight)};
                draw.itemData = measure.itemData;
                popup->DrawItem(&draw);
                top += static_cast<int>(measure.itemHeight);
            }
        }
        SelectObject(dc, replaced);
        DeleteDC(dc);
        DeleteObject(canvas);
    }
    ImageList_Destroy(icons);
    ReleaseSharedIcons();
}
BENCHMARK(BM_MeasureAndDrawEntryItems)
    ->ArgName("xp")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
