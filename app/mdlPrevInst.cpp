#include "app/mdlPrevInst.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "support/PlainFiles.h"

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

namespace {
struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

OwnedHandle Owned(HANDLE h) { return OwnedHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

std::string Hex(const void* bytes, size_t size) {
    std::string hex;
    for (size_t i = size; i-- > 0;) {  // most significant byte first
        char two[3];
        std::snprintf(two, sizeof two, "%02x", static_cast<const unsigned char*>(bytes)[i]);
        hex += two;
    }
    return hex;
}

// The volume and the file's index on it: one value for one file or folder, whatever the path.
// Where the system has them, the 128-bit ids (a 64-bit index is not unique on every file system);
// else the volume's serial number and the 64-bit index.
std::optional<std::string> IdentityOf(HANDLE h) {
    struct FileIdInfo {
        ULONGLONG VolumeSerialNumber;
        BYTE FileId[16];
    } id{};
    constexpr int kFileIdInfo = 18;
    using InfoFn = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
    static const auto getInfo = reinterpret_cast<InfoFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFileInformationByHandleEx")));
    if (getInfo && getInfo(h, kFileIdInfo, &id, sizeof id))
        return Hex(&id.VolumeSerialNumber, sizeof id.VolumeSerialNumber) + "." + Hex(id.FileId, sizeof id.FileId);
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info)) return std::nullopt;
    const uint64_t index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return Hex(&info.dwVolumeSerialNumber, sizeof info.dwVolumeSerialNumber) + "." + Hex(&index, sizeof index);
}

std::string PathMutexName(const std::string& kind, const std::string& given) {
    char full[MAX_PATH * 2] = {};
    const DWORD n = GetFullPathNameA(given.c_str(), sizeof full, full, nullptr);
    std::string path = n > 0 && n < sizeof full ? std::string(full, n) : given;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    // The file system ignores case; a name may hold no backslash, and no path holds a slash.
    if (!path.empty()) CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    for (char& c : path)
        if (c == '\\') c = '/';
    const std::string prefix = "Local\\Quillmate." + kind + ".";
    if (prefix.size() + path.size() < MAX_PATH) return prefix + path;
    // Too long for a name: a hash of the whole path, and its end, where two such paths differ.
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : path) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    const size_t keep = MAX_PATH - 1 - prefix.size() - 17;
    return prefix + hex + "." + path.substr(path.size() - keep);
}

// Makes the mutex of that name, kept in `held`: true when another process made it first.
bool TakenBefore(const std::string& name, std::vector<OwnedHandle>& held) {
    held.push_back(Owned(CreateMutexA(nullptr, FALSE, name.c_str())));
    return held.back() && GetLastError() == ERROR_ALREADY_EXISTS;
}
}  // namespace

std::optional<std::string> IdentityMutexName(const std::string& kind, const std::string& path) {
    // Backup semantics open a folder too; no access asked but its attributes, so nobody is in the way.
    const OwnedHandle h = Owned(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const auto identity = h ? IdentityOf(h.get()) : std::nullopt;
    if (!identity) return std::nullopt;
    return "Local\\Quillmate." + kind + "." + *identity;
}

std::string InstanceMutexName(const std::string& dataFolder) { return PathMutexName("Data", dataFolder); }

InstanceCheck PreviousInstanceRunning(const std::string& dataFolder) {
    // Kept until the process ends; asked again, the mutexes are this process's own.
    static std::vector<OwnedHandle> held;
    if (!held.empty()) return {};
    InstanceCheck check;
    const std::string program = ExecutablePath();
    const auto programName = IdentityMutexName("Program", program);
    if (TakenBefore(programName.value_or(PathMutexName("Program", program)), held)) return {true, {}};
    CreateFolder(dataFolder);  // fails harmlessly when it exists
    const auto folderName = IdentityMutexName("Data", dataFolder);
    if (!folderName)
        check.Note = ">>> The data folder " + dataFolder + " cannot be opened (" + ErrorReason(GetLastError()) +
                     "); one instance runs on it by its path, not by what it is.";
    check.Running = TakenBefore(folderName.value_or(InstanceMutexName(dataFolder)), held);
    return check;
}

}  // namespace mdlPrevInst
