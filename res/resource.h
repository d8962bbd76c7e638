// Resource ids of Verbacap: dialogs, pages, menus, commands, bitmaps, icon and sound. Included
// by verbacap.rc and by the program's code alike, so plain #defines only.
#pragma once

// Dialogs and their HTML pages.
#define IDD_VERBACAP_DIALOG 102
#define IDR_HTML_AUTOSCREENSHOT 103
#define IDR_HTML_VERBACAP 104
#define IDR_HTML_ABOUT 105
#define IDR_HTML_HELP 106
#define IDD_AUTOSCREENSHOT 162
#define IDD_ABOUT 168
#define IDD_HELP 169

// Controls.
#define IDC_HOTKEY 1000

// The application icon, the capture sound, the entry menu's toolbar and its bitmap.
#define IDR_MAINFRAME 128
#define IDR_WAVE_CAPTURE 137
#define IDR_TOOLBAR_ENTRY 150

// Menus.
#define IDR_MENU_ENTRY 129
#define IDR_MENU_TRAY 154
#define IDR_MENU_FUNCTIONS 157
#define IDR_MENU_HELP 165

// Commands of the entry menu.
#define ID_ENTRY_COPYTEXT 130
#define ID_ENTRY_DELETE 131
#define ID_ENTRY_QUIT 132
#define ID_ENTRY_COPYIMAGE 138
#define ID_ENTRY_SAVEIMAGE 139

// Commands of the tray, Functions and Help menus.
#define ID_TRAY_SHOW 155
#define ID_APP_QUIT 156
#define ID_MINIMIZE_TO_TRAY 158
#define ID_AUTOSTART 159
#define ID_AUTOCAPTURE 161
#define ID_SHOW_HELP 166
#define ID_SHOW_ABOUT 167
