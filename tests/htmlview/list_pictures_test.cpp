// The capture list as the main page shows it, changed the way the program changes it (rows
// appended, a row deleted, the whole list set again), and the pictures of its rows: kept once,
// read anew when their file changes, forgotten with their row, scaled down by averaging.
#include "htmlview/src/HtmlParser.h"
#include "htmlview/src/PageLayout.h"
#include "htmlview/src/Utf.h"
#include "tests/support/memory_bitmap.h"

#include <winsim/module_resources.h>
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace htmlview;
using namespace htmlview::internal;

constexpr SIZE kMainClient = {463, 353};

std::string PageMarkup(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(23));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded) {
        return std::string();
    }
    return DecodePageBytes(static_cast<const unsigned char*>(LockResource(loaded)),
                           SizeofResource(nullptr, found));
}

// A 24-bit bottom-up BMP file; colour(x, y) gives each pixel.
template <typename Colour>
void WriteBmp(const std::string& windowsPath, int width, int height, Colour colour) {
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
            const COLORREF c = colour(x, height - 1 - y);
            BYTE* pixel = &bits[static_cast<size_t>(y) * stride + x * 3];
            pixel[0] = GetBValue(c);
            pixel[1] = GetGValue(c);
            pixel[2] = GetRValue(c);
        }
    }
    std::ofstream out(*winsim::HostPath(windowsPath), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(bits.data()),
              static_cast<std::streamsize>(bits.size()));
}

void WritePlainBmp(const std::string& windowsPath, int width, int height, COLORREF colour) {
    WriteBmp(windowsPath, width, height, [colour](int, int) { return colour; });
}

std::string PicturePath(int n) {
    return "C:\\shots\\" + std::to_string(n) + ".bmp";
}

// The start of the table the program writes: the table and its head row.
const char kListHead[] = "<table width=\"100%\" height=\"100%\"><tr width=\"100%\" height=\"12pt\">"
                         "<th width=\"80px\">Capture time</th><th width=\"60%\">Text</th>"
                         "<th>Image</th></tr>";

// The table the program writes for entries with these picture numbers, in this order.
std::string ListMarkup(const std::vector<int>& pictures) {
    std::string html = kListHead;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const std::string row = i % 2 == 0 ? "even" : "odd";
        const std::string n = std::to_string(i);
        html += "<tr><td class=\"" + row + "\" id=\"cat" + n + "\">12:00:0" + n +
                "</td><td class=\"" + row + "\" id=\"txt" + n + "\">Texte " +
                std::to_string(pictures[i]) + "<br/>ligne</td><td class=\"" + row + "\" id=\"img" +
                n + "\"><img src=\"file:///" + PicturePath(pictures[i]) + "\" class=\"" + row +
                "\" id=\"imt" + n + "\" width=\"120\" height=\"" +
                std::to_string(20 + 5 * (pictures[i] % 3)) + "\"/></td></tr>";
    }
    if (pictures.empty()) {
        html += "<tr><td style=\"background-color: #ffffff; filter:alpha(opacity=50);\" "
                "colspan=\"3\">&nbsp;</td></tr>";
    }
    return html + "</table>";
}

// A list of entries numbered as given, its pictures taken from the eight files in turn; every
// 41st entry's text holds a long word, which sets the width of the text column.
std::string LongListMarkup(const std::vector<int>& entries) {
    std::string html = kListHead;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string row = i % 2 == 0 ? "even" : "odd";
        const std::string n = std::to_string(i);
        const int entry = entries[i];
        const std::string word =
            entry % 41 == 0 ? " Mot" + std::string(static_cast<size_t>(45 + 3 * (entry % 9)), 'w')
                            : "";
        html += "<tr><td class=\"" + row + "\" id=\"cat" + n +
                "\">12:00:" + std::to_string(entry % 60) + "</td><td class=\"" + row +
                "\" id=\"txt" + n + "\">Texte " + std::to_string(entry) + word +
                "<br/>ligne</td><td class=\"" + row + "\" id=\"img" + n + "\"><img src=\"file:///" +
                PicturePath(entry % 8) + "\" class=\"" + row + "\" id=\"imt" + n +
                "\" width=\"120\" height=\"" + std::to_string(20 + 5 * (entry % 3)) +
                "\"/></td></tr>";
    }
    return html + "</table>";
}

