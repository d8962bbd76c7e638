// Captured texts come from foreign windows and are shown as markup in a cell of the program's
// own list, so they are reduced to the markup a message plausibly means: inline and paragraph
// formatting (b, i, u, em, strong, br, p, span, font, small, big, sub, sup, code, pre) with a
// few harmless attributes (font color, size and face; style with color, font-weight,
// font-style, text-decoration and a bounded font-size). Every other '<' shows as text: tables,
// links, pictures, forms, script, comments, and anything that could load an address, cover
// the list or leave the cell. So:
// - tags that stay are written anew, their values in double quotes, and are balanced: an end
//   tag closes what was opened inside it, an end tag of nothing open shows as text, and what is
//   still open at the end is closed there;
// - nesting is bounded, and the elements that enlarge the font do not compound;
// - a run of more than a few characters without a blank gets break opportunities (<wbr>), and
//   preformatted text wraps, so no word can push the other columns out of the list;
// - the work is linear in the text: each byte is looked at a bounded number of times;
// - a lead byte of the code page with no valid trail byte behind it becomes '?', so that the
//   conversion to UTF-16 cannot join it with the markup after it.
// The stored text is not changed: this is only what the list shows.
#pragma once

#include "framework/CString.h"

CString NeutraliseMarkup(const CString& text);
