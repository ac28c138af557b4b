#include "model/ClipStoreWin32.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "model/ClipStoreDisk.h"
#include "support/PlainFiles.h"

namespace {
// One open file, closed when it goes out of scope.
class OpenedFile {
public:
    OpenedFile(const std::string& path, DWORD access, DWORD share, DWORD disposition)
        : h_(CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenedFile() {
        if (Ok()) CloseHandle(h_);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    bool Ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    // Closes now and tells whether the close succeeded.
    bool Close() {
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};
}  // namespace

std::optional<ClipFileContent> ClipStoreWin32::Read(const std::string& path) {
    // Another program may read the file at the same time, but not write it.
    OpenedFile f(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!f.Ok()) return std::nullopt;
    // The whole 64-bit size: a file past 4 GiB must not pass for its size modulo 4 GiB.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.Get(), &size)) return std::nullopt;
    std::string bytes;
    if (static_cast<uint64_t>(size.QuadPart) > bytes.max_size() / 2) throw std::bad_alloc();
    bytes.resize(static_cast<size_t>(size.QuadPart));
    const DWORD want = static_cast<DWORD>(bytes.size());
    DWORD got = 0;
    if (want > 0 && (!ReadFile(f.Get(), bytes.data(), want, &got, nullptr) || got != want)) return std::nullopt;
    return DecodeClipFile(bytes);
}

std::optional<ClipText> ClipStoreWin32::ReadPart(const std::string& path, uint64_t first, size_t count) {
    OpenedFile f(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(first * sizeof(char16_t));
    if (!f.Ok() || !SetFilePointerEx(f.Get(), at, nullptr, FILE_BEGIN)) return std::nullopt;
    ClipText part(count, u'\0');
    DWORD got = 0;
    if (!ReadFile(f.Get(), part.data(), static_cast<DWORD>(count * sizeof(char16_t)), &got, nullptr))
        return std::nullopt;
    part.resize(got / sizeof(char16_t));
    return part;
}

bool ClipStoreWin32::CopyPartDurably(const std::string& from, uint64_t first, uint64_t count, const std::string& to) {
    OpenedFile in(from, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(first * sizeof(char16_t));
    if (!in.Ok() || !SetFilePointerEx(in.Get(), at, nullptr, FILE_BEGIN)) return false;
    OpenedFile out(to, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (!out.Ok()) return false;
    // A slice at a time: the text may be larger than memory can hold.
    std::string slice(1u << 21, '\0');
    bool ok = true;
    for (uint64_t left = count * sizeof(char16_t); ok && left > 0;) {
        const DWORD want = static_cast<DWORD>(std::min<uint64_t>(left, slice.size()));
        DWORD got = 0, written = 0;
        ok = ReadFile(in.Get(), slice.data(), want, &got, nullptr) && got == want &&
             WriteFile(out.Get(), slice.data(), want, &written, nullptr) && written == want;
        left -= want;
    }
    ok = FlushFileBuffers(out.Get()) && ok;
    return out.Close() && ok;
}

bool ClipStoreWin32::WriteDurably(const std::string& path, const ClipText& text) {
    OpenedFile f(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (!f.Ok()) return false;
    const std::string bytes = EncodeClipFile(text);
    DWORD written = 0;
    bool ok = WriteFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    ok = FlushFileBuffers(f.Get()) && ok;
    return f.Close() && ok;
}

bool ClipStoreWin32::WritePiecesDurably(const std::string& path, const TextPieces& pieces) {
    OpenedFile f(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    if (!f.Ok()) return false;
    bool ok = true;
    for (const auto& p : pieces) {
        const DWORD bytes = static_cast<DWORD>(p.size() * sizeof(char16_t));
        DWORD written = 0;
        if (bytes > 0 && (!WriteFile(f.Get(), p.data(), bytes, &written, nullptr) || written != bytes)) {
            ok = false;
            break;
        }
    }
    ok = FlushFileBuffers(f.Get()) && ok;
    return f.Close() && ok;
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
