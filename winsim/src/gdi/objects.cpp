#include "gdi/objects.h"

#include "gdi/color.h"

#include <winsim/winerror.h>

#include <cstring>
#include <map>

namespace winsim::gdi {
namespace {

struct ObjectTable {
    std::map<uintptr_t, std::unique_ptr<GdiObject>> objects;
    uintptr_t next = 0x10000;
    HGDIOBJ stock[20] = {};
    HBITMAP defaultBitmap = nullptr;
};

ObjectTable& Table() {
    static ObjectTable table;
    return table;
}

HGDIOBJ AddStock(std::unique_ptr<GdiObject> o) {
    o->stock = true;
    return AddObject(std::move(o));
}

HGDIOBJ StockBrush(UINT style, COLORREF color) {
    auto b = std::make_unique<BrushObj>();
    b->lb.lbStyle = style;
    b->lb.lbColor = color;
    return AddStock(std::move(b));
}

HGDIOBJ StockPen(UINT style, COLORREF color) {
    auto p = std::make_unique<PenObj>();
    p->lp.lopnStyle = style;
    p->lp.lopnColor = color;
    return AddStock(std::move(p));
}

HGDIOBJ StockFont(const char16_t* face, LONG height, LONG weight) {
    auto f = std::make_unique<FontObj>();
    f->lf.lfHeight = height;
    f->lf.lfWeight = weight;
    for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i) {
        f->lf.lfFaceName[i] = face[i];
    }
    return AddStock(std::move(f));
}

void MakeStockObjects() {
    ObjectTable& t = Table();
    t.stock[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
    t.stock[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
    t.stock[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
    t.stock[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
    t.stock[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
    t.stock[NULL_BRUSH] = StockBrush(BS_NULL, 0);
    t.stock[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
    t.stock[BLACK_PEN] = StockPen(PS_SOLID, RGB(0, 0, 0));
    t.stock[NULL_PEN] = StockPen(PS_NULL, 0);
    t.stock[OEM_FIXED_FONT] = StockFont(u"Terminal", 12, FW_NORMAL);
    t.stock[ANSI_FIXED_FONT] = StockFont(u"Courier", 13, FW_NORMAL);
    t.stock[ANSI_VAR_FONT] = StockFont(u"MS Sans Serif", 13, FW_NORMAL);
    t.stock[SYSTEM_FONT] = StockFont(u"System", 16, FW_BOLD);
    t.stock[DEVICE_DEFAULT_FONT] = StockFont(u"System", 16, FW_BOLD);
    t.stock[SYSTEM_FIXED_FONT] = StockFont(u"Fixedsys", 15, FW_NORMAL);
    t.stock[DEFAULT_GUI_FONT] = StockFont(u"MS Shell Dlg", -11, FW_NORMAL);
    // DC_BRUSH and DC_PEN (per-DC colours) are not offered: GetStockObject fails for them.
    auto pal = std::make_unique<PaletteObj>();
    for (int i = 0; i < 20; ++i) {
        pal->entries.push_back(StaticColors()[i]);
        pal->systemIndex.push_back(i < 10 ? i : 236 + i);
    }
    t.stock[DEFAULT_PALETTE] = AddStock(std::move(pal));

    auto bmp = std::make_unique<BitmapObj>();
    InitSurface(bmp->surface, 1, 1, 1, ColorModel::Mono);
    t.defaultBitmap = static_cast<HBITMAP>(AddStock(std::move(bmp)));
}

} // namespace

HGDIOBJ AddObject(std::unique_ptr<GdiObject> object) {
    ObjectTable& t = Table();
    const uintptr_t h = t.next;
    t.next += 4;
    t.objects[h] = std::move(object);
    return reinterpret_cast<HGDIOBJ>(h);
}

GdiObject* FindObject(HGDIOBJ h) {
    ObjectTable& t = Table();
    if (t.objects.empty()) {
        MakeStockObjects();
    }
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(h));
    return it == t.objects.end() ? nullptr : it->second.get();
}

DcObj* FindDc(HDC h) {
    GdiObject* o = FindObject(h);
    return o && (o->type == OBJ_DC || o->type == OBJ_MEMDC) ? static_cast<DcObj*>(o) : nullptr;
}

void RemoveObject(HGDIOBJ h) {
    Table().objects.erase(reinterpret_cast<uintptr_t>(h));
}

HBITMAP DefaultBitmap() {
    FindObject(nullptr); // makes the stock objects on first use
    return Table().defaultBitmap;
}

void ResetObjects() {
    ObjectTable& t = Table();
    t.objects.clear();
    t.next = 0x10000;
    std::memset(t.stock, 0, sizeof(t.stock));
    MakeStockObjects();
}

} // namespace winsim::gdi

HGDIOBJ GetStockObject(int i) {
    using namespace winsim::gdi;
    FindObject(nullptr);
    if (i < 0 || i >= 20 || !Table().stock[i]) {
        return nullptr;
    }
    return Table().stock[i];
}
