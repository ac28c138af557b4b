#include "rar/dll/SkinDllText.h"

#include <algorithm>
#include <cstring>

namespace skindll {

std::u16string ToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::u16string out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string FromWide(UINT codePage, std::u16string_view text) {
    if (text.empty()) return {};
    auto w = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(codePage, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, w, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

void CopyToField(std::string_view text, char* field, size_t fieldSize) {
    size_t n = std::min(text.size(), fieldSize - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, fieldSize - n);
}

void CopyToField(std::u16string_view text, wchar_t* field, size_t fieldSize) {
    size_t n = std::min(text.size(), fieldSize - 1);
    std::memcpy(field, text.data(), n * sizeof(wchar_t));
    std::memset(field + n, 0, (fieldSize - n) * sizeof(wchar_t));
}

std::string FromBuffer(const char* buffer, size_t size) {
    const char* end = static_cast<const char*>(std::memchr(buffer, 0, size));
    return std::string(buffer, end ? end : buffer + size);
}

}  // namespace skindll
