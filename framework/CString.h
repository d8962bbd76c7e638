// An 8-bit string in the system's ANSI code page, with value semantics. Searching, replacing,
// removing and case changes step over double-byte characters of that code page as whole
// characters, so a trail byte that happens to equal an ASCII character never matches.
#pragma once

#include "platform/win32.h"

#include <cstdarg>
#include <string>
#include <utility>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* psz); // null gives the empty string
    CString(const char* pch, int nLength);
    CString(char ch, int nRepeat = 1);
    explicit CString(const std::string& s) : m_str(s) {}
    explicit CString(std::string&& s) noexcept : m_str(std::move(s)) {}
    // From UTF-16, converted to the ANSI code page (characters it lacks become '?').
    CString(const WCHAR* pwsz);

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    // Index checks: outside [0, length) GetAt gives 0 and SetAt changes nothing.
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }

    CString& operator+=(const CString& s);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);
    void Append(const char* psz, int nLength);

    // Byte order, as strcmp with unsigned bytes; <0, 0, >0.
    int Compare(const char* psz) const;
    // ASCII letters compared without regard to case; double-byte characters as they are.
    int CompareNoCase(const char* psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Positions are byte offsets; -1 when not found. A start outside the string finds nothing.
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* pszCharSet) const;

    // Every occurrence, left to right; an inserted piece is not scanned again. Returns how many.
    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);
    int Remove(char ch);
    // Returns the new length; the index is clamped into the string.
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, const char* psz);
    int Delete(int nIndex, int nCount = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(char ch);
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);

    void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void AppendFormat(const char* pszFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* pszFormat, va_list args);
    void AppendFormatV(const char* pszFormat, va_list args);

    // Direct access: the buffer holds at least nMinBufLength bytes plus a terminating zero and
    // keeps the current text. ReleaseBuffer sets the length (-1: up to the first zero byte).
    char* GetBuffer();
    char* GetBuffer(int nMinBufLength);
    char* GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    // Loads a string resource of the framework's resource module; false when there is none.
    bool LoadString(UINT nID);

private:
    bool IsLeadByteAt(size_t pos) const;
    // Offset of the next character after the one at pos.
    size_t NextChar(size_t pos) const;

    std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) {
    return a.Compare(b) == 0;
}
inline bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}
inline bool operator==(const char* a, const CString& b) {
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return a.Compare(b) != 0;
}
inline bool operator!=(const CString& a, const char* b) {
    return a.Compare(b) != 0;
}
inline bool operator!=(const char* a, const CString& b) {
    return b.Compare(a) != 0;
}
inline bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
inline bool operator>(const CString& a, const CString& b) {
    return a.Compare(b) > 0;
}
inline bool operator<=(const CString& a, const CString& b) {
    return a.Compare(b) <= 0;
}
inline bool operator>=(const CString& a, const CString& b) {
    return a.Compare(b) >= 0;
}

// The UTF-16 form of an ANSI string (CP_ACP), for the places where text enters the page or OLE.
std::basic_string<WCHAR> AfxAnsiToWide(const char* psz);
