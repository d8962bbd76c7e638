// The global atom table: strings shared by all programs, reference-counted, and integer atoms
// written "#nnn" or made with MAKEINTATOM.
#include "user/hotkeys_internal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace winsim::user {
namespace {

struct Entry {
    std::string name;
    int references = 0;
};

std::map<ATOM, Entry>& Table() {
    static std::map<ATOM, Entry> table;
    return table;
}

constexpr size_t kMaxAtomLength = 255;

// "#123" and MAKEINTATOM(123) are integer atoms; returns 0 when the text is not one, and
// sets *invalid when it is one out of range.
ATOM IntegerAtom(LPCSTR text, bool* invalid) {
    *invalid = false;
    if (IS_INTRESOURCE(text)) {
        ATOM value = static_cast<ATOM>(reinterpret_cast<uintptr_t>(text));
        *invalid = value == 0 || value >= MAXINTATOM;
        return value;
    }
    if (text[0] != '#') {
        return 0;
    }
    const char* digits = text + 1;
    if (!*digits || std::strspn(digits, "0123456789") != std::strlen(digits)) {
        return 0;
    }
    unsigned long value = std::strtoul(digits, nullptr, 10);
    if (value == 0 || value >= MAXINTATOM) {
        *invalid = true;
        return 0;
    }
    return static_cast<ATOM>(value);
}

ATOM Lookup(LPCSTR text) {
    for (auto& [atom, entry] : Table()) {
        if (SameTextIgnoringCase(entry.name, text)) {
            return atom;
        }
    }
    return 0;
}

} // namespace

void ResetAtoms() {
    Table().clear();
}

void ResetHotKeysAndAtoms() {
    ResetHotKeys();
    ResetAtoms();
}

} // namespace winsim::user

using namespace winsim::user;

ATOM WINAPI GlobalAddAtomA(LPCSTR lpString) {
    if (!lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    bool invalid = false;
    if (ATOM integer = IntegerAtom(lpString, &invalid); integer || invalid) {
        if (invalid) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        return integer;
    }
    size_t length = std::strlen(lpString);
    if (length == 0 || length > kMaxAtomLength) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (ATOM existing = Lookup(lpString)) {
        ++Table()[existing].references;
        return existing;
    }
    for (unsigned atom = MAXINTATOM; atom <= 0xFFFF; ++atom) {
        if (Table().find(static_cast<ATOM>(atom)) == Table().end()) {
            Table()[static_cast<ATOM>(atom)] = Entry{lpString, 1};
            return static_cast<ATOM>(atom);
        }
    }
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

ATOM WINAPI GlobalDeleteAtom(ATOM nAtom) {
    if (nAtom < MAXINTATOM) {
        // Integer atoms are not in the table; deleting them always succeeds.
        return 0;
    }
    auto it = Table().find(nAtom);
    if (it == Table().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nAtom;
    }
    if (--it->second.references == 0) {
        Table().erase(it);
    }
    return 0;
}

ATOM WINAPI GlobalFindAtomA(LPCSTR lpString) {
    if (!lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    bool invalid = false;
    if (ATOM integer = IntegerAtom(lpString, &invalid); integer || invalid) {
        if (invalid) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        return integer;
    }
    if (ATOM existing = Lookup(lpString)) {
        return existing;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
}

UINT WINAPI GlobalGetAtomNameA(ATOM nAtom, LPSTR lpBuffer, int nSize) {
    if (!lpBuffer || nSize <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string name;
    if (nAtom == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (nAtom < MAXINTATOM) {
        name = "#" + std::to_string(nAtom);
    } else {
        auto it = Table().find(nAtom);
        if (it == Table().end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        name = it->second.name;
    }
    size_t n = std::min(name.size(), static_cast<size_t>(nSize - 1));
    std::memcpy(lpBuffer, name.data(), n);
    lpBuffer[n] = '\0';
    return static_cast<UINT>(n);
}
