// Global memory and the clipboard.
#include "test_windows.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

HGLOBAL TextBlock(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

bool PutText(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    EmptyClipboard();
    bool set = SetClipboardData(CF_TEXT, TextBlock(text)) != nullptr;
    CloseClipboard();
    return set;
}

TEST(GlobalMemory, MovableBlocksCountLocksAndKeepTheirHandleWhenGrown) {
    winsim::ResetDesktop();
    HGLOBAL block = GlobalAlloc(GHND, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 16u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_NE(static_cast<void*>(bytes), block);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(bytes[i], 0);
    }
    bytes[0] = 42;
    EXPECT_EQ(GlobalHandle(bytes), block);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 1u);
    // A locked movable block cannot move, so it cannot grow.
    EXPECT_EQ(GlobalReAlloc(block, 64, GMEM_MOVEABLE), nullptr);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));

    EXPECT_EQ(GlobalReAlloc(block, 64, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
    EXPECT_EQ(GlobalSize(block), 64u);
    bytes = static_cast<unsigned char*>(GlobalLock(block));
    EXPECT_EQ(bytes[0], 42);
    EXPECT_EQ(bytes[63], 0);
    GlobalUnlock(block);

    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalFree(block), block);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnAddress) {
    winsim::ResetDesktop();
    HGLOBAL block = GlobalAlloc(GPTR, 8);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_TRUE(GlobalUnlock(block));
    // Growing needs leave to move it.
    EXPECT_EQ(GlobalReAlloc(block, 100, 0), nullptr);
    HGLOBAL moved = GlobalReAlloc(block, 100, GMEM_MOVEABLE);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(GlobalSize(moved), 100u);
    EXPECT_EQ(GlobalFree(moved), nullptr);
}

TEST(Clipboard, TextSetByAWindowIsOwnedAndReadable) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("owner");
    ASSERT_TRUE(PutText(window, "Ligne 1\r\nLigne 2"));
    EXPECT_EQ(winsim::ClipboardText(), "Ligne 1\r\nLigne 2");
    EXPECT_EQ(winsim::ClipboardOwner(), window);
    EXPECT_FALSE(winsim::ClipboardOpen());

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    auto* text = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
    EXPECT_STREQ(text, "Ligne 1\r\nLigne 2");
    GlobalUnlock(GetClipboardData(CF_TEXT));
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
    CloseClipboard();
}

TEST(Clipboard, AnotherWindowCannotOpenItWhileItIsHeld) {
    winsim::ResetDesktop();
    HWND holder = test::MakeWindow("holder");
    HWND program = test::MakeWindow("program");
    ASSERT_TRUE(PutText(holder, "before"));
    ASSERT_TRUE(OpenClipboard(holder));
    EXPECT_FALSE(OpenClipboard(program));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    // The program carries on without checking: its text does not arrive, nothing is lost.
    CloseClipboard();
    EXPECT_EQ(winsim::ClipboardText(), "before");
    test::Received().clear();
    EXPECT_TRUE(PutText(program, "after"));
    EXPECT_EQ(winsim::ClipboardText(), "after");
    EXPECT_EQ(winsim::ClipboardOwner(), program);
    // The holder was told that its content went.
    ASSERT_EQ(test::Received().size(), 1u);
    EXPECT_EQ(test::Received()[0].window, holder);
    EXPECT_EQ(test::Received()[0].message, 0x0307u);
    // A destroyed owner leaves the text without owner.
    DestroyWindow(program);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_EQ(winsim::ClipboardText(), "after");
    EXPECT_FALSE(OpenClipboard(program));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(Clipboard, AnotherProgramHoldsItOpenForAWhileOfTheDesktopsClock) {
    winsim::ResetDesktop();
    HWND program = test::MakeWindow("program");
    winsim::HoldClipboardAsOtherProgram(200);
    EXPECT_TRUE(winsim::ClipboardOpen());
    EXPECT_FALSE(OpenClipboard(program));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(OpenClipboard(nullptr));
    Sleep(199);
    EXPECT_FALSE(OpenClipboard(program));
    Sleep(1);
    EXPECT_TRUE(OpenClipboard(program));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(winsim::ClipboardOpen());
}

TEST(Clipboard, CallsOnAClosedClipboardFail) {
    winsim::ResetDesktop();
    HGLOBAL block = TextBlock("x");
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    // Still the caller's block, since the clipboard did not take it.
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(Clipboard, OwnsWhatItIsGivenAndFreesItWhenEmptiedOrReplaced) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("owner");
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    HGLOBAL first = TextBlock("first");
    HGLOBAL second = TextBlock("second");
    EXPECT_EQ(SetClipboardData(CF_TEXT, first), first);
    EXPECT_EQ(SetClipboardData(CF_TEXT, second), second);
    EXPECT_EQ(GlobalSize(first), 0u); // freed when replaced
    EXPECT_EQ(winsim::ClipboardText(), "second");
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalSize(second), 0u);
    EXPECT_EQ(winsim::ClipboardText(), std::nullopt);
    // What is not a global memory block is refused.
    int notABlock = 0;
    EXPECT_EQ(SetClipboardData(CF_TEXT, &notABlock), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    CloseClipboard();
}

TEST(Clipboard, OffersTheTextAsUnicodeInTheCodePage) {
    winsim::DesktopConfig config;
    config.codePage = 932;
    winsim::ResetDesktop(config);
    HWND window = test::MakeWindow("owner");
    ASSERT_TRUE(PutText(window, "\x93\xfa\x96\x7b\r\n===="));
    ASSERT_TRUE(OpenClipboard(window));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(CountClipboardFormats(), 3);
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(wide))),
              u"\u65e5\u672c\r\n====");
    GlobalUnlock(wide);
    CloseClipboard();
    EXPECT_EQ(winsim::ClipboardFormats(), std::vector<UINT>{CF_TEXT});
}

} // namespace

