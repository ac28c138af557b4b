#include "support/LinkSafeFiles.h"

#ifdef _WIN32
#include <windows.h>

#include <optional>
#include <utility>

#include "support/PlainFiles.h"

OpenedFile::OpenedFile(const std::string& path, unsigned long access, unsigned long share, unsigned long disposition,
                       unsigned long flags)
    : h_(CreateFileA(path.c_str(), access, share, nullptr, disposition, flags | FILE_ATTRIBUTE_NORMAL, nullptr)) {}

OpenedFile::~OpenedFile() { Close(); }

OpenedFile::OpenedFile(OpenedFile&& other) noexcept : h_(std::exchange(other.h_, INVALID_HANDLE_VALUE)) {}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept {
    if (this != &other) {
        Close();
        h_ = std::exchange(other.h_, INVALID_HANDLE_VALUE);
    }
    return *this;
}

bool OpenedFile::Ok() const { return h_ != INVALID_HANDLE_VALUE; }

bool OpenedFile::Close() {
    const bool ok = !Ok() || CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
}

namespace {
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

// Fills a file with bytes.
auto BytesFiller(std::string_view bytes) {
    return [bytes](void* file, uint64_t& size) {
        DWORD written = 0;
        const auto want = static_cast<DWORD>(bytes.size());
        if (want > 0 && (!WriteFile(file, bytes.data(), want, &written, nullptr) || written != want)) return false;
        size += want;
        return true;
    };
}
}  // namespace

bool LinkSafeFiles::Write(const std::string& path, const Filler& fill, bool mayReplace) {
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
        f = std::move(existing);
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

bool LinkSafeFiles::WriteBytes(const std::string& path, std::string_view bytes) {
    return Write(path, BytesFiller(bytes));
}

bool LinkSafeFiles::ReplaceByNewFile(const std::string& path, const Filler& fill) {
    const std::string temp = path + ".tmp";
    if (!Write(temp, fill, false)) return false;
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Failed(GetLastError());
        DeleteFileA(temp.c_str());  // just written: a file of its own
        return false;
    }
    return true;
}

bool LinkSafeFiles::Replace(const std::string& from, const std::string& to) {
    // A move of a link may take what it leads to along on some systems: only the program's own
    // files are moved. The file this layer has just written is one for sure.
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

bool LinkSafeFiles::Remove(const std::string& path) {
    // (Without backup semantics a folder does not open: it is not removed, as by DeleteFile.) A
    // link opened as itself, or a name that shares its data, goes through the handle as itself;
    // only what the system followed although asked not to needs more.
    OpenedFile f(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                 FILE_FLAG_OPEN_REPARSE_POINT);
    if (!f.Ok()) return Failed(GetLastError());
    if (LeadsElsewhere(f.Get(), path)) {
        f.Close();
        return RemoveLink(path);
    }
    if (DeleteOnClose(f.Get())) return f.Close() || Failed(GetLastError());
    f.Close();
    return DeleteFileA(path.c_str()) || Failed(GetLastError());
}

bool LinkSafeFiles::RemoveLink(const std::string& path) {
    // Some systems remove what a link leads to when the link is removed: a file of the program's
    // own takes the link's place first, and goes.
    if (!ReplaceByNewFile(path, BytesFiller({}))) return false;
    Note(">>> A link stood in place of " + path + ": the link was removed, and what it leads to is left as it was");
    return DeleteFileA(path.c_str()) || Failed(GetLastError());
}

OpenedFile LinkSafeFiles::OpenToAppend(const std::string& path, unsigned long share) {
    OpenedFile f(path, FILE_APPEND_DATA, share, CREATE_NEW);
    const DWORD created = GetLastError();
    if (f.Ok() || (created != ERROR_FILE_EXISTS && created != ERROR_ALREADY_EXISTS)) return f;
    f = OpenedFile(path, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, share, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
    const Kind kind = f.Ok() ? KindOf(f.Get(), path) : Kind::Link;
    if (kind == Kind::Own) return f;
    f.Close();
    if (kind == Kind::Link ? !RemoveLink(path) : !Remove(path)) return f;
    if (kind == Kind::SharedData)
        Note(">>> " + path + " shared its data with another name (a hard link): it was removed as itself, and the "
                             "other name keeps its text");
    return OpenedFile(path, FILE_APPEND_DATA, share, CREATE_NEW);
}

LinkSafeFiles::Kind LinkSafeFiles::KindOf(void* handle, const std::string& path, uint64_t* size) {
    const auto facts = FactsOf(handle);
    if (!facts || (facts->Attributes & FILE_ATTRIBUTE_REPARSE_POINT) || LeadsElsewhere(handle, path)) return Kind::Link;
    if (size) *size = facts->Size;
    return facts->Links > 1 ? Kind::SharedData : Kind::Own;
}

bool LinkSafeFiles::LeadsElsewhere(void* handle, const std::string& path) {
    // Not every system marks a link it follows: what was opened must lie where the name does. The
    // folder itself may be a link (a junction, a mounted volume), so its own resolved path counts.
    if (!FinalPathFunction()) return false;
    const std::wstring final = FinalPath(handle);
    const size_t cut = path.find_last_of("\\/");
    const std::string folder = path.substr(0, cut + 1);
    const std::wstring name = L"\\" + Wide(path.substr(cut + 1));
    return final.empty() || (!SamePath(final, ResolvedFolder(folder, false) + name) &&
                             !SamePath(final, ResolvedFolder(folder, true) + name));
}

std::wstring LinkSafeFiles::ResolvedFolder(const std::string& folder, bool fresh) {
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

bool LinkSafeFiles::Failed(unsigned long error) {
    std::lock_guard lock(m_);
    failure_ = Failure{error, ErrorText(error)};
    return false;
}

bool LinkSafeFiles::Failed(std::string reason) {
    std::lock_guard lock(m_);
    failure_ = Failure{0, std::move(reason)};
    return false;
}

LinkSafeFiles::Failure LinkSafeFiles::LastFailure() const {
    std::lock_guard lock(m_);
    return failure_;
}

void LinkSafeFiles::Note(std::string line) {
    if (notes_) notes_(std::move(line));
}
#endif
