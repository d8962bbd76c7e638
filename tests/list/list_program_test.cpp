// The capture list inside the running program: entries appended as a capture appends them,
// their rows in the main page, the rows lighting up under the pointer, removal, and the image
// files that go with the entries.
#include "program_fixture.h"

#include "imaging/WindowCapture.h"
#include "tests/imaging/DibBuilder.h"

#include <winsim/sim_gdi.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

const char kImageFolder[] = "C:\\Program Files\\Verbacap\\tmp";

struct Capture {
    const char* text;
    int width;
    int height;
};

// Writes a JPEG picture of a window of this size (a colour gradient with a dark frame) into
// the image folder, as a capture does, and returns its path.
std::string WriteCaptureImage(const char* name, int width, int height) {
    ::CreateDirectoryA(kImageFolder, nullptr);
    DibBuilder dib(width, height, 32);
    dib.Fill32([width, height](LONG x, LONG y) -> DWORD {
        if (x < 3 || y < 3 || x >= width - 3 || y >= height - 3) {
            return 0x203040;
        }
        return static_cast<DWORD>((x * 255 / width) << 16 | (y * 255 / height) << 8 | 0xA0);
    });
    const std::string path = std::string(kImageFolder) + "\\" + name + ".jpg";
    std::string error;
    EXPECT_TRUE(WindowCapture().WriteJpeg(dib.Header(), 90, path.c_str(), &error)) << error;
    return path;
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CHtmlElementPtr Element(const char* path) {
    CQuilloryTextDlg& dialog = ProgramTest::Dialog();
    return dialog.GetHtmlView()->FindElement(AfxAnsiToWide(path));
}

std::string Narrow(const std::basic_string<WCHAR>& text) {
    return CString(text.c_str()).str();
}

std::string Lower(std::string text) {
    for (char& ch : text) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return text;
}

std::string BackgroundOf(const char* id) {
    CHtmlElementPtr element = Element(id);
    return element ? Narrow(element->GetBackgroundColor()) : "<no element " + std::string(id) + ">";
}

// The colours of the four elements of row `row`, joined by blanks ("-" for none).
std::string RowColours(int row) {
    std::string colours;
    for (const char* prefix : {"cat", "txt", "img", "imt"}) {
        const std::string colour = BackgroundOf((prefix + std::to_string(row)).c_str());
        colours += (colours.empty() ? "" : " ") + (colour.empty() ? "-" : colour);
    }
    return colours;
}

// Moves the pointer over the middle of the element (or near its bottom left corner), as the
// person would.
void HoverOver(const char* path, bool nearBottomLeft = false) {
    CQuilloryTextDlg& dialog = ProgramTest::Dialog();
    CHtmlElementPtr element = Element(path);
    ASSERT_TRUE(element) << path;
    RECT rect = {};
    ASSERT_TRUE(dialog.GetHtmlView()->GetElementClientRect(element, &rect)) << path;
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (nearBottomLeft) {
        point = {rect.left + 3, rect.bottom - 3};
    }
    winsim::HoverWindow(dialog.GetBrowserWindow(), point);
}

class ListProgramTest : public ProgramTest {
protected:
    // Queues a step that appends these captures, each with a picture of its size.
    void StepAppend(std::vector<Capture> captures) {
        Step("append captures", [this, captures] {
            for (const Capture& capture : captures) {
                const std::string name = "shot" + std::to_string(images_.size());
                // A failed grab writes no file.
                images_.push_back(
                    capture.width > 0
                        ? WriteCaptureImage(name.c_str(), capture.width, capture.height)
                        : std::string(kImageFolder) + "\\" + name + ".jpg");
                Dialog().AppendEntry(capture.text, images_.back().c_str(), capture.width,
                                     capture.height);
            }
        });
    }
    std::vector<std::string> images_;
};

TEST_F(ListProgramTest, AppendedEntriesShowAsRowsAndTheNewestTextGoesToTheClipboard) {
    winsim::SetWallClock(2024, 5, 6, 9, 8, 7);
    StepAppend({{"Premier message", 400, 150},
                {"<b>Gras</b> et\nsuite", 300, 100},
                {"<p><u>Erreur</u></p>Fichier introuvable\nOK\n", 240, 90}});
    Step("look at the list", [this] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 3);
        EXPECT_EQ(dialog.GetSelectedEntry(), 2);
        EXPECT_EQ(dialog.GetEntryAt(1)->m_strText, "<b>Gras</b> et<br/>suite");
        EXPECT_EQ(dialog.GetEntryAt(0)->m_strTime, "09:08:07");
        EXPECT_EQ(winsim::ClipboardText(), "Erreur\r\n======\r\n\r\nFichier introuvable\r\nOK\r\n");
        EXPECT_EQ(winsim::ClipboardOwner(), dialog.m_hWnd);

        const char* classes[] = {"even", "odd", "even"};
        for (int row = 0; row < 3; ++row) {
            for (const char* prefix : {"cat", "txt", "img", "imt"}) {
                const std::string id = prefix + std::to_string(row);
                CHtmlElementPtr element = Element(id.c_str());
                ASSERT_TRUE(element) << id;
                EXPECT_EQ(Narrow(element->GetClassName()), classes[row]) << id;
            }
            EXPECT_EQ(Lower(Narrow(Element(("imt" + std::to_string(row)).c_str())->GetTagName())),
                      "img");
        }
        EXPECT_EQ(Narrow(Element("cat0")->GetInnerText()), "09:08:07");
        EXPECT_EQ(Narrow(Element("imt0")->GetAttribute(WIDE("height"))), "45");
        EXPECT_EQ(Narrow(Element("imt1")->GetAttribute(WIDE("height"))), "40");
        // The text is markup: bold text and a line break, not the characters of the tags.
        EXPECT_EQ(Narrow(Element("txt1/b")->GetInnerText()), "Gras");
        EXPECT_TRUE(Element("txt1/br"));
        EXPECT_EQ(Narrow(Element("txt2/u")->GetInnerText()), "Erreur");
        EXPECT_FALSE(Element("cat3"));
        EXPECT_TRUE(winsim::SaveWindowScreenshot(dialog.m_hWnd, "list_three_entries.png"));
    });
    StepClose();
    RunProgram();
}

