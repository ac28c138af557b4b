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
    ~TempDir() { fs::remove_all(path_, ec_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
    std::error_code ec_;
};

std::vector<uint8_t> ReadBytes(const fs::path& path);
// Returns the path, for the reader.
std::string WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes);
inline std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
inline fs::path Utf8Path(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

// Writes the volumes as base + ".part1.rar", ".part2.rar"... (or base + ".rar" for one; with old naming
// base + ".rar", ".r00", ".r01"...); returns the names.
std::vector<std::string> WriteVolumes(const fs::path& base, const std::vector<std::vector<uint8_t>>& volumes,
                                      bool oldNaming = false);
inline std::vector<std::string> WriteRar(const fs::path& base, const std::vector<qmrar::WriterEntry>& entries,
                                         const qmrar::WriterOptions& options = {}) {
    return WriteVolumes(base, qmrar::WriteArchive(options, entries), options.oldNaming);
}
qmrar::WriterEntry Entry(const std::string& name, const std::string& data = "");
inline qmrar::WriterOptions Options(qmrar::ArchiveFormat format, uint64_t volumeSize = 0, const std::string& comment = "") {
    return {.format = format, .comment = comment, .volumeSize = volumeSize};
}

struct EntryResult {
    std::string name;  // UTF-8
    qmrar::RarEntry entry;
    qmrar::Code code;
};
struct RunResult {
    qmrar::Code open = qmrar::kSuccess;
    qmrar::ArchiveComment comment;
    std::vector<EntryResult> entries;
    qmrar::Code end = qmrar::kSuccess;  // what the last ReadHeader returned
};
// Opens, then reads every header and applies op to it, going on after file errors.
RunResult RunArchive(const std::string& archive, qmrar::Operation op, const fs::path& dest,
                     qmrar::OpenMode mode = qmrar::OpenMode::Extract, qmrar::ReaderHooks hooks = {},
                     size_t commentLimit = 4096);

// Crafted RAR4 headers: a little-endian 16-bit field, and the header CRC of the block at `at` made right again.
void PutLe16(std::vector<uint8_t>& bytes, size_t at, size_t value);
void FixRar4HeaderCrc(std::vector<uint8_t>& bytes, size_t at);

// Every regular file below root, relative, generic form, sorted.
std::vector<std::string> FilesBelow(const fs::path& root);

}  // namespace rartest
