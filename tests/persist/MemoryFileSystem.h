#pragma once
// MemoryFileSystem: clip files in memory, with the failures a disk can have: a process killed
// before any chosen change, a full disk, a write, move or read that fails, folders on different
// volumes, folders with a clip file's name; each failure with its reason. A move replaces a file
// whose name differs only in case, as the platform's does.
#include <algorithm>
#include <cctype>
#include <map>
#include <new>
#include <set>
#include <stdexcept>

#include "model/ClipStoreFileSystem.h"

struct KilledHere : std::exception {};

class MemoryFileSystem : public ClipStoreFileSystem {
public:
    std::map<std::string, ClipText> files;
    std::map<std::string, uint64_t> writeTimes;
    std::set<std::string> oddSized, unreadable, unwritable, hidden, tooBig;  // reading tooBig whole runs out of memory
    std::set<std::string> folders;  // in `files`, with no text: they move, nothing reads, writes or removes them
    std::map<std::string, uint64_t> listedBytes;  // a size the listing shows instead of the text's
    int changes = 0;        // writes, moves and removals so far
    int reads = 0;
    int killAt = -1;        // the change with this number never happens: the process dies first
    bool diskFull = false;  // writes leave a truncated file and fail
    size_t room = SIZE_MAX;  // code units all files may hold; a write past it fails and leaves what fit
    bool otherVolumes = false;  // every folder is a volume of its own: no move between folders
    FileFailure failure;

    FileFailure LastFailure() const override { return failure; }

    std::vector<FolderEntry> List(const std::string& folder) override {
        std::vector<FolderEntry> entries;
        for (const auto& [path, text] : files)
            if (path.starts_with(folder) && path.find('/', folder.size()) == std::string::npos)
                entries.push_back({path.substr(folder.size()),
                                   {listedBytes.count(path) ? listedBytes[path] : text.size() * 2 + oddSized.count(path),
                                    writeTimes[path]},
                                   !hidden.count(path) && !folders.count(path), folders.count(path) != 0});
        return entries;
    }
    std::optional<ClipFileContent> Read(const std::string& path) override {
        ++reads;
        if (tooBig.count(path)) throw std::bad_alloc();
        if (!files.count(path) || unreadable.count(path) || folders.count(path)) return std::nullopt;
        return ClipFileContent{files[path], oddSized.count(path) != 0};
    }
    bool WriteDurably(const std::string& path, const ClipText& text) override {
        Change();
        if (unwritable.count(path) || unreadable.count(path) || folders.count(path)) return Fail("access denied");
        size_t used = text.size();
        for (const auto& [p, t] : files) used += p == path ? 0 : t.size();
        const bool full = diskFull || used > room;
        // What fits is written over whatever the file held: a full disk cuts it short.
        const size_t fits = used > room ? text.size() - std::min(text.size(), used - room) : text.size() / 2;
        files[path] = full ? text.substr(0, fits) : text;
        writeTimes[path] = ++clock;
        return !full || Fail("disk full");
    }
    std::optional<ClipText> ReadPart(const std::string& path, uint64_t first, size_t count) override {
        ++reads;
        if (!files.count(path) || unreadable.count(path)) return std::nullopt;
        const ClipText& t = files[path];
        return first < t.size() ? t.substr(static_cast<size_t>(first), count) : ClipText();
    }
    bool CopyPartDurably(const std::string& from, uint64_t first, uint64_t count, const std::string& to) override {
        const auto part = ReadPart(from, first, static_cast<size_t>(count));
        return part && part->size() == count && WriteDurably(to, *part);
    }
    bool Replace(const std::string& from, const std::string& to) override {
        Change();
        if (!files.count(from)) return Fail("not found");
        if (unreadable.count(from) || unreadable.count(to) || folders.count(to)) return Fail("in use");
        if (otherVolumes && from.substr(0, from.rfind('/')) != to.substr(0, to.rfind('/')))
            return failure = {true, "other volume"}, false;
        for (auto it = files.begin(); it != files.end();)
            it = it->first != from && Lower(it->first) == Lower(to) ? files.erase(it) : std::next(it);
        if (folders.erase(from)) folders.insert(to);
        files[to] = files[from];
        writeTimes[to] = writeTimes[from];
        files.erase(from);
        hidden.erase(to);  // the moved file brings its own attributes
        if (hidden.erase(from)) hidden.insert(to);
        return true;
    }
    bool Remove(const std::string& path) override {
        Change();
        if (unreadable.count(path) || folders.count(path)) return Fail("in use");
        return files.erase(path) != 0 || Fail("not found");
    }
    bool CreateFolder(const std::string&) override { return true; }
    // Another program writes the file: a new write time.
    void Edit(const std::string& path, const ClipText& text) {
        files[path] = text;
        writeTimes[path] = ++clock;
    }

private:
    static std::string Lower(std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }
    uint64_t clock = 0;
    bool Fail(const char* reason) {
        failure = {false, reason};
        return false;
    }
    void Change() {
        if (++changes == killAt) throw KilledHere();
    }
};