namespace {

TEST(Clipboard, TakesOverABitmapAndDeletesItWhenEmptied) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("owner");
    HBITMAP bitmap = CreateBitmap(4, 3, 1, 32, nullptr);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    EXPECT_EQ(SetClipboardData(CF_BITMAP, bitmap), bitmap);
    CloseClipboard();
    EXPECT_EQ(winsim::ClipboardBitmap(), bitmap);
    BITMAP info{};
    ASSERT_NE(GetObjectA(winsim::ClipboardBitmap(), sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 3);

    ASSERT_TRUE(OpenClipboard(window));
    EXPECT_EQ(SetClipboardData(CF_BITMAP, reinterpret_cast<HANDLE>(GlobalAlloc(GHND, 4))),
              nullptr); // not a bitmap
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(winsim::ClipboardBitmap(), nullptr);
}

} // namespace

namespace {

LRESULT CALLBACK RenderingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0x0305 && wParam == CF_TEXT) { // WM_RENDERFORMAT
        SetClipboardData(CF_TEXT, TextBlock("rendered late"));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Clipboard, AFormatPromisedByItsOwnerIsRenderedWhenRead) {
    winsim::ResetDesktop();
    HWND owner = test::MakeWindowWithProc("RenderingOwner", RenderingProc);
    HWND reader = test::MakeWindow("reader");
    ASSERT_TRUE(OpenClipboard(reader));
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr); // not the owner
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseClipboard();

    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, nullptr);
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(winsim::ClipboardText(), std::nullopt);

    ASSERT_TRUE(OpenClipboard(reader));
    HANDLE text = GetClipboardData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "rendered late");
    GlobalUnlock(text);
    CloseClipboard();
    EXPECT_EQ(winsim::ClipboardText(), "rendered late");
}

} // namespace

namespace {

std::vector<UINT>& OwnerMessages() {
    static std::vector<UINT> messages;
    return messages;
}

// Promises CF_TEXT and CF_DIB, and renders only the text when it is destroyed.
LRESULT CALLBACK RenderingAllProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RENDERALLFORMATS || message == WM_DESTROY) {
        OwnerMessages().push_back(message);
    }
    if (message == WM_RENDERALLFORMATS) {
        if (OpenClipboard(window)) {
            if (GetClipboardOwner() == window) {
                SetClipboardData(CF_TEXT, TextBlock("rendered at the end"));
            }
            CloseClipboard();
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Clipboard, ADestroyedOwnerRendersWhatItPromisedAndLeavesTheRestWithoutOwner) {
    winsim::ResetDesktop();
    OwnerMessages().clear();
    HWND owner = test::MakeWindowWithProc("RenderingAllOwner", RenderingAllProc);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, nullptr);
    SetClipboardData(CF_DIB, nullptr);
    CloseClipboard();
    ASSERT_TRUE(DestroyWindow(owner));
    // Asked before it was destroyed, while it could still answer.
    ASSERT_EQ(OwnerMessages().size(), 2u);
    EXPECT_EQ(OwnerMessages()[0], static_cast<UINT>(WM_RENDERALLFORMATS));
    EXPECT_EQ(OwnerMessages()[1], static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(winsim::ClipboardText(), "rendered at the end");
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB)) << "a promise not kept goes";
    EXPECT_EQ(winsim::ClipboardOwner(), nullptr);
    EXPECT_EQ(GetClipboardOwner(), nullptr);

    // An owner whose formats are all rendered is not asked.
    OwnerMessages().clear();
    HWND second = test::MakeWindowWithProc("RenderingAllOwner", RenderingAllProc);
    ASSERT_TRUE(PutText(second, "plain"));
    ASSERT_TRUE(DestroyWindow(second));
    ASSERT_EQ(OwnerMessages().size(), 1u);
    EXPECT_EQ(OwnerMessages()[0], static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(winsim::ClipboardText(), "plain");
}

TEST(Clipboard, AWindowDestroyedWhileHoldingItOpenLetsItGoAndOwnersHearOfEveryEmptying) {
    winsim::ResetDesktop();
    HWND holder = test::MakeWindow("holder");
    HWND other = test::MakeWindow("other");
    ASSERT_TRUE(OpenClipboard(holder));
    ASSERT_TRUE(DestroyWindow(holder));
    EXPECT_FALSE(winsim::ClipboardOpen());
    ASSERT_TRUE(OpenClipboard(other));
    // The owner of an empty clipboard is told when someone else empties it.
    EmptyClipboard();
    CloseClipboard();
    HWND third = test::MakeWindow("third");
    ASSERT_TRUE(OpenClipboard(third));
    EmptyClipboard();
    CloseClipboard();
    ASSERT_EQ(test::Received().size(), 1u);
    EXPECT_EQ(test::Received()[0].window, other);
    EXPECT_EQ(test::Received()[0].message, static_cast<UINT>(WM_DESTROYCLIPBOARD));
}

} // namespace
