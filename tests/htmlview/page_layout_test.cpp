// The program's pages laid out and painted by the control's layout (without its window): ids,
// geometry, the list table written into the page, scrolling, hit testing, painting.
#include "htmlview/src/HtmlParser.h"
#include "htmlview/src/LayoutElements.h"
#include "htmlview/src/PageLayout.h"
#include "htmlview/src/ScrollBar.h"
#include "htmlview/src/Utf.h"
#include "tests/support/memory_bitmap.h"

#include <winsim/module_resources.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace htmlview;
using namespace htmlview::internal;

// The client area of the main dialog (309 x 217 dialog units of an 8-point dialog font).
constexpr SIZE kMainClient = {463, 353};

std::string PageMarkup(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(23));
    if (!found) {
        return std::string();
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    return DecodePageBytes(static_cast<const unsigned char*>(LockResource(loaded)),
                           SizeofResource(nullptr, found));
}

class PageLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        page = std::make_unique<PageLayout>([this] { ++invalidations; });
    }
    void TearDown() override { page.reset(); }

    void Load(int pageId, SIZE viewport = kMainClient) {
        const std::string markup = PageMarkup(pageId);
        ASSERT_FALSE(markup.empty()) << "page " << pageId;
        bool quirks = false;
        DomNodePtr root = ParseDocument(markup, &quirks);
        page->container().images().SetModule(winsim::ProgramModule());
        page->SetDocument(root, quirks);
        page->SetViewportSize(viewport);
    }

    void LoadMarkup(const std::string& markup, SIZE viewport = kMainClient) {
        bool quirks = false;
        page->SetDocument(ParseDocument(markup, &quirks), quirks);
        page->SetViewportSize(viewport);
    }

    DomNodePtr Element(const char* id) { return FindById(page->root(), id); }

    // The element's rectangle in the page, computed from the offset properties the way a host
    // does: offsets summed up the offset-parent chain, each parent's scrolling taken off.
    RECT RectFromOffsets(const ElementPtr& element) {
        LONG x = 0;
        LONG y = 0;
        for (ElementPtr at = element; at;) {
            x += at->GetOffsetLeft();
            y += at->GetOffsetTop();
            ElementPtr parent = at->GetOffsetParent();
            if (parent) {
                x -= parent->GetScrollLeft();
                y -= parent->GetScrollTop();
            }
            at = parent;
        }
        return RECT{x, y, x + element->GetOffsetWidth(), y + element->GetOffsetHeight()};
    }

    static std::string RenderedRows(int count) {
        std::string html = "<table width=\"100%\" height=\"100%\"><tr width=\"100%\" "
                           "height=\"12pt\"><th width=\"80px\">Capture time</th><th "
                           "width=\"60%\">Text</th><th>Image</th></tr>";
        for (int i = 0; i < count; ++i) {
            const std::string cls = i % 2 ? "odd" : "even";
            const std::string n = std::to_string(i);
            html += "<tr><td class=\"" + cls + "\" id=\"cat" + n + "\">12:00:0" + n +
                    "</td><td class=\"" + cls + "\" id=\"txt" + n + "\"><p><u>Titre " + n +
                    "</u></p>Ligne 1<br/>Ligne 2</td><td class=\"" + cls + "\" id=\"img" + n +
                    "\"><img src=\"file:///C:\\missing\\" + n + ".jpg\" class=\"" + cls +
                    "\" id=\"imt" + n + "\" width=\"120\" height=\"45\"/></td></tr>";
        }
        return html + "</table>";
    }

    int invalidations = 0;
    std::unique_ptr<PageLayout> page; // made on the fresh desktop
};

TEST_F(PageLayoutTest, EveryPageLoadsWithTheIdsTheProgramUses) {
    const struct {
        int page;
        std::vector<const char*> ids;
    } pages[] = {
        {104,
         {"CQuilloryTextDlg", "menu", "menuHelp", "tblTexts", "tbl", "chkCopyAll", "ctrlHotkey"}},
        {103, {"CDlgAutoScreenshot", "txtFreq", "ButtonOK", "ButtonCancel"}},
        {105, {"CDialogAbout", "ButtonOK"}},
        {106, {"CDialogHelp"}},
    };
    for (const auto& page : pages) {
        Load(page.page);
        for (const char* id : page.ids) {
            DomNodePtr element = Element(id);
            ASSERT_TRUE(element) << id << " in page " << page.page;
            EXPECT_GT(element->GetOffsetWidth(), 0) << id << " has a box";
            EXPECT_GT(element->GetOffsetHeight(), 0) << id << " has a box";
        }
    }
    Load(104);
    EXPECT_FALSE(Element("chkMinimizeToTray")) << "commented out in the page";
    EXPECT_FALSE(Element("chkAutostart"));
}

TEST_F(PageLayoutTest, HotKeyPlaceIsA120By20BoxBesideItsLabelBelowTheList) {
    Load(104);
    DomNodePtr place = Element("ctrlHotkey");
    const RECT rect = RectFromOffsets(place);
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 20);

    RECT direct;
    ASSERT_TRUE(page->ClientRect(*place, &direct));
    EXPECT_EQ(rect.left, direct.left) << "offsets and the layout agree";
    EXPECT_EQ(rect.top, direct.top);

    RECT list;
    ASSERT_TRUE(page->ClientRect(*Element("tblTexts"), &list));
    EXPECT_GE(rect.top, list.bottom) << "below the capture list";
    EXPECT_GT(rect.left, 60) << "after the label 'Touche de raccourci:'";
    EXPECT_LE(rect.right, kMainClient.cx);
    EXPECT_LE(rect.bottom, kMainClient.cy);

    RECT checkbox;
    ASSERT_TRUE(page->ClientRect(*Element("chkCopyAll"), &checkbox));
    EXPECT_LT(checkbox.bottom, rect.top + 10) << "the checkbox line comes first";
}

