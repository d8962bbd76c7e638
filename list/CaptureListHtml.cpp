#include "list/CaptureListHtml.h"

#include "list/MarkupNeutraliser.h"

#include <climits>

namespace {

const char kHead[] = "<table width=\"100%\" height=\"100%\"><tr width=\"100%\" height=\"12pt\">"
                     "<th width=\"80px\">Capture time</th><th width=\"60%\">Text</th>"
                     "<th>Image</th></tr>";

const char kRow[] = "<tr><td class=\"%s\" id=\"cat%d\">%s</td><td class=\"%s\" id=\"txt%d\">%s</td>"
                    "<td class=\"%s\" id=\"img%d\"><img src=\"file:///%s\" class=\"%s\" "
                    "id=\"imt%d\" width=\"%d\" height=\"%d\"/></td></tr>";

const char kFiller[] = "<tr><td style=\"background-color: #ffffff; filter:alpha(opacity=50);\" "
                       "colspan=\"3\">&nbsp;</td></tr>";

const char kEnd[] = "</table>";

} // namespace

int ThumbnailHeight(int nWidth, int nHeight) {
    if (nWidth == 0) {
        return 0;
    }
    const double height = static_cast<double>(nHeight) / nWidth * 120.0;
    // Only absurd sizes leave the range of int; they keep the attribute a whole number.
    if (height >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (height <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(height);
}

const char* RowClass(int nIndex) {
    return nIndex % 2 == 0 ? "even" : "odd";
}

CString BuildCaptureListHtml(const std::vector<CaptureEntry*>& entries) {
    CString html(kHead);
    for (size_t i = 0; i < entries.size(); ++i) {
        const CaptureEntry& entry = *entries[i];
        const int index = static_cast<int>(i);
        const char* rowClass = RowClass(index);
        const CString text = NeutraliseMarkup(entry.m_strText);
        html.AppendFormat(kRow, rowClass, index, entry.m_strTime.GetString(), rowClass, index,
                          text.GetString(), rowClass, index, entry.m_strImagePath.GetString(),
                          rowClass, index, kThumbnailWidth,
                          ThumbnailHeight(entry.m_nWidth, entry.m_nHeight));
    }
    if (entries.empty()) {
        html += kFiller;
    }
    html += kEnd;
    return html;
}
