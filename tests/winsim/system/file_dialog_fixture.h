// The stage of the file dialog tests: a fresh desktop with the program's window as the owner,
// a folder C:\Saved, and a structure that asks for a JPEG file as the program does.
#pragma once

#include "test_windows.h"

#include <winsim/script.h>
#include <winsim/sim.h>
#include <winsim/sim_system.h>
#include <winsim/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

class FileDialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::ResetDesktop();
        owner_ = test::MakeWindow("Verbacap");
        ShowWindow(owner_, SW_SHOW);
        CreateDirectoryA("C:\\Saved", nullptr);
        ofn_.lStructSize = sizeof(ofn_);
        ofn_.hwndOwner = owner_;
        ofn_.lpstrFilter = "JPEG images (*.jpg)\0*.jpg\0\0";
        ofn_.lpstrFile = file_;
        ofn_.nMaxFile = sizeof(file_);
        ofn_.lpstrDefExt = "jpg";
        ofn_.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
        std::strcpy(file_, "screenshot.jpg");
    }

    static void Step(const std::string& what, std::function<void()> step) {
        winsim::ScriptPush(what, std::move(step));
    }

    // The file dialog's window, while one is open.
    static HWND Dialog() {
        std::optional<winsim::FileDialogShown> shown = winsim::OpenFileDialog();
        return shown ? shown->window : nullptr;
    }

    static std::string CurrentDirectory() {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        return current;
    }

    HWND owner_ = nullptr;
    char file_[MAX_PATH + 1] = {};
    OPENFILENAMEA ofn_{};
};
