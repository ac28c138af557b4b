#include "model/ClipStoreWin32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include "model/ClipStoreDisk.h"
#include "support/PlainFiles.h"

ClipStoreWin32::ClipStoreWin32(LogLines log)
    : files_([log = std::move(log)](std::string line) {
          if (log) log({std::move(line)});
      }) {}

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

namespace {
// A file opened for reading from its code unit `first` on; not Ok when it cannot be.
OpenedFile OpenAt(const std::string& path, uint64_t first) {
    OpenedFile f(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(first * sizeof(char16_t));
    if (f.Ok() && !SetFilePointerEx(f.Get(), at, nullptr, FILE_BEGIN)) {
        const DWORD error = GetLastError();  // the caller's reason, not the close's
        f.Close();
        SetLastError(error);
    }
    return f;
}
}  // namespace

std::optional<ClipText> ClipStoreWin32::ReadPart(const std::string& path, uint64_t first, size_t count) {
    OpenedFile f = OpenAt(path, first);
    if (!f.Ok()) return std::nullopt;
    ClipText part(count, u'\0');
    DWORD got = 0;
    if (!ReadFile(f.Get(), part.data(), static_cast<DWORD>(count * sizeof(char16_t)), &got, nullptr))
        return std::nullopt;
    part.resize(got / sizeof(char16_t));
    return part;
}

bool ClipStoreWin32::CopyPartDurably(const std::string& from, uint64_t first, uint64_t count, const std::string& to) {
    OpenedFile in = OpenAt(from, first);
    if (!in.Ok()) return files_.Failed(GetLastError());
    // A slice at a time: the text may be larger than memory can hold. The target goes the way of
    // every write, so a link in its place is replaced, not written through.
    std::string slice(1u << 21, '\0');
    return files_.Write(to, [&](void* out, uint64_t& size) {
        for (uint64_t left = count * sizeof(char16_t); left > 0;) {
            const DWORD want = static_cast<DWORD>(std::min<uint64_t>(left, slice.size()));
            DWORD got = 0;
            if (!ReadFile(in.Get(), slice.data(), want, &got, nullptr)) return false;
            if (got != want) {
                SetLastError(ERROR_HANDLE_EOF);
                return false;
            }
            if (!WriteAllBytes(out, {slice.data(), want})) return false;
            size += want;
            left -= want;
        }
        return true;
    });
}

namespace {
// Fills a file with the pieces of a text. A write that takes only part of a piece is no failure:
// the rest is written again, and a full disk then says so.
auto PiecesFiller(const TextPieces& pieces) {
    return [&pieces](void* file, uint64_t& size) {
        for (const auto& p : pieces) {
            const size_t bytes = p.size() * sizeof(char16_t);
            if (!WriteAllBytes(file, {reinterpret_cast<const char*>(p.data()), bytes})) return false;
            size += bytes;
        }
        return true;
    };
}
}  // namespace

bool ClipStoreWin32::WriteDurably(const std::string& path, const ClipText& text) {
    const TextPieces pieces{text};
    return files_.Write(path, PiecesFiller(pieces));
}

bool ClipStoreWin32::WritePiecesDurably(const std::string& path, const TextPieces& pieces) {
    return files_.Write(path, PiecesFiller(pieces));
}

bool ClipStoreWin32::Replace(const std::string& from, const std::string& to) { return files_.Replace(from, to); }

bool ClipStoreWin32::Remove(const std::string& path) { return files_.Remove(path); }

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
        entries.push_back(FolderEntry{name, stamp, (fd.dwFileAttributes & unusual) == 0,
                                      (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return entries;
}

FileFailure ClipStoreWin32::LastFailure() const {
    const LinkSafeFiles::Failure failure = files_.LastFailure();
    return FileFailure{failure.Error == ERROR_NOT_SAME_DEVICE, failure.Reason};
}
