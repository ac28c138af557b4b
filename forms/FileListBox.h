#pragma once
// FileListBox: the names of the files in a folder that match a pattern, as the platform's
// file-list control gives them: plain, archive and read-only files, no folders, no hidden or
// system files, sorted by name without regard to case. It needs no window.
#include <string>
#include <vector>

namespace forms {

class FileListBox {
public:
    const std::wstring& Path() const { return path_; }
    void SetPath(std::wstring folder) { path_ = std::move(folder); }
    const std::wstring& Pattern() const { return pattern_; }
    void SetPattern(std::wstring pattern) { pattern_ = std::move(pattern); }
    // Reads the folder again.
    void Refresh();

    int ListCount() const { return static_cast<int>(names_.size()); }
    const std::wstring& List(int index) const { return names_.at(static_cast<size_t>(index)); }

private:
    std::wstring path_;
    std::wstring pattern_ = L"*.*";
    std::vector<std::wstring> names_;
};

}  // namespace forms
