#include "support/SupportError.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

SupportError::SupportError(int32_t number, std::string source, std::string description)
    : std::runtime_error(source + ": " + description + " (" + std::to_string(number) + ")"),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

SupportError SupportError::Object(int32_t n, const std::string& description) {
    int32_t number = n > 1000 ? static_cast<int32_t>(kObjectErrorBase | static_cast<uint32_t>(n)) : n;
    return SupportError(number, ExecutableName() + ".WindowProc", description);
}

SupportError SupportError::InvalidCall() {
    return SupportError(kInvalidCall, ExecutableName(), "Invalid procedure call or argument");
}

std::string ExecutableName() {
#ifdef _WIN32
    wchar_t path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    if (n == 0 || n >= std::size(path)) return "";
    std::filesystem::path p(std::wstring(path, n));
    std::wstring stem = p.stem().wstring();
    int len = WideCharToMultiByte(CP_ACP, 0, stem.c_str(), static_cast<int>(stem.size()), nullptr, 0,
                                  nullptr, nullptr);
    std::string out(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(CP_ACP, 0, stem.c_str(), static_cast<int>(stem.size()), out.data(), len,
                        nullptr, nullptr);
    return out;
#else
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.stem().string();
#endif
}
