#include "app/mdlPrevInst.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "support/PlainFiles.h"

namespace mdlPrevInst {
namespace {
std::vector<std::string> WindowTitles;
std::vector<HWND> WindowHandles;

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

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

bool PreviousInstanceRunning() {
    // Mutex names may not hold backslashes; one name per executable path, compared without case.
    std::string name = "Local\\Quillmate.Instance.";
    for (char c : Upper(ExecutablePath())) name += (c == '\\' || c == ':') ? '_' : c;
    if (name.size() > MAX_PATH) name.resize(MAX_PATH);
    static HANDLE mutex = nullptr;
    if (mutex) return false;
    mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace mdlPrevInst
