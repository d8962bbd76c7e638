// Resources of a module: FindResource, LoadResource, LockResource, SizeofResource, and the
// module handle of the program (GetModuleHandleA).
#pragma once

#include "wintypes.h"

// Predefined resource types (winuser.h), as integer resources.
#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)
#define RT_HTML MAKEINTRESOURCEA(23)
#define RT_MANIFEST MAKEINTRESOURCEA(24)
// The toolbar resource type of MFC-style frameworks (afxres.h).
#define RT_TOOLBAR MAKEINTRESOURCEA(241)

// Language identifiers (winnt.h).
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define LANG_FRENCH 0x0c
#define LANG_GERMAN 0x07
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_FRENCH 0x01

// A NULL module means the program's own module, as on Windows. Names and types are integer
// resources (MAKEINTRESOURCE), "#123" strings, or names compared without regard to case.
HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
// Note the argument order, type before name, as on Windows.
HRSRC FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Obsolete on 32-bit Windows: resources stay loaded with their module; always returns FALSE.
BOOL FreeResource(HGLOBAL hResData);

// NULL gives the program's module; otherwise the module's file name (with or without its
// folder, without regard to case). A name without extension means ".dll", as on Windows.
HMODULE GetModuleHandleA(LPCSTR lpModuleName);
