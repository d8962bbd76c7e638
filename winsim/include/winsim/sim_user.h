// The person at the simulated desktop and the other programs on it, for tests and the scenario
// player (not part of the Win32 API). Calls act at once: queue them as script steps (script.h)
// when the program is to meet them while it waits for input.
#pragma once

#include "windows.h"

#include <string>
#include <vector>

namespace winsim {

// ---- Keyboard ------------------------------------------------------------------------------

// A key combination: modifiers held down in order, then one key.
struct KeyCombo {
    std::vector<UINT> modifiers; // VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN
    UINT key = 0;
};

// Reads "Alt+C", "Ctrl+Shift+X", "Ctrl+Insert", "Win+Ctrl+Del", "Esc", "Enter", "F4", "Tab",
// "Space", "Up" ... (names are case-insensitive); false for text that names no combination.
bool ParseKeyCombo(const std::string& text, KeyCombo* combo);
// Presses and releases the combination: modifiers down in order, the key down and up, then
// the modifiers up in reverse order. Throws std::invalid_argument for an unknown name.
void PressKeys(const std::string& combo);
void PressKeys(const KeyCombo& combo);
// One key going down or up, as the keyboard reports it.
void KeyDown(UINT vk);
void KeyUp(UINT vk);
// Types text character by character (letters, digits, blanks and common punctuation).
void TypeText(const std::string& text);

// ---- Pointer -------------------------------------------------------------------------------

// Moves the pointer to a point of the screen (GetCursorPos follows it).
void MovePointer(POINT screen);
// button: 0 the left one, 1 the right one.
void PressButton(int button);
void ReleaseButton(int button);
// Moves to the point and clicks (button down and up).
void Click(POINT screen, int button = 0);
// Clicks at a point of a window's client area (its centre when no point is given).
void ClickWindow(HWND hwnd, int button = 0);
void ClickWindowAt(HWND hwnd, POINT client, int button = 0);
// Moves the pointer over a window's client area without clicking.
void HoverWindow(HWND hwnd, POINT client);
// Clicks one of the caption buttons: HTCLOSE, HTMINBUTTON or HTMAXBUTTON.
void ClickCaptionButton(HWND hwnd, int hit);
// MessageBeep calls and clicks refused by a disabled window so far.
int BeepCount();

// ---- Time ----------------------------------------------------------------------------------

// Lets time pass. Inside a scripted step, the program's waiting loops take it in slices so that
// every timer fires on the way; called directly, the clock jumps and each expired timer
// delivers one WM_TIMER at the next message retrieval.
void LetTimePass(DWORD milliseconds);
// Sets the wall-clock time (GetLocalTime) of this moment.
void SetWallClock(int year, int month, int day, int hour, int minute, int second);
// A scripted wait is still under way.
bool TimeIsPassing();

// ---- Menus ---------------------------------------------------------------------------------

struct MenuItemView {
    UINT id = 0;
    std::string text; // as stored: with '&' and tab
    bool separator = false;
    bool popup = false;
    bool checked = false;
    bool grayed = false;
    bool isDefault = false;
    bool ownerDrawn = false;
    // Where the item stands: the menu that holds it and its position there.
    HMENU menu = nullptr;
    UINT position = 0;
};

// A popup menu is open (TrackPopupMenu runs).
bool IsMenuOpen();
// The items of the menu open now, or else of the one opened last (empty when none was).
std::vector<MenuItemView> MenuItems();
// Number of popup menus opened since the desktop started.
int MenusOpened();
// In the open menu: choose an item by command id, or by text (with or without '&' and the
// tab part), hover an item (it is drawn selected), or close the menu with Esc. Items of
// submenus count as well. Throws std::runtime_error when no menu is open or no item matches.
void ChooseMenuItem(UINT id);
void ChooseMenuItem(const std::string& text);
void HoverMenuItem(UINT id);
void CloseMenu();

// ---- Message boxes and dialogs --------------------------------------------------------------

// The message box open now (the program's or another program's; the topmost one), or nullptr.
HWND OpenMessageBox();
// The caption and the message text of a message box.
std::string MessageBoxCaption(HWND box);
std::string MessageBoxText(HWND box);
// Presses the button with this result (IDOK, IDCANCEL, IDYES, IDNO ...) of the open message
// box. Throws std::runtime_error when no message box is open or it has no such button.
void AnswerMessageBox(int button);
// Presses a button of a dialog by its control id (BM_CLICK).
void ClickDialogButton(HWND dialog, int id);

// ---- Other programs -------------------------------------------------------------------------

// Another program shows a message box with an OK button; it opens without blocking and becomes
// the foreground window. Returns the box.
HWND ShowOtherProgramMessageBox(const std::string& title, const std::string& text);
// A child control of another program's dialog, with children of its own.
struct ChildControl {
    std::string text;
    std::vector<ChildControl> children;
};
// Another program shows a dialog with these child controls (in this order); it becomes the
// foreground window.
HWND ShowOtherProgramDialog(const std::string& title, const std::vector<ChildControl>& controls);
// Another program holds this global hot-key (MOD_* modifiers and a virtual key); false when the
// combination is taken already.
bool TakeHotKeyAsOtherProgram(UINT modifiers, UINT vk);
// No window is in the foreground (as while the activation changes).
void SetNoForegroundWindow();

// ---- Inspection -----------------------------------------------------------------------------

// Top-level windows in z-order, topmost first.
std::vector<HWND> TopLevelWindows();
std::string ClassNameOf(HWND hwnd);
// The text as stored, without a message to the window.
std::string TextOf(HWND hwnd);
// A window belongs to another simulated program.
bool IsOtherProgramWindow(HWND hwnd);
// What the person would have noticed since the last call: windows shown or hidden, menus
// opened, message boxes shown, one line each.
std::vector<std::string> TakeUserEvents();

} // namespace winsim
