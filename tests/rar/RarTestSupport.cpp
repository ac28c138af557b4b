#include "RarTestSupport.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include "rar/Crc32.h"
#include "rar/FileSource.h"
#include "rar/NameDecoding.h"

namespace rartest {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() / ("qm-rar-" + std::to_string(std::random_device{}()) + "-" +
                                         std::to_string(counter++));
    fs::create_directories(path_);
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::vector<std::string> WriteVolumes(const fs::path& base, const std::vector<std::vector<uint8_t>>& volumes,
                                      bool oldNaming) {
    std::vector<std::string> names;
    for (size_t i = 0; i < volumes.size(); ++i) {
        fs::path p = base;
        if (volumes.size() == 1 || (oldNaming && i == 0)) p += ".rar";
        else p += oldNaming ? (i < 11 ? ".r0" : ".r") + std::to_string(i - 1) : ".part" + std::to_string(i + 1) + ".rar";
        names.push_back(WriteBytes(p, volumes[i]));
    }
    return names;
}

qmrar::WriterEntry Entry(const std::string& name, const std::string& data) {
    qmrar::WriterEntry e;
    e.name = name;
    e.data = Bytes(data);
    return e;
}

RunResult RunArchive(const std::string& archive, qmrar::Operation op, const fs::path& dest, qmrar::OpenMode mode,
                     qmrar::ReaderHooks hooks, size_t commentLimit) {
    qmrar::FileVolumeOpener opener;
    qmrar::ArchiveReader reader(opener, std::move(hooks));
    RunResult result;
    result.open = reader.Open(archive, mode, commentLimit);
    result.comment = reader.Comment();
    // Bounded: a reader that never ends is a failure of its own.
    for (int i = 0; result.open == qmrar::kSuccess && i < 10000; ++i) {
        qmrar::RarEntry e;
        if ((result.end = reader.ReadHeader(e)) != qmrar::kSuccess) break;
        qmrar::Code c = reader.Process(op, {dest, std::nullopt});
        result.entries.push_back({qmrar::Utf16ToUtf8(reader.EntryName(e)), e, c});
    }
    return result;
}

void PutLe16(std::vector<uint8_t>& bytes, size_t at, size_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void FixRar4HeaderCrc(std::vector<uint8_t>& bytes, size_t at) {
    const size_t headSize = bytes[at + 5] | (bytes[at + 6] << 8);
    PutLe16(bytes, at, qmrar::Crc32(std::span(bytes).subspan(at + 2, headSize - 2)));
}

std::vector<std::string> FilesBelow(const fs::path& root) {
    std::vector<std::string> out;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->is_regular_file()) out.push_back(fs::relative(it->path(), root).generic_string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace rartest
