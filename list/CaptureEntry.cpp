#include "list/CaptureEntry.h"

#include <ctime>

namespace {

// The buffer the time is formatted into.
constexpr size_t kTimeBufferSize = 128;

} // namespace

CString CaptureTextToHtml(LPCSTR szText) {
    CString text(szText);
    text.Replace("\n", "<br/>");
    return text;
}

CString FormatCaptureTime(const SYSTEMTIME& time) {
    if (time.wHour > 23 || time.wMinute > 59 || time.wSecond > 60) {
        return CString();
    }
    std::tm fields = {};
    fields.tm_hour = time.wHour;
    fields.tm_min = time.wMinute;
    fields.tm_sec = time.wSecond;
    fields.tm_mday = time.wDay;
    fields.tm_mon = time.wMonth - 1;
    fields.tm_year = time.wYear - 1900;
    fields.tm_wday = time.wDayOfWeek;
    char buffer[kTimeBufferSize] = {};
    if (std::strftime(buffer, sizeof buffer, "%H:%M:%S", &fields) == 0) {
        return CString();
    }
    return CString(buffer);
}

CaptureEntry::CaptureEntry(LPCSTR szText, LPCSTR szImagePath, int nWidth, int nHeight)
    : m_strText(CaptureTextToHtml(szText)), m_strImagePath(szImagePath), m_nWidth(nWidth),
      m_nHeight(nHeight) {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    m_strTime = FormatCaptureTime(now);
}

CaptureEntry::~CaptureEntry() {
    if (!m_strImagePath.IsEmpty()) {
        ::DeleteFileA(m_strImagePath);
    }
}
