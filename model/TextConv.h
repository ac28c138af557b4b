#pragma once
// Conversions between clip texts (UTF-16), wide Win32 strings and the ANSI code page.
#include <windows.h>

#include <string>

#include "model/ClipRecord.h"

inline const wchar_t* WidePtr(const ClipText& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline ClipText FromWide(const wchar_t* s, size_t n) { return ClipText(reinterpret_cast<const char16_t*>(s), n); }

std::string ToAnsi(const ClipText& s);
ClipText FromAnsi(const std::string& s);
