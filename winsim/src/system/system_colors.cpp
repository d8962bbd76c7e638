// System colours: the schemes of Windows 95 (also 98 and NT 4), Windows 2000 (the classic
// scheme, also of Me and of later versions under the classic theme), Windows XP (Luna, blue),
// Windows Vista/7 and Windows 10.
#include "system/system_colors.h"
#include "system/system_state.h"
#include "system/windows_version.h"

#include <winsim/winerror.h>
#include <winsim/wintypes.h>
#include <winsim/winuser_system.h>

#include <array>

namespace winsim::system {
namespace {

using Scheme = std::array<COLORREF, kSysColorCount>;

// In the order of the COLOR_ indices; index 25 has no colour.
const Scheme kStandard95 = {RGB(192, 192, 192), RGB(0, 128, 128),
                            RGB(0, 0, 128),     RGB(128, 128, 128),
                            RGB(192, 192, 192), RGB(255, 255, 255),
                            RGB(0, 0, 0),       RGB(0, 0, 0),
                            RGB(0, 0, 0),       RGB(255, 255, 255),
                            RGB(192, 192, 192), RGB(192, 192, 192),
                            RGB(128, 128, 128), RGB(0, 0, 128),
                            RGB(255, 255, 255), RGB(192, 192, 192),
                            RGB(128, 128, 128), RGB(128, 128, 128),
                            RGB(0, 0, 0),       RGB(192, 192, 192),
                            RGB(255, 255, 255), RGB(0, 0, 0),
                            RGB(192, 192, 192), RGB(0, 0, 0),
                            RGB(255, 255, 225), 0,
                            RGB(0, 0, 255),     RGB(0, 0, 128),
                            RGB(128, 128, 128), RGB(0, 0, 128),
                            RGB(192, 192, 192)};

const Scheme kClassic = {RGB(212, 208, 200), RGB(58, 110, 165),
                         RGB(10, 36, 106),   RGB(128, 128, 128),
                         RGB(212, 208, 200), RGB(255, 255, 255),
                         RGB(0, 0, 0),       RGB(0, 0, 0),
                         RGB(0, 0, 0),       RGB(255, 255, 255),
                         RGB(212, 208, 200), RGB(212, 208, 200),
                         RGB(128, 128, 128), RGB(10, 36, 106),
                         RGB(255, 255, 255), RGB(212, 208, 200),
                         RGB(128, 128, 128), RGB(128, 128, 128),
                         RGB(0, 0, 0),       RGB(212, 208, 200),
                         RGB(255, 255, 255), RGB(64, 64, 64),
                         RGB(212, 208, 200), RGB(0, 0, 0),
                         RGB(255, 255, 225), 0,
                         RGB(0, 0, 128),     RGB(166, 202, 240),
                         RGB(192, 192, 192), RGB(10, 36, 106),
                         RGB(212, 208, 200)};

const Scheme kLuna = {RGB(212, 208, 200), RGB(0, 78, 152),
                      RGB(0, 84, 227),    RGB(122, 150, 223),
                      RGB(255, 255, 255), RGB(255, 255, 255),
                      RGB(0, 0, 0),       RGB(0, 0, 0),
                      RGB(0, 0, 0),       RGB(255, 255, 255),
                      RGB(212, 208, 200), RGB(212, 208, 200),
                      RGB(128, 128, 128), RGB(49, 106, 197),
                      RGB(255, 255, 255), RGB(236, 233, 216),
                      RGB(172, 168, 153), RGB(172, 168, 153),
                      RGB(0, 0, 0),       RGB(216, 228, 248),
                      RGB(255, 255, 255), RGB(113, 111, 100),
                      RGB(241, 239, 226), RGB(0, 0, 0),
                      RGB(255, 255, 225), 0,
                      RGB(0, 0, 128),     RGB(61, 149, 255),
                      RGB(157, 185, 235), RGB(49, 106, 197),
                      RGB(236, 233, 216)};

const Scheme kAero = {RGB(200, 200, 200), RGB(0, 0, 0),
                      RGB(153, 180, 209), RGB(191, 205, 219),
                      RGB(240, 240, 240), RGB(255, 255, 255),
                      RGB(100, 100, 100), RGB(0, 0, 0),
                      RGB(0, 0, 0),       RGB(0, 0, 0),
                      RGB(180, 180, 180), RGB(244, 247, 252),
                      RGB(171, 171, 171), RGB(51, 153, 255),
                      RGB(255, 255, 255), RGB(240, 240, 240),
                      RGB(160, 160, 160), RGB(109, 109, 109),
                      RGB(0, 0, 0),       RGB(67, 78, 84),
                      RGB(255, 255, 255), RGB(105, 105, 105),
                      RGB(227, 227, 227), RGB(0, 0, 0),
                      RGB(255, 255, 225), 0,
                      RGB(0, 102, 204),   RGB(185, 209, 234),
                      RGB(215, 228, 242), RGB(51, 153, 255),
                      RGB(240, 240, 240)};

const Scheme kModern = {RGB(200, 200, 200), RGB(0, 0, 0),
                        RGB(153, 180, 209), RGB(191, 205, 219),
                        RGB(240, 240, 240), RGB(255, 255, 255),
                        RGB(100, 100, 100), RGB(0, 0, 0),
                        RGB(0, 0, 0),       RGB(0, 0, 0),
                        RGB(180, 180, 180), RGB(244, 247, 252),
                        RGB(171, 171, 171), RGB(0, 120, 215),
                        RGB(255, 255, 255), RGB(240, 240, 240),
                        RGB(160, 160, 160), RGB(109, 109, 109),
                        RGB(0, 0, 0),       RGB(0, 0, 0),
                        RGB(255, 255, 255), RGB(105, 105, 105),
                        RGB(227, 227, 227), RGB(0, 0, 0),
                        RGB(255, 255, 225), 0,
                        RGB(0, 102, 204),   RGB(185, 209, 234),
                        RGB(215, 228, 242), RGB(0, 120, 215),
                        RGB(240, 240, 240)};

const Scheme& CurrentScheme() {
    switch (CurrentLook()) {
    case Look::Standard95:
        return kStandard95;
    case Look::Classic:
        return kClassic;
    case Look::Luna:
        return kLuna;
    case Look::Aero:
        return kAero;
    case Look::Modern:
        return kModern;
    }
    return kLuna;
}

} // namespace

bool SysColorIndexValid(int index) {
    return index >= 0 && index < kSysColorCount && index != 25;
}

} // namespace winsim::system

DWORD WINAPI GetSysColor(int nIndex) {
    if (nIndex < 0 || nIndex >= winsim::system::kSysColorCount) {
        return 0;
    }
    return winsim::system::CurrentScheme()[static_cast<size_t>(nIndex)];
}
