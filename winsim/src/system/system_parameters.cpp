// SystemParametersInfoA: the parameters the program and its framework read.
#include "system/system_metrics.h"
#include "system/windows_version.h"

#include <winsim/sim.h>
#include <winsim/winerror.h>
#include <winsim/winuser_system.h>

#include <cstring>

namespace {

LOGFONTA Font(const char* face, LONG height, LONG weight, BYTE charSet) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = charSet;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

// The fonts of window captions, menus, status bars and message boxes in each look; a Japanese
// system has its own user-interface font.
void FillFonts(NONCLIENTMETRICSA& metrics) {
    using winsim::system::Look;
    Look look = winsim::system::CurrentLook();
    bool modern = look == Look::Aero || look == Look::Modern;
    if (winsim::Config().codePage == 932) {
        const char* face = modern ? "Meiryo UI" : "MS UI Gothic";
        metrics.lfCaptionFont = Font(face, -12, modern ? FW_NORMAL : FW_BOLD, SHIFTJIS_CHARSET);
        metrics.lfSmCaptionFont = metrics.lfCaptionFont;
        metrics.lfMenuFont = Font(face, -12, FW_NORMAL, SHIFTJIS_CHARSET);
    } else if (modern) {
        metrics.lfCaptionFont = Font("Segoe UI", -12, FW_NORMAL, ANSI_CHARSET);
        metrics.lfSmCaptionFont = metrics.lfCaptionFont;
        metrics.lfMenuFont = metrics.lfCaptionFont;
    } else {
        const char* face = look == Look::Standard95 ? "MS Sans Serif" : "Tahoma";
        metrics.lfCaptionFont = look == Look::Luna
                                    ? Font("Trebuchet MS", -13, FW_BOLD, ANSI_CHARSET)
                                    : Font(face, -11, FW_BOLD, ANSI_CHARSET);
        metrics.lfSmCaptionFont = Font(face, -11, FW_BOLD, ANSI_CHARSET);
        metrics.lfMenuFont = Font(face, -11, FW_NORMAL, ANSI_CHARSET);
    }
    metrics.lfStatusFont = metrics.lfMenuFont;
    metrics.lfMessageFont = metrics.lfMenuFont;
}

BOOL GetNonClientMetrics(NONCLIENTMETRICSA& metrics) {
    using winsim::system::Look;
    Look look = winsim::system::CurrentLook();
    bool vistaOrLater = winsim::system::CurrentVersion().major >= 6;
    UINT size = metrics.cbSize;
    if (size != sizeof(NONCLIENTMETRICSA) &&
        !(size == sizeof(NONCLIENTMETRICSA) + 4 && vistaOrLater)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    winsim::system::NonClientSizes sizes = winsim::system::CurrentNonClientSizes();
    metrics.iBorderWidth = sizes.borderWidth;
    metrics.iScrollWidth = sizes.scrollWidth;
    metrics.iScrollHeight = sizes.scrollHeight;
    metrics.iCaptionWidth = sizes.captionWidth;
    metrics.iCaptionHeight = sizes.captionHeight;
    metrics.iSmCaptionWidth = sizes.smallCaptionWidth;
    metrics.iSmCaptionHeight = sizes.smallCaptionHeight;
    metrics.iMenuWidth = sizes.menuWidth;
    metrics.iMenuHeight = sizes.menuHeight;
    FillFonts(metrics);
    if (size > sizeof(NONCLIENTMETRICSA)) {
        // iPaddedBorderWidth, behind the older fields.
        int padded = look == Look::Aero || look == Look::Modern ? 4 : 0;
        std::memcpy(reinterpret_cast<unsigned char*>(&metrics) + sizeof(NONCLIENTMETRICSA), &padded,
                    sizeof(padded));
    }
    return TRUE;
}

} // namespace

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT) {
    using winsim::system::CurrentLook;
    using winsim::system::Look;
    if (!pvParam) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS:
        return GetNonClientMetrics(*static_cast<NONCLIENTMETRICSA*>(pvParam));
    case SPI_GETWORKAREA:
        *static_cast<RECT*>(pvParam) = winsim::system::WorkArea();
        return TRUE;
    case SPI_GETFLATMENU:
        // Flat menus came with Windows XP's own theme.
        *static_cast<BOOL*>(pvParam) = CurrentLook() == Look::Luna || CurrentLook() == Look::Aero ||
                                               CurrentLook() == Look::Modern
                                           ? TRUE
                                           : FALSE;
        return TRUE;
    case SPI_GETKEYBOARDCUES:
        *static_cast<BOOL*>(pvParam) = FALSE; // underlines appear only with the keyboard
        return TRUE;
    case SPI_GETMENUANIMATION:
    case SPI_GETMENUFADE:
        *static_cast<BOOL*>(pvParam) = FALSE; // the desktop draws menus at once
        return TRUE;
    case SPI_GETDROPSHADOW:
        *static_cast<BOOL*>(pvParam) =
            CurrentLook() != Look::Standard95 && CurrentLook() != Look::Classic ? TRUE : FALSE;
        return TRUE;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}
