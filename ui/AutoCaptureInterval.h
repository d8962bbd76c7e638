// The auto-capture interval as the person types it: a number of seconds, with a point or a
// comma before the decimals ("2", "0.5", "0,5"), blanks around it allowed.
#pragma once

#include "platform/win32.h"

// The shortest and the longest interval accepted, in milliseconds: below a tenth of a second
// the captures would fill the disk, above a day the timer would be of no use.
constexpr UINT kMinAutoCaptureMs = 100;
constexpr UINT kMaxAutoCaptureMs = 86400u * 1000u;

// The period in milliseconds (the seconds times 1000, truncated); false, with `milliseconds`
// untouched, for text that is not such a number or lies outside the accepted range.
bool ParseAutoCaptureInterval(LPCSTR szText, UINT& milliseconds);
