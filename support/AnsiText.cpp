#include "support/AnsiText.h"

#ifdef _WIN32
#include <windows.h>

std::u16string AnsiToUtf16(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string Utf16ToAnsi(const std::u16string& text) {
    if (text.empty()) return {};
    const auto* w = reinterpret_cast<const wchar_t*>(text.data());
    const int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::u16string UpperCaseText(const std::u16string& text) {
    std::u16string out = text;
    if (!out.empty())
        CharUpperBuffW(reinterpret_cast<wchar_t*>(out.data()), static_cast<DWORD>(out.size()));
    return out;
}

#else
#include <cwctype>

std::u16string AnsiToUtf16(const std::string& ansi) {
    std::u16string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi) out.push_back(static_cast<char16_t>(c));
    return out;
}

std::string Utf16ToAnsi(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return out;
}

std::u16string UpperCaseText(const std::u16string& text) {
    std::u16string out = text;
    for (auto& c : out)
        if (c < 0xD800 || c > 0xDFFF) c = static_cast<char16_t>(std::towupper(static_cast<wint_t>(c)));
    return out;
}
#endif