TEST_F(PageLayoutTest, ListWrittenIntoThePageIsLaidOutLazilyAndFoundById) {
    Load(104);
    page->EnsureLayout();
    const unsigned layouts = page->layoutCount();
    DomNodePtr list = Element("tblTexts");
    for (int i = 1; i <= 5; ++i) {
        list->SetInnerHtml(FromUtf8(RenderedRows(i)));
    }
    EXPECT_EQ(layouts, page->layoutCount()) << "rewriting the list alone lays nothing out";
    EXPECT_FALSE(Element("tbl")) << "the initial table is gone";

    ASSERT_TRUE(Element("imt4"));
    RECT previous = {0, 0, 0, 0};
    for (int i = 0; i < 5; ++i) {
        for (const char* prefix : {"cat", "txt", "img", "imt"}) {
            ASSERT_TRUE(Element((prefix + std::to_string(i)).c_str())) << prefix << i;
        }
        const RECT cell = RectFromOffsets(Element(("cat" + std::to_string(i)).c_str()));
        EXPECT_GT(cell.right - cell.left, 0);
        EXPECT_GT(cell.top, previous.top) << "row " << i << " is below the one before";
        previous = cell;
    }
    EXPECT_EQ(layouts + 1, page->layoutCount()) << "one layout served all the questions";

    const RECT image = RectFromOffsets(Element("imt0"));
    EXPECT_EQ(image.right - image.left, 120) << "thumbnails take the size their tag asks";
    EXPECT_EQ(image.bottom - image.top, 45);
    const RECT imageCell = RectFromOffsets(Element("img0"));
    EXPECT_GE(image.left, imageCell.left);
    EXPECT_LE(image.right, imageCell.right);
    EXPECT_EQ(Element("cat0")->GetOffsetParent()->GetTagName(), WIDE("TABLE"));
}

// The list's table is as high as its scrolling division: the head row, whose height is given,
// keeps the height of its text, and the rows without a height share the rest.
TEST_F(PageLayoutTest, ListHeadRowKeepsItsHeightAndTheOtherRowsTakeTheRest) {
    Load(104);
    DomNodePtr list = Element("tblTexts");
    RECT division;
    ASSERT_TRUE(page->ClientRect(*list, &division));
    EXPECT_EQ(division.bottom - division.top, 250) << "the division's height includes its border";
    const auto height = [this](const DomNodePtr& node) {
        RECT box = {0, 0, 0, 0};
        EXPECT_TRUE(node && page->ClientRect(*node, &box));
        return box.bottom - box.top;
    };
    const auto checkFits = [&](const char* what) {
        RECT table;
        ASSERT_TRUE(page->ClientRect(*FindFirstByTag(list, "table"), &table));
        EXPECT_EQ(division.top + 1, table.top) << what;
        EXPECT_EQ(division.bottom - 1, table.bottom) << what << ": the table fills the division";
        RECT bar;
        EXPECT_FALSE(page->ScrollBarRect(*list, &bar)) << what << ": nothing to scroll";
    };

    const int head = height(FindFirstByTag(Element("tbl"), "th"));
    EXPECT_GT(head, 10);
    EXPECT_LT(head, 45) << "one or two lines of head text";
    EXPECT_GT(height(FindFirstByTag(Element("tbl"), "td")), 180) << "the empty row takes the rest";
    checkFits("initial table");

    list->SetInnerHtml(FromUtf8(RenderedRows(1)));
    EXPECT_LT(height(FindFirstByTag(list, "th")), 45);
    EXPECT_GT(height(Element("cat0")), 180) << "the one entry's row takes the rest";
    checkFits("one entry");

    list->SetInnerHtml(FromUtf8(RenderedRows(2)));
    EXPECT_LT(height(FindFirstByTag(list, "th")), 45);
    EXPECT_EQ(height(Element("cat0")), height(Element("cat1"))) << "shared evenly";
    checkFits("two entries");

    // A plain number is pixels, as in any height attribute.
    list->SetInnerHtml(FromUtf8("<table height=\"100%\"><tr height=\"30\"><th>a</th></tr>"
                                "<tr><td id=rest>b</td></tr></table>"));
    EXPECT_EQ(height(FindFirstByTag(list, "th")), 30);
    EXPECT_GT(height(Element("rest")), 180);

    list->SetInnerHtml(FromUtf8(RenderedRows(8)));
    EXPECT_LT(height(FindFirstByTag(list, "th")), 45) << "a long list does not stretch the head";
    RECT bar;
    EXPECT_TRUE(page->ScrollBarRect(*list, &bar)) << "a long list scrolls";
}

