// The capture list's table: byte for byte, with the row pattern, the classes and ids, the
// thumbnail heights and the filler row of an empty list.
#include "list/CaptureListHtml.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

const std::string kHead = "<table width=\"100%\" height=\"100%\"><tr width=\"100%\" "
                          "height=\"12pt\"><th width=\"80px\">Capture time</th><th "
                          "width=\"60%\">Text</th><th>Image</th></tr>";

class CaptureListHtmlTest : public ::testing::Test {
protected:
    void SetUp() override { winsim::ResetDesktop(); }
    void TearDown() override {
        for (CaptureEntry* entry : entries) {
            delete entry;
        }
    }
    CaptureEntry& Add(const char* text, const char* path, int width, int height) {
        entries.push_back(new CaptureEntry(text, path, width, height));
        return *entries.back();
    }
    std::vector<CaptureEntry*> entries;
};

TEST(ThumbnailHeight, KeepsTheAspectRatioTruncatedInDoublePrecision) {
    EXPECT_EQ(ThumbnailHeight(400, 150), 45);
    // 205 / 100 is stored just below 2.05, so the product stays below 246.
    EXPECT_EQ(ThumbnailHeight(100, 205), 245);
    EXPECT_EQ(ThumbnailHeight(120, 90), 90);
    EXPECT_EQ(ThumbnailHeight(7, 3), 51);
    // A failed grab has no size.
    EXPECT_EQ(ThumbnailHeight(0, 0), 0);
    EXPECT_EQ(ThumbnailHeight(0, 300), 0);
    EXPECT_EQ(ThumbnailHeight(1, INT_MAX), INT_MAX);
}

TEST_F(CaptureListHtmlTest, EmptyListIsTheHeadTheFillerRowAndTheEnd) {
    EXPECT_EQ(BuildCaptureListHtml(entries).str(),
              kHead + "<tr><td style=\"background-color: #ffffff; filter:alpha(opacity=50);\" "
                      "colspan=\"3\">&nbsp;</td></tr></table>");
}

TEST_F(CaptureListHtmlTest, RowsFollowThePatternWithAlternatingClasses) {
    Add("first", "C:\\Program Files\\Verbacap\\tmp\\1a.jpg", 400, 150).m_strTime = "10:00:01";
    Add("second\nline", "C:\\tmp\\2b.jpg", 100, 205).m_strTime = "10:00:02";
    Add("<p><u>Erreur</u></p>OK", "C:\\3.jpg", 0, 0).m_strTime = "";

    const std::string expected =
        kHead +
        "<tr><td class=\"even\" id=\"cat0\">10:00:01</td><td class=\"even\" id=\"txt0\">first</td>"
        "<td class=\"even\" id=\"img0\"><img src=\"file:///C:\\Program "
        "Files\\Verbacap\\tmp\\1a.jpg\" class=\"even\" id=\"imt0\" width=\"120\" "
        "height=\"45\"/></td></tr>"
        "<tr><td class=\"odd\" id=\"cat1\">10:00:02</td><td class=\"odd\" "
        "id=\"txt1\">second<br/>line</td><td class=\"odd\" id=\"img1\"><img "
        "src=\"file:///C:\\tmp\\2b.jpg\" class=\"odd\" id=\"imt1\" width=\"120\" "
        "height=\"245\"/></td></tr>"
        "<tr><td class=\"even\" id=\"cat2\"></td><td class=\"even\" "
        "id=\"txt2\"><p><u>Erreur</u></p>OK</td><td class=\"even\" id=\"img2\"><img "
        "src=\"file:///C:\\3.jpg\" class=\"even\" id=\"imt2\" width=\"120\" "
        "height=\"0\"/></td></tr>"
        "</table>";
    EXPECT_EQ(BuildCaptureListHtml(entries).str(), expected);
}

TEST_F(CaptureListHtmlTest, TextGoesInWithItsFormattingAndTheRestAsText) {
    CaptureEntry& entry = Add("<b>bold</b> <img src=x onerror=alert(1)>", "C:\\1.jpg", 1, 1);
    const std::string html = BuildCaptureListHtml(entries).str();
    EXPECT_NE(html.find("id=\"txt0\"><b>bold</b> &lt;img src=x onerror=alert(1)></td>"),
              std::string::npos)
        << html;
    // The stored text itself is not touched.
    EXPECT_EQ(entry.m_strText, "<b>bold</b> <img src=x onerror=alert(1)>");
}

// Rows are kept between builds: after any change to an entry or to the order, the table must
// still be the one a list built from scratch gives.
TEST_F(CaptureListHtmlTest, KeptRowsFollowEveryChangeOfTheEntries) {
    for (int i = 0; i < 5; ++i) {
        const std::string n = std::to_string(i);
        Add(("text " + n).c_str(), ("C:\\" + n + ".jpg").c_str(), 100 + i, 50).m_strTime = "10:00";
    }
    BuildCaptureListHtml(entries);
    entries[1]->m_strText = "<b>new</b> text";
    entries[2]->m_strTime = "11:11:11";
    entries[3]->m_strImagePath = "D:\\moved.jpg";
    entries[4]->m_nHeight = 400;
    delete entries[0];
    entries.erase(entries.begin());
    const std::string kept = BuildCaptureListHtml(entries).str();

    std::vector<CaptureEntry*> fresh;
    for (const CaptureEntry* entry : entries) {
        fresh.push_back(new CaptureEntry("", "", entry->m_nWidth, entry->m_nHeight));
        fresh.back()->m_strText = entry->m_strText;
        fresh.back()->m_strTime = entry->m_strTime;
        fresh.back()->m_strImagePath = entry->m_strImagePath;
    }
    EXPECT_EQ(kept, BuildCaptureListHtml(fresh).str());
    EXPECT_NE(kept.find("id=\"txt0\"><b>new</b> text</td>"), std::string::npos) << kept;
    EXPECT_NE(kept.find("id=\"imt3\" width=\"120\" height=\"461\""), std::string::npos) << kept;
    for (CaptureEntry* entry : fresh) {
        entry->m_strImagePath.Empty(); // the pictures belong to the entries above
        delete entry;
    }
}

} // namespace
