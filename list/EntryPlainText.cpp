#include "list/EntryPlainText.h"

CString EntryPlainText(const CString& htmlText) {
    CString text(htmlText);
    text.Replace("<br/>", "\r\n");
    text.Replace("<p><u>", "");
    const int titleEnd = text.Find("</u></p>");
    if (titleEnd >= 0) {
        // One "=" per byte of the title, so a double-byte title gets two per character.
        const CString separator = CString("\r\n") + CString('=', titleEnd) + "\r\n\r\n";
        text.Insert(titleEnd, separator);
        text.Replace("</u></p>", "");
    }
    return text;
}
