// Item texts of the owner-drawn menus: held as UTF-16, handed to the ANSI menu and text
// functions in the thread's ANSI code page.
#pragma once

#include "platform/win32.h"

#include <string>

using WideText = std::basic_string<WCHAR>;

// The text in the ANSI code page (characters it lacks become its default character).
std::string ToAnsiText(const WideText& text);

// The ANSI text as UTF-16.
WideText ToWideText(const std::string& text);
