#pragma once
// ClipStoreFileSystem: the file operations the clip store stands on. The store's promise that a
// crash never loses a saved clip rests on two of them: a durable write and an atomic replace.
#include <optional>
#include <string>
#include <vector>

#include "app/ClipRecord.h"

struct ClipFileContent {
    ClipText Text;
    bool OddSize = false;  // the file had a byte that makes no whole code unit
};

class ClipStoreFileSystem {
public:
    virtual ~ClipStoreFileSystem() = default;
    // A normal file (not a folder, not hidden) exists at path.
    virtual bool Exists(const std::string& path) = 0;
    // Anything has that name: also a hidden or system file, which Exists does not count.
    virtual bool Occupied(const std::string& path) = 0;
    // The file's UTF-16LE text; nothing when it cannot be opened or read.
    virtual std::optional<ClipFileContent> Read(const std::string& path) = 0;
    // Creates or replaces the file with exactly `text` and returns only once it is on disk.
    virtual bool WriteDurably(const std::string& path, const ClipText& text) = 0;
    // Moves `from` over `to` in one step: `to` is always either the old or the new file.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual bool CreateFolder(const std::string& path) = 0;
    // The names (not paths) of the files in a folder.
    virtual std::vector<std::string> List(const std::string& folder) = 0;
};
