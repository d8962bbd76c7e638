// Profile (INI) files: sections of "key=value" lines, read and written in place with the rules
// of Windows (names compared without regard to case, values trimmed and unquoted, a file named
// without a full path living in the Windows folder). A malformed line is passed over when
// reading and kept as it is when writing.
#include "system/codepage.h"
#include "system/host_file.h"
#include "system/paths.h"

#include <winsim/winbase.h>
#include <winsim/winerror.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct IniLine {
    std::string text;
    enum Kind { Other, Section, Entry } kind = Other;
    std::string name;  // section or key name, trimmed
    std::string value; // entry value, trimmed and unquoted
};

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return std::string();
    }
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

// Section and key names are compared without regard to case, as the code page's characters.
bool SameName(const std::string& a, const std::string& b) {
    return winsim::system::AnsiEqualsNoCase(a, b);
}

IniLine ParseLine(const std::string& text) {
    IniLine line;
    line.text = text;
    std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] == ';') {
        return line;
    }
    if (trimmed[0] == '[') {
        size_t close = trimmed.find(']');
        line.kind = IniLine::Section;
        line.name =
            Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return line;
    }
    size_t equals = trimmed.find('=');
    if (equals == std::string::npos) {
        return line;
    }
    line.kind = IniLine::Entry;
    line.name = Trim(trimmed.substr(0, equals));
    line.value = Trim(trimmed.substr(equals + 1));
    if (line.value.size() >= 2 && (line.value.front() == '"' || line.value.front() == '\'') &&
        line.value.back() == line.value.front()) {
        line.value = line.value.substr(1, line.value.size() - 2);
    }
    return line;
}

// The host path of a profile file; a name without a full path lives in the Windows folder.
DWORD ProfileHostPath(LPCSTR fileName, std::string& host) {
    std::string name = fileName ? fileName : "win.ini";
    bool full = (name.size() >= 2 && name[1] == ':') || name[0] == '\\' || name[0] == '/';
    if (!full) {
        name = winsim::system::WindowsFolder().ToAnsi() + "\\" + name;
    }
    winsim::system::WindowsPath path;
    return winsim::system::ResolvePath(name.c_str(), path, host);
}

