// Icons and bitmaps from damaged resources: each load fails cleanly, reading nothing beyond the
// resource's bytes.
#include "res_builder.h"

#include <winsim/module_resources.h>
#include <winsim/sim.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using restest::ResBuilder;

const WORD kLang = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

std::vector<uint8_t> Header(int width, int height, int bits) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(h);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bits);
    std::vector<uint8_t> out(sizeof(h));
    std::memcpy(out.data(), &h, sizeof(h));
    return out;
}

std::vector<uint8_t> Group(WORD iconId, BYTE size) {
    // The group header (reserved, type 1, one entry), then the entry: size, colours, planes,
    // bits per pixel, bytes in the image (left 0) and the icon's resource id.
    return {0,
            0,
            1,
            0,
            1,
            0,
            size,
            size,
            0,
            0,
            1,
            0,
            32,
            0,
            0,
            0,
            0,
            0,
            static_cast<uint8_t>(iconId),
            static_cast<uint8_t>(iconId >> 8)};
}

class BadResources : public testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        // A 2 x 2 icon at 32 bits: XOR image and AND mask.
        std::vector<uint8_t> icon = Header(2, 4, 32);
        icon.resize(icon.size() + 2 * 2 * 4 + 2 * 4, 0);
        std::vector<uint8_t> truncatedBitmap = Header(100, 100, 24);
        truncatedBitmap.resize(truncatedBitmap.size() + 10);
        std::vector<uint8_t> hugeBitmap = Header(100000, 1, 8);
        ResBuilder image;
        image.Add(3, 1, kLang, icon)
            .Add(14, 10, kLang, Group(1, 2))                   // good
            .Add(14, 11, kLang, Group(7, 2))                   // names a missing icon image
            .Add(14, 12, kLang, std::vector<uint8_t>{0, 0, 1}) // shorter than its header
            .Add(3, 2, kLang, Header(2, 4, 32))                // pixels missing
            .Add(14, 13, kLang, Group(2, 2))
            .Add(2, 20, kLang, truncatedBitmap)
            .Add(2, 21, kLang, hugeBitmap)
            .Add(2, 22, kLang, std::vector<uint8_t>{1, 2, 3});
        ASSERT_TRUE(winsim::RegisterModuleResources(image.Bytes().data(), image.Bytes().size()));
    }
    HMODULE module_ = GetModuleHandleA(nullptr);
};

TEST_F(BadResources, DamagedIconsFailAndTheGoodOneLoads) {
    HICON good = LoadIconA(module_, MAKEINTRESOURCEA(10));
    ASSERT_NE(good, nullptr);
    DestroyIcon(good);
    EXPECT_EQ(LoadIconA(module_, MAKEINTRESOURCEA(11)), nullptr);
    EXPECT_EQ(LoadIconA(module_, MAKEINTRESOURCEA(12)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(LoadIconA(module_, MAKEINTRESOURCEA(13)), nullptr);
    EXPECT_EQ(LoadIconA(module_, MAKEINTRESOURCEA(99)), nullptr);
}

TEST_F(BadResources, DamagedBitmapsFail) {
    EXPECT_EQ(LoadBitmapA(module_, MAKEINTRESOURCEA(20)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(LoadBitmapA(module_, MAKEINTRESOURCEA(21)), nullptr);
    EXPECT_EQ(LoadBitmapA(module_, MAKEINTRESOURCEA(22)), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(20)), nullptr);
}

} // namespace
