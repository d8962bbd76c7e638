// The plain text of an entry's HTML-form text, as the clipboard receives it: "<br/>" becomes a
// carriage return and line feed, and a dialog's title marked with "<p><u>" and "</u></p>" is
// followed by a line of "=" as long as the title in bytes and an empty line.
#pragma once

#include "framework/CString.h"

CString EntryPlainText(const CString& htmlText);
