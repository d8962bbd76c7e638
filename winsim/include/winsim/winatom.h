// Global atoms (kernel32): 16-bit values for strings, shared by all programs of the desktop and
// reference-counted.
#pragma once

#include "wintypes.h"

#define MAXINTATOM 0xC000

ATOM WINAPI GlobalAddAtomA(LPCSTR lpString);
ATOM WINAPI GlobalDeleteAtom(ATOM nAtom);
ATOM WINAPI GlobalFindAtomA(LPCSTR lpString);
UINT WINAPI GlobalGetAtomNameA(ATOM nAtom, LPSTR lpBuffer, int nSize);
