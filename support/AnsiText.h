#pragma once
// AnsiText: the system's ANSI code page and locale-aware upper case, for the text files the
// program shares with other tools (settings, paths).
#include <string>

// Bytes in the ANSI code page to UTF-16; on Windows through the platform, elsewhere as Latin-1.
std::u16string AnsiToUtf16(const std::string& ansi);
// UTF-16 to the ANSI code page with the platform's default replacement for what it cannot hold.
std::string Utf16ToAnsi(const std::u16string& text);
// Upper case as the platform's locale sees it; used to compare names without regard to case.
std::u16string UpperCaseText(const std::u16string& text);
