#include "model/ClipStoreWin32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include "model/ClipStoreDisk.h"
#include "support/PlainFiles.h"

namespace {
// One open file, closed when it goes out of scope.
class OpenedFile {
public:
    OpenedFile(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags = 0)
        : h_(CreateFileA(path.c_str(), access, share, nullptr, disposition, flags | FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenedFile() {
        if (Ok()) CloseHandle(h_);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    OpenedFile(OpenedFile&& other) noexcept : h_(std::exchange(other.h_, INVALID_HANDLE_VALUE)) {}
    bool Ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    void Swap(OpenedFile& other) { std::swap(h_, other.h_); }
    // Closes now and tells whether the close succeeded.
    bool Close() {
        const bool ok = !Ok() || CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// The name itself, not what it may lead to (where the system can tell them apart), to look at
// while others use it in any way.
OpenedFile OpenName(const std::string& path) {
    return OpenedFile(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
}

using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// Windows XP has no GetFinalPathNameByHandleW, and no file links either (its hard links show in
// the link count).
FinalPathFn FinalPathFunction() {
    static const auto fn = reinterpret_cast<FinalPathFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
    return fn;
}

// What a handle tells of its file. The per-class queries of Windows Vista on cost next to
// nothing; the older query of everything at once also asks for the volume, which is slow on some
// systems, and serves where they are missing.
struct FileFacts {
    DWORD Attributes = 0;
    DWORD Links = 1;
    uint64_t Size = 0;
};
enum InfoClass { kStandardInfo = 1, kDispositionInfo = 4, kAttributeTagInfo = 9 };
struct StandardInfo {
    LARGE_INTEGER AllocationSize, EndOfFile;
    DWORD NumberOfLinks;
    BOOLEAN DeletePending, Directory;
};
struct AttributeTagInfo {
    DWORD FileAttributes, ReparseTag;
};
using InfoFn = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);

InfoFn Kernel32Function(const char* name) {
    return reinterpret_cast<InfoFn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

std::optional<FileFacts> FactsOf(HANDLE h) {
    static const InfoFn getInfo = Kernel32Function("GetFileInformationByHandleEx");
    if (getInfo) {
        StandardInfo standard;
        AttributeTagInfo tag;
        if (!getInfo(h, kStandardInfo, &standard, sizeof standard) || !getInfo(h, kAttributeTagInfo, &tag, sizeof tag))
            return std::nullopt;
        return FileFacts{tag.FileAttributes, standard.NumberOfLinks, static_cast<uint64_t>(standard.EndOfFile.QuadPart)};
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info)) return std::nullopt;
    return FileFacts{info.dwFileAttributes, info.nNumberOfLinks,
                     (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow};
}

// Marks the opened file to go when the handle closes: no second lookup of its name. False where
// the system cannot.
bool DeleteOnClose(HANDLE h) {
    static const InfoFn setInfo = Kernel32Function("SetFileInformationByHandle");
    BOOLEAN remove = TRUE;
    return setInfo && setInfo(h, kDispositionInfo, &remove, sizeof remove);
}

// The path of what the handle opened, every link on the way followed; empty when unknown.
std::wstring FinalPath(HANDLE h) {
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = FinalPathFunction()(h, final.data(), static_cast<DWORD>(final.size()), 0);
        if (n == 0) return {};
        if (n < final.size()) return final.substr(0, n);
        final.resize(n + 1);
    }
}

std::wstring Wide(const std::string& ansi) {
    std::wstring w(ansi.size(), L'\0');
    w.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), static_cast<int>(w.size()))));
    return w;
}

bool SamePath(std::wstring a, std::wstring b) {
    CharUpperBuffW(a.data(), static_cast<DWORD>(a.size()));
    CharUpperBuffW(b.data(), static_cast<DWORD>(b.size()));
    return a == b;
}

// The system's own words for an error, without the closing full stop: it goes inside a sentence.
std::string ErrorText(DWORD error) {
    std::string text = ErrorReason(error);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}
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
    if (!in.Ok()) return Failed(GetLastError());
    // A slice at a time: the text may be larger than memory can hold. The target goes the way of
    // every write, so a link in its place is replaced, not written through.
    std::string slice(1u << 21, '\0');
    return Write(to, [&](void* out, uint64_t& size) {
        for (uint64_t left = count * sizeof(char16_t); left > 0;) {
            const DWORD want = static_cast<DWORD>(std::min<uint64_t>(left, slice.size()));
            DWORD got = 0;
            if (!ReadFile(in.Get(), slice.data(), want, &got, nullptr)) return false;
            if (got != want) {
                SetLastError(ERROR_HANDLE_EOF);
                return false;
            }
            if (!WriteAllBytes(out, slice.data(), want)) return false;
            size += want;
            left -= want;
        }
        return true;
    }, true);
}

namespace {
// Fills a file with the pieces of a text. A write that takes only part of a piece is no failure:
// the rest is written again, and a full disk then says so.
auto PiecesFiller(const TextPieces& pieces) {
    return [&pieces](void* file, uint64_t& size) {
        for (const auto& p : pieces) {
            const size_t bytes = p.size() * sizeof(char16_t);
            if (!WriteAllBytes(file, reinterpret_cast<const char*>(p.data()), bytes)) return false;
            size += bytes;
        }
        return true;
    };
}
}  // namespace

bool ClipStoreWin32::WriteDurably(const std::string& path, const ClipText& text) {
    const TextPieces pieces{text};
    return Write(path, PiecesFiller(pieces), true);
}

bool ClipStoreWin32::WritePiecesDurably(const std::string& path, const TextPieces& pieces) {
    return Write(path, PiecesFiller(pieces), true);
}

bool ClipStoreWin32::Write(const std::string& path, const Filler& fill, bool mayReplace) {
    // A new name, as for every capture, costs one lookup. An existing one is written in place only
    // while it is a file of its own; a link to nothing opens as nothing and is replaced as well.
    OpenedFile f(path, GENERIC_WRITE, 0, CREATE_NEW);
    uint64_t oldSize = 0;
    if (!f.Ok()) {
        const DWORD created = GetLastError();
        if (created != ERROR_FILE_EXISTS && created != ERROR_ALREADY_EXISTS) return Failed(created);
        OpenedFile existing(path, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
        const DWORD opened = GetLastError();
        if (!existing.Ok() && opened != ERROR_FILE_NOT_FOUND && opened != ERROR_PATH_NOT_FOUND) return Failed(opened);
        const Kind kind = existing.Ok() ? KindOf(existing.Get(), path, &oldSize) : Kind::Link;
        if (kind != Kind::Own) {
            existing.Close();
            if (!mayReplace) return Failed(path + " is a link or shares its data with another file");
            if (!ReplaceByNewFile(path, fill)) return false;
            Note(kind == Kind::Link
                     ? ">>> A link stood in place of " + path +
                           ": a file of its own took its place, and what the link leads to is left as it was"
                     : ">>> " + path + " shared its data with another name (a hard link): a file of its own "
                                       "took its place, and the other name keeps its text");
            return true;
        }
        f.Swap(existing);
    }
    uint64_t size = 0;
    bool ok = fill(f.Get(), size);
    if (ok && oldSize > size) ok = SetEndOfFile(f.Get());  // an older, longer text in place ends here
    ok = ok && FlushFileBuffers(f.Get());
    const DWORD error = GetLastError();
    if (!f.Close() || !ok) return Failed(ok ? GetLastError() : error);
    std::lock_guard lock(m_);
    lastWritten_ = path;
    return true;
}

bool ClipStoreWin32::ReplaceByNewFile(const std::string& path, const Filler& fill) {
    const std::string temp = path + ".tmp";
    if (!Write(temp, fill, false)) return false;
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Failed(GetLastError());
        DeleteFileA(temp.c_str());  // just written: a file of its own
        return false;
    }
    return true;
}

bool ClipStoreWin32::Replace(const std::string& from, const std::string& to) {
    // A move of a link may take what it leads to along on some systems: only the store's own files
    // are moved. The file this layer has just written is one for sure.
    bool known;
    {
        std::lock_guard lock(m_);
        known = from == lastWritten_;
    }
    if (!known) {
        OpenedFile f = OpenName(from);
        if (f.Ok() && KindOf(f.Get(), from) == Kind::Link)
            return Failed(from + " is a link; it was not moved, and what it leads to is left as it was");
    }
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Failed(GetLastError());
    return true;
}

bool ClipStoreWin32::Remove(const std::string& path) {
    // (Without backup semantics a folder does not open: it is not removed, as by DeleteFile.)
    OpenedFile f(path, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                 OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
    if (!f.Ok()) return Failed(GetLastError());
    if (KindOf(f.Get(), path) != Kind::Link) {
        if (DeleteOnClose(f.Get())) return f.Close() || Failed(GetLastError());
    } else {
        f.Close();
        // Some systems remove what a link leads to when the link is removed: a file of the store's
        // own takes the link's place first, and goes.
        const TextPieces nothing;
        if (!ReplaceByNewFile(path, PiecesFiller(nothing))) return false;
        Note(">>> A link stood in place of " + path + ": the link was removed, and what it leads to is left as it was");
    }
    f.Close();
    if (!DeleteFileA(path.c_str())) return Failed(GetLastError());
    return true;
}

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

ClipStoreWin32::Kind ClipStoreWin32::KindOf(void* handle, const std::string& path, uint64_t* size) {
    const auto facts = FactsOf(handle);
    if (!facts || (facts->Attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return Kind::Link;
    if (size) *size = facts->Size;
    // Not every system marks a link it follows: what was opened must lie where the name does. The
    // folder itself may be a link (a junction, a mounted volume), so its own resolved path counts.
    if (FinalPathFunction()) {
        const std::wstring final = FinalPath(handle);
        const size_t cut = path.find_last_of("\\/");
        const std::string folder = path.substr(0, cut + 1);
        const std::wstring name = L"\\" + Wide(path.substr(cut + 1));
        if (final.empty() || (!SamePath(final, ResolvedFolder(folder, false) + name) &&
                              !SamePath(final, ResolvedFolder(folder, true) + name)))
            return Kind::Link;
    }
    return facts->Links > 1 ? Kind::SharedData : Kind::Own;
}

std::wstring ClipStoreWin32::ResolvedFolder(const std::string& folder, bool fresh) {
    {
        std::lock_guard lock(m_);
        const auto known = resolvedFolders_.find(folder);
        if (!fresh && known != resolvedFolders_.end()) return known->second;
    }
    const std::string bare = folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')
                                 ? folder.substr(0, folder.size() - 1)
                                 : folder;
    OpenedFile f = OpenedFile(bare, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS);
    const std::wstring resolved = f.Ok() ? FinalPath(f.Get()) : std::wstring();
    std::lock_guard lock(m_);
    return resolvedFolders_[folder] = resolved;
}

bool ClipStoreWin32::Failed(unsigned long error) {
    std::lock_guard lock(m_);
    failure_ = FileFailure{error == ERROR_NOT_SAME_DEVICE, ErrorText(error)};
    return false;
}

bool ClipStoreWin32::Failed(std::string reason) {
    std::lock_guard lock(m_);
    failure_ = FileFailure{false, std::move(reason)};
    return false;
}

FileFailure ClipStoreWin32::LastFailure() const {
    std::lock_guard lock(m_);
    return failure_;
}

void ClipStoreWin32::Note(std::string line) {
    if (log_) log_({std::move(line)});
}
