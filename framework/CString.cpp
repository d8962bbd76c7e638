#include "framework/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool IsAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

CString::CString(const char* psz) : m_str(psz != nullptr ? psz : "") {}

CString::CString(const char* pch, int nLength) {
    if (pch != nullptr && nLength > 0) {
        m_str.assign(pch, static_cast<size_t>(nLength));
    }
}

CString::CString(char ch, int nRepeat) {
    if (nRepeat > 0) {
        m_str.assign(static_cast<size_t>(nRepeat), ch);
    }
}

CString& CString::operator=(const char* psz) {
    m_str = psz != nullptr ? psz : "";
    return *this;
}

CString& CString::operator=(char ch) {
    m_str.assign(1, ch);
    return *this;
}

bool CString::IsLeadByteAt(size_t pos) const {
    return pos + 1 < m_str.size() && IsDBCSLeadByte(static_cast<BYTE>(m_str[pos]));
}

size_t CString::NextChar(size_t pos) const {
    return pos + (IsLeadByteAt(pos) ? 2 : 1);
}

char CString::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetLength()) {
        return 0;
    }
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, char ch) {
    if (nIndex >= 0 && nIndex < GetLength()) {
        m_str[static_cast<size_t>(nIndex)] = ch;
    }
}

CString& CString::operator+=(const CString& s) {
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz) {
    if (psz != nullptr) {
        m_str += psz;
    }
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str += ch;
    return *this;
}

void CString::Append(const char* psz, int nLength) {
    if (psz != nullptr && nLength > 0) {
        m_str.append(psz, static_cast<size_t>(nLength));
    }
}

int CString::Compare(const char* psz) const {
    const char* other = psz != nullptr ? psz : "";
    return std::strcmp(m_str.c_str(), other);
}

int CString::CompareNoCase(const char* psz) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz != nullptr ? psz : "");
    while (true) {
        if (IsDBCSLeadByte(*a) && a[1] != 0) {
            // A double-byte character is compared as one unit, without case folding.
            if (a[0] != b[0] || a[1] != b[1]) {
                unsigned wa = (a[0] << 8) | a[1];
                unsigned wb = (b[0] << 8) | (b[0] != 0 ? b[1] : 0);
                return wa < wb ? -1 : 1;
            }
            a += 2;
            b += 2;
            continue;
        }
        unsigned char ca = static_cast<unsigned char>(AsciiLower(static_cast<char>(*a)));
        unsigned char cb = static_cast<unsigned char>(AsciiLower(static_cast<char>(*b)));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
        ++a;
        ++b;
    }
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    nFirst = std::max(nFirst, 0);
    nCount = std::max(nCount, 0);
    if (nFirst >= GetLength()) {
        return CString();
    }
    nCount = std::min(nCount, GetLength() - nFirst);
    return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

CString CString::Left(int nCount) const {
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.substr(static_cast<size_t>(GetLength() - nCount)));
}

int CString::Find(char ch, int nStart) const {
    if (nStart < 0 || nStart >= GetLength()) {
        return -1;
    }
    for (size_t pos = static_cast<size_t>(nStart); pos < m_str.size(); pos = NextChar(pos)) {
        if (!IsLeadByteAt(pos) && m_str[pos] == ch) {
            return static_cast<int>(pos);
        }
    }
    return -1;
}

int CString::Find(const char* pszSub, int nStart) const {
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength()) {
        return -1;
    }
    size_t subLength = std::strlen(pszSub);
    for (size_t pos = static_cast<size_t>(nStart); pos + subLength <= m_str.size();
         pos = NextChar(pos)) {
        if (m_str.compare(pos, subLength, pszSub) == 0) {
            return static_cast<int>(pos);
        }
    }
    return -1;
}

int CString::ReverseFind(char ch) const {
    int found = -1;
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        if (!IsLeadByteAt(pos) && m_str[pos] == ch) {
            found = static_cast<int>(pos);
        }
    }
    return found;
}

int CString::FindOneOf(const char* pszCharSet) const {
    if (pszCharSet == nullptr) {
        return -1;
    }
    CString set(pszCharSet);
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        if (IsLeadByteAt(pos)) {
            // A double-byte character matches the same pair in the set.
            for (size_t s = 0; s < set.m_str.size(); s = set.NextChar(s)) {
                if (set.IsLeadByteAt(s) && set.m_str.compare(s, 2, m_str, pos, 2) == 0) {
                    return static_cast<int>(pos);
                }
            }
        } else if (set.Find(m_str[pos]) >= 0) {
            return static_cast<int>(pos);
        }
    }
    return -1;
}

