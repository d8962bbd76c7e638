// 8-bit texts in the desktop's ANSI code page: conversion from the UTF-16 of templates, and
// cutting a text to a buffer without splitting a double-byte character.
#pragma once

#include <cstddef>
#include <string>

namespace winsim::user {

// The byte starts a double-byte character in the desktop's ANSI code page.
bool IsLeadByte(unsigned char c);
// How many bytes of text fit into room bytes without splitting a double-byte character.
size_t FittingLength(const std::string& text, size_t room);
// UTF-16 (as stored in resources) to the ANSI code page; characters the code page lacks
// become '?', as WideCharToMultiByte's default character does.
std::string ToAnsi(const char16_t* text, size_t length);
std::u16string FromAnsi(const std::string& text);

} // namespace winsim::user
