// The picture of a window as a JPEG file: the grab of the whole window rectangle into a bitmap
// in the display's format, its conversion into a packed device-independent bitmap (header,
// colour table, pixel rows in one block, bottom row first), the conversion of that into top-down
// rows of red, green and blue samples, and the encoding of those rows as a baseline JFIF file by
// libjpeg.
//
// The class has no data members and keeps nothing between calls; a capture creates one on its
// stack. Failures are reported as a false result plus a text in the caller's string; only the
// JPEG library's own messages reach the user, in a "JPEG Error" message box.
#pragma once

#include "framework/CPoint.h"
#include "platform/win32.h"

#include <string>

class CBitmap;
class CPalette;
class CWnd;

class WindowCapture {
public:
    WindowCapture() {}
    ~WindowCapture() {}

    // Takes the picture of the whole window (title bar and borders included) as the screen shows
    // it and writes it as a JPEG file of quality 100 at `szPath` (an ANSI path). Returns the
    // window rectangle's width and height whenever a DIB of the picture could be made, even
    // when the file could not be written; (0, 0) and no file when there is no window (null
    // object, null or destroyed handle), when its rectangle is empty, or when no DIB could be
    // made. When the window's DC cannot be had, the framework's resource exception leaves this
    // function after everything made so far has been released.
    CSize CaptureWindowToFile(LPCSTR szPath, CWnd* pWnd) const;

    // Turns a bitmap selected into no DC into a packed DIB in the display's bit count, with
    // `dwCompression` as the compression asked for (BI_BITFIELDS is refused at once). The colour
    // table of a DIB of 8 bits or less comes from `pPalette`, or from the stock default palette
    // when it is null or holds no palette. The result is a fixed global-memory block (its
    // address is its handle) that the caller frees with GlobalFree; null when no DIB could be
    // made.
    BITMAPINFOHEADER* BitmapToDib(CBitmap& bitmap, DWORD dwCompression, CPalette* pPalette) const;

    // Fills `rows` (top row first; each row has room for rowLength >= 3 x width bytes) with the
    // pixels of the packed DIB at `dib` as red, green, blue. Supports 1, 4, 8, 16 (5-5-5), 24
    // and 32 bits per pixel. On failure the rows are untouched, the result is false and `error`
    // (when given) holds "Invalid input data" or "Invalid bitmap bit count".
    bool DibToRgbRows(const BITMAPINFOHEADER* dib, int rowLength, BYTE* const* rows,
                      std::string* error) const;

    // Expands a 5-5-5 pixel (bit 15 ignored) into 8-bit components: blue in the lowest byte,
    // green in the next, red in the third, 0 in the top byte.
    static DWORD Expand555(WORD pixel);

    // Encodes the packed DIB at `dib` as a baseline JFIF file at `path` (an ANSI path, replaced
    // when it exists) with the given quality (0 to 100). Returns true when the file was written
    // completely; otherwise `error` holds the program's reason ("Invalid input data", "Invalid
    // bitmap bit count", "Cannot open " and the path), or stays empty when the JPEG library
    // gave up (it said why in its message box) or the file could not be completed. A file that
    // was opened stays on disk whatever happened. Without an error holder nothing is done.
    bool WriteJpeg(const BITMAPINFOHEADER* dib, int quality, const char* path,
                   std::string* error) const;
};
