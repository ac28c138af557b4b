#include "model/ClipStoreWin32.h"

#include <windows.h>

#include "support/PlainFiles.h"

namespace {
HANDLE AsHandle(int32_t h) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(h)); }
}  // namespace


std::optional<ClipFileContent> ClipStoreWin32::Read(const std::string& path) {
    if (!ClipFile.OpenFile(path, clsFile::kRead)) return std::nullopt;
    ClipFileContent c;
    const DWORD size = GetFileSize(AsHandle(ClipFile.FileHandle()), nullptr);
    c.OddSize = size != INVALID_FILE_SIZE && size % 2 != 0;
    try {
        c.Text = ClipFile.ReadStrFromFile();
    } catch (...) {
        ClipFile.CloseFile();  // the one object must be free for the next file
        throw;
    }
    ClipFile.CloseFile();
    // An empty answer from a file that is not empty is a failed read, not an empty clip.
    if (c.Text.empty() && size != 0 && size != 1) return std::nullopt;
    return c;
}

bool ClipStoreWin32::WriteDurably(const std::string& path, const ClipText& text) {
    if (!ClipFile.OpenFile(path, clsFile::kWrite)) return false;
    bool ok = ClipFile.WriteStrToFile(text);
    ok = FlushFileBuffers(AsHandle(ClipFile.FileHandle())) && ok;
    ClipFile.CloseFile();
    return ok;
}

bool ClipStoreWin32::WritePiecesDurably(const std::string& path, const TextPieces& pieces) {
    if (!ClipFile.OpenFile(path, clsFile::kWrite)) return false;
    const HANDLE h = AsHandle(ClipFile.FileHandle());
    bool ok = true;
    uint64_t at = 0;
    for (const auto& p : pieces) {
        const DWORD bytes = static_cast<DWORD>(p.size() * sizeof(char16_t));
        OVERLAPPED o{};
        o.Offset = static_cast<DWORD>(at);
        o.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD written = 0;
        if (bytes > 0 && (!WriteFile(h, p.data(), bytes, &written, &o) || written != bytes)) {
            ok = false;
            break;
        }
        at += bytes;
    }
    // An existing file may have been longer: cut it after the text.
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(at);
    ok = ok && SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    ok = FlushFileBuffers(h) && ok;
    ClipFile.CloseFile();
    return ok;
}

bool ClipStoreWin32::Replace(const std::string& from, const std::string& to) { return ReplaceFileWith(from, to); }
bool ClipStoreWin32::Remove(const std::string& path) { return RemoveFile(path); }
bool ClipStoreWin32::CreateFolder(const std::string& path) { return ::CreateFolder(path); }
std::vector<FolderEntry> ClipStoreWin32::List(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return entries;
    const DWORD unusual = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        const FileStamp stamp{(static_cast<uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow,
                              (static_cast<uint64_t>(fd.ftLastWriteTime.dwHighDateTime) << 32) |
                                  fd.ftLastWriteTime.dwLowDateTime};
        entries.push_back(FolderEntry{name, stamp, (fd.dwFileAttributes & unusual) == 0});
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return entries;
}