TEST_F(ListProgramTest, RemovingRenumbersTheRowsAndDeletesTheFiles) {
    StepAppend({{"zero", 400, 150}, {"one", 400, 150}, {"two", 400, 150}});
    Step("delete the entry at index 1", [this] {
        CQuilloryTextDlg& dialog = Dialog();
        dialog.SelectEntry(1);
        dialog.RemoveSelectedEntry();
        ASSERT_EQ(dialog.GetEntryCount(), 2);
        EXPECT_EQ(dialog.GetSelectedEntry(), 1);
        EXPECT_EQ(dialog.GetEntryAt(1)->m_strText, "two");
        EXPECT_TRUE(FileExists(images_[0]));
        EXPECT_FALSE(FileExists(images_[1]));
        EXPECT_TRUE(FileExists(images_[2]));
        // The former row 2 is row 1 now, with the class of an odd row.
        EXPECT_EQ(Narrow(Element("txt1")->GetInnerText()), "two");
        EXPECT_EQ(Narrow(Element("txt1")->GetClassName()), "odd");
        EXPECT_FALSE(Element("txt2"));
        // The copy acts on the selected entry.
        dialog.CopyEntryText();
        EXPECT_EQ(winsim::ClipboardText(), "two");
        // Beyond the list nothing is touched.
        dialog.SelectEntry(2);
        dialog.RemoveSelectedEntry();
        dialog.CopyEntryText();
        EXPECT_EQ(dialog.GetEntryCount(), 2);
        EXPECT_EQ(winsim::ClipboardText(), "two");
        EXPECT_EQ(dialog.GetEntry(2), nullptr);
        EXPECT_EQ(dialog.GetEntry(-1), nullptr);
    });
    Step("delete the rest", [this] {
        CQuilloryTextDlg& dialog = Dialog();
        dialog.SelectEntry(0);
        dialog.RemoveSelectedEntry();
        dialog.RemoveSelectedEntry();
        EXPECT_TRUE(dialog.GetEntryCount() == 0);
        EXPECT_FALSE(FileExists(images_[0]));
        EXPECT_FALSE(FileExists(images_[2]));
        // The list's own head, not the page's first one, over the filler row.
        const std::string html = dialog.GetElementHtml("tblTexts").str();
        EXPECT_NE(html.find("Capture time"), std::string::npos) << html;
        EXPECT_EQ(html.find("Heure capture"), std::string::npos) << html;
        EXPECT_NE(html.find("colspan=\"3\""), std::string::npos) << html;
        EXPECT_FALSE(Element("cat0"));
    });
    StepClose();
    RunProgram();
}

