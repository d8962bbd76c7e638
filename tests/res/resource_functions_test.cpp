// The resource functions over .res images built in the test: lookup by ordinal, by name and by
// "#n", languages, the data read back, and the failures Windows reports.
#include "res_builder.h"

#include <winsim/module_resources.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using restest::ResBuilder;

const WORD kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
const WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string DataOf(HRSRC found) {
    HGLOBAL loaded = LoadResource(nullptr, found);
    if (!loaded) {
        return "<not loaded>";
    }
    const char* data = static_cast<const char*>(LockResource(loaded));
    return std::string(data, SizeofResource(nullptr, found));
}

class ResourceFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        ResBuilder image;
        image.Add(4, 129, kFrench, Bytes("menu 129"))
            .Add(4, 157, kFrench, Bytes("menu 157, odd size"))
            .Add(2, u"BACKGROUND", kFrench, Bytes("background bits"))
            .Add(2, 150, kFrench, Bytes("toolbar bits"))
            .Add(u"WAVE", 137, kFrench, Bytes("RIFF sound"))
            .Add(23, 104, kFrench, {})
            .Add(6, 1, kFrench, Bytes("strings fr"))
            .Add(6, 1, kEnglish, Bytes("strings en"));
        ASSERT_TRUE(winsim::RegisterModuleResources(image.Bytes().data(), image.Bytes().size()));
    }

    HMODULE module_ = GetModuleHandleA(nullptr);
};

TEST_F(ResourceFunctions, ReadsEachResourceBackByOrdinalTypeAndName) {
    ASSERT_NE(module_, nullptr);
    HRSRC menu = FindResourceA(module_, MAKEINTRESOURCEA(129), RT_MENU);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(SizeofResource(module_, menu), 8u);
    HGLOBAL loaded = LoadResource(module_, menu);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(LockResource(loaded), static_cast<void*>(loaded));
    EXPECT_EQ(std::memcmp(LockResource(loaded), "menu 129", 8), 0);

    // A record whose data is not a multiple of four is followed by padding, not by garbage.
    EXPECT_EQ(DataOf(FindResourceA(nullptr, MAKEINTRESOURCEA(157), RT_MENU)), "menu 157, odd size");
    EXPECT_EQ(DataOf(FindResourceA(nullptr, MAKEINTRESOURCEA(150), RT_BITMAP)), "toolbar bits");

    // An empty resource is found and loads, with size 0.
    HRSRC page = FindResourceA(nullptr, MAKEINTRESOURCEA(104), RT_HTML);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, page), 0u);
    EXPECT_NE(LoadResource(nullptr, page), nullptr);
}

