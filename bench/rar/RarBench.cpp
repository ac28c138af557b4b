// Prints how fast the reader tests and extracts a stored archive, and how long a skin-sized
// package takes end to end.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "rar/ArchiveReader.h"
#include "rar/FileSource.h"
#include "rar/RarWriter.h"

namespace fs = std::filesystem;

namespace {

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Run(const std::string& archive, qmrar::Operation op, const fs::path& dest, size_t& entries) {
    auto start = std::chrono::steady_clock::now();
    qmrar::FileVolumeOpener opener;
    qmrar::ArchiveReader reader(opener);
    entries = 0;
    if (reader.Open(archive, qmrar::OpenMode::Extract) != qmrar::kSuccess) return -1;
    qmrar::RarEntry e;
    while (reader.ReadHeader(e) == qmrar::kSuccess) {
        if (reader.Process(op, {dest, std::nullopt}) != qmrar::kSuccess) return -1;
        ++entries;
    }
    return Seconds(std::chrono::steady_clock::now() - start);
}

void Bench(const char* label, const std::vector<qmrar::WriterEntry>& entries, const fs::path& dir) {
    uint64_t bytes = 0;
    for (auto& e : entries) bytes += e.data.size();
    auto volume = qmrar::WriteArchive({}, entries)[0];
    fs::path archive = dir / "bench.rar";
    std::ofstream(archive, std::ios::binary).write(reinterpret_cast<const char*>(volume.data()), static_cast<std::streamsize>(volume.size()));
    size_t n = 0;
    double test = Run(archive.string(), qmrar::Operation::Test, dir, n);
    double extract = Run(archive.string(), qmrar::Operation::Extract, dir / "out", n);
    double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    std::printf("%-28s %5zu entries %8.1f MB  test %8.1f ms (%7.1f MB/s)  extract %8.1f ms (%7.1f MB/s)\n", label, n, mb,
                test * 1000, mb / test, extract * 1000, mb / extract);
    fs::remove_all(dir / "out");
}

}  // namespace

int main() {
    fs::path dir = fs::temp_directory_path() / "qm-rar-bench";
    fs::create_directories(dir);
    std::vector<qmrar::WriterEntry> big(1);
    big[0].name = "big.bin";
    big[0].data.resize(64u << 20);
    for (size_t i = 0; i < big[0].data.size(); ++i) big[0].data[i] = static_cast<uint8_t>(i * 2654435761u >> 24);
    Bench("one 64 MB file", big, dir);
    std::vector<qmrar::WriterEntry> skin;
    for (int i = 0; i < 58; ++i) {
        qmrar::WriterEntry e;
        e.name = "Folder" + std::to_string(i % 10) + "/File" + std::to_string(i) + ".bmp";
        e.data.assign(40000, static_cast<uint8_t>(i));
        skin.push_back(std::move(e));
    }
    Bench("skin-like: 58 x 40 KB", skin, dir);
    fs::remove_all(dir);
    return 0;
}
