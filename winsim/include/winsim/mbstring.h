// Double-byte-aware string functions of the C runtime. They work in the multibyte code page,
// which at program start is the system's ANSI code page.
#pragma once

#include "wintypes.h"

#include <climits>
#include <cstddef>

#define _NLSCMPERROR INT_MAX
#define _MBSCMP_ERROR _NLSCMPERROR

// Last occurrence of the character c (one byte, or a double-byte character lead*256+trail).
unsigned char* _mbsrchr(const unsigned char* str, unsigned int c);
// First occurrence of the character c.
unsigned char* _mbschr(const unsigned char* str, unsigned int c);
// Compares character by character; <0, 0 or >0. _MBSCMP_ERROR (errno EINVAL) for a null string.
int _mbscmp(const unsigned char* string1, const unsigned char* string2);
// Number of characters (not bytes).
size_t _mbslen(const unsigned char* str);
// The next character's position.
unsigned char* _mbsinc(const unsigned char* current);
// First occurrence of the string strSearch.
unsigned char* _mbsstr(const unsigned char* str, const unsigned char* strSearch);
// Whether c is a lead byte of the multibyte code page.
int _ismbblead(unsigned int c);
