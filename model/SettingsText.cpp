#include "model/SettingsText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace SettingsText {
namespace {
std::string Narrow(const std::u16string& text) {
    std::string s;
    for (char16_t c : text) {
        if (c > 0x7F) return {};  // no number holds anything but ASCII
        s.push_back(static_cast<char>(c));
    }
    return s;
}

std::string TrimBlanks(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        char d = b[i];
        if (d >= 'a' && d <= 'z') d = static_cast<char>(d - 'a' + 'A');
        if (c != d) return false;
    }
    return i == a.size() && b[i] == '\0';
}

template <typename T>
std::optional<T> ToInteger(const std::u16string& text) {
    const auto n = ToNumber(text);
    if (!n) return std::nullopt;
    const double r = std::nearbyint(*n);  // the default rounding mode: halves to even
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(r);
}
}  // namespace

std::optional<double> ToNumber(const std::u16string& text) {
    const std::string s = TrimBlanks(Narrow(text));
    if (s.empty()) return std::nullopt;
    // Only plain decimal notation: from_chars would also take "inf" and "nan".
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
            return std::nullopt;
    const char* b = s.data();
    if (*b == '+') ++b;
    double v = 0;
    const auto [end, ec] = std::from_chars(b, s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<bool> ToBool(const std::u16string& text) {
    const std::string s = TrimBlanks(Narrow(text));
    if (EqualsIgnoringCase(s, "True")) return true;
    if (EqualsIgnoringCase(s, "False")) return false;
    const auto n = ToNumber(text);
    if (!n) return std::nullopt;
    return *n != 0;
}

std::optional<int32_t> ToInt32(const std::u16string& text) { return ToInteger<int32_t>(text); }
std::optional<int16_t> ToInt16(const std::u16string& text) { return ToInteger<int16_t>(text); }
std::optional<uint8_t> ToByte(const std::u16string& text) { return ToInteger<uint8_t>(text); }

std::optional<float> ToSingle(const std::u16string& text) {
    const auto n = ToNumber(text);
    if (!n || std::fabs(*n) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
    return static_cast<float>(*n);
}

std::u16string FromBool(bool value) { return value ? u"True" : u"False"; }

std::u16string FromInt(int64_t value) {
    const std::string s = std::to_string(value);
    return std::u16string(s.begin(), s.end());
}

std::u16string FromSingle(float value) {
    // Fixed notation: the shortest text would write 100000 as "1e+05", which no reader of a
    // position in twips expects.
    char buf[128];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    (void)ec;  // 128 characters hold any float in fixed notation
    return std::u16string(buf, end);
}

}  // namespace SettingsText