TEST_F(ListProgramTest, ClosingTheProgramDeletesEveryImageOfTheRun) {
    StepAppend({{"a", 200, 100}, {"b", 0, 0}, {"c", 100, 50}});
    Step("the images are there", [this] {
        EXPECT_TRUE(FileExists(images_[0]));
        EXPECT_TRUE(FileExists(images_[2]));
    });
    StepClose();
    RunProgram();
    for (const std::string& image : images_) {
        EXPECT_FALSE(FileExists(image)) << image;
    }
    // The folder itself stays.
    EXPECT_TRUE(FileExists(kImageFolder));
}

TEST_F(ListProgramTest, RowsLightUpUnderThePointerAndReturnToTheirColours) {
    StepAppend({{"<p><u>Titre</u></p>texte", 400, 150}, {"odd row", 400, 150}});
    // The pointer's moves reach the page when the program takes its next messages.
    Step("move over the time of the even row", [] { HoverOver("cat0"); });
    Step("the even row is lit", [] {
        EXPECT_EQ(RowColours(0), "#D0F1C5 #D0F1C5 #D0F1C5 #D0F1C5");
        EXPECT_EQ(RowColours(1), "- - - -");
        HoverOver("img1");
    });
    Step("the odd row is lit, the even one back to its colour", [] {
        EXPECT_EQ(RowColours(0), "#c6dcf0 #c6dcf0 #c6dcf0 #c6dcf0");
        EXPECT_EQ(RowColours(1), "#fffbc0 #fffbc0 #fffbc0 #fffbc0");
        HoverOver("menuHelp");
    });
    Step("the odd row is back to its colour", [] {
        EXPECT_EQ(RowColours(1), "#ffffff #ffffff #ffffff #ffffff");
        Dialog().RenderCaptureList();
        HoverOver("imt1");
    });
    Step("over the image of the odd row", [] {
        EXPECT_EQ(RowColours(1), "#fffbc0 #fffbc0 #fffbc0 #fffbc0");
        HoverOver("menuHelp");
    });
    Step("over the underlined title inside a text cell", [] {
        Dialog().RenderCaptureList();
        HoverOver("txt0/u");
    });
    Step("the title does not react: it is markup without a class", [] {
        EXPECT_EQ(RowColours(0), "- - - -");
        HoverOver("txt0", true);
    });
    Step("the cell below its text does",
         [] { EXPECT_EQ(RowColours(0), "#D0F1C5 #D0F1C5 #D0F1C5 #D0F1C5"); });
    StepClose();
    RunProgram();
}

TEST_F(ListProgramTest, LongWordsWrapSoThatTheImageColumnStaysInView) {
    const std::string path = "Impossible d'ouvrir C:\\" + std::string(300, 'W') + "\\journal.txt";
    const std::string pre = "<pre>" + std::string(200, 'M') + "</pre>";
    StepAppend({{path.c_str(), 400, 150}, {pre.c_str(), 400, 150}});
    Step("look at the pictures", [] {
        CQuilloryTextDlg& dialog = Dialog();
        RECT client = {};
        ::GetClientRect(dialog.GetBrowserWindow(), &client);
        for (const char* picture : {"imt0", "imt1"}) {
            RECT rect = {};
            ASSERT_TRUE(dialog.GetHtmlView()->GetElementClientRect(Element(picture), &rect));
            EXPECT_GT(rect.left, client.left) << picture;
            EXPECT_LE(rect.right, client.right) << picture;
        }
    });
    StepClose();
    RunProgram();
}

