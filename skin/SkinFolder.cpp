#include "skin/SkinFolder.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace mdlSkin {
namespace {

struct FindCloser {
    void operator()(HANDLE h) const { FindClose(h); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

// The "\\?\" form lifts the path length limit for the wide file functions.
std::wstring LongPath(const std::string& ansi) {
    std::wstring w(ansi.size(), L'\0');
    w.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), static_cast<int>(w.size()))));
    const bool absolute = w.size() > 2 && w[1] == L':' && (w[2] == L'\\' || w[2] == L'/');
    return absolute ? L"\\\\?\\" + w : w;
}

struct Child {
    std::wstring name;
    DWORD attributes;
};

std::vector<Child> Children(const std::wstring& folder) {
    std::vector<Child> names;
    WIN32_FIND_DATAW fd;
    FindHandle h(FindFirstFileW((folder + L"\\*").c_str(), &fd));
    if (h.get() == INVALID_HANDLE_VALUE) {
        h.release();
        return names;
    }
    do {
        const std::wstring n = fd.cFileName;
        if (n != L"." && n != L"..") names.push_back(Child{n, fd.dwFileAttributes});
    } while (FindNextFileW(h.get(), &fd));
    return names;
}

// Windows' RemoveDirectory takes a directory link away itself. Wine's reaches through the link to
// the folder it names, and removes that folder when it is empty; so a link to an empty folder is
// left where it is, and one to a full folder fails harmlessly there.
void RemoveLink(const std::wstring& path, DWORD attributes) {
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileW(path.c_str());
    else if (!Children(path).empty())
        RemoveDirectoryW(path.c_str());
}

// `a` comes from the folder's listing where there is one: asking each file again would double the
// calls, which are most of the time a skin change takes to clear the unpacked skin away.
size_t RemoveTreeW(const std::wstring& path, DWORD a) {
    if (a == INVALID_FILE_ATTRIBUTES) return 0;
    if (a & FILE_ATTRIBUTE_REPARSE_POINT) {
        RemoveLink(path, a);
        return 0;
    }
    if (a & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) ? 1 : 0;
    size_t removed = 0;
    for (const Child& c : Children(path)) removed += RemoveTreeW(path + L"\\" + c.name, c.attributes);
    RemoveDirectoryW(path.c_str());
    return removed;
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

size_t RemoveTree(const std::string& path) {
    const std::wstring p = LongPath(path);
    return RemoveTreeW(p, GetFileAttributesW(p.c_str()));
}

bool IsLink(const std::string& path) {
    const DWORD a = GetFileAttributesW(LongPath(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace mdlSkin
