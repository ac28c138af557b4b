#include "skin/SkinFolder.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

#include "support/mdlLog.h"

namespace mdlSkin {
namespace {

struct FindCloser {
    void operator()(HANDLE h) const { FindClose(h); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;
struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// The "\\?\" form lifts the path length limit for the wide file functions.
std::wstring LongPath(const std::string& ansi) {
    std::wstring w(ansi.size(), L'\0');
    w.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), static_cast<int>(w.size()))));
    const bool absolute = w.size() > 2 && w[1] == L':' && (w[2] == L'\\' || w[2] == L'/');
    return absolute ? L"\\\\?\\" + w : w;
}

std::string Ansi(const std::wstring& w) {
    std::wstring plain = w.starts_with(L"\\\\?\\") ? w.substr(4) : w;
    std::string a(plain.size() * 2, '\0');
    a.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, plain.data(), static_cast<int>(plain.size()), a.data(),
                                                     static_cast<int>(a.size()), nullptr, nullptr)));
    return a;
}

std::vector<std::wstring> Children(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    FindHandle h(FindFirstFileW((folder + L"\\*").c_str(), &fd));
    if (h.get() == INVALID_HANDLE_VALUE) {
        h.release();
        return names;
    }
    do {
        const std::wstring n = fd.cFileName;
        if (n != L"." && n != L"..") names.push_back(n);
    } while (FindNextFileW(h.get(), &fd));
    return names;
}

using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// Windows XP has no GetFinalPathNameByHandleW, and no file links either: its junctions are
// flagged as reparse points.
FinalPathFn FinalPathFunction() {
    static const auto fn = reinterpret_cast<FinalPathFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
    return fn;
}

// The path of what `path` opens, with every link on the way followed; nothing when it cannot be
// opened (a link to nothing, among others). On a system without final paths, `path` itself.
std::optional<std::wstring> FinalPath(const std::wstring& path) {
    const FinalPathFn getFinal = FinalPathFunction();
    FileHandle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) {
        h.release();
        return std::nullopt;
    }
    if (!getFinal) return path;
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = getFinal(h.get(), final.data(), static_cast<DWORD>(final.size()), 0);
        if (n == 0) return std::nullopt;
        if (n < final.size()) return final.substr(0, n);
        final.resize(n + 1);
    }
}

bool SamePath(std::wstring a, std::wstring b) {
    CharUpperBuffW(a.data(), static_cast<DWORD>(a.size()));
    CharUpperBuffW(b.data(), static_cast<DWORD>(b.size()));
    return a == b;
}

// An entry is its own only when it opens as the file its path names inside a folder whose final
// path is `folderFinal`. A link fails this test on every system: Windows flags it as a reparse
// point, Wine may not, and Wine's delete and rename of a link reach the file it names, so a link
// is never deleted, renamed or entered.
bool OwnEntry(const std::wstring& path, const std::wstring& folderFinal, const std::wstring& name) {
    const DWORD a = GetFileAttributesW(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    const auto final = FinalPath(path);
    return final && SamePath(*final, folderFinal + L"\\" + name);
}

// Deletes the folder `root` (whose final path is `rootFinal`) with everything below it that is its
// own. Folders deeper than the first level are first moved up beside the others: the system
// cannot resolve the final path of a long path, so no path may grow with the tree's depth.
void RemoveOwnTree(const std::wstring& root, const std::wstring& rootFinal, ClearedFolder& out) {
    std::vector<std::wstring> folders{L""};  // below root: "" is root itself, else one name
    size_t moved = 0;
    for (size_t i = 0; i < folders.size(); ++i) {
        const std::wstring rel = folders[i];
        const std::wstring path = rel.empty() ? root : root + L"\\" + rel;
        const std::wstring final = rel.empty() ? rootFinal : rootFinal + L"\\" + rel;
        for (const std::wstring& name : Children(path)) {
            const std::wstring child = path + L"\\" + name;
            if (!OwnEntry(child, final, name)) {
                out.links.push_back(Ansi(child));
                continue;
            }
            const DWORD a = GetFileAttributesW(child.c_str());
            if (a & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(child.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
            if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
                if (DeleteFileW(child.c_str())) ++out.deleted;
            } else if (rel.empty()) {
                folders.push_back(name);
            } else {
                for (int tries = 0; tries < 100; ++tries) {
                    const std::wstring up = L"~" + std::to_wstring(++moved);
                    if (MoveFileW(child.c_str(), (root + L"\\" + up).c_str())) {
                        folders.push_back(up);
                        break;
                    }
                }
            }
        }
        if (!rel.empty()) RemoveDirectoryW(path.c_str());  // fails, harmlessly, around a link left inside
    }
    RemoveDirectoryW(root.c_str());
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

bool PlainSkinName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 32 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return false;
    // The system opens a device for these names, whatever extension follows.
    std::string base = Upper(name.substr(0, name.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (base == device) return false;
    return !(base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '0' &&
             base[3] <= '9');
}

ClearedFolder ClearAway(const std::string& path) {
    ClearedFolder out;
    const std::wstring w = LongPath(path);
    const size_t cut = w.find_last_of(L'\\');
    const std::wstring parent = w.substr(0, cut), name = w.substr(cut + 1);
    // Looked up by name, not by attributes: a link to nothing has none.
    WIN32_FIND_DATAW fd;
    FindHandle found(FindFirstFileW(w.c_str(), &fd));
    if (found.get() == INVALID_HANDLE_VALUE) {
        found.release();
        out.gone = true;
        return out;
    }
    const auto parentFinal = FinalPath(parent);
    if (!parentFinal || !OwnEntry(w, *parentFinal, name)) {
        out.links.push_back(path);
        return out;
    }
    // A new name beside it: whatever a killed run or someone else left there stays untouched.
    std::wstring aside;
    for (int n = 1; n < 1000 && aside.empty(); ++n)
        if (MoveFileW(w.c_str(), (w + L".old" + std::to_wstring(n)).c_str())) aside = w + L".old" + std::to_wstring(n);
    if (aside.empty()) return out;
    out.gone = true;
    out.aside = Ansi(aside);
    RemoveOwnTree(aside, *parentFinal + L"\\" + aside.substr(cut + 1), out);
    return out;
}

void LogLinksLeft(const ClearedFolder& cleared) {
    for (const std::string& link : cleared.links)
        mdlLog::WriteLog(">>> " + link + " may lead out of the skin folder (a link); it was left where it is.");
}

}  // namespace mdlSkin
