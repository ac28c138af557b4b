#include "forms/FileListBox.h"

#include <windows.h>

#include <algorithm>

namespace forms {

void FileListBox::Refresh() {
    names_.clear();
    std::wstring folder = path_;
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + pattern_).c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return;  // a missing folder lists nothing
    do {
        const DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (!(fd.dwFileAttributes & skip)) names_.emplace_back(fd.cFileName);
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    std::sort(names_.begin(), names_.end(),
              [](const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) < 0; });
}

}  // namespace forms
