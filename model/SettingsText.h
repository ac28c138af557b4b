#pragma once
// SettingsText: the value texts of the settings file and the program's types they stand for.
// Every reader answers nothing for a text it cannot take, so the caller can fall back.
#include <cstdint>
#include <optional>
#include <string>

namespace SettingsText {

// "True" or "False" in any case, or a number (0 false, anything else true).
std::optional<bool> ToBool(const std::u16string& text);
// A decimal number with optional sign, fraction and exponent; blanks around it are allowed.
std::optional<double> ToNumber(const std::u16string& text);
// Integers round a fraction to the nearest, halves to even, then must fit the type.
std::optional<int32_t> ToInt32(const std::u16string& text);
std::optional<int16_t> ToInt16(const std::u16string& text);
std::optional<uint8_t> ToByte(const std::u16string& text);
std::optional<float> ToSingle(const std::u16string& text);

std::u16string FromBool(bool value);  // "True" / "False"
std::u16string FromInt(int64_t value);
std::u16string FromSingle(float value);  // the shortest plain decimal that reads back as the same float

}  // namespace SettingsText