TEST_F(PageLayoutTest, HitTestingFindsTheInnermostElementAndSkipsContentScrolledAway) {
    Load(104);
    DomNodePtr list = Element("tblTexts");
    list->SetInnerHtml(FromUtf8(RenderedRows(30)));

    RECT title;
    ASSERT_TRUE(page->ClientRect(*FindFirstByTag(Element("txt0"), "u"), &title));
    DomNodePtr hit =
        page->HitTest(POINT{(title.left + title.right) / 2, (title.top + title.bottom) / 2});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->tag(), "u") << "the underlined title is its own source";
    RECT time;
    ASSERT_TRUE(page->ClientRect(*Element("cat0"), &time));
    hit = page->HitTest(POINT{(time.left + time.right) / 2, (time.top + time.bottom) / 2});
    EXPECT_EQ(Element("cat0"), hit);

    // Scrolled by 200 pixels, the first rows pass above the division and under the menu row.
    list->SetScrollTop(200);
    EXPECT_EQ(list->GetScrollTop(), 200);
    RECT moved;
    ASSERT_TRUE(page->ClientRect(*Element("cat0"), &moved));
    EXPECT_EQ(time.top - 200, moved.top);
    RECT menu;
    ASSERT_TRUE(page->ClientRect(*Element("menu"), &menu));
    hit = page->HitTest(POINT{(menu.left + menu.right) / 2, (menu.top + menu.bottom) / 2});
    EXPECT_EQ(Element("menu"), hit) << "content scrolled out of the division is not hit";

    list->SetScrollTop(1000000);
    const LONG maximum = list->GetScrollTop();
    EXPECT_GT(maximum, 200);
    EXPECT_LT(maximum, 1000000) << "scrolling stops at the end of the content";
    list->SetScrollTop(-5);
    EXPECT_EQ(list->GetScrollTop(), 0);
    EXPECT_EQ(Element("menu")->GetScrollTop(), 0) << "a span does not scroll";
}

TEST_F(PageLayoutTest, ClassAndInlineColourChangesShowAfterTheNextLayout) {
    Load(104);
    const MemoryBitmap bitmap(kMainClient.cx, kMainClient.cy);
    HDC dc = bitmap.dc();
    const RECT all = {0, 0, kMainClient.cx, kMainClient.cy};

    DomNodePtr menu = Element("menu");
    RECT box;
    ASSERT_TRUE(page->ClientRect(*menu, &box));
    const POINT inside = {box.left + 2, (box.top + box.bottom) / 2};
    page->Paint(dc, all);
    const COLORREF resting = GetPixel(dc, inside.x, inside.y);
    EXPECT_NE(RGB(0x33, 0x66, 0x99), resting);

    menu->SetClassName(WIDE("menu_over"));
    page->Paint(dc, all);
    EXPECT_EQ(GetPixel(dc, inside.x, inside.y), RGB(0x33, 0x66, 0x99)) << "highlighted";
    RECT after;
    ASSERT_TRUE(page->ClientRect(*menu, &after));
    EXPECT_EQ(box.left, after.left) << "the switch moves nothing";
    EXPECT_EQ(box.right, after.right);

    menu->SetBackgroundColor(WIDE("#fffbc0"));
    page->Paint(dc, all);
    EXPECT_EQ(GetPixel(dc, inside.x, inside.y), RGB(0xFF, 0xFB, 0xC0)) << "inline colour wins";
}

} // namespace

namespace {

class PaintedPage : public PageLayoutTest {
protected:
    void SetUp() override {
        PageLayoutTest::SetUp();
        bitmap.emplace(kMainClient.cx, kMainClient.cy);
        dc = bitmap->dc();
    }
    void TearDown() override {
        bitmap.reset();
        PageLayoutTest::TearDown();
    }
    void Paint() {
        const RECT all = {0, 0, kMainClient.cx, kMainClient.cy};
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        FillRect(dc, &all, white);
        DeleteObject(white);
        page->Paint(dc, all);
    }
    std::optional<MemoryBitmap> bitmap;
    HDC dc = nullptr;
};

TEST_F(PaintedPage, BackgroundBitmapComesFromTheModulesResources) {
    Load(103);
    Paint();
    // The dialog page's background is a light blue bitmap, not the white of an empty page.
    const COLORREF below = GetPixel(dc, 300, 300);
    EXPECT_NE(RGB(255, 255, 255), below);
    EXPECT_GT(GetBValue(below), GetRValue(below)) << "bluish";
}

TEST_F(PaintedPage, PictureFilesAreReadThroughTheLoaderAndStretchedToTheTagsSize) {
    Load(104);
    std::vector<std::string> asked;
    page->container().images().SetFileLoader([&asked](const std::string& path) {
        asked.push_back(path);
        std::vector<BYTE> pixels(4 * 4 * 2, 0); // 4 x 2 pixels
        for (size_t i = 0; i < pixels.size(); i += 4) {
            pixels[i + 2] = 0xC0; // red, in blue-green-red-unused order
        }
        return DibImage::FromTopDownBgra(4, 2, std::move(pixels));
    });
    // A path as the program writes it: backslashes and a blank, inserted as they are.
    Element("tblTexts")
        ->SetInnerHtml(FromUtf8("<table><tr><td id=c><img id=i src=\"file:///C:\\Program "
                                "Files\\Verbacap\\tmp\\1f.jpg\" "
                                "width=\"120\" height=\"45\"/></td></tr><tr><td><img id=broken "
                                "src=\"file:///C:\\none.jpg\" "
                                "width=\"120\" height=\"45\"/></td></tr></table>"));
    Paint();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "C:\\Program Files\\Verbacap\\tmp\\1f.jpg");
    RECT image;
    ASSERT_TRUE(page->ClientRect(*Element("i"), &image));
    EXPECT_EQ(image.right - image.left, 120);
    EXPECT_EQ(image.bottom - image.top, 45);
    EXPECT_EQ(GetPixel(dc, image.left + 2, image.top + 2), RGB(0xC0, 0, 0));
    EXPECT_EQ(GetPixel(dc, image.right - 3, image.bottom - 3), RGB(0xC0, 0, 0));
    Paint();
    EXPECT_EQ(asked.size(), 2u) << "pictures are read once, failures included";
}