TEST_F(ListProgramTest, HostileTitlesShowAsMarkupButRunNothing) {
    const char* hostile = "<p><u><img src=x onerror=alert(1)></u></p><script>alert(2)</script>"
                          "<a href='java\tscript:alert(3)' ONCLICK=alert(4)>lien</a>";
    StepAppend({{hostile, 400, 150}});
    Step("look at the row", [hostile] {
        CQuilloryTextDlg& dialog = Dialog();
        EXPECT_EQ(dialog.GetEntryAt(0)->m_strText, hostile);
        // The clipboard gets the text as it was captured.
        EXPECT_EQ(winsim::ClipboardText(),
                  std::string("<img src=x onerror=alert(1)>\r\n") + std::string(28, '=') +
                      "\r\n\r\n<script>alert(2)</script><a href='java\tscript:alert(3)' "
                      "ONCLICK=alert(4)>lien</a>");
        std::vector<CHtmlElementPtr> pending = {Element("txt0")};
        int elements = 0;
        while (!pending.empty()) {
            CHtmlElementPtr element = pending.back();
            pending.pop_back();
            ++elements;
            EXPECT_NE(Lower(Narrow(element->GetTagName())), "script");
            for (const auto& [name, value] : element->GetAttributes()) {
                std::string lower = Lower(Narrow(name));
                EXPECT_NE(lower.substr(0, 2), "on") << lower;
                EXPECT_EQ(Lower(Narrow(value)).find("script:"), std::string::npos) << Narrow(value);
            }
            for (const CHtmlElementPtr& child : element->GetChildren()) {
                pending.push_back(child);
            }
        }
        EXPECT_GE(elements, 3); // the cell, p, u: the formatting is still there
        EXPECT_FALSE(Element("txt0/a"));
        EXPECT_FALSE(Element("txt0/img"));
        const std::string shown = Narrow(Element("txt0")->GetInnerText());
        EXPECT_NE(shown.find("<img src=x onerror=alert(1)>"), std::string::npos) << shown;
        EXPECT_NE(shown.find("<script>alert(2)</script>"), std::string::npos) << shown;
    });
    StepClose();
    RunProgram();
}

TEST_F(ListProgramTest, CapturedMarkupCannotTakeTheIdsOfThePage) {
    StepAppend({{"<div id=ctrlHotkey style='width:300px;height:90px'>moved?</div>", 400, 150}});
    Step("the page's own hot-key place is still the one found", [] {
        RECT place = {};
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_TRUE(dialog.GetHtmlView()->GetElementClientRect(Element("ctrlHotkey"), &place));
        EXPECT_EQ(place.right - place.left, 120);
        EXPECT_EQ(place.bottom - place.top, 20);
        EXPECT_FALSE(Element("txt0/div"));
        EXPECT_NE(Narrow(Element("txt0")->GetInnerText()).find("moved?"), std::string::npos);
    });
    StepClose();
    RunProgram();
}

TEST_F(ListProgramTest, DoubleByteTitleIsUnderlinedPerByte) {
    config_.codePage = 932;
    winsim::ResetDesktop(config_);
    StepAppend({{"<p><u>\x8C\x78\x8D\x90</u></p>\x83\x5C\x83\x74\x83\x67", 400, 150}});
    Step("the clipboard", [] {
        EXPECT_EQ(winsim::ClipboardText(),
                  "\x8C\x78\x8D\x90\r\n====\r\n\r\n\x83\x5C\x83\x74\x83\x67");
        EXPECT_EQ(Element("txt0/u")->GetInnerText(), WIDE("\u8B66\u544A"));
    });
    StepClose();
    RunProgram();
}

} // namespace
