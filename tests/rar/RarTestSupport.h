#pragma once
// Helpers shared by the reader tests: temporary folders, archives on disk and one-call runs.
#include <filesystem>
#include <string>
#include <vector>

#include "rar/ArchiveReader.h"
#include "rar/RarWriter.h"

namespace rartest {

namespace fs = std::filesystem;

// A fresh folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::vector<uint8_t> ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> Bytes(const std::string& text);
inline fs::path Utf8Path(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

// Writes the volumes as base + ".part1.rar", ".part2.rar"... (or base + ".rar" for one); returns the names.
std::vector<std::string> WriteVolumes(const fs::path& base, const std::vector<std::vector<uint8_t>>& volumes);

struct EntryResult {
    std::string name;  // UTF-8
    qmrar::RarEntry entry;
    qmrar::Code code;
};
struct RunResult {
    qmrar::Code open = qmrar::kSuccess;
    std::vector<EntryResult> entries;
    qmrar::Code end = qmrar::kSuccess;  // what the last ReadHeader returned
};

// Opens, then reads every header and applies op to it, going on after file errors.
RunResult RunArchive(const std::string& archive, qmrar::Operation op, const fs::path& dest,
              qmrar::OpenMode mode = qmrar::OpenMode::Extract, qmrar::ReaderHooks hooks = {});

// Every regular file below root, relative, generic form.
std::vector<std::string> FilesBelow(const fs::path& root);

}  // namespace rartest
