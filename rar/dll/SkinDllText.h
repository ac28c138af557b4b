#pragma once
// SkinDllText: code-page conversions at the library's edge (names in OEM and ANSI, UTF-16 inside).
#include <windows.h>

#include <string>
#include <string_view>

namespace skindll {

std::u16string ToWide(UINT codePage, std::string_view bytes);
std::string FromWide(UINT codePage, std::u16string_view text);
// Copies text into a fixed field, cut to leave room for the NUL; the rest of the field is zeroed.
void CopyToField(std::string_view text, char* field, size_t fieldSize);
void CopyToField(std::u16string_view text, wchar_t* field, size_t fieldSize);
// A NUL-terminated text of at most size bytes (a callback may leave no NUL).
std::string FromBuffer(const char* buffer, size_t size);

}  // namespace skindll
