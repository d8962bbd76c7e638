#include "platform/GdiHandles.h"

#include <winsim/sim.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Drawing code that throws halfway: the owners must leave the desktop as it was.
void DrawAndThrow(HGDIOBJ& brush, HDC& memory, HDC& screen, HGDIOBJ& selectedInside) {
    OwnedWindowDc screenDc(NULL);
    OwnedMemoryDc memoryDc(screenDc.Get());
    OwnedGdiObject redBrush(CreateSolidBrush(RGB(255, 0, 0)));
    ScopedSelection selection(memoryDc.Get(), redBrush.Get());
    brush = redBrush.Get();
    memory = memoryDc.Get();
    screen = screenDc.Get();
    selectedInside = GetCurrentObject(memoryDc.Get(), OBJ_BRUSH);
    throw std::runtime_error("drawing failed");
}

TEST(GdiHandles, EveryOwnerLetsGoWhenTheDrawingThrows) {
    winsim::ResetDesktop();
    HGDIOBJ brush = NULL;
    HDC memory = NULL;
    HDC screen = NULL;
    HGDIOBJ selectedInside = NULL;
    EXPECT_THROW(DrawAndThrow(brush, memory, screen, selectedInside), std::runtime_error);
    ASSERT_NE(nullptr, brush);
    EXPECT_EQ(brush, selectedInside);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(memory), 0u);
    EXPECT_EQ(GetObjectType(screen), 0u);
}

TEST(GdiHandles, ASelectionPutsBackWhatItReplacedAndAReleasedObjectStays) {
    winsim::ResetDesktop();
    OwnedMemoryDc dc(NULL);
    ASSERT_TRUE(dc);
    const HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    HGDIOBJ kept = NULL;
    {
        OwnedGdiObject brush(CreateSolidBrush(RGB(0, 0, 255)));
        ScopedSelection selection(dc.Get(), brush.Get());
        EXPECT_TRUE(selection);
        EXPECT_EQ(brush.Get(), GetCurrentObject(dc.Get(), OBJ_BRUSH));
        kept = brush.Release();
    }
    EXPECT_EQ(before, GetCurrentObject(dc.Get(), OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_TRUE(DeleteObject(kept));
}

TEST(GdiHandles, NothingToSelectLeavesTheContextAlone) {
    winsim::ResetDesktop();
    OwnedMemoryDc dc(NULL);
    const HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_FONT);
    {
        ScopedSelection selection(dc.Get(), NULL);
        EXPECT_FALSE(selection);
    }
    EXPECT_EQ(before, GetCurrentObject(dc.Get(), OBJ_FONT));
}

} // namespace