int CString::Replace(char chOld, char chNew) {
    int count = 0;
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        if (!IsLeadByteAt(pos) && m_str[pos] == chOld) {
            m_str[pos] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
    if (pszOld == nullptr || *pszOld == 0) {
        return 0;
    }
    const std::string oldText(pszOld);
    const std::string newText(pszNew != nullptr ? pszNew : "");
    std::string result;
    result.reserve(m_str.size());
    int count = 0;
    size_t pos = 0;
    while (pos < m_str.size()) {
        if (m_str.compare(pos, oldText.size(), oldText) == 0) {
            result += newText;
            pos += oldText.size();
            ++count;
        } else {
            size_t next = NextChar(pos);
            result.append(m_str, pos, next - pos);
            pos = next;
        }
    }
    m_str.swap(result);
    return count;
}

int CString::Remove(char ch) {
    std::string result;
    result.reserve(m_str.size());
    int count = 0;
    for (size_t pos = 0; pos < m_str.size();) {
        size_t next = NextChar(pos);
        if (next == pos + 1 && m_str[pos] == ch) {
            ++count;
        } else {
            result.append(m_str, pos, next - pos);
        }
        pos = next;
    }
    m_str.swap(result);
    return count;
}

int CString::Insert(int nIndex, char ch) {
    char text[2] = {ch, 0};
    if (ch == 0) {
        return GetLength();
    }
    return Insert(nIndex, text);
}

int CString::Insert(int nIndex, const char* psz) {
    nIndex = std::clamp(nIndex, 0, GetLength());
    if (psz != nullptr) {
        m_str.insert(static_cast<size_t>(nIndex), psz);
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    if (nIndex < 0) {
        nIndex = 0;
    }
    if (nCount > 0 && nIndex < GetLength()) {
        nCount = std::min(nCount, GetLength() - nIndex);
        m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
    }
    return GetLength();
}

CString& CString::MakeUpper() {
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        if (!IsLeadByteAt(pos)) {
            m_str[pos] = AsciiUpper(m_str[pos]);
        }
    }
    return *this;
}

CString& CString::MakeLower() {
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        if (!IsLeadByteAt(pos)) {
            m_str[pos] = AsciiLower(m_str[pos]);
        }
    }
    return *this;
}

CString& CString::MakeReverse() {
    // Characters are reversed, each double-byte pair kept in its order.
    std::string result;
    result.reserve(m_str.size());
    std::vector<std::pair<size_t, size_t>> chars;
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        chars.emplace_back(pos, NextChar(pos) - pos);
    }
    for (auto it = chars.rbegin(); it != chars.rend(); ++it) {
        result.append(m_str, it->first, it->second);
    }
    m_str.swap(result);
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft() {
    size_t pos = 0;
    while (pos < m_str.size() && IsAsciiSpace(m_str[pos])) {
        ++pos;
    }
    m_str.erase(0, pos);
    return *this;
}

CString& CString::TrimRight() {
    // Scanned forwards so that a trail byte is never taken for a blank.
    size_t keep = 0;
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        if (IsLeadByteAt(pos) || !IsAsciiSpace(m_str[pos])) {
            keep = NextChar(pos);
        }
    }
    m_str.erase(keep);
    return *this;
}

CString& CString::Trim(char ch) {
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::TrimLeft(char ch) {
    size_t pos = 0;
    while (pos < m_str.size() && !IsLeadByteAt(pos) && m_str[pos] == ch) {
        ++pos;
    }
    m_str.erase(0, pos);
    return *this;
}

CString& CString::TrimRight(char ch) {
    size_t keep = 0;
    for (size_t pos = 0; pos < m_str.size(); pos = NextChar(pos)) {
        if (IsLeadByteAt(pos) || m_str[pos] != ch) {
            keep = NextChar(pos);
        }
    }
    m_str.erase(keep);
    return *this;
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args) {
    m_str.clear();
    AppendFormatV(pszFormat, args);
}

void CString::AppendFormatV(const char* pszFormat, va_list args) {
    if (pszFormat == nullptr) {
        return;
    }
    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (needed <= 0) {
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    m_str.append(buffer.data(), static_cast<size_t>(needed));
}

char* CString::GetBuffer() {
    return &m_str[0];
}

char* CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength()) {
        // The text stays; the room behind it reads as zeros until written.
        m_str.resize(static_cast<size_t>(nMinBufLength), '\0');
    }
    return &m_str[0];
}

char* CString::GetBufferSetLength(int nNewLength) {
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)), '\0');
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) {
        m_str.resize(std::strlen(m_str.c_str()));
    } else {
        m_str.resize(std::min(static_cast<size_t>(nNewLength), m_str.size()));
    }
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(char a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
