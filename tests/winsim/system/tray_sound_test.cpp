// The notification area and sound.
#include "test_windows.h"

#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/sim_user.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

NOTIFYICONDATAA IconData(HWND window, const char* tip) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 100;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = 0x0DCD;
    std::strncpy(data.szTip, tip, sizeof(data.szTip) - 1);
    return data;
}

TEST(Tray, IconsAreAddedChangedAndRemovedWithTheirTips) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("main");
    NOTIFYICONDATAA data = IconData(window, "Verbacap");
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    ASSERT_EQ(winsim::TrayIcons().size(), 1u);
    EXPECT_EQ(winsim::TrayIcons()[0].tip, "Verbacap");
    EXPECT_EQ(winsim::TrayIcons()[0].callbackMessage, 0x0DCDu);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &data));

    std::strcpy(data.szTip, "Autre");
    data.uFlags = NIF_TIP;
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_EQ(winsim::TrayIcons()[0].tip, "Autre");
    EXPECT_EQ(winsim::TrayIcons()[0].callbackMessage, 0x0DCDu);

    NOTIFYICONDATAA removal{};
    removal.cbSize = NOTIFYICONDATAA_V1_SIZE;
    removal.hWnd = window;
    removal.uID = 100;
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &removal));
    EXPECT_TRUE(winsim::TrayIcons().empty());
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &removal));
}

TEST(Tray, TheStructureSizeDecidesTheVersionAndTheTipLength) {
    winsim::ResetDesktop();
    HWND window = test::MakeWindow("main");
    std::string longTip(100, 'x');
    NOTIFYICONDATAA data = IconData(window, longTip.c_str());
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
    EXPECT_EQ(winsim::TrayIcons()[0].tip, std::string(63, 'x'));
    data.cbSize = sizeof(NOTIFYICONDATAA);
    data.uFlags = NIF_TIP;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_EQ(winsim::TrayIcons()[0].tip, longTip);
    // 88 is the first version's size in a 32-bit build only.
    data.cbSize = 88;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, nullptr));
}

TEST(Sound, TheCaptureSoundIsReadFromTheProgramsResources) {
    winsim::ResetDesktop();
    ASSERT_TRUE(
        PlaySoundA(MAKEINTRESOURCEA(137), GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC));
    ASSERT_TRUE(PlaySoundA(MAKEINTRESOURCEA(137), nullptr, SND_RESOURCE | SND_ASYNC));
    std::vector<winsim::SoundStart> sounds = winsim::SoundsStarted();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].name, "#137");
    EXPECT_TRUE(sounds[0].fromResource);
    EXPECT_FALSE(sounds[0].playedDefault);
    EXPECT_EQ(sounds[0].channels, 2u);
    EXPECT_EQ(sounds[0].bitsPerSample, 16u);
    EXPECT_EQ(sounds[0].samplesPerSecond, 44100u);
    EXPECT_TRUE(sounds[0].cut); // the second start cut the first
    EXPECT_FALSE(sounds[1].cut);
    EXPECT_EQ(winsim::SoundStartCount("#137"), 2);
}

TEST(Sound, ASoundPlaysForItsLengthOnTheDesktopClock) {
    winsim::ResetDesktop();
    ASSERT_TRUE(PlaySoundA(MAKEINTRESOURCEA(137), nullptr, SND_RESOURCE | SND_ASYNC));
    double seconds = winsim::SoundsStarted()[0].seconds;
    EXPECT_GT(seconds, 0.2);
    EXPECT_LT(seconds, 3.0);
    // While it plays, a sound that may not interrupt it is not started.
    EXPECT_FALSE(PlaySoundA(MAKEINTRESOURCEA(137), nullptr, SND_RESOURCE | SND_ASYNC | SND_NOSTOP));
    winsim::LetTimePass(static_cast<DWORD>(seconds * 1000) + 10);
    ASSERT_TRUE(PlaySoundA(MAKEINTRESOURCEA(137), nullptr, SND_RESOURCE | SND_ASYNC | SND_NOSTOP));
    std::vector<winsim::SoundStart> sounds = winsim::SoundsStarted();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_FALSE(sounds[0].cut); // it had ended
    // A synchronous sound has ended when the call returns.
    ASSERT_TRUE(PlaySoundA(MAKEINTRESOURCEA(137), nullptr, SND_RESOURCE));
    EXPECT_TRUE(winsim::SoundsStarted()[1].cut);
    EXPECT_TRUE(PlaySoundA(MAKEINTRESOURCEA(137), nullptr, SND_RESOURCE | SND_ASYNC | SND_NOSTOP));
}

TEST(Sound, SoundsThatCannotBePlayedFallBackToTheDefaultOrFail) {
    winsim::ResetDesktop();
    EXPECT_FALSE(
        PlaySoundA(MAKEINTRESOURCEA(999), nullptr, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT));
    EXPECT_TRUE(PlaySoundA(MAKEINTRESOURCEA(999), nullptr, SND_RESOURCE | SND_ASYNC));
    ASSERT_EQ(winsim::SoundsStarted().size(), 1u);
    EXPECT_TRUE(winsim::SoundsStarted()[0].playedDefault);
    EXPECT_EQ(winsim::SoundStartCount("#999"), 0);

    // A RIFF/WAVE whose samples are not PCM (format 3, floating point) is not played.
    unsigned char wave[44] = {'R', 'I', 'F',  'F',  36,  0,   0,    0,    'W', 'A', 'V',
                              'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   3,   0,
                              1,   0,   0x44, 0xAC, 0,   0,   0x10, 0xB1, 2,   0,   4,
                              0,   32,  0,    'd',  'a', 't', 'a',  0,    0,   0,   0};
    EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(wave), nullptr, SND_MEMORY | SND_NODEFAULT));
    wave[20] = 1;
    wave[34] = 16;
    wave[28] = 0x88, wave[29] = 0x58, wave[30] = 1; // 88200 bytes per second
    wave[32] = 2;
    EXPECT_TRUE(PlaySoundA(reinterpret_cast<LPCSTR>(wave), nullptr, SND_MEMORY | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA(reinterpret_cast<LPCSTR>(wave), nullptr, SND_MEMORY | SND_LOOP));
}

TEST(Sound, FilesAreFoundOnTheDrives) {
    winsim::ResetDesktop();
    EXPECT_FALSE(PlaySoundA("C:\\none.wav", nullptr, SND_FILENAME | SND_NODEFAULT));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(PlaySoundA("SystemAsterisk", nullptr, SND_ALIAS | SND_ASYNC));
    EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
    EXPECT_TRUE(winsim::SoundsStarted().back().cut);
}

} // namespace
