// The index of the capture entry whose row holds a page element, read from the element's id: a
// three-letter prefix ("cat", "txt", "img", "imt") and the index in decimal.
#pragma once

#include "framework/CString.h"

// The leading decimal digits after the first three characters, with an optional sign, as the C
// library's atoi reads them; 0 when there are none. A number beyond the range of int gives the
// nearest end of that range (an index no list has), never an undefined value.
int EntryRowIndex(const CString& elementId);
