#include "model/TextConv.h"

std::string ToAnsi(const ClipText& s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, WidePtr(s), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, WidePtr(s), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

ClipText FromAnsi(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return FromWide(w.data(), w.size());
}
