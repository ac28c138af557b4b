#include "skin/mParse.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace mParse {

ParsedLine ParseLine(const std::string& Line) {
    ParsedLine out;
    if (Line.compare(0, 2, "//") == 0) return out;
    std::string clean;
    for (char c : Line)
        if (c != ' ') clean.push_back(c);
    const size_t open = clean.find('['), close = clean.find(']');
    if (open == std::string::npos || close == std::string::npos) {
        out.Name = clean;
        return out;
    }
    if (close < open) throw std::invalid_argument("\"]\" before \"[\"");
    out.Name = clean.substr(0, open);
    std::string inner = clean.substr(open + 1, close - open - 1);
    for (size_t comma; (comma = inner.find(',')) != std::string::npos; inner.erase(0, comma + 1))
        out.Params.push_back(inner.substr(0, comma));
    out.Params.push_back(inner);
    return out;
}

namespace {

// "&H" numbers of up to 16 bits read as a signed 16-bit value, up to 32 bits as a signed 32-bit one.
double RadixNumber(const std::string& digits, int radix) {
    unsigned long long v = 0;
    size_t n = 0;
    for (; n < digits.size(); ++n) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(digits[n])));
        const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
        if (d >= radix || v > 0xFFFFFFFFull) break;
        v = v * radix + d;
    }
    if (v <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(v));
    if (v <= 0xFFFFFFFFull) return static_cast<int32_t>(static_cast<uint32_t>(v));
    return static_cast<double>(v);
}

}  // namespace

double LeadingNumber(const std::string& text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H') return RadixNumber(s.substr(2), 16);
        if (kind == 'O') return RadixNumber(s.substr(2), 8);
        return RadixNumber(s.substr(1), 8);
    }
    auto digitAt = [&](size_t i) { return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); };
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    for (; digitAt(i); ++i) ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; digitAt(i); ++i) ++digits;
    if (digits == 0) return 0;
    std::string number = s.substr(0, i);
    if (i < s.size() && std::strchr("eEdD", s[i])) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (digitAt(j)) {
            while (digitAt(j)) ++j;
            number += 'e' + s.substr(i + 1, j - i - 1);
        }
    }
    return std::strtod(number.c_str(), nullptr);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t cr = text.find('\r', start);
        if (cr == std::string::npos) cr = text.size();
        lines.push_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

}  // namespace mParse
