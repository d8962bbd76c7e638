// Captured texts come from foreign windows and are shown as markup in the program's own page,
// so nothing in them may run script there. NeutraliseMarkup keeps the markup of a text (bold,
// line breaks, the underlined title ...) and takes out what could run script:
// - script elements, and the elements that embed active content, load other documents or
//   style sheets (object, embed, applet, iframe, frame, frameset, meta, link, base, style):
//   their tags are shown as text;
// - event-handler attributes (on...);
// - the attributes that the page's own code finds and binds its elements by (id, name, class,
//   for), so that captured markup never stands in for an element of the program;
// - attributes whose value holds a script address (javascript:, vbscript:, livescript:),
//   also when written with entities, blanks or mixed case, and style attributes that hold
//   CSS expressions, behaviours, bindings, imports, or the escapes and comments that could
//   spell them in pieces;
// - comments, declarations and processing instructions (conditional comments run script), a
//   '<' that starts no well-formed tag, and a tag left open at the end of the text: shown as
//   text.
// Every tag that stays is written anew with its attribute values in double quotes, so the page
// reads exactly the tag that was checked. A lead byte of the code page with no valid trail byte
// behind it becomes '?', so that the conversion to UTF-16 cannot join it with the markup after it.
#pragma once

#include "framework/CString.h"

CString NeutraliseMarkup(const CString& text);
