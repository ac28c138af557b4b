// rarpack: packs a folder into a stored RAR archive (a skin package, or a fixture by hand).
//   rarpack [--rar4|--rar5] OUTPUT FOLDER
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "rar/RarWriter.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    qmrar::WriterOptions options;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--rar4" || args[0] == "--rar5")) {
        options.format = args[0] == "--rar4" ? qmrar::ArchiveFormat::Rar4 : qmrar::ArchiveFormat::Rar5;
        args.erase(args.begin());
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: rarpack [--rar4|--rar5] OUTPUT FOLDER\n");
        return 2;
    }
    const fs::path output = args[0], folder = args[1];
    std::vector<fs::path> paths;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        paths.push_back(it->path());
    if (ec) {
        std::fprintf(stderr, "rarpack: cannot read %s\n", folder.string().c_str());
        return 1;
    }
    // A stable order makes the package the same from build to build.
    std::sort(paths.begin(), paths.end());
    std::vector<qmrar::WriterEntry> entries;
    for (const fs::path& p : paths) {
        qmrar::WriterEntry e;
        e.name = fs::relative(p, folder).generic_string();
        e.directory = fs::is_directory(p);
        if (!e.directory) {
            std::ifstream in(p, std::ios::binary);
            e.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (!in.good() && !in.eof()) {
                std::fprintf(stderr, "rarpack: cannot read %s\n", p.string().c_str());
                return 1;
            }
        }
        entries.push_back(std::move(e));
    }
    auto volumes = qmrar::WriteArchive(options, entries);
    if (output.has_parent_path()) fs::create_directories(output.parent_path(), ec);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(volumes.front().data()), static_cast<std::streamsize>(volumes.front().size()));
    if (!out) {
        std::fprintf(stderr, "rarpack: cannot write %s\n", output.string().c_str());
        return 1;
    }
    return 0;
}
