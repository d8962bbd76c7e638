#include "list/CaptureListHtml.h"

#include "list/MarkupNeutraliser.h"

#include <charconv>
#include <climits>
#include <string>
#include <utility>

namespace {

const char kHead[] = "<table width=\"100%\" height=\"100%\"><tr width=\"100%\" height=\"12pt\">"
                     "<th width=\"80px\">Capture time</th><th width=\"60%\">Text</th>"
                     "<th>Image</th></tr>";

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

namespace {

void AppendNumber(std::string& html, int value) {
    char digits[16];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    html.append(digits, end.ptr);
}

// The image path inside the thumbnail's address: the characters that an address gives meaning
// to ('%' escapes, '#' and '?' end the path) and those that HTML reads in an attribute ('&',
// quotes, angle brackets) are written as %XX escapes, which the picture loader decodes. All of
// them lie below 0x40, where no trail byte of a double-byte character does, so such characters
// pass whole.
void AppendAddressEscaped(std::string& html, const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    for (char ch : path) {
        switch (ch) {
        case '%':
        case '#':
        case '?':
        case '&':
        case '"':
        case '\'':
        case '<':
        case '>':
            html += '%';
            html += kHex[(static_cast<unsigned char>(ch) >> 4) & 0xF];
            html += kHex[static_cast<unsigned char>(ch) & 0xF];
            break;
        default:
            html += ch;
        }
    }
}

// One row: the time, the text and the thumbnail, each cell with the row's class and an id of
// its own; the thumbnail is 120 pixels wide with the window's proportions:
// <tr><td class="C" id="catN">TIME</td><td class="C" id="txtN">TEXT</td><td class="C"
// id="imgN"><img src="file:///PATH" class="C" id="imtN" width="120" height="H"/></td></tr>
// Written piece by piece rather than formatted: the list is built whole after every capture.
void WriteRow(std::string& html, int index, const CaptureEntry& entry) {
    const char* rowClass = RowClass(index);
    const auto cell = [&](const char* idPrefix) {
        html += "<td class=\"";
        html += rowClass;
        html += "\" id=\"";
        html += idPrefix;
        AppendNumber(html, index);
        html += "\">";
    };
    html += "<tr>";
    cell("cat");
    html += entry.m_strTime.GetString();
    html += "</td>";
    cell("txt");
    CaptureEntry::ListRowMemo& memo = entry.m_listRow;
    if (memo.shownMarkup.empty() || memo.shownText.str() != entry.m_strText.str()) {
        memo.shownMarkup = NeutraliseMarkup(entry.m_strText).GetString();
        memo.shownText = entry.m_strText;
    }
    html += memo.shownMarkup;
    html += "</td>";
    cell("img");
    html += "<img src=\"file:///";
    AppendAddressEscaped(html, entry.m_strImagePath.str());
    html += "\" class=\"";
    html += rowClass;
    html += "\" id=\"imt";
    AppendNumber(html, index);
    html += "\" width=\"";
    AppendNumber(html, kThumbnailWidth);
    html += "\" height=\"";
    AppendNumber(html, ThumbnailHeight(entry.m_nWidth, entry.m_nHeight));
    html += "\"/></td></tr>";
}

bool IsRowMemoCurrent(const CaptureEntry& entry, int index) {
    const CaptureEntry::ListRowMemo& memo = entry.m_listRow;
    return memo.index == index && memo.width == entry.m_nWidth && memo.height == entry.m_nHeight &&
           memo.time.str() == entry.m_strTime.str() && memo.text.str() == entry.m_strText.str() &&
           memo.imagePath.str() == entry.m_strImagePath.str();
}

const std::string& RowOf(const CaptureEntry& entry, int index) {
    CaptureEntry::ListRowMemo& memo = entry.m_listRow;
    if (!IsRowMemoCurrent(entry, index)) {
        memo.row.clear();
        WriteRow(memo.row, index, entry);
        memo.index = index;
        memo.width = entry.m_nWidth;
        memo.height = entry.m_nHeight;
        memo.time = entry.m_strTime;
        memo.text = entry.m_strText;
        memo.imagePath = entry.m_strImagePath;
    }
    return memo.row;
}

} // namespace

CString BuildCaptureListHtml(const std::vector<CaptureEntry*>& entries) {
    std::vector<const std::string*> rows;
    rows.reserve(entries.size());
    size_t size = sizeof kHead + sizeof kFiller + sizeof kEnd;
    for (size_t i = 0; i < entries.size(); ++i) {
        rows.push_back(&RowOf(*entries[i], static_cast<int>(i)));
        size += rows.back()->size();
    }
    std::string html;
    html.reserve(size);
    html += kHead;
    for (const std::string* row : rows) {
        html += *row;
    }
    if (entries.empty()) {
        html += kFiller;
    }
    html += kEnd;
    return CString(std::move(html));
}
