#include "MemoryFileSystem.h"

void MemoryFileSystem::Change() {
    ++changes;
    if (changes == killAt) throw KilledHere();
}

std::optional<ClipFileContent> MemoryFileSystem::Read(const std::string& path) {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return std::nullopt;
    return ClipFileContent{it->second, oddSized.count(path) != 0};
}

bool MemoryFileSystem::WriteDurably(const std::string& path, const ClipText& text) {
    Change();
    if (diskFull) {
        files[path] = text.substr(0, text.size() / 2);
        return false;
    }
    files[path] = text;
    return true;
}

bool MemoryFileSystem::Replace(const std::string& from, const std::string& to) {
    Change();
    auto it = files.find(from);
    if (it == files.end() || unmovable.count(from)) return false;
    files[to] = it->second;
    files.erase(from);
    return true;
}

bool MemoryFileSystem::Remove(const std::string& path) {
    Change();
    return files.erase(path) != 0;
}

std::vector<std::string> MemoryFileSystem::List(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& [path, text] : files)
        if (path.compare(0, folder.size(), folder) == 0 && path.find('/', folder.size()) == std::string::npos)
            names.push_back(path.substr(folder.size()));
    return names;
}
