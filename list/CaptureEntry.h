// One capture of the list: when it was taken, the text read from the window (in the list's HTML
// form), the JPEG file of its picture and the size of the captured window. An entry owns its
// image file: destroying the entry deletes the file.
#pragma once

#include "framework/CString.h"
#include "platform/win32.h"

#include <string>

class CaptureEntry {
public:
    // Stamps the entry with the current local time and stores the text with every line feed
    // turned into "<br/>" (nothing else of the text changes).
    CaptureEntry(LPCSTR szText, LPCSTR szImagePath, int nWidth, int nHeight);
    // Deletes the image file; a file that is gone already or cannot be deleted is no error.
    ~CaptureEntry();

    CaptureEntry(const CaptureEntry&) = delete;
    CaptureEntry& operator=(const CaptureEntry&) = delete;

    // "%H:%M:%S" of the local time at construction; empty when it could not be formatted.
    CString m_strTime;
    CString m_strText;
    CString m_strImagePath;
    // The captured window's size in pixels; 0 x 0 when the screen grab failed.
    int m_nWidth;
    int m_nHeight;

    // The list's row for this entry as it was last written, with what it was written from:
    // the list is built whole after every capture, and a row whose entry and place have not
    // changed since is taken from here rather than written again.
    struct ListRowMemo {
        int index = -1;
        CString time;
        CString text;
        CString imagePath;
        int width = 0;
        int height = 0;
        std::string row;
        // The text as the row shows it, kept while the text stays: a deletion renumbers every
        // later row, whose text need not be made safe again.
        CString shownText;
        std::string shownMarkup;
    };
    mutable ListRowMemo m_listRow;
};

// The HTML form of a captured text: every line feed becomes "<br/>", scanning left to right;
// a carriage return in front of a line feed stays.
CString CaptureTextToHtml(LPCSTR szText);

// The time of day of `time` as "%H:%M:%S"; empty when the fields are no valid time of day.
CString FormatCaptureTime(const SYSTEMTIME& time);