TEST(FileUrls, GiveThePathAsTheFileFunctionsTakeIt) {
    EXPECT_EQ(FileUrlToPath("file:///C:\\a b\\x.jpg"), "C:\\a b\\x.jpg");
    EXPECT_EQ(FileUrlToPath("file:///C:/a%20b/x.jpg"), "C:\\a b\\x.jpg");
    EXPECT_EQ(FileUrlToPath("file:///C:\\100%\\x.jpg"), "C:\\100%\\x.jpg") << "a lone % stays";
}

TEST(PackedDibs, MalformedHeadersAreRefused) {
    std::vector<BYTE> data(sizeof(BITMAPINFOHEADER) + 4 * 4, 0);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = 2;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::memcpy(data.data(), &header, sizeof(header));
    EXPECT_TRUE(DibImage::FromPackedDib(data.data(), data.size()));
    EXPECT_FALSE(DibImage::FromPackedDib(data.data(), data.size() - 1)) << "bits cut short";
    header.biBitCount = 8; // a colour table of 256 entries that is not there
    std::memcpy(data.data(), &header, sizeof(header));
    EXPECT_FALSE(DibImage::FromPackedDib(data.data(), data.size()));
    header.biBitCount = 7;
    std::memcpy(data.data(), &header, sizeof(header));
    EXPECT_FALSE(DibImage::FromPackedDib(data.data(), data.size()));
}

} // namespace

#include <winsim/sim_system.h>

#include <fstream>

namespace {

using namespace htmlview::internal;

// A 24-bit bottom-up BMP file of width x height pixels, all of one colour.
void WriteBmp(const std::string& hostPath, int width, int height, BYTE r, BYTE g, BYTE b) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bits[y * stride + x * 3] = b;
            bits[y * stride + x * 3 + 1] = g;
            bits[y * stride + x * 3 + 2] = r;
        }
    }
    std::ofstream out(hostPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(bits.data()),
              static_cast<std::streamsize>(bits.size()));
}

TEST(PictureFiles, AreReadThroughThePlatformsPictureLoading) {
    winsim::ResetDesktop();
    const auto host = winsim::HostPath("C:\\thumb.bmp");
    ASSERT_TRUE(host);
    WriteBmp(*host, 5, 3, 0x20, 0x40, 0x80);
    std::unique_ptr<DibImage> image = LoadPictureFile("C:\\thumb.bmp");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 5);
    EXPECT_EQ(image->height(), 3);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    image->Draw(dc, 0, 0, 20, 12);
    EXPECT_EQ(GetPixel(dc, 19, 11), RGB(0x20, 0x40, 0x80)) << "stretched to the size asked";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    EXPECT_FALSE(LoadPictureFile("C:\\missing.jpg"));
    std::ofstream(*winsim::HostPath("C:\\bad.jpg")) << "not a picture";
    EXPECT_FALSE(LoadPictureFile("C:\\bad.jpg"));
}

} // namespace

#include <winsim/sim_gdi.h>

#include <filesystem>

namespace {

using namespace htmlview::internal;

// Each page painted onto the screen and written as a PNG (htmlview-pages/ in the test's
// temporary folder), with a few pixels checked where the page's style puts them.
TEST_F(PageLayoutTest, EachPageRendersOntoTheScreen) {
    const std::string folder = ::testing::TempDir() + "htmlview-pages/";
    std::filesystem::create_directories(folder);
    const RECT area = {0, 0, kMainClient.cx, kMainClient.cy};
    for (int pageId : {104, 103, 105, 106}) {
        Load(pageId);
        if (pageId == 104) {
            Element("tblTexts")->SetInnerHtml(FromUtf8(RenderedRows(3)));
        }
        HDC screen = GetDC(nullptr);
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255)); // the view's own canvas
        FillRect(screen, &area, white);
        DeleteObject(white);
        page->Paint(screen, area);
        ReleaseDC(nullptr, screen);
        const std::string file = folder + "page" + std::to_string(pageId) + ".png";
        ASSERT_TRUE(winsim::SaveScreenRect(area, file));
        EXPECT_GT(std::filesystem::file_size(file), 2000u) << "a page, not an empty picture";
        if (pageId != 104) {
            continue;
        }
        RECT list;
        ASSERT_TRUE(page->ClientRect(*Element("tblTexts"), &list));
        EXPECT_EQ(winsim::ScreenPixel(list.left + 3, list.top + 3), RGB(0x33, 0x66, 0x99))
            << "head cells white on blue";
        RECT box;
        ASSERT_TRUE(page->ClientRect(*Element("chkCopyAll"), &box));
        EXPECT_EQ(winsim::ScreenPixel(box.left, box.top), RGB(0x1C, 0x51, 0x80)) << "checkbox";
        EXPECT_EQ(winsim::ScreenPixel(box.left + 3, box.top + 3), RGB(0xFF, 0xFF, 0xFF));
        RECT menu;
        ASSERT_TRUE(page->ClientRect(*Element("menu"), &menu));
        int ink = 0;
        for (LONG y = menu.top; y < menu.bottom; ++y) {
            for (LONG x = menu.left; x < menu.right; ++x) {
                ink += winsim::ScreenPixel(x, y) == RGB(0x00, 0x11, 0x33) ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 20) << "the text 'Fonctions' in #001133";
    }
}

} // namespace

