#include "htmlview/src/DefaultStyle.h"

namespace htmlview::internal {

// Close to what the classic desktop browsers apply, with form fields drawn plainly.
const char kDefaultStyleSheet[] = R"CSS(
html { display: block; height: 100%; }
head, style, script, title, meta, link, base, noscript, template, option, datalist { display: none; }
body { display: block; margin: 8px; height: 100%; }
div, p, form, center, blockquote, address, dl, dt, dd, ul, ol, fieldset, h1, h2, h3, h4, h5, h6,
pre, hr, section, article, header, footer, nav, aside, main, figure, caption, legend { display: block; }
p, dl, blockquote, ul, ol, pre { margin-top: 1em; margin-bottom: 1em; }
h1 { font-size: 2em; font-weight: bold; margin: 0.67em 0; }
h2 { font-size: 1.5em; font-weight: bold; margin: 0.83em 0; }
h3 { font-size: 1.17em; font-weight: bold; margin: 1em 0; }
h4 { font-weight: bold; margin: 1.33em 0; }
h5 { font-size: 0.83em; font-weight: bold; margin: 1.67em 0; }
h6 { font-size: 0.67em; font-weight: bold; margin: 2.33em 0; }
b, strong, th { font-weight: bold; }
i, em, cite, var, address { font-style: italic; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
pre, code, kbd, samp, tt { font-family: Courier New; }
pre { white-space: pre; }
center { text-align: center; }
small { font-size: 0.83em; }
big { font-size: 1.17em; }
sub { vertical-align: sub; font-size: 0.83em; }
sup { vertical-align: super; font-size: 0.83em; }
a { color: #0000ff; text-decoration: underline; cursor: pointer; }
hr { border: 1px inset #a0a0a0; margin: 0.5em auto; height: 0; }
ul, ol { padding-left: 40px; }
li { display: list-item; }
ul { list-style-type: disc; }
ol { list-style-type: decimal; }
table { display: table; border-collapse: separate; border-spacing: 2px; text-indent: 0; }
thead { display: table-header-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-footer-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
th { text-align: center; }
col { display: table-column; }
colgroup { display: table-column-group; }
img { display: inline-block; }
br { display: block; }
input, button, select, textarea { display: inline-block; font-family: Tahoma; font-size: 8pt;
                                  color: #000000; }
input { width: 150px; height: 16px; padding: 1px 2px; border: 2px inset #a0a0a0;
        background-color: #ffffff; vertical-align: middle; }
input[type="checkbox"], input[type="radio"] { width: 13px; height: 13px; padding: 0;
        margin: 3px 3px 3px 4px; border: 1px solid #1c5180; }
input[type="button"], input[type="submit"], input[type="reset"], button {
        width: auto; min-width: 40px; height: 18px; padding: 1px 6px; border: 2px outset #d4d0c8;
        background-color: #d4d0c8; text-align: center; }
input[type="hidden"] { display: none; }
textarea { width: 150px; height: 40px; border: 2px inset #a0a0a0; background-color: #ffffff; }
)CSS";

const char kPageStyleSheet[] = R"CSS(
html, body { overflow: visible !important; }
)CSS";

// The classic browsers' box model: a given width includes padding and border.
const char kQuirksStyleSheet[] = R"CSS(
div, input, textarea, button { box-sizing: border-box; }
)CSS";

} // namespace htmlview::internal
