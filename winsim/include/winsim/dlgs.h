// Control ids of the common dialogs' windows (check boxes, static texts, lists, combo boxes,
// edit fields), as a program finds them with GetDlgItem.
#pragma once

#define ctlFirst 0x0400
#define ctlLast 0x04ff
#define chx1 0x0410
#define stc1 0x0440
#define stc2 0x0441
#define stc3 0x0442
#define stc4 0x0443
#define lst1 0x0460
#define lst2 0x0461
#define cmb1 0x0470
#define cmb2 0x0471
#define edt1 0x0480
