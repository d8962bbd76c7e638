// The capture list as the HTML table that the main page shows in its element "tblTexts": the
// head, one row per entry (oldest first) and, for an empty list, one filler row.
#pragma once

#include "framework/CString.h"
#include "list/CaptureEntry.h"

#include <vector>

// The width of every thumbnail in the list.
constexpr int kThumbnailWidth = 120;

// The thumbnail's height for a window of this size: height / width * 120 in double precision,
// truncated toward zero. 0 for a width of 0 (a failed screen grab).
int ThumbnailHeight(int nWidth, int nHeight);

// "even" for an even index, "odd" for an odd one: the class of a row's cells and image.
const char* RowClass(int nIndex);

// The whole table. Each entry's text goes in as markup, with what could run script taken out.
CString BuildCaptureListHtml(const std::vector<CaptureEntry*>& entries);
