// The entry menu inside the running program: a mouse-down on a row opens it with its icons,
// drawn through the main dialog, and its commands copy the entry's text or picture, save the
// picture under a chosen name, or delete the entry.
#include "program_fixture.h"

#include "imaging/WindowCapture.h"
#include "list/EntryRowIndex.h"
#include "menu/ColorBlend.h"
#include "menu/MenuStyle.h"
#include "menu/SharedIconList.h"
#include "tests/imaging/DibBuilder.h"
#include "tests/support/geometry.h"

#include <winsim/sim_gdi.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kImageFolder[] = "C:\\Program Files\\Verbacap\\tmp";
const char kSaveFolder[] = "C:\\Images";

// A capture's picture: its top half red, its bottom half blue, so that an image turned upside
// down shows.
std::string WriteTwoColourImage(const std::string& name, int width, int height) {
    ::CreateDirectoryA(kImageFolder, nullptr);
    DibBuilder dib(width, height, 32);
    dib.Fill32([height](LONG, LONG y) -> DWORD { return y < height / 2 ? 0xD02020 : 0x2020D0; });
    const std::string path = std::string(kImageFolder) + "\\" + name + ".jpg";
    std::string error;
    EXPECT_TRUE(WindowCapture().WriteJpeg(dib.Header(), 90, path.c_str(), &error)) << error;
    return path;
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string HostBytes(const std::string& windowsPath) {
    std::optional<std::string> host = winsim::HostPath(windowsPath);
    if (!host) {
        return "<no path>";
    }
    std::ifstream in(*host, std::ios::binary);
    if (!in) {
        return "<no file>";
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileText(const std::string& windowsPath, const std::string& text) {
    std::optional<std::string> host = winsim::HostPath(windowsPath);
    ASSERT_TRUE(host) << windowsPath;
    std::ofstream(*host, std::ios::binary) << text;
}

std::string CurrentDirectory() {
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

// Presses the left button on the middle of the element; the menu opens when the program takes
// the press.
void MouseDownOn(const char* id) {
    CQuilloryTextDlg& dialog = ProgramTest::Dialog();
    CHtmlElementPtr element = dialog.GetHtmlView()->FindElement(AfxAnsiToWide(id));
    ASSERT_TRUE(element) << id;
    RECT rect = {};
    ASSERT_TRUE(dialog.GetHtmlView()->GetElementClientRect(element, &rect)) << id;
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(dialog.GetBrowserWindow(), &point);
    winsim::MovePointer(point);
    winsim::PressButton(0);
    winsim::ReleaseButton(0);
}

// The open menu's window on the screen.
HWND OpenMenuWindow() {
    for (HWND window : winsim::TopLevelWindows()) {
        if (winsim::ClassNameOf(window) == "#32768" && ::IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

int PixelsOf(const RECT& rect, COLORREF colour) {
    int count = 0;
    for (int x = rect.left; x < rect.right; ++x) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            count += winsim::ScreenPixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

class EntryActionsTest : public ProgramTest {
protected:
    void SetUp() override {
        // Icons and style of an earlier desktop are not this one's.
        ReleaseSharedIcons();
        ProgramTest::SetUp();
        ForgetMenuStyle();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        ReleaseSharedIcons();
    }
    void UseDesktop(const char* version, bool classicTheme) {
        config_.windowsVersion = version;
        config_.classicTheme = classicTheme;
        winsim::ResetDesktop(config_);
        ForgetMenuStyle();
    }

    // Queues a step that appends captures named by their texts, each with a picture.
    void StepAppend(std::vector<std::string> texts, int width = 200, int height = 100) {
        Step("append captures", [this, texts, width, height] {
            for (const std::string& text : texts) {
                images_.push_back(
                    WriteTwoColourImage("shot" + std::to_string(images_.size()), width, height));
                Dialog().AppendEntry(text.c_str(), images_.back().c_str(), width, height);
            }
        });
    }
    void StepMouseDown(const char* id) {
        Step(std::string("mouse down on ") + id, [id] { MouseDownOn(id); });
    }
    void StepChoose(UINT command) {
        Step("choose " + std::to_string(command), [command] { winsim::ChooseMenuItem(command); });
    }

    std::vector<std::string> images_;
};

TEST_F(EntryActionsTest, AMouseDownOnARowSelectsItsEntryAndCopiesItsTextAgain) {
    StepAppend({"zero", "un\ndeux", "trois"});
    StepMouseDown("cat1");
    Step("the entry menu is open on row 1", [] {
        EXPECT_EQ(Dialog().GetSelectedEntry(), 1);
        std::vector<winsim::MenuItemView> items = winsim::MenuItems();
        ASSERT_EQ(items.size(), 6u);
        const UINT order[] = {
            ID_ENTRY_SAVEIMAGE, ID_ENTRY_COPYIMAGE, ID_ENTRY_COPYTEXT, ID_ENTRY_DELETE, 0,
            ID_ENTRY_QUIT};
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].id, order[i]) << i;
            EXPECT_TRUE(items[i].ownerDrawn) << i;
        }
        // The menu opens where the pointer is.
        POINT pointer = {};
        ::GetCursorPos(&pointer);
        RECT menu = {};
        ASSERT_NE(OpenMenuWindow(), nullptr);
        ::GetWindowRect(OpenMenuWindow(), &menu);
        EXPECT_EQ((POINT{menu.left, menu.top}), pointer);
        winsim::ChooseMenuItem(ID_ENTRY_COPYTEXT);
    });
    Step("the text of row 1 is on the clipboard", [] {
        EXPECT_EQ(winsim::ClipboardText(), "un\r\ndeux");
        EXPECT_EQ(Dialog().GetEntryCount(), 3);
    });
    // The image of a row and the row's time select as well.
    StepMouseDown("imt2");
    Step("row 2", [] {
        EXPECT_EQ(Dialog().GetSelectedEntry(), 2);
        winsim::CloseMenu();
    });
    StepMouseDown("txt0");
    Step("row 0", [] {
        EXPECT_EQ(Dialog().GetSelectedEntry(), 0);
        winsim::CloseMenu();
    });
    StepClose();
    RunProgram();
}

struct StyleCase {
    const char* name;
    const char* version;
    bool classicTheme;
};

class EntryMenuStyleTest : public EntryActionsTest,
                           public ::testing::WithParamInterface<StyleCase> {};

// The popup's items are measured and drawn by the menu through the main dialog, which owns it.
TEST_P(EntryMenuStyleTest, TheDialogHasThePopupDrawnWithIconsAndRegistersThemOnce) {
    UseDesktop(GetParam().version, GetParam().classicTheme);
    const std::string shot = std::string("entry_menu_in_dialog_") + GetParam().name + ".png";
    int iconsAfterFirstShowing = 0;
    StepAppend({"zero", "un"});
    StepMouseDown("txt0");
    Step("hover the copy-text item", [&] {
        iconsAfterFirstShowing = SharedIconCount();
        EXPECT_EQ(iconsAfterFirstShowing, UsesXPStyle() ? 20 : 5);
        winsim::HoverMenuItem(ID_ENTRY_COPYTEXT);
    });
    Step("look at the menu", [&] {
        HWND window = OpenMenuWindow();
        ASSERT_NE(window, nullptr);
        RECT menu = {};
        ::GetWindowRect(window, &menu);
        // Measured items: the widest text with its icon column and the accelerator "[Esc]".
        EXPECT_GT(menu.right - menu.left, 180);
        EXPECT_GT(menu.bottom - menu.top, 5 * 15);
        // The hovered item shows the selection colour, a bar of at least 100 pixels.
        const COLORREF selection = UsesXPStyle() ? BlendToWhite(::GetSysColor(COLOR_HIGHLIGHT), 0.7)
                                                 : ::GetSysColor(COLOR_HIGHLIGHT);
        EXPECT_GT(PixelsOf(menu, selection), 100);
        RECT whole = {0, 0, menu.right + 20, menu.bottom + 20};
        EXPECT_TRUE(winsim::SaveScreenRect(whole, shot));
        winsim::CloseMenu();
    });
    StepMouseDown("txt1");
    Step("the second showing registers nothing new", [&] {
        EXPECT_EQ(SharedIconCount(), iconsAfterFirstShowing);
        EXPECT_EQ(SharedIconIndex(ID_ENTRY_SAVEIMAGE), UsesXPStyle() ? 16 : 4);
        winsim::CloseMenu();
    });
    StepMouseDown("txt0");
    Step("nor the third", [&] {
        EXPECT_EQ(SharedIconCount(), iconsAfterFirstShowing);
        winsim::CloseMenu();
    });
    StepClose();
    RunProgram();
}

INSTANTIATE_TEST_SUITE_P(Styles, EntryMenuStyleTest,
                         ::testing::Values(StyleCase{"xp", "xp", false},
                                           StyleCase{"windows_2000", "2000", false}),
                         [](const ::testing::TestParamInfo<StyleCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EntryActionsTest, TheImageGoesToTheClipboardUprightAndAtItsSize) {
    StepAppend({"zero", "un"}, 200, 100);
    StepMouseDown("txt1");
    StepChoose(ID_ENTRY_COPYIMAGE);
    Step("the clipboard holds the picture", [] {
        HBITMAP bitmap = winsim::ClipboardBitmap();
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(winsim::ClipboardOwner(), Dialog().m_hWnd);
        EXPECT_FALSE(winsim::ClipboardText());
        BITMAP info = {};
        ASSERT_TRUE(::GetObjectA(bitmap, sizeof(info), &info));
        EXPECT_EQ(info.bmWidth, 200);
        EXPECT_EQ(info.bmHeight, 100);
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        const COLORREF top = ::GetPixel(dc, 100, 20);
        const COLORREF bottom = ::GetPixel(dc, 100, 80);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        EXPECT_GT(GetRValue(top), 160);
        EXPECT_LT(GetBValue(top), 80);
        EXPECT_GT(GetBValue(bottom), 160);
        EXPECT_LT(GetRValue(bottom), 80);
        EXPECT_EQ(winsim::LivePictureCount(), 0);
        EXPECT_FALSE(winsim::ClipboardOpen());
    });
    StepClose();
    RunProgram();
}

TEST_F(EntryActionsTest, AnImageThatCannotBeLoadedLeavesTheClipboardAsItWas) {
    StepAppend({"zero", "un"});
    Step("the pictures are gone or empty", [this] {
        ::DeleteFileA(images_[0].c_str());
        WriteFileText(images_[1], "");
        CQuilloryTextDlg& dialog = Dialog();
        for (int entry : {0, 1}) {
            dialog.SelectEntry(entry);
            dialog.CopyEntryImage();
            EXPECT_EQ(winsim::ClipboardText(), "un") << entry;
            EXPECT_EQ(winsim::ClipboardBitmap(), nullptr) << entry;
        }
        EXPECT_EQ(winsim::LivePictureCount(), 0);
        EXPECT_FALSE(winsim::ClipboardOpen());
        // Beyond the list nothing happens either.
        dialog.SelectEntry(2);
        dialog.CopyEntryImage();
        dialog.SaveEntryImage(); // no dialog opens
        dialog.DeleteEntry();
        EXPECT_EQ(dialog.GetEntryCount(), 2);
        EXPECT_EQ(winsim::ClipboardText(), "un");
    });
    StepClose();
    RunProgram();
}

TEST_F(EntryActionsTest, SavingCopiesThePictureIntoTheChosenFolder) {
    StepAppend({"zero", "un"});
    Step("make a folder to save into",
         [] { ASSERT_TRUE(::CreateDirectoryA(kSaveFolder, nullptr)); });
    StepMouseDown("txt1");
    StepChoose(ID_ENTRY_SAVEIMAGE);
    Step("the save dialog proposes a JPEG file", [] {
        std::optional<winsim::FileDialogShown> shown = winsim::OpenFileDialog();
        ASSERT_TRUE(shown);
        EXPECT_TRUE(shown->save);
        EXPECT_EQ(shown->owner, Dialog().m_hWnd);
        EXPECT_EQ(shown->fileName, "screenshot.jpg");
        EXPECT_EQ(shown->defaultExtension, "jpg");
        ASSERT_EQ(shown->filters.size(), 1u);
        EXPECT_EQ(shown->filters[0].first, "JPEG images (*.jpg)");
        EXPECT_EQ(shown->filters[0].second, "*.jpg");
        EXPECT_TRUE(shown->flags & OFN_HIDEREADONLY);
        EXPECT_TRUE(shown->flags & OFN_OVERWRITEPROMPT);
        EXPECT_FALSE(shown->flags & OFN_NOCHANGEDIR);
        winsim::SaveDialogSaveAs(std::string(kSaveFolder) + "\\capture");
    });
    Step("the copy is there, under the name with its extension", [this] {
        const std::string saved = std::string(kSaveFolder) + "\\capture.jpg";
        EXPECT_EQ(HostBytes(saved), HostBytes(images_[1]));
        EXPECT_EQ(CurrentDirectory(), kSaveFolder);
        // The entry keeps its own file.
        EXPECT_TRUE(FileExists(images_[1]));
        EXPECT_EQ(Dialog().GetEntryCount(), 2);
    });
    StepClose();
    RunProgram();
}

TEST_F(EntryActionsTest, AFailedSaveLeavesNoFileAndKeepsAnExistingOne) {
    const std::string fresh = std::string(kSaveFolder) + "\\fresh.jpg";
    const std::string existing = std::string(kSaveFolder) + "\\old.jpg";
    StepAppend({"zero"});
    Step("the entry's picture is gone", [this, existing] {
        ASSERT_TRUE(::CreateDirectoryA(kSaveFolder, nullptr));
        WriteFileText(existing, "older picture");
        ::DeleteFileA(images_[0].c_str());
    });
    StepMouseDown("txt0");
    StepChoose(ID_ENTRY_SAVEIMAGE);
    Step("save under a new name", [fresh] { winsim::SaveDialogSaveAs(fresh); });
    StepMouseDown("txt0");
    StepChoose(ID_ENTRY_SAVEIMAGE);
    Step("save over the old file", [existing] { winsim::SaveDialogSaveAs(existing); });
    Step("agree", [] { winsim::AnswerMessageBox(IDYES); });
    Step("nothing was written", [fresh, existing] {
        EXPECT_FALSE(FileExists(fresh));
        EXPECT_EQ(HostBytes(existing), "older picture");
    });
    StepClose();
    RunProgram();
}

TEST_F(EntryActionsTest, DeletingTheSecondOfThreeRenumbersTheLastRow) {
    StepAppend({"zero", "un", "deux"});
    StepMouseDown("txt1");
    StepChoose(ID_ENTRY_DELETE);
    Step("two entries left", [this] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 2);
        EXPECT_EQ(dialog.GetSelectedEntry(), 1);
        EXPECT_FALSE(FileExists(images_[1]));
        EXPECT_TRUE(FileExists(images_[0]));
        EXPECT_TRUE(FileExists(images_[2]));
        CHtmlElementPtr row1 = dialog.GetHtmlView()->FindElement(AfxAnsiToWide("txt1"));
        ASSERT_TRUE(row1);
        EXPECT_EQ(CString(row1->GetInnerText().c_str()).str(), "deux");
        EXPECT_FALSE(dialog.GetHtmlView()->FindElement(AfxAnsiToWide("txt2")));
        // The menu loop's end left the page's menu title at rest.
        EXPECT_FALSE(dialog.IsMenuOpen());
        CHtmlElementPtr title = dialog.GetHtmlView()->FindElement(AfxAnsiToWide("menu"));
        ASSERT_TRUE(title);
        EXPECT_EQ(CString(title->GetClassName().c_str()).str(), "menu_out");
    });
    StepClose();
    RunProgram();
}

TEST_F(EntryActionsTest, ACaptureWhileTheMenuIsOpenMovesTheSelectionToTheNewEntry) {
    // A hot-key without Alt, which would close the menu on its own.
    WriteSetting("VK", "88");
    WriteSetting("Mod", "3");
    StepAppend({"zero", "un"});
    StepMouseDown("txt0");
    Step("another program's message box, and the hot-key", [] {
        ASSERT_TRUE(winsim::IsMenuOpen());
        winsim::ShowOtherProgramMessageBox("Autre", "Nouveau message");
        winsim::PressKeys("Ctrl+Shift+X");
    });
    Step("captured with the menu still open", [] {
        CQuilloryTextDlg& dialog = Dialog();
        EXPECT_TRUE(winsim::IsMenuOpen());
        ASSERT_EQ(dialog.GetEntryCount(), 3);
        EXPECT_EQ(dialog.GetSelectedEntry(), 2);
        winsim::ChooseMenuItem(ID_ENTRY_DELETE);
    });
    Step("the command acted on the newest entry", [] {
        CQuilloryTextDlg& dialog = Dialog();
        ASSERT_EQ(dialog.GetEntryCount(), 2);
        EXPECT_EQ(dialog.GetEntryAt(0)->m_strText, "zero");
        EXPECT_EQ(dialog.GetEntryAt(1)->m_strText, "un");
    });
    StepClose();
    RunProgram();
}

// Another program may close the main window while the person is still in the save dialog: the
// run ends with the entries and their files, and the late answer copies nothing.
TEST_F(EntryActionsTest, TheWindowClosedDuringTheSaveDialogLeavesNothingBehind) {
    const std::string target = std::string(kSaveFolder) + "\\late.jpg";
    StepAppend({"zero"});
    StepMouseDown("txt0");
    StepChoose(ID_ENTRY_SAVEIMAGE);
    Step("the window is told to close", [] {
        ASSERT_TRUE(::CreateDirectoryA(kSaveFolder, nullptr));
        ::PostMessageA(Dialog().m_hWnd, WM_CLOSE, 0, 0);
    });
    Step("then the person answers", [this, target] {
        EXPECT_FALSE(FileExists(images_[0]));
        winsim::SaveDialogSaveAs(target);
    });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_FALSE(FileExists(target));
}

// The same while the entry menu itself is open: the menu goes with the window.
TEST_F(EntryActionsTest, TheWindowClosedWhileTheMenuIsOpenEndsTheRun) {
    StepAppend({"zero", "un"});
    StepMouseDown("txt1");
    Step("the window is told to close", [] { ::PostMessageA(Dialog().m_hWnd, WM_CLOSE, 0, 0); });
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_FALSE(winsim::IsMenuOpen());
    for (const std::string& image : images_) {
        EXPECT_FALSE(FileExists(image)) << image;
    }
}

TEST(EntryRowIndexTest, ReadsTheDigitsAfterThePrefixAsAtoiDoes) {
    EXPECT_EQ(EntryRowIndex("cat0"), 0);
    EXPECT_EQ(EntryRowIndex("txt12"), 12);
    EXPECT_EQ(EntryRowIndex("imt7x"), 7);
    EXPECT_EQ(EntryRowIndex("img007"), 7);
    EXPECT_EQ(EntryRowIndex("img"), 0);
    EXPECT_EQ(EntryRowIndex("ab"), 0);
    EXPECT_EQ(EntryRowIndex(""), 0);
    EXPECT_EQ(EntryRowIndex("catx1"), 0);
    EXPECT_EQ(EntryRowIndex("cat-2"), -2);
    // Beyond int: an index no list has, not an undefined value.
    EXPECT_EQ(EntryRowIndex("cat99999999999999999999"), INT_MAX);
    EXPECT_EQ(EntryRowIndex("cat-99999999999999999999"), INT_MIN);
}

} // namespace
