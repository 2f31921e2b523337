#include "platform/controls/browser/HtmlStyles.h"

namespace tw::browser {

const char* DefaultStyleSheet()
{
    return R"CSS(
html, address, blockquote, body, center, dd, div, dl, dt, fieldset, form, frame, frameset,
h1, h2, h3, h4, h5, h6, hr, noframes, ol, p, pre, ul, menu, dir { display: block; }
head, script, style, title, meta, link, noscript, template { display: none; }
li { display: list-item; }
img { display: inline-block; }
table { display: table; border-spacing: 2px; border-collapse: separate; }
thead { display: table-header-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-footer-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
caption { display: table-caption; text-align: center; }
col { display: table-column; }
colgroup { display: table-column-group; }
body { margin: 8px; color: black; line-height: normal; }
p, blockquote, dl, fieldset, form, ol, ul, menu, dir, pre { margin-top: 1em; margin-bottom: 1em; }
blockquote { margin-left: 40px; margin-right: 40px; }
dd { margin-left: 40px; }
h1 { font-size: 2em; margin: 0.67em 0; font-weight: bold; }
h2 { font-size: 1.5em; margin: 0.83em 0; font-weight: bold; }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold; }
h4 { font-size: 1em; margin: 1.33em 0; font-weight: bold; }
h5 { font-size: 0.83em; margin: 1.67em 0; font-weight: bold; }
h6 { font-size: 0.67em; margin: 2.33em 0; font-weight: bold; }
b, strong, th { font-weight: bold; }
i, em, cite, var, address, dfn { font-style: italic; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
pre, code, tt, kbd, samp { font-family: "Liberation Mono", monospace; }
pre { white-space: pre; }
big { font-size: 1.17em; }
small, sub, sup { font-size: 0.83em; }
sub { vertical-align: sub; }
sup { vertical-align: super; }
center { text-align: center; }
th { text-align: center; }
hr { border-style: inset; border-width: 1px; border-color: gray; margin: 0.5em 0; }
ul, ol, menu, dir { padding-left: 40px; }
ul, menu, dir { list-style-type: disc; }
ol { list-style-type: decimal; }
ul ul, ol ul { list-style-type: circle; margin-top: 0; margin-bottom: 0; }
ul ul ul, ol ol ul, ol ul ul, ul ol ul { list-style-type: square; }
ol ol, ul ol { margin-top: 0; margin-bottom: 0; }
a[href] { color: #0000ee; text-decoration: underline; cursor: pointer; }
table[border] td, table[border] th { border: 1px inset gray; }
table[border] { border: 1px outset gray; }
)CSS";
}

}  // namespace tw::browser
