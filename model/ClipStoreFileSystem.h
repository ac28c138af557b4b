#pragma once
// ClipStoreFileSystem: the file operations the clip store stands on. The store's promise that a
// crash never loses a saved clip rests on two of them: a durable write and an atomic replace.
#include <cstdint>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ClipRecord.h"

// A file's text as parts written one after the other: a record that holds many clip texts is
// written from where those texts already are, not from one more copy of them all.
using TextPieces = std::vector<std::u16string_view>;

struct ClipFileContent {
    ClipText Text;
    bool OddSize = false;  // the file had a byte that makes no whole code unit
};

// What a folder listing tells of a file without opening it: enough to notice a change.
struct FileStamp {
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
    bool operator==(const FileStamp&) const = default;
};

// Why a write, move or removal failed, as far as the platform tells.
struct FileFailure {
    bool OtherVolume = false;  // a move between folders that lie on different volumes
    std::string Reason;        // the platform's words for the user; empty when it told nothing
};

struct FolderEntry {
    std::string Name;
    FileStamp Stamp;
    bool Normal = true;  // a file that is neither hidden, system nor a folder
    bool Folder = false;
};

class ClipStoreFileSystem {
public:
    virtual ~ClipStoreFileSystem() = default;
    // Everything in the folder (whose path ends with a separator), folders and hidden files too.
    virtual std::vector<FolderEntry> List(const std::string& folder) = 0;
    // The file's UTF-16LE text; nothing when it cannot be opened or read.
    virtual std::optional<ClipFileContent> Read(const std::string& path) = 0;
    // Up to `count` code units of the file's text from code unit `first` on (fewer at its end);
    // nothing when it cannot be read. A file too large to read whole is read this way. This
    // fallback reads the whole file.
    virtual std::optional<ClipText> ReadPart(const std::string& path, uint64_t first, size_t count) {
        auto whole = Read(path);
        if (!whole) return std::nullopt;
        return first < whole->Text.size() ? whole->Text.substr(static_cast<size_t>(first), count) : ClipText();
    }
    // Creates or replaces `to` with code units first .. first + count - 1 of `from` and returns
    // only once it is on disk; false when `from` holds fewer. A real disk copies slice by slice,
    // so that no text has to fit in memory whole; this fallback reads the part at once.
    virtual bool CopyPartDurably(const std::string& from, uint64_t first, uint64_t count, const std::string& to) {
        if (count > SIZE_MAX) return false;
        const auto part = ReadPart(from, first, static_cast<size_t>(count));
        return part && part->size() == count && WriteDurably(to, *part);
    }
    // True when Read may run on several threads at once.
    virtual bool ConcurrentReads() const { return false; }
    // Creates or replaces the file with exactly `text` and returns only once it is on disk.
    virtual bool WriteDurably(const std::string& path, const ClipText& text) = 0;
    // The same for a text given in parts; this fallback joins them first.
    virtual bool WritePiecesDurably(const std::string& path, const TextPieces& pieces) {
        ClipText joined;
        for (const auto& p : pieces) joined += p;
        return WriteDurably(path, joined);
    }
    // Moves `from` over `to` in one step: `to` is always either the old or the new file.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual bool CreateFolder(const std::string& path) = 0;
    // Why the last write, move or removal that failed did; asked right after it, on its thread.
    virtual FileFailure LastFailure() const { return {}; }
};
