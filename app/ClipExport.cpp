#include "app/ClipExport.h"

#include <algorithm>
#include <utility>

#include "model/TextConv.h"
#include "support/AnsiText.h"
#include "support/PlainFiles.h"

namespace {
std::string Utf8(const ClipText& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, WidePtr(s), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, WidePtr(s), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// Removes the file on every path but the one that handed it over.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    ~TempFile() {
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    std::string path_;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!Valid()) return true;
        return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
    }

private:
    HANDLE h_;
};
}  // namespace

std::string ExportBytes(const ClipText& joined) {
    const std::string ansi = ToAnsi(joined);
    if (FromAnsi(ansi) == joined) return ansi + "\r\n";
    return "\xEF\xBB\xBF" + Utf8(joined) + "\r\n";
}

std::optional<std::string> WriteExportFile(const std::string& path, const ClipText& joined,
                                           const ExportWrite& write) {
    const std::string bytes = ExportBytes(joined);
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    char tempName[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "qm", 0, tempName)) return ErrorReason(GetLastError());
    TempFile temp(tempName);
    FileHandle file(CreateFileA(temp.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return ErrorReason(GetLastError());
    SetLastError(ERROR_SUCCESS);  // a write that fails without a reason must not show an older one
    if (!write(file.Get(), bytes) || !FlushFileBuffers(file.Get())) {
        const DWORD code = GetLastError();
        return ErrorReason(code ? code : ERROR_WRITE_FAULT);
    }
    if (!file.Close()) return ErrorReason(GetLastError());
    if (!MoveFileExA(temp.Path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ErrorReason(GetLastError());
    temp.Release();
    return std::nullopt;
}

clsCdlgEx& SaveDialog() {
    static clsCdlgEx dialog;
    return dialog;
}

std::string SaveFileNameDialog() {
    clsCdlgEx& d = SaveDialog();
    d.SetFileName(u"");
    d.SetFilter(u"Plain Text (*.txt)");
    // Asked before an existing file is replaced, and a name typed without extension gets ".txt"
    // from the dialog, so that the question is about the file that will be written.
    d.Setflags(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    d.SetDefaultExt(u"txt");
    d.ShowSave();
    return Utf16ToAnsi(d.FileName());
}