// The main page laid out and painted into a bitmap of the dialog's client size.
class ShownPage {
public:
    // markup: the page; the program's main page when empty.
    explicit ShownPage(const std::string& markup = std::string()) : layout_([] {}) {
        bool quirks = false;
        DomNodePtr root = ParseDocument(markup.empty() ? PageMarkup(104) : markup, &quirks);
        layout_.container().images().SetModule(winsim::ProgramModule());
        layout_.container().images().SetFileLoader(LoadPictureFile);
        layout_.SetDocument(root, quirks);
        layout_.SetViewportSize(kMainClient);
    }

    PageLayout& layout() { return layout_; }
    ImageStore& images() { return layout_.container().images(); }
    DomNodePtr Element(const std::string& id) { return FindById(layout_.root(), id); }
    void SetList(const std::vector<int>& pictures) {
        Element("tblTexts")->SetInnerHtml(FromUtf8(ListMarkup(pictures)));
    }
    void SetLongList(const std::vector<int>& entries) {
        Element("tblTexts")->SetInnerHtml(FromUtf8(LongListMarkup(entries)));
    }
    void Paint() {
        const RECT all = {0, 0, kMainClient.cx, kMainClient.cy};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        layout_.Paint(dc_, all);
    }
    // Paints into the bitmap as the control paints its kept canvas: only what changed since the
    // last such paint. Returns the part painted.
    RECT PaintChanges() {
        const RECT painted = layout_.PaintChanges(dc_, canvasKept_);
        canvasKept_ = true;
        return painted;
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> all;
        for (int y = 0; y < kMainClient.cy; ++y) {
            for (int x = 0; x < kMainClient.cx; ++x) {
                all.push_back(GetPixel(dc_, x, y));
            }
        }
        return all;
    }
    // The middle of the picture of row `row`, in client coordinates.
    POINT PictureCentre(int row) {
        RECT box = {};
        layout_.ClientRect(*Element("imt" + std::to_string(row)), &box);
        return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }

private:
    PageLayout layout_;
    MemoryBitmap bitmap_{kMainClient.cx, kMainClient.cy};
    HDC dc_ = bitmap_.dc();
    bool canvasKept_ = false;
};

class ListPictures : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        CreateDirectoryA("C:\\shots", nullptr);
        for (int n = 0; n < 8; ++n) {
            WritePlainBmp(PicturePath(n), 240, 40 + 10 * n, RGB(20 * n, 200 - 20 * n, 90));
        }
    }
};

TEST_F(ListPictures, ChangedListLooksAndMeasuresAsTheSameListLaidOutAtOnce) {
    const std::vector<int> longList = {0, 1, 2, 3, 4, 5, 6, 7, 0, 1};
    std::vector<int> shortened = longList;
    shortened.erase(shortened.begin() + 1);
    std::vector<int> final = shortened;
    final.push_back(5);

    ShownPage changed;
    changed.Paint();
    changed.SetList({0});
    changed.Paint();
    changed.SetList({0, 1, 2});
    changed.Paint();
    changed.SetList(longList); // rows appended
    changed.Element("img1")->SetBackgroundColor(u"#fffbc0");
    changed.Paint();
    changed.SetList(shortened); // a row deleted: the later rows move up, the colour goes
    changed.Paint();
    changed.Element("tblTexts")->SetScrollTop(30);
    changed.SetList(final); // appended while scrolled
    changed.Paint();

    ShownPage fresh;
    fresh.SetList(final);
    fresh.Paint();
    fresh.Element("tblTexts")->SetScrollTop(30);
    fresh.Paint();

    EXPECT_EQ(changed.Element("tblTexts")->GetScrollTop(), 30);
    EXPECT_EQ(fresh.Element("tblTexts")->GetScrollTop(), 30);
    for (size_t row = 0; row < final.size(); ++row) {
        for (const char* prefix : {"cat", "txt", "img", "imt"}) {
            const std::string id = prefix + std::to_string(row);
            RECT a = {};
            RECT b = {};
            ASSERT_TRUE(changed.layout().ClientRect(*changed.Element(id), &a)) << id;
            ASSERT_TRUE(fresh.layout().ClientRect(*fresh.Element(id), &b)) << id;
            EXPECT_TRUE(a.left == b.left && a.top == b.top && a.right == b.right &&
                        a.bottom == b.bottom)
                << id;
        }
    }
    EXPECT_TRUE(changed.Pixels() == fresh.Pixels()) << "the same pixels, pictures and colours";
}

