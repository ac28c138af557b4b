#pragma once
// NameDecoding: RAR4's packed Unicode names and UTF-8 / UTF-16 conversion for entry names.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qmrar {

// The name field of a RAR4 header with the Unicode flag: either legacy name, NUL and the packed
// UTF-16 form, or plain UTF-8. Null when the packed form is broken.
std::optional<std::u16string> DecodeRar4UnicodeName(std::span<const uint8_t> field);

// True for well-formed UTF-8 (ASCII included).
bool IsUtf8(std::string_view bytes);

// Invalid sequences become U+FFFD; never fails.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Bytes 0-255 to the same code points: the fallback for OEM names when no code page is known.
std::u16string Latin1ToUtf16(std::string_view bytes);

}  // namespace qmrar
