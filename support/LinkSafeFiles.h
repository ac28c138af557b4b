#pragma once
// LinkSafeFiles: writes, moves and removals of the program's own files through Win32 calls, none
// of which reaches through a link.
//
// A name the program writes may be a link, or a file that shares its data with other names, put
// there by someone else. Reading through it is harmless; a write or a removal never reaches through
// it: the name is replaced by a file of the program's own (moved over it) or removed as itself,
// what it led to stays as it was, and the owner hears of it. Moves reach the disk before they
// return.
#ifdef _WIN32
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

// One open file, closed when it goes out of scope.
class OpenedFile {
public:
    OpenedFile() = default;
    OpenedFile(const std::string& path, unsigned long access, unsigned long share, unsigned long disposition,
               unsigned long flags = 0);
    ~OpenedFile();
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    OpenedFile(OpenedFile&& other) noexcept;
    OpenedFile& operator=(OpenedFile&& other) noexcept;
    bool Ok() const;
    void* Get() const { return h_; }
    // Closes now and tells whether the close succeeded.
    bool Close();

private:
    void* h_ = reinterpret_cast<void*>(-1);
};

class LinkSafeFiles {
public:
    // Hears of each link found in the way, one line each, on the thread that found it.
    using Notes = std::function<void(std::string line)>;
    explicit LinkSafeFiles(Notes notes = {}) : notes_(std::move(notes)) {}

    // Writes a file's whole content into an opened file and adds the bytes written to `size`;
    // false on a failure, with the platform's error left as the last error.
    using Filler = std::function<bool(void* file, uint64_t& size)>;
    // Creates or replaces the file at `path` with what `fill` writes and returns only once it is on
    // disk. A name that is a file of its own is written in place; any other is replaced by a new
    // file moved over it, unless `mayReplace` is false (a failure then).
    bool Write(const std::string& path, const Filler& fill, bool mayReplace = true);
    bool WriteBytes(const std::string& path, std::string_view bytes);
    // Moves `from` over `to` in one step: `to` is always either the old or the new file. A link at
    // `from` is not moved (a move of it may take what it leads to along on some systems).
    bool Replace(const std::string& from, const std::string& to);
    bool Remove(const std::string& path);
    // `path` opened to append to it with `share`, created when missing; a link or a shared file
    // in its place is removed as itself first. Not Ok when it cannot be.
    OpenedFile OpenToAppend(const std::string& path, unsigned long share);

    // Why the last write, move or removal that failed did; asked right after it, on its thread.
    struct Failure {
        unsigned long Error = 0;  // the platform's code; 0 when a check of this layer refused
        std::string Reason;       // the platform's words for the user; empty when it told nothing
    };
    Failure LastFailure() const;
    // Records the platform's last error as a failure met on the way; always false.
    bool Failed(unsigned long error);

private:
    // What an opened name turned out to be.
    enum class Kind { Own, Link, SharedData };
    bool ReplaceByNewFile(const std::string& path, const Filler& fill);
    // Removes a link that the system may follow by a file of this layer's own moved over it.
    bool RemoveLink(const std::string& path);
    // `size`, when given, gets the file's size in bytes.
    Kind KindOf(void* handle, const std::string& path, uint64_t* size = nullptr);
    // True when what the handle opened lies somewhere else than `path` names: a link the system
    // followed although it was asked to open the name itself.
    bool LeadsElsewhere(void* handle, const std::string& path);
    // The path of the folder as the system resolves it, remembered; `fresh` looks again.
    std::wstring ResolvedFolder(const std::string& folder, bool fresh);
    bool Failed(std::string reason);
    void Note(std::string line);

    Notes notes_;
    mutable std::mutex m_;
    std::map<std::string, std::wstring> resolvedFolders_;
    Failure failure_;
    std::string lastWritten_;  // the file this layer wrote last: its own for sure
};
#endif