std::vector<int> Numbers(int from, int to) {
    std::vector<int> numbers;
    for (int n = from; n < to; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

// Whether both pages put the element where the other does; the rows asked about are laid out
// if they were left out.
void ExpectSameBoxes(ShownPage& a, ShownPage& b, const std::vector<int>& rows) {
    for (int row : rows) {
        for (const char* prefix : {"cat", "txt", "imt"}) {
            const std::string id = prefix + std::to_string(row);
            RECT boxA = {};
            RECT boxB = {};
            ASSERT_TRUE(a.layout().ClientRect(*a.Element(id), &boxA)) << id;
            ASSERT_TRUE(b.layout().ClientRect(*b.Element(id), &boxB)) << id;
            EXPECT_TRUE(boxA.left == boxB.left && boxA.top == boxB.top &&
                        boxA.right == boxB.right && boxA.bottom == boxB.bottom)
                << id << ": " << boxA.left << "," << boxA.top << "," << boxA.right << ","
                << boxA.bottom << " against " << boxB.left << "," << boxB.top << "," << boxB.right
                << "," << boxB.bottom;
        }
    }
}

TEST_F(ListPictures, ALongListLeavesRowsOutOfViewOutYetLooksAsWithEveryRow) {
    std::vector<int> entries = Numbers(1, 301);
    ShownPage changed;
    changed.SetLongList(entries);
    changed.Paint(); // measures every row once
    entries.push_back(302);
    changed.SetLongList(entries);
    changed.Paint();
    EXPECT_LT(changed.layout().LaidOutRowCount(), 60u) << "of 302";

    entries.push_back(820); // a long word, far below the visible part, widens the text column
    entries.push_back(303);
    changed.SetLongList(entries);
    changed.Paint();
    changed.Element("tblTexts")->SetScrollTop(5000);
    changed.Paint();
    changed.Element("txt120")->SetBackgroundColor(u"#fffbc0");
    entries.erase(entries.begin() + 40); // the widest word of the first rows goes
    changed.SetLongList(entries);
    changed.Paint();
    // The rows after it, parsed anew, renumbered and with their classes swapped, are laid out
    // as before: their measures are found by their markup.
    EXPECT_LT(changed.layout().LaidOutRowCount(), 60u) << "after a deletion";
    entries.push_back(304);
    changed.SetLongList(entries);
    changed.Paint();
    changed.Element("tblTexts")->SetScrollTop(5400);
    changed.Paint();
    EXPECT_LT(changed.layout().LaidOutRowCount(), 60u);

    ShownPage fresh;
    fresh.layout().SetRowWindowing(false);
    fresh.SetLongList(entries);
    fresh.Paint();
    fresh.Element("tblTexts")->SetScrollTop(5400);
    fresh.Paint();
    EXPECT_EQ(fresh.layout().LaidOutRowCount(), entries.size() + 1) << "no row left out";

    EXPECT_EQ(changed.Element("tblTexts")->GetScrollTop(), 5400);
    ScrollBarParts parts;
    LONG changedRange = 0;
    LONG freshRange = 0;
    ASSERT_TRUE(
        changed.layout().ScrollBarState(*changed.Element("tblTexts"), &parts, &changedRange));
    ASSERT_TRUE(fresh.layout().ScrollBarState(*fresh.Element("tblTexts"), &parts, &freshRange));
    EXPECT_EQ(changedRange, freshRange);
    EXPECT_TRUE(changed.Pixels() == fresh.Pixels()) << "the same pixels, pictures and colours";
    ExpectSameBoxes(changed, fresh, {0, 1, 39, 40, 150, 299, 300});

    // Scrolled to the end and back to the top, by steps of a view.
    for (int top = 0; top <= 30000; top += 3000) {
        changed.Element("tblTexts")->SetScrollTop(top);
        changed.Paint();
        fresh.Element("tblTexts")->SetScrollTop(top);
        fresh.Paint();
        ASSERT_TRUE(changed.Pixels() == fresh.Pixels()) << "scrolled to " << top;
    }
}

// The same page painted whole into a bitmap of its own.
std::vector<COLORREF> WholePaint(PageLayout& layout) {
    const MemoryBitmap bitmap(kMainClient.cx, kMainClient.cy);
    const RECT all = {0, 0, kMainClient.cx, kMainClient.cy};
    FillRect(bitmap.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    layout.Paint(bitmap.dc(), all);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kMainClient.cy; ++y) {
        for (int x = 0; x < kMainClient.cx; ++x) {
            pixels.push_back(GetPixel(bitmap.dc(), x, y));
        }
    }
    return pixels;
}

LONG Width(const RECT& r) {
    return r.right > r.left ? r.right - r.left : 0;
}
LONG Height(const RECT& r) {
    return r.bottom > r.top ? r.bottom - r.top : 0;
}

// A repaint draws only the part whose drawing changed, and the page then looks as painted
// whole: rows appended out of view change only the scroll bar, a highlight only its row.
TEST_F(ListPictures, ARepaintDrawsOnlyWhatChangedYetLooksAsAWholePaint) {
    ShownPage page;
    std::vector<int> entries;
    for (int entry : Numbers(1, 131)) {
        if (entry % 41 != 0) { // no long word: the pictures stay in view
            entries.push_back(entry);
        }
    }
    page.SetLongList(entries);
    RECT painted = page.PaintChanges();
    EXPECT_EQ(Width(painted), kMainClient.cx) << "the first paint draws everything";
    EXPECT_EQ(Height(painted), kMainClient.cy);
    EXPECT_EQ(Width(page.PaintChanges()), 0) << "nothing changed, nothing drawn";

    const auto expectWhole = [&](const char* step) {
        EXPECT_TRUE(page.Pixels() == WholePaint(page.layout())) << step;
    };
    entries.push_back(500);
    page.SetLongList(entries);
    painted = page.PaintChanges();
    EXPECT_GT(Width(painted), 0) << "the scroll bar's thumb";
    EXPECT_LE(Width(painted), 16) << "appended below the view: the scroll bar only";
    expectWhole("appended out of view");

    RECT row = {};
    ASSERT_TRUE(page.layout().ClientRect(*page.Element("txt1"), &row));
    for (const char* cell : {"cat1", "txt1", "img1"}) {
        page.Element(cell)->SetBackgroundColor(u"#fffbc0");
    }
    painted = page.PaintChanges();
    EXPECT_LE(Height(painted), Height(row) + 8) << "the highlighted row";
    expectWhole("highlight");

    entries.erase(entries.begin() + 2); // a row in view goes: those below move up
    page.SetLongList(entries);
    page.PaintChanges();
    expectWhole("deleted in view");

    page.Element("tblTexts")->SetScrollTop(37);
    page.PaintChanges();
    expectWhole("scrolled");

    WritePlainBmp(PicturePath(2), 240, 60, RGB(250, 10, 10)); // same size, new pixels
    page.PaintChanges();
    const POINT centre = page.PictureCentre(1);
    EXPECT_EQ(page.Pixel(centre.x, centre.y), RGB(250, 10, 10));
    expectWhole("a picture file replaced");

    page.SetList({});
    page.PaintChanges();
    expectWhole("emptied");
    page.SetList({3});
    page.PaintChanges();
    expectWhole("one entry");
}

// After a deletion the rows below swap their classes. Where a class only paints, their measures
// stay; where it lays rows out (here taller rows), they are measured anew, and the list looks
// and scrolls as the same list laid out with every row.
TEST_F(ListPictures, RowsWhoseClassLaysThemOutAreMeasuredAnewAfterADeletion) {
    const std::string page =
        "<html><head><style>.even { height: 40px } .odd { color: #123456 }</style></head>"
        "<body><div id=\"tblTexts\" style=\"width: 440px; height: 250px; overflow: auto\">"
        "</div></body></html>";
    std::vector<int> entries = Numbers(1, 200);
    ShownPage changed(page);
    changed.SetLongList(entries);
    changed.Paint();
    entries.push_back(200);
    changed.SetLongList(entries);
    changed.Paint();
    entries.erase(entries.begin() + 3);
    changed.SetLongList(entries);
    changed.Paint();

    ShownPage fresh(page);
    fresh.layout().SetRowWindowing(false);
    fresh.SetLongList(entries);
    fresh.Paint();
    for (int top : {0, 2000, 6000}) {
        changed.Element("tblTexts")->SetScrollTop(top);
        changed.Paint();
        fresh.Element("tblTexts")->SetScrollTop(top);
        fresh.Paint();
        EXPECT_EQ(changed.Element("tblTexts")->GetScrollTop(),
                  fresh.Element("tblTexts")->GetScrollTop());
        ASSERT_TRUE(changed.Pixels() == fresh.Pixels()) << "scrolled to " << top;
    }
    ExpectSameBoxes(changed, fresh, {2, 3, 100, 197});
}

// The index of ids follows rows put in and taken out without being made again, and still
// finds the first element of an id in the page.
TEST_F(ListPictures, IdsOfChangedRowsAreFoundAsInTheWholePage) {
    ShownPage page;
    std::vector<int> entries = Numbers(1, 6);
    page.SetLongList(entries);
    const DomNodePtr third = page.layout().ElementById("txt2");
    ASSERT_TRUE(third);
    entries.erase(entries.begin() + 1); // rows 1 to 4 parsed anew, the last id gone
    page.SetLongList(entries);
    // The index followed the renumbering: still current, with the ids of the page and no more.
    std::vector<DomNodePtr> nodes{page.layout().root()};
    size_t idsInPage = 0;
    while (!nodes.empty()) {
        const DomNodePtr node = nodes.back();
        nodes.pop_back();
        idsInPage += node->FindAttribute("id") != nullptr ? 1 : 0;
        nodes.insert(nodes.end(), node->children().begin(), node->children().end());
    }
    EXPECT_EQ(page.layout().IndexedIdCount(), std::optional<size_t>(idsInPage));
    for (size_t row = 0; row < entries.size(); ++row) {
        const std::string id = "txt" + std::to_string(row);
        EXPECT_EQ(page.layout().ElementById(id), FindById(page.layout().root(), id)) << id;
    }
    EXPECT_NE(page.layout().ElementById("txt2"), third);
    EXPECT_FALSE(page.layout().ElementById("txt4"));
    // A row that takes the id of an element before the list: that element stays the one found.
    page.Element("tblTexts")
        ->SetInnerHtml(
            FromUtf8(LongListMarkup(entries).substr(0, LongListMarkup(entries).size() - 8) +
                     "<tr><td id=\"menu\">x</td></tr></table>"));
    page.layout().ElementById("txt0");
    page.Element("tblTexts")
        ->SetInnerHtml(
            FromUtf8(LongListMarkup(entries).substr(0, LongListMarkup(entries).size() - 8) +
                     "<tr><td id=\"menu\">x</td></tr><tr><td id=\"menu\">y</td></tr></table>"));
    EXPECT_EQ(page.layout().ElementById("menu"), FindById(page.layout().root(), "menu"));
    EXPECT_EQ(page.layout().ElementById("menu")->tag(), "span");
}

TEST_F(ListPictures, PictureFileReplacedOnDiskIsShownAnew) {
    ShownPage page;
    page.SetList({0, 1});
    page.Paint();
    const POINT centre = page.PictureCentre(1);
    EXPECT_EQ(page.Pixel(centre.x, centre.y), RGB(20, 180, 90));

    WritePlainBmp(PicturePath(1), 240, 50, RGB(250, 10, 10)); // same size, new pixels
    page.Paint();
    EXPECT_EQ(page.Pixel(centre.x, centre.y), RGB(250, 10, 10));

    DeleteFileA(PicturePath(1).c_str());
    page.Paint();
    EXPECT_NE(RGB(250, 10, 10), page.Pixel(centre.x, centre.y)) << "a deleted file is missing";
}

TEST_F(ListPictures, NothingOfARemovedRowStaysKept) {
    ShownPage page;
    page.SetList({0, 1, 2, 3});
    page.Paint();
    EXPECT_EQ(page.images().pictureCount(), 5u) << "four pictures and the page's background";
    const size_t fourRows = page.images().bytesHeld();

    page.SetList({0, 3});
    page.Paint();
    EXPECT_EQ(page.images().pictureCount(), 3u);
    EXPECT_LT(page.images().bytesHeld(), fourRows);

    page.SetList({});
    page.Paint();
    EXPECT_EQ(page.images().pictureCount(), 1u);
}

TEST_F(ListPictures, KeptPicturesStayWithinTheBudget) {
    ShownPage page;
    const size_t budget = 200 * 1024;
    page.images().SetMemoryBudget(budget);
    page.SetList({0, 1, 2, 3, 4, 5, 6, 7});
    page.Paint();
    EXPECT_LE(page.images().bytesHeld(), budget);
    // The first row's picture, let go while the later ones were read, is read again to show.
    const POINT centre = page.PictureCentre(0);
    EXPECT_EQ(page.Pixel(centre.x, centre.y), RGB(0, 200, 90));
}

TEST_F(ListPictures, ThumbnailsAverageThePixelsTheyCover) {
    // Columns of black and white, one pixel each: halved, every pixel is grey, where dropping
    // pixels would keep one colour only.
    WriteBmp("C:\\shots\\stripes.bmp", 240, 40,
             [](int x, int) { return x % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); });
    std::unique_ptr<DibImage> stripes = LoadPictureFile("C:\\shots\\stripes.bmp");
    ASSERT_TRUE(stripes);
    const std::unique_ptr<DibImage> half = stripes->ScaledDown(120, 20);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->width(), 120);
    EXPECT_EQ(half->height(), 20);

    ShownPage page;
    page.Element("tblTexts")
        ->SetInnerHtml(u"<img id=s src=\"file:///C:\\shots\\stripes.bmp\" width=120 height=20>"
                       u"<img id=t src=\"file:///C:\\shots\\stripes.bmp\" width=90 height=20>");
    page.Paint();
    for (const char* id : {"s", "t"}) {
        RECT box = {};
        ASSERT_TRUE(page.layout().ClientRect(*page.Element(id), &box));
        for (int x = box.left + 1; x < box.right - 1; x += 7) {
            const COLORREF pixel = page.Pixel(x, box.top + 5);
            EXPECT_NEAR(GetRValue(pixel), 128, 45) << id << " at " << x;
        }
    }
    EXPECT_EQ(page.images().pictureCount(), 2u) << "the background, and one picture at two sizes";

    EXPECT_FALSE(stripes->ScaledDown(241, 40)) << "not larger";
    EXPECT_FALSE(stripes->ScaledDown(0, 10));
}

} // namespace