namespace {

TEST_F(PaintedPage, APageTallerThanTheViewScrollsAndShowsWhatWasBelow) {
    Load(106);
    const SIZE size = page->DocumentSize();
    ASSERT_GT(size.cy, kMainClient.cy);
    DomNodePtr body = page->body();
    RECT bar;
    ASSERT_TRUE(page->ScrollBarRect(*body, &bar));
    EXPECT_EQ(kMainClient.cx, bar.right);
    EXPECT_LE(size.cx, kMainClient.cx - (bar.right - bar.left)) << "text keeps off the bar";

    body->SetScrollTop(1000000);
    EXPECT_EQ(size.cy - kMainClient.cy, body->GetScrollTop());
    Paint();
    // The last lines of the page are now in the lower part of the view.
    int ink = 0;
    for (LONG y = kMainClient.cy - 60; y < kMainClient.cy; ++y) {
        for (LONG x = 0; x < bar.left; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            ink += GetRValue(pixel) < 0x80 && GetGValue(pixel) < 0x80 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 50) << "content below the fold is drawn when scrolled to";
    DomNodePtr last = body;
    while (!last->GetChildren().empty()) {
        last = std::static_pointer_cast<DomNode>(last->GetChildren().back());
    }
    RECT lastRect;
    ASSERT_TRUE(page->ClientRect(*last, &lastRect));
    EXPECT_LE(lastRect.bottom, kMainClient.cy);
    EXPECT_GT(lastRect.top, 0);
}

} // namespace

namespace {

TEST_F(PaintedPage, APictureThatCannotBeHadShowsAsAFramedCross) {
    Load(104);
    Element("tblTexts")
        ->SetInnerHtml(
            FromUtf8("<table><tr><td><img id=i src=\"file:///C:\\gone.jpg\" width=\"120\" "
                     "height=\"45\"/></td></tr></table>"));
    Paint();
    RECT box;
    ASSERT_TRUE(page->ClientRect(*Element("i"), &box));
    EXPECT_EQ(box.right - box.left, 120) << "the box keeps the size its tag asks for";
    EXPECT_EQ(GetPixel(dc, box.left + 60, box.top), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(GetPixel(dc, box.left + 3, box.top + 3), RGB(0xE0, 0x20, 0x20));
}

} // namespace

namespace {

TEST_F(PageLayoutTest, AResizedViewLaysThePageOutAgainAtItsNewSize) {
    Load(104);
    RECT before;
    ASSERT_TRUE(page->ClientRect(*Element("ctrlHotkey"), &before));
    RECT listBefore;
    ASSERT_TRUE(page->ClientRect(*Element("tblTexts"), &listBefore));
    page->SetViewportSize(SIZE{800, 600}); // maximised
    RECT after;
    ASSERT_TRUE(page->ClientRect(*Element("ctrlHotkey"), &after));
    RECT listAfter;
    ASSERT_TRUE(page->ClientRect(*Element("tblTexts"), &listAfter));
    EXPECT_GT(listAfter.right, listBefore.right + 300) << "the list takes the new width";
    EXPECT_GT(after.top, before.top + 150) << "the settings row keeps to the bottom share";
    EXPECT_EQ(after.right - after.left, 120);
    page->SetViewportSize(kMainClient); // restored
    ASSERT_TRUE(page->ClientRect(*Element("ctrlHotkey"), &after));
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
}

} // namespace

namespace {

TEST(Opacity, ComesFromTheAlphaFilterElseFromTheCssProperty) {
    EXPECT_DOUBLE_EQ(0.5, OpacityFromStyle("alpha(opacity=50)", nullptr));
    EXPECT_DOUBLE_EQ(
        0.3, OpacityFromStyle("progid:DXImageTransform.Microsoft.Alpha(Opacity = 30)", nullptr));
    EXPECT_DOUBLE_EQ(0.8, OpacityFromStyle("alpha(opacity=80)", "0.4")) << "the filter wins";
    EXPECT_DOUBLE_EQ(0.25, OpacityFromStyle(nullptr, "0.25"));
    EXPECT_DOUBLE_EQ(0.25, OpacityFromStyle("blur(add=1)", "0.25")) << "no alpha in the filter";
    EXPECT_DOUBLE_EQ(1.0, OpacityFromStyle("alpha(opacity=150)", nullptr)) << "clamped";
    EXPECT_DOUBLE_EQ(0.0, OpacityFromStyle(nullptr, "-1"));
    EXPECT_DOUBLE_EQ(1.0, OpacityFromStyle("alpha(opacity=)", "half")) << "no number, opaque";
    EXPECT_DOUBLE_EQ(1.0, OpacityFromStyle(nullptr, nullptr));
}

// Within one step of what a mix of over and below at that opacity gives, per channel.
void ExpectMixed(COLORREF over, COLORREF below, double opacity, COLORREF actual, const char* what) {
    const auto channel = [&](BYTE (*get)(COLORREF)) {
        const double expected = get(over) * opacity + get(below) * (1.0 - opacity);
        EXPECT_NEAR(expected, get(actual), 1.0) << what;
    };
    channel([](COLORREF c) { return GetRValue(c); });
    channel([](COLORREF c) { return GetGValue(c); });
    channel([](COLORREF c) { return GetBValue(c); });
}

TEST_F(PaintedPage, TranslucentBackgroundsAreMixedWithWhatLiesBelow) {
    LoadMarkup("<html><head><style>"
               "body { margin: 0; background-color: #000080; }"
               "td { width: 40px; height: 20px; padding: 0; }"
               ".even { background-color: #c6dcf0; filter: alpha(opacity=80); opacity: 0.8; }"
               "</style></head><body><table cellspacing=0 cellpadding=0><tr>"
               "<td id=even class=even></td>"
               "<td id=filler style=\"background-color: #ffffff; filter:alpha(opacity=50);\">"
               "</td><td id=css style=\"background-color: #ffffff; opacity: 0.25\"></td>"
               "<td id=solid style=\"background-color: #ffffff\"></td>"
               "<td id=ink class=even style=\"font-size: 20px\">WWW</td></tr></table>"
               "<div id=framed style=\"width: 40px; height: 20px; border: 4px solid #ff0000; "
               "opacity: 0.5\"></div></body></html>");
    Paint();
    const COLORREF navy = RGB(0, 0, 0x80);
    const auto at = [this](const char* id, int dx, int dy) {
        RECT box;
        EXPECT_TRUE(page->ClientRect(*Element(id), &box)) << id;
        return GetPixel(dc, box.left + dx, box.top + dy);
    };
    ExpectMixed(RGB(0xC6, 0xDC, 0xF0), navy, 0.8, at("even", 10, 10), "rows at 80 %");
    ExpectMixed(RGB(0xFF, 0xFF, 0xFF), navy, 0.5, at("filler", 10, 10), "the filler at 50 %");
    ExpectMixed(RGB(0xFF, 0xFF, 0xFF), navy, 0.25, at("css", 10, 10), "CSS opacity");
    EXPECT_EQ(at("solid", 10, 10), RGB(0xFF, 0xFF, 0xFF)) << "no opacity, no mixing";
    ExpectMixed(RGB(0xFF, 0, 0), navy, 0.5, at("framed", 1, 10), "borders too");
    EXPECT_EQ(navy, at("framed", 10, 10)) << "a division without background leaves the page";

    // The text of a translucent cell is drawn over its background, in full.
    RECT box;
    ASSERT_TRUE(page->ClientRect(*Element("ink"), &box));
    int black = 0;
    for (LONG y = box.top; y < box.bottom; ++y) {
        for (LONG x = box.left; x < box.right; ++x) {
            black += GetPixel(dc, x, y) == RGB(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(black, 20);

    // A colour set inline on a row of class "even" is mixed as well, as the highlight is.
    Element("even")->SetBackgroundColor(WIDE("#D0F1C5"));
    Paint();
    ExpectMixed(RGB(0xD0, 0xF1, 0xC5), navy, 0.8, at("even", 10, 10), "highlighted row");
}

// The highlight that follows the mouse over the list repaints the row without a new layout,
// and looks exactly as the same colour laid out from the markup; an "!important" colour of the
// style sheet still wins over it, as it does in a new layout.
TEST_F(PaintedPage, AHighlightIsRepaintedWithoutANewLayoutAndLooksAsOneLaidOut) {
    Load(104);
    DomNodePtr list = Element("tblTexts");
    list->SetInnerHtml(FromUtf8(RenderedRows(8)));
    Paint();
    RECT cell;
    ASSERT_TRUE(page->ClientRect(*Element("txt2"), &cell));
    RECT picture;
    ASSERT_TRUE(page->ClientRect(*Element("imt2"), &picture));
    const unsigned layouts = page->layoutCount();
    Element("txt2")->SetBackgroundColor(WIDE("#D0F1C5"));
    Element("imt2")->SetBackgroundColor(WIDE("#D0F1C5")); // the row's picture lights up too
    Paint();
    EXPECT_EQ(page->layoutCount(), layouts);
    const COLORREF highlighted = GetPixel(dc, cell.left + 60, cell.top + 3);
    EXPECT_NE(RGB(0xFF, 0xFF, 0xFF), highlighted);
    const COLORREF pictureLit = GetPixel(dc, picture.right - 3, picture.bottom - 3);

    page->NodeMarkupChanged(); // the same tree laid out anew
    Paint();
    EXPECT_EQ(page->layoutCount(), layouts + 1);
    EXPECT_EQ(GetPixel(dc, cell.left + 60, cell.top + 3), highlighted);
    EXPECT_EQ(GetPixel(dc, picture.right - 3, picture.bottom - 3), pictureLit);

    Element("txt2")->SetBackgroundColor(WIDE(""));
    Paint();
    EXPECT_EQ(page->layoutCount(), layouts + 2) << "the style sheet's colour comes back";

    // A text that merely says "important" changes nothing.
    const std::string said = "<tr><td id=said>Information importante</td></tr>";
    list->SetInnerHtml(FromUtf8(RenderedRows(8) + said));
    Paint();
    const unsigned beforeSaid = page->layoutCount();
    Element("txt2")->SetBackgroundColor(WIDE("#D0F1C5"));
    Paint();
    EXPECT_EQ(page->layoutCount(), beforeSaid);

    LoadMarkup("<html><head><style>td { background-color: #0000ff !important; }</style></head>"
               "<body><table><tr><td id=\"c\">some text</td></tr></table></body></html>");
    Paint();
    ASSERT_TRUE(page->ClientRect(*Element("c"), &cell));
    Element("c")->SetBackgroundColor(WIDE("#ff0000"));
    Paint();
    EXPECT_EQ(GetPixel(dc, cell.left + 1, cell.top + 1), RGB(0, 0, 0xFF));
}

// Elements are found by id through an index that follows every change of the markup: rows
// appended, rows gone, an id changed; of two elements with one id the first is found.
TEST_F(PageLayoutTest, ElementsAreFoundByIdAfterEveryChangeOfTheMarkup) {
    LoadMarkup("<html><body><div id=list></div><p id=twin>1</p><p id=twin>2</p></body></html>");
    DomNodePtr list = Element("list");
    const std::string first = "<table><tr id=r0><td id=c0>a</td></tr>";
    list->SetInnerHtml(FromUtf8(first + "</table>"));
    ASSERT_NE(page->ElementById("c0"), nullptr);
    EXPECT_EQ(page->ElementById("c0"), FindById(page->root(), "c0"));
    list->SetInnerHtml(FromUtf8(first + "<tr id=r1><td id=c1>b</td></tr></table>"));
    ASSERT_NE(page->ElementById("c1"), nullptr);
    EXPECT_EQ(page->ElementById("c1"), FindById(page->root(), "c1"));
    list->SetInnerHtml(FromUtf8("<table><tr id=r1><td id=c1>b</td></tr></table>"));
    EXPECT_EQ(page->ElementById("c0"), nullptr);
    const DomNodePtr cell = page->ElementById("c1");
    ASSERT_NE(cell, nullptr);
    cell->SetId(WIDE("renamed"));
    EXPECT_EQ(page->ElementById("c1"), nullptr);
    EXPECT_EQ(page->ElementById("renamed"), cell);
    cell->SetBackgroundColor(WIDE("#ff0000"));
    EXPECT_EQ(page->ElementById("renamed"), cell);
    cell->SetAttribute(WIDE("title"), WIDE("other attributes keep the ids"));
    EXPECT_EQ(page->ElementById("renamed"), cell);
    cell->SetAttribute(WIDE("id"), WIDE("again"));
    EXPECT_EQ(page->ElementById("renamed"), nullptr);
    EXPECT_EQ(page->ElementById("again"), cell);
    EXPECT_EQ(page->ElementById("twin")->GetInnerText(), WIDE("1"));
}

// The hit test passes over subtrees that a point is not in; it finds what a search of every
// element finds, also for parts drawn outside their row: moved up, pulled left, hanging below,
// placed absolutely, and inside a scrolled division.
TEST_F(PageLayoutTest, TheHitTestFindsWhatASearchOfEveryElementFinds) {
    std::string rows;
    for (int i = 0; i < 30; ++i) {
        std::string cell = "row " + std::to_string(i);
        if (i == 10) {
            cell += "<div id=up style=\"position:relative; top:-40px\">moved up</div>";
        } else if (i == 12) {
            cell += "<span id=left style=\"margin-left:-60px\">pulled left</span>";
        } else if (i == 14) {
            cell += "<div style=\"height:10px\"><div id=hang style=\"height:60px; "
                    "width:30px; background:red\"></div></div>";
        } else if (i == 16) {
            cell += "<div id=abs style=\"position:absolute; left:5px; top:5px; width:40px; "
                    "height:20px; background:blue\"></div>";
        }
        rows += "<tr id=r" + std::to_string(i) + "><td>" + cell + "</td><td>second</td></tr>";
    }
    LoadMarkup("<html><body><div id=list style=\"height:300px; overflow:auto; "
               "position:relative\"><table>" +
                   rows + "</table></div><p>below</p></body></html>",
               SIZE{400, 400});
    Element("list")->SetScrollTop(50);
    const auto name = [](const DomNodePtr& node) {
        const std::string* id = node ? node->FindAttribute("id") : nullptr;
        return node ? node->tag() + "#" + (id ? *id : std::string()) : std::string("nothing");
    };
    const auto expectSameHit = [&](POINT point) {
        const DomNodePtr quick = page->HitTest(point);
        const DomNodePtr everything = page->HitTestVisitingEveryElement(point);
        EXPECT_EQ(quick, everything)
            << point.x << "," << point.y << ": " << name(quick) << " / " << name(everything);
        return quick;
    };
    int cells = 0;
    for (LONG y = 0; y < 400; y += 3) {
        for (LONG x = 0; x < 400; x += 7) {
            const DomNodePtr hit = expectSameHit(POINT{x, y});
            cells += hit && hit->tag() == "td" ? 1 : 0;
        }
    }
    EXPECT_GT(cells, 100);
    for (const char* id : {"up", "left", "hang", "abs"}) {
        RECT box = {};
        ASSERT_TRUE(page->VisibleClientRect(*Element(id), &box)) << id;
        expectSameHit(POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
        expectSameHit(POINT{box.left, box.top});
    }
}

TEST_F(PaintedPage, TranslucentRowsStayInsideTheirScrollingDivision) {
    Load(104);
    DomNodePtr list = Element("tblTexts");
    list->SetInnerHtml(FromUtf8(RenderedRows(8)));
    Paint();
    RECT division;
    ASSERT_TRUE(page->ClientRect(*list, &division));
    const COLORREF above = GetPixel(dc, division.left + 100, division.top - 2);
    const COLORREF below = GetPixel(dc, division.left + 100, division.bottom + 2);
    list->SetScrollTop(30);
    Paint();
    EXPECT_EQ(above, GetPixel(dc, division.left + 100, division.top - 2));
    EXPECT_EQ(below, GetPixel(dc, division.left + 100, division.bottom + 2));
    RECT cell;
    ASSERT_TRUE(page->ClientRect(*Element("txt1"), &cell));
    const COLORREF odd = GetPixel(dc, cell.left + 60, cell.top + 3);
    EXPECT_NE(RGB(0xFF, 0xFF, 0xFF), odd) << "white at 80 % over the page's bitmap";
    EXPECT_GE(GetRValue(odd), 0xF0) << "but nearly white";
}

} // namespace

namespace {

// A division that scrolls keeps its scroll bar beside its content, not over it: the list's
// thumbnails stay whole.
TEST_F(PageLayoutTest, AScrollingDivisionLaysItsContentOutBesideItsScrollBar) {
    Load(104);
    DomNodePtr list = Element("tblTexts");
    list->SetInnerHtml(FromUtf8(RenderedRows(1)));
    RECT division;
    ASSERT_TRUE(page->ClientRect(*list, &division));
    RECT table;
    ASSERT_TRUE(page->ClientRect(*FindFirstByTag(list, "table"), &table));
    EXPECT_EQ(division.right - 1, table.right) << "no scroll bar, the whole width";
    const LONG width = list->GetOffsetWidth();

    list->SetInnerHtml(FromUtf8(RenderedRows(8)));
    RECT bar;
    ASSERT_TRUE(page->ScrollBarRect(*list, &bar));
    EXPECT_EQ(division.right - 1, bar.right);
    ASSERT_TRUE(page->ClientRect(*FindFirstByTag(list, "table"), &table));
    EXPECT_LE(table.right, bar.left) << "the table keeps off the bar";
    EXPECT_GT(table.right, bar.left - 4) << "and takes the width left";
    RECT thumbnail;
    ASSERT_TRUE(page->ClientRect(*Element("imt0"), &thumbnail));
    EXPECT_LE(thumbnail.right, bar.left);
    EXPECT_EQ(thumbnail.right - thumbnail.left, 120);
    EXPECT_EQ(width, list->GetOffsetWidth()) << "the division itself is as wide as before";
    EXPECT_EQ(list->GetBackgroundColor(), WideString());

    // A layout made again for another reason keeps the list where it was scrolled to.
    list->SetScrollTop(100);
    ASSERT_EQ(list->GetScrollTop(), 100);
    Element("menu")->SetInnerHtml(WIDE("Fonctions"));
    EXPECT_EQ(list->GetScrollTop(), 100);
    ASSERT_TRUE(page->ScrollBarRect(*list, &bar));
    ASSERT_TRUE(page->ClientRect(*Element("imt0"), &thumbnail));
    EXPECT_LE(thumbnail.right, bar.left);
}

} // namespace

namespace {

TEST(ScrollBars, ButtonsTrackAndThumbShowTheViewsPlaceInTheContent) {
    const RECT bar = {100, 10, 116, 260}; // 250 high: a view of 250 over 500 of content
    ScrollBarParts parts = LayOutScrollBar(bar, 0, 250);
    EXPECT_EQ(parts.up.bottom, 26);
    EXPECT_EQ(parts.down.top, 244);
    ASSERT_TRUE(parts.hasThumb);
    EXPECT_EQ(parts.thumb.top, 26);
    EXPECT_EQ(parts.thumb.bottom - parts.thumb.top, 109) << "half the track for half the content";
    parts = LayOutScrollBar(bar, 250, 250);
    EXPECT_EQ(parts.thumb.bottom, 244) << "at the end";
    parts = LayOutScrollBar(bar, 100, 250);
    // Back from the thumb's place, within what one pixel of the track stands for (250 / 109).
    EXPECT_NEAR(100, ScrollOffsetForThumb(parts, parts.thumb.top, 250), 2);
    EXPECT_EQ(ScrollOffsetForThumb(parts, 10000, 250), 250) << "dragged past the end";
    EXPECT_EQ(ScrollOffsetForThumb(parts, -10000, 250), 0);

    parts = LayOutScrollBar(bar, 0, 100000);
    EXPECT_EQ(parts.thumb.bottom - parts.thumb.top, 8) << "a thumb stays big enough to take";
    EXPECT_FALSE(LayOutScrollBar(bar, 0, 0).hasThumb) << "nothing to scroll, no thumb";
    parts = LayOutScrollBar(RECT{0, 0, 16, 20}, 5, 50);
    EXPECT_EQ(parts.up.bottom, 10) << "a short bar shares its height between the buttons";
    EXPECT_EQ(parts.down.top, 10);
    EXPECT_FALSE(parts.hasThumb);
    EXPECT_EQ(ScrollOffsetForThumb(parts, 5, 50), 0);
}

TEST_F(PaintedPage, TheListsScrollBarTakesThePagesColours) {
    Load(104);
    DomNodePtr list = Element("tblTexts");
    list->SetInnerHtml(FromUtf8(RenderedRows(8)));
    Paint();
    ScrollBarParts parts = {};
    LONG maxOffset = 0;
    ASSERT_TRUE(page->ScrollBarState(*list, &parts, &maxOffset));
    EXPECT_GT(maxOffset, 0);
    ASSERT_TRUE(parts.hasThumb);
    const LONG middle = (parts.thumb.left + parts.thumb.right) / 2;
    EXPECT_EQ(GetPixel(dc, middle, (parts.thumb.top + parts.thumb.bottom) / 2),
              RGB(0xC6, 0xDC, 0xF0))
        << "scrollbar-face-color";
    EXPECT_EQ(GetPixel(dc, middle, parts.track.bottom - 2), RGB(0xE8, 0xF0, 0xFA))
        << "scrollbar-track-color";
    EXPECT_EQ(GetPixel(dc, parts.thumb.left + 1, parts.thumb.top + 3), RGB(0xFF, 0xFF, 0xFF))
        << "scrollbar-highlight-color";
    EXPECT_EQ(GetPixel(dc, parts.thumb.right - 2, parts.thumb.top + 3), RGB(0x99, 0xBB, 0xDD))
        << "scrollbar-shadow-color";
    int arrow = 0;
    for (LONG y = parts.down.top; y < parts.down.bottom; ++y) {
        for (LONG x = parts.down.left; x < parts.down.right; ++x) {
            arrow += GetPixel(dc, x, y) == RGB(0x33, 0x66, 0x99) ? 1 : 0;
        }
    }
    EXPECT_GE(arrow, 6) << "scrollbar-arrow-color";

    list->SetScrollTop(maxOffset);
    Paint();
    ASSERT_TRUE(page->ScrollBarState(*list, &parts, &maxOffset));
    EXPECT_EQ(parts.track.bottom, parts.thumb.bottom);
    EXPECT_EQ(GetPixel(dc, middle, parts.track.top + 2), RGB(0xE8, 0xF0, 0xFA))
        << "the track shows above the thumb at the end";
}

} // namespace
