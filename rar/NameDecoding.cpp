#include "rar/NameDecoding.h"

#include <algorithm>

namespace qmrar {

std::optional<std::u16string> DecodeRar4UnicodeName(std::span<const uint8_t> field) {
    auto zero = std::find(field.begin(), field.end(), uint8_t{0});
    if (zero == field.end()) return Utf8ToUtf16(std::string(field.begin(), field.end()));

    std::span<const uint8_t> legacy(field.begin(), zero);
    std::span<const uint8_t> packed(zero + 1, field.end());
    size_t pos = 0;
    auto next = [&](uint8_t& b) {
        if (pos >= packed.size()) return false;
        b = packed[pos++];
        return true;
    };
    uint8_t high = 0;
    if (!next(high)) return std::nullopt;
    std::u16string out;
    // Never more characters than the legacy name has bytes: that bounds a hostile field.
    const size_t limit = legacy.size();
    uint8_t flags = 0;
    int flagBits = 0;
    while (pos < packed.size() && out.size() < limit) {
        if (flagBits == 0) {
            if (!next(flags)) break;
            flagBits = 8;
        }
        int op = flags >> 6;
        flags = static_cast<uint8_t>(flags << 2);
        flagBits -= 2;
        uint8_t a = 0, b = 0;
        switch (op) {
        case 0:
            if (!next(a)) return std::nullopt;
            out.push_back(a);
            break;
        case 1:
            if (!next(a)) return std::nullopt;
            out.push_back(static_cast<char16_t>(a | (high << 8)));
            break;
        case 2:
            if (!next(a) || !next(b)) return std::nullopt;
            out.push_back(static_cast<char16_t>(a | (b << 8)));
            break;
        default: {
            if (!next(a)) return std::nullopt;
            size_t count = (a & 0x7F) + 2u;
            uint8_t correction = 0;
            bool corrected = (a & 0x80) != 0;
            if (corrected && !next(correction)) return std::nullopt;
            for (size_t i = 0; i < count && out.size() < limit; ++i) {
                size_t at = out.size();
                if (at >= legacy.size()) return std::nullopt;
                uint8_t c = legacy[at];
                out.push_back(corrected ? static_cast<char16_t>(((c + correction) & 0xFF) | (high << 8)) : c);
            }
            break;
        }
        }
    }
    return out;
}

bool IsUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        auto b0 = static_cast<uint8_t>(s[i]);
        size_t len = b0 < 0x80 ? 1 : (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        uint32_t cp = len == 1 ? b0 : b0 & (0x7F >> len);
        for (size_t k = 1; k < len; ++k) {
            auto b = static_cast<uint8_t>(s[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        auto b0 = static_cast<uint8_t>(s[i]);
        uint32_t cp = 0xFFFD;
        size_t len = 1;
        auto cont = [&](size_t k) { return i + k < s.size() && (static_cast<uint8_t>(s[i + k]) & 0xC0) == 0x80; };
        auto bits = [&](size_t k) { return static_cast<uint32_t>(static_cast<uint8_t>(s[i + k]) & 0x3F); };
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0 && cont(1)) {
            cp = ((b0 & 0x1Fu) << 6) | bits(1);
            len = 2;
            if (cp < 0x80) cp = 0xFFFD;
        } else if ((b0 & 0xF0) == 0xE0 && cont(1) && cont(2)) {
            cp = ((b0 & 0x0Fu) << 12) | (bits(1) << 6) | bits(2);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        } else if ((b0 & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
            cp = ((b0 & 0x07u) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string Latin1ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes) out.push_back(static_cast<uint8_t>(c));
    return out;
}

}  // namespace qmrar