std::vector<IniLine> ParseProfile(const std::string& content) {
    std::vector<IniLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        std::string text =
            content.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        lines.push_back(ParseLine(text));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

// The settings file read last, with its lines. A program reads its settings one value at a
// time, each read going to the file anew (another program may have changed it in between);
// when the bytes read are the very bytes parsed last time, their lines are taken as they are.
struct ParsedProfile {
    std::string host;
    std::string content;
    std::vector<IniLine> lines;
};

ParsedProfile& LastProfile() {
    thread_local ParsedProfile last;
    return last;
}

// The lines of the file as it is now; nullptr when it is not there (or is not a plain file).
// The lines stay valid until the next read.
const std::vector<IniLine>* ReadProfile(const std::string& host) {
    thread_local std::string content; // kept, so that its room is not allocated per read
    if (!winsim::system::ReadRegularHostFile(host, content)) {
        return nullptr;
    }
    ParsedProfile& last = LastProfile();
    if (last.host != host || last.content != content) {
        last.lines = ParseProfile(content);
        last.host = host;
        last.content.swap(content);
    }
    return &last.lines;
}

bool WriteProfile(const std::string& host, const std::vector<IniLine>& lines) {
    std::string content;
    for (const IniLine& line : lines) {
        content += line.text;
        content += "\r\n";
    }
    FILE* file = std::fopen(host.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

// Index of the first line of the named section's header; npos when there is none.
size_t FindSection(const std::vector<IniLine>& lines, const std::string& section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == IniLine::Section && SameName(lines[i].name, section)) {
            return i;
        }
    }
    return std::string::npos;
}

// One past the last line of the section that starts at header.
size_t SectionEnd(const std::vector<IniLine>& lines, size_t header) {
    size_t end = header + 1;
    while (end < lines.size() && lines[end].kind != IniLine::Section) {
        ++end;
    }
    return end;
}

// Copies a list of zero-terminated names, ended by one more zero, cut as Windows cuts it.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list.push_back('\0');
    }
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        return static_cast<DWORD>(list.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

// Copies text cut to the buffer, never in the middle of a double-byte character.
DWORD CopyText(const std::string& text, LPSTR buffer, DWORD size) {
    size_t length = text.size();
    if (length + 1 > size) {
        length = 0;
        const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
        while (length < text.size()) {
            size_t next = winsim::system::AnsiCharLength(p + length);
            if (length + next > size - 1) {
                break;
            }
            length += next;
        }
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

} // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    if (!lpReturnedString || nSize == 0) {
        return 0;
    }
    std::string host;
    DWORD error = ProfileHostPath(lpFileName, host);
    const std::vector<IniLine>* lines = error == ERROR_SUCCESS ? ReadProfile(host) : nullptr;
    static const std::vector<IniLine> none;
    const std::vector<IniLine>& content = lines ? *lines : none;
    if (!lpAppName) {
        std::vector<std::string> sections;
        for (const IniLine& line : content) {
            if (line.kind == IniLine::Section) {
                sections.push_back(line.name);
            }
        }
        SetLastError(lines ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
        return CopyList(sections, lpReturnedString, nSize);
    }
    size_t header = FindSection(content, lpAppName);
    if (!lpKeyName) {
        std::vector<std::string> keys;
        if (header != std::string::npos) {
            const size_t end = SectionEnd(content, header);
            for (size_t i = header + 1; i < end; ++i) {
                if (content[i].kind == IniLine::Entry) {
                    keys.push_back(content[i].name);
                }
            }
        }
        SetLastError(header != std::string::npos ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
        return CopyList(keys, lpReturnedString, nSize);
    }
    if (header != std::string::npos) {
        const size_t end = SectionEnd(content, header);
        for (size_t i = header + 1; i < end; ++i) {
            if (content[i].kind == IniLine::Entry && SameName(content[i].name, lpKeyName)) {
                SetLastError(ERROR_SUCCESS);
                return CopyText(content[i].value, lpReturnedString, nSize);
            }
        }
    }
    std::string fallback = lpDefault ? lpDefault : "";
    size_t end = fallback.find_last_not_of(' ');
    fallback.erase(end == std::string::npos ? 0 : end + 1);
    DWORD copied = CopyText(fallback, lpReturnedString, nSize);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return copied;
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault,
                                  LPCSTR lpFileName) {
    if (!lpAppName || !lpKeyName) {
        return static_cast<UINT>(nDefault);
    }
    char buffer[256];
    DWORD length =
        GetPrivateProfileStringA(lpAppName, lpKeyName, "", buffer, sizeof(buffer), lpFileName);
    if (length == 0) {
        return static_cast<UINT>(nDefault);
    }
    // An optional sign, then the leading digits (hexadecimal after "0x"); the rest is ignored.
    const char* p = buffer;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        std::isxdigit(static_cast<unsigned char>(p[2]))) {
        base = 16;
        p += 2;
    }
    uint32_t value = 0;
    bool digits = false;
    for (;; ++p) {
        unsigned digit = 0;
        if (*p >= '0' && *p <= '9') {
            digit = static_cast<unsigned>(*p - '0');
        } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(*p))) {
            digit = static_cast<unsigned>(std::tolower(static_cast<unsigned char>(*p)) - 'a' + 10);
        } else {
            break;
        }
        value = value * base + digit;
        digits = true;
    }
    if (!digits) {
        return static_cast<UINT>(nDefault);
    }
    return negative ? 0u - value : value;
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
    if (!lpAppName) {
        if (!lpKeyName && !lpString) {
            return TRUE; // flushing the cache: every write already went to the file
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string host;
    DWORD error = ProfileHostPath(lpFileName, host);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    const std::vector<IniLine>* read = ReadProfile(host);
    bool deleting = !lpKeyName || !lpString;
    if (!read && deleting) {
        return TRUE; // nothing to delete
    }
    std::vector<IniLine> lines = read ? *read : std::vector<IniLine>();
    size_t header = FindSection(lines, lpAppName);
    if (!lpKeyName) {
        if (header == std::string::npos) {
            return TRUE;
        }
        lines.erase(lines.begin() + static_cast<long>(header),
                    lines.begin() + static_cast<long>(SectionEnd(lines, header)));
    } else if (!lpString) {
        if (header == std::string::npos) {
            return TRUE;
        }
        const size_t end = SectionEnd(lines, header);
        for (size_t i = header + 1; i < end; ++i) {
            if (lines[i].kind == IniLine::Entry && SameName(lines[i].name, lpKeyName)) {
                lines.erase(lines.begin() + static_cast<long>(i));
                break;
            }
        }
    } else {
        IniLine entry = ParseLine(std::string(lpKeyName) + "=" + lpString);
        if (header == std::string::npos) {
            lines.push_back(ParseLine(std::string("[") + lpAppName + "]"));
            lines.push_back(entry);
        } else {
            size_t end = SectionEnd(lines, header);
            size_t insertAt = header + 1;
            bool replaced = false;
            for (size_t i = header + 1; i < end; ++i) {
                if (lines[i].kind == IniLine::Entry) {
                    if (SameName(lines[i].name, lpKeyName)) {
                        lines[i] = entry;
                        replaced = true;
                        break;
                    }
                    insertAt = i + 1;
                }
            }
            if (!replaced) {
                lines.insert(lines.begin() + static_cast<long>(insertAt), entry);
            }
        }
    }
    std::error_code fsError;
    if (!fs::is_directory(fs::path(host).parent_path(), fsError)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (!WriteProfile(host, lines)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
