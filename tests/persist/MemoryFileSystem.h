#pragma once
// MemoryFileSystem: clip files in memory, with the failures a disk can have: a process killed
// before any chosen change, a full disk, a move or a read that fails.
#include <map>
#include <set>
#include <stdexcept>

#include "app/ClipStoreFileSystem.h"

struct KilledHere : std::exception {};

class MemoryFileSystem : public ClipStoreFileSystem {
public:
    std::map<std::string, ClipText> files;
    std::set<std::string> oddSized, unreadable, unmovable, hidden;
    int changes = 0;        // writes, moves and removals so far
    int killAt = -1;        // the change with this number never happens: the process dies first
    bool diskFull = false;  // writes leave a truncated file and fail

    bool Exists(const std::string& path) override { return files.count(path) && !hidden.count(path); }
    bool Occupied(const std::string& path) override { return files.count(path) != 0; }
    std::optional<ClipFileContent> Read(const std::string& path) override {
        if (!files.count(path) || unreadable.count(path)) return std::nullopt;
        return ClipFileContent{files[path], oddSized.count(path) != 0};
    }
    bool WriteDurably(const std::string& path, const ClipText& text) override {
        Change();
        files[path] = diskFull ? text.substr(0, text.size() / 2) : text;
        return !diskFull;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        Change();
        if (!files.count(from) || unmovable.count(from)) return false;
        files[to] = files[from];
        files.erase(from);
        hidden.erase(to);  // the moved file brings its own attributes
        if (hidden.erase(from)) hidden.insert(to);
        return true;
    }
    bool Remove(const std::string& path) override { return Change(), files.erase(path) != 0; }
    bool CreateFolder(const std::string&) override { return true; }
    std::vector<std::string> List(const std::string& folder) override {
        std::vector<std::string> names;
        for (const auto& [path, text] : files)
            if (path.starts_with(folder) && path.find('/', folder.size()) == std::string::npos)
                names.push_back(path.substr(folder.size()));
        return names;
    }

private:
    void Change() {
        if (++changes == killAt) throw KilledHere();
    }
};