TEST_F(ResourceFunctions, NamesAndTypesAsStringsCompareWithoutCaseAndHashDigitsAreOrdinals) {
    EXPECT_EQ(DataOf(FindResourceA(module_, "background", RT_BITMAP)), "background bits");
    EXPECT_EQ(DataOf(FindResourceA(module_, "BackGround", "#2")), "background bits");
    EXPECT_EQ(DataOf(FindResourceA(module_, "#150", "#2")), "toolbar bits");
    EXPECT_EQ(DataOf(FindResourceA(module_, MAKEINTRESOURCEA(137), "wave")), "RIFF sound");
    EXPECT_EQ(DataOf(FindResourceA(module_, "#137", "WAVE")), "RIFF sound");

    // A name string made of digits is a name, not the ordinal it spells.
    SetLastError(0);
    EXPECT_EQ(FindResourceA(module_, "129", RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    // "#" with something other than digits is a name as well.
    EXPECT_EQ(FindResourceA(module_, "#12x", RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(ResourceFunctions, MissingTypeOrNameFailsWithTheWindowsErrors) {
    SetLastError(0);
    EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(102), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(130), RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(module_, "DLGBKG", RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(137), "SOUND"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

TEST_F(ResourceFunctions, BadHandlesFailInsteadOfReadingAnything) {
    HMODULE other = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x10000000));
    SetLastError(0);
    EXPECT_EQ(FindResourceA(other, MAKEINTRESOURCEA(129), RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    HRSRC menu = FindResourceA(module_, MAKEINTRESOURCEA(129), RT_MENU);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(LoadResource(other, menu), nullptr);
    EXPECT_EQ(SizeofResource(other, menu), 0u);

    SetLastError(0);
    EXPECT_EQ(LoadResource(module_, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    int notAResource = 0;
    HRSRC bogus = reinterpret_cast<HRSRC>(&notAResource);
    EXPECT_EQ(LoadResource(module_, bogus), nullptr);
    EXPECT_EQ(SizeofResource(module_, bogus), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(LockResource(&notAResource), nullptr);

    // A handle from an earlier registration does not reach into the new one.
    ResBuilder replacement;
    replacement.Add(4, 129, kFrench, Bytes("new menu"));
    ASSERT_TRUE(
        winsim::RegisterModuleResources(replacement.Bytes().data(), replacement.Bytes().size()));
    EXPECT_EQ(LoadResource(module_, menu), nullptr);
    EXPECT_EQ(DataOf(FindResourceA(module_, MAKEINTRESOURCEA(129), RT_MENU)), "new menu");
}

TEST_F(ResourceFunctions, LanguagesMatchExactlyOrByPrimaryLanguageOrNeutrally) {
    auto find = [&](WORD language) {
        return FindResourceExA(module_, RT_STRING, MAKEINTRESOURCEA(1), language);
    };
    EXPECT_EQ(DataOf(find(kEnglish)), "strings en");
    EXPECT_EQ(DataOf(find(kFrench)), "strings fr");
    EXPECT_EQ(DataOf(find(MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL))), "strings en");
    // FindResourceA asks for the neutral language, which takes the module's first.
    EXPECT_EQ(DataOf(FindResourceA(module_, MAKEINTRESOURCEA(1), RT_STRING)), "strings fr");
    EXPECT_NE(find(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)), nullptr);

    SetLastError(0);
    EXPECT_EQ(find(MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
    EXPECT_EQ(FindResourceExA(module_, RT_MENU, MAKEINTRESOURCEA(129), kEnglish), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
}

TEST(ResourceImages, MalformedImagesAreRefusedAndTheRegisteredOneStays) {
    winsim::ResetDesktop();
    ResBuilder good;
    good.Add(4, 129, 0, Bytes("kept"));
    ASSERT_TRUE(winsim::RegisterModuleResources(good.Bytes().data(), good.Bytes().size()));

    ResBuilder base;
    base.Add(u"WAVE", 137, 0, Bytes("0123456789"));
    const std::vector<uint8_t> whole = base.Bytes();
    const size_t record = 32; // the empty opening record is 32 bytes long

    // Cut inside the last record's data.
    std::vector<uint8_t> truncated(whole.begin(), whole.end() - 4);
    EXPECT_FALSE(winsim::RegisterModuleResources(truncated.data(), truncated.size()));
    // Cut inside the size fields.
    EXPECT_FALSE(winsim::RegisterModuleResources(whole.data(), record + 6));
    // Data size beyond the end of the image.
    std::vector<uint8_t> longData = whole;
    longData[record] = 0xFF;
    longData[record + 1] = 0xFF;
    EXPECT_FALSE(winsim::RegisterModuleResources(longData.data(), longData.size()));
    // A header size too small to hold the fixed fields.
    std::vector<uint8_t> shortHeader = whole;
    shortHeader[record + 4] = 12;
    EXPECT_FALSE(winsim::RegisterModuleResources(shortHeader.data(), shortHeader.size()));
    // A type name whose terminating zero lies beyond the header.
    std::vector<uint8_t> unterminated = whole;
    for (size_t at = record + 8; at < record + 8 + 10; ++at) {
        unterminated[at] = 'A';
    }
    unterminated[record + 4] = 16 + 8 + 8; // the header then ends inside the name
    EXPECT_FALSE(winsim::RegisterModuleResources(unterminated.data(), unterminated.size()));
    EXPECT_FALSE(winsim::RegisterModuleResources(nullptr, 40));

    EXPECT_EQ(DataOf(FindResourceA(nullptr, MAKEINTRESOURCEA(129), RT_MENU)), "kept");

    // An empty image is well formed: the module then has no resources of any type.
    ASSERT_TRUE(winsim::RegisterModuleResources(nullptr, 0));
    SetLastError(0);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(129), RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

TEST(ModuleHandle, NamesTheProgramByNullOrByItsFileName) {
    winsim::DesktopConfig config;
    config.exePath = "C:\\Tools\\Verbacap.exe";
    winsim::ResetDesktop(config);
    HMODULE program = GetModuleHandleA(nullptr);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(winsim::ProgramModule(), program);
    EXPECT_EQ(GetModuleHandleA("Verbacap.exe"), program);
    EXPECT_EQ(GetModuleHandleA("VERBACAP.EXE"), program);
    EXPECT_EQ(GetModuleHandleA("c:\\tools\\verbacap.exe"), program);

    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA("Verbacap"), nullptr); // means Verbacap.dll
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleA("C:\\Other\\Verbacap.exe"), nullptr);
    EXPECT_EQ(GetModuleHandleA("notloaded.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

} // namespace
