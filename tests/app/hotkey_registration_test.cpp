// The global hot-key as the person changes it in the page's hot-key field.
#include "program_fixture.h"

namespace {

// Each action is a step of its own: keys go to the window that has the focus once the click
// before them has been handled, and the control reads the modifiers while they are held.
void StepTypeIntoHotKeyField(const std::string& combo) {
    winsim::ScriptPush("click into the hot-key field",
                       [] { winsim::ClickWindow(ProgramTest::Dialog().GetHotKeyControl()); });
    winsim::KeyCombo keys;
    if (!winsim::ParseKeyCombo(combo, &keys)) {
        throw std::invalid_argument(combo);
    }
    winsim::ScriptPush("hold " + combo, [keys] {
        for (UINT modifier : keys.modifiers) {
            winsim::KeyDown(modifier);
        }
        winsim::KeyDown(keys.key);
    });
    winsim::ScriptPush("release " + combo, [keys] {
        winsim::KeyUp(keys.key);
        for (auto it = keys.modifiers.rbegin(); it != keys.modifiers.rend(); ++it) {
            winsim::KeyUp(*it);
        }
    });
    winsim::ScriptPush("click on the page", [] { ProgramTest::ClickOnPage(); });
}

std::wstring NoticeText() {
    CHtmlElementPtr notice = ProgramTest::Dialog().GetElement("hotkeyNotice");
    if (notice == nullptr) {
        return std::wstring();
    }
    htmlview::WideString text = notice->GetInnerText();
    return std::wstring(text.begin(), text.end());
}

} // namespace

TEST_F(ProgramTest, ANewCombinationReplacesTheOldRegistrationWhenTheFieldLosesFocus) {
    StepTypeIntoHotKeyField("Ctrl+Shift+X");
    Step("look at the registration", [] {
        EXPECT_EQ(HotKeyOf(Dialog().GetHotKeyControl()),
                  static_cast<DWORD>(MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_SHIFT)));
        EXPECT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
        EXPECT_FALSE(winsim::TakeHotKeyAsOtherProgram(MOD_CONTROL | MOD_SHIFT, 'X'));
        EXPECT_EQ(NoticeText(), L"");
    });
    Step("click into the field", [] { winsim::ClickWindow(Dialog().GetHotKeyControl()); });
    Step("click out again without a change", [] { ClickOnPage(); });
    Step("look at the registration", [] {
        EXPECT_NE(Dialog().GetHotKeyAtom(), 0);
        EXPECT_EQ(::GlobalFindAtomA("QuilloryHotKey"), Dialog().GetHotKeyAtom());
        EXPECT_FALSE(winsim::TakeHotKeyAsOtherProgram(MOD_CONTROL | MOD_SHIFT, 'X'));
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("VK"), "88");
    EXPECT_EQ(ReadSetting("Mod"), "3");
    EXPECT_EQ(::GlobalFindAtomA("QuilloryHotKey"), 0);
}

TEST_F(ProgramTest, AnExtendedKeyIsRegisteredWithTheWindowsKey) {
    StepTypeIntoHotKeyField("Ctrl+Insert");
    Step("look at the registration", [] {
        EXPECT_EQ(HotKeyOf(Dialog().GetHotKeyControl()),
                  static_cast<DWORD>(MAKEWORD(VK_INSERT, HOTKEYF_CONTROL | HOTKEYF_EXT)));
        EXPECT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_CONTROL, VK_INSERT));
        EXPECT_FALSE(winsim::TakeHotKeyAsOtherProgram(MOD_WIN | MOD_CONTROL, VK_INSERT));
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("VK"), std::to_string(VK_INSERT));
    EXPECT_EQ(ReadSetting("Mod"), "10");
}

TEST_F(ProgramTest, ATakenCombinationIsShownInThePageAndStillWrittenAtTheEnd) {
    ASSERT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_CONTROL | MOD_SHIFT, 'Y'));
    Step("the stored Alt+C works, so the page says nothing", [] {
        EXPECT_FALSE(Dialog().IsHotKeyRefused());
        EXPECT_EQ(NoticeText(), L"");
    });
    Step("choose Ctrl+Shift+Y, which another program holds", [] {
        // The field takes the value as typed; the other program swallows the real keys.
        winsim::ClickWindow(Dialog().GetHotKeyControl());
    });
    Step("the field shows it; click on the page", [] {
        ::SendMessageA(Dialog().GetHotKeyControl(), HKM_SETHOTKEY,
                       MAKEWORD('Y', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
        ClickOnPage();
    });
    Step("look at the page", [] {
        EXPECT_TRUE(Dialog().IsHotKeyRefused());
        EXPECT_NE(NoticeText().find(L"d\u00e9j\u00e0 utilis\u00e9 par un autre programme"),
                  std::wstring::npos)
            << "notice in French";
        // No modal box; the field keeps the combination, and Alt+C is free again.
        EXPECT_EQ(winsim::OpenMessageBox(), nullptr);
        EXPECT_EQ(HotKeyOf(Dialog().GetHotKeyControl()),
                  static_cast<DWORD>(MAKEWORD('Y', HOTKEYF_CONTROL | HOTKEYF_SHIFT)));
        EXPECT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
    });
    Step("the field is still over its place", [] {
        RECT place = {};
        Dialog().GetHtmlView()->GetElementClientRect(Dialog().GetElement("ctrlHotkey"), &place);
        RECT control = HotKeyControlRect();
        EXPECT_EQ(control.left, place.left);
        EXPECT_EQ(control.top, place.top);
    });
    StepTypeIntoHotKeyField("Ctrl+Shift+Z");
    Step("a free combination: the notice goes", [] {
        EXPECT_FALSE(Dialog().IsHotKeyRefused());
        EXPECT_EQ(NoticeText(), L"");
        winsim::ClickWindow(Dialog().GetHotKeyControl());
    });
    Step("choose the taken one again", [] {
        ::SendMessageA(Dialog().GetHotKeyControl(), HKM_SETHOTKEY,
                       MAKEWORD('Y', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
        ClickOnPage();
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("VK"), "89");
    EXPECT_EQ(ReadSetting("Mod"), "3");
}

TEST_F(ProgramTest, AStoredCombinationThatIsTakenIsShownOnceThePageHasLoaded) {
    WriteSetting("VK", "67");
    WriteSetting("Mod", "4");
    ASSERT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
    Step("look at the page", [] {
        EXPECT_TRUE(Dialog().IsHotKeyRefused());
        EXPECT_NE(NoticeText(), L"");
        EXPECT_EQ(HotKeyOf(Dialog().GetHotKeyControl()),
                  static_cast<DWORD>(MAKEWORD('C', HOTKEYF_ALT)));
    });
    StepClose();
    RunProgram();
    EXPECT_EQ(ReadSetting("VK"), "67");
    EXPECT_EQ(ReadSetting("Mod"), "4");
}

TEST_F(ProgramTest, ClosingWhileTheFieldHasTheFocusLeavesNothingRegistered) {
    Step("click into the hot-key field", [] { winsim::ClickWindow(Dialog().GetHotKeyControl()); });
    Step("the field has the focus", [] { EXPECT_EQ(::GetFocus(), Dialog().GetHotKeyControl()); });
    StepClose();
    RunProgram();
    EXPECT_EQ(::GlobalFindAtomA("QuilloryHotKey"), 0);
    EXPECT_TRUE(winsim::TakeHotKeyAsOtherProgram(MOD_ALT, 'C'));
}
