#include "app/mdlPrevInst.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace mdlPrevInst {
namespace {
std::vector<std::string> WindowTitles;
std::vector<HWND> WindowHandles;

// Only the hidden window of a running Quillmate: its window class and its exact caption. An
// editor showing "QUILLMATE.txt" is no Quillmate and must not stop this one from starting.
bool IsQuillmateWindow(HWND w, const std::string& title, const std::string& caption) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    return title == caption && std::string(cls) == "QuillmateForm";
}
}  // namespace

BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM) {
    char title[256] = {};
    int n = GetWindowTextA(hWnd, title, 255);
    if (n > 0) {
        WindowTitles.emplace_back(title, static_cast<size_t>(n));
        WindowHandles.push_back(hWnd);
    }
    return TRUE;
}

bool ActivatePrevInstance(const std::string& titlePart) {
    WindowTitles.assign(1, std::string());
    WindowHandles.assign(1, nullptr);
    EnumWindows(&EnumWindowsProc, 0);
    int count = 0;
    for (size_t i = 0; i < WindowTitles.size(); ++i) {
        if (!IsQuillmateWindow(WindowHandles[i], WindowTitles[i], titlePart)) continue;
        HWND w = WindowHandles[i];
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        if (GetWindowPlacement(w, &wp) && wp.showCmd == SW_SHOWMINIMIZED) {
            wp.flags = 0;
            wp.showCmd = SW_SHOWNORMAL;
            SetWindowPlacement(w, &wp);
        }
        SetForegroundWindow(w);
        ++count;
    }
    return count >= 1;
}

std::string InstanceMutexName(const std::string& dataFolder) {
    char full[MAX_PATH * 2] = {};
    const DWORD n = GetFullPathNameA(dataFolder.c_str(), sizeof full, full, nullptr);
    std::string path = n > 0 && n < sizeof full ? std::string(full, n) : dataFolder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    // The file system ignores case; a name may hold no backslash, and no path holds a slash.
    if (!path.empty()) CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    for (char& c : path)
        if (c == '\\') c = '/';
    const std::string prefix = "Local\\Quillmate.Data.";
    if (prefix.size() + path.size() < MAX_PATH) return prefix + path;
    // Too long for a name: a hash of the whole path, and its end, where two such paths differ.
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : path) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    const size_t keep = MAX_PATH - 1 - prefix.size() - 17;
    return prefix + hex + "." + path.substr(path.size() - keep);
}

bool PreviousInstanceRunning(const std::string& dataFolder) {
    static HANDLE mutex = nullptr;
    if (mutex) return false;
    mutex = CreateMutexA(nullptr, FALSE, InstanceMutexName(dataFolder).c_str());
    return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace mdlPrevInst
