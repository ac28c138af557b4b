#include "model/ClipStoreDisk.h"

#include <cstdio>
#include <filesystem>

#include "support/PlainFiles.h"


std::string EncodeClipFile(const ClipText& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

ClipFileContent DecodeClipFile(const std::string& bytes) {
    ClipFileContent out;
    const size_t whole = bytes.size() / 2;
    out.OddSize = bytes.size() % 2 != 0;
    // size / 2 rounded halves to even: 2.5 -> 2, 3.5 -> 4.
    const size_t units = out.OddSize && whole % 2 == 1 ? whole + 1 : whole;
    out.Text.resize(units);
    for (size_t i = 0; i < whole; ++i)
        out.Text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                            static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    if (units > whole) out.Text[whole] = static_cast<unsigned char>(bytes.back());
    return out;
}


std::optional<ClipFileContent> ClipStoreDisk::Read(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string bytes;
    char buf[8192];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return DecodeClipFile(bytes);
}

bool ClipStoreDisk::WriteDurably(const std::string& path, const ClipText& text) {
    return WritePiecesDurably(path, {text});
}

bool ClipStoreDisk::WritePiecesDurably(const std::string& path, const TextPieces& pieces) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = true;
    // Encoded a slice at a time: no copy of a whole text.
    constexpr size_t kSlice = 4096;
    for (const auto& p : pieces)
        for (size_t i = 0; ok && i < p.size(); i += kSlice) {
            const std::string bytes = EncodeClipFile(ClipText(p.substr(i, kSlice)));
            ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        }
    ok = FlushToDisk(f) && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

bool ClipStoreDisk::Replace(const std::string& from, const std::string& to) { return ReplaceFileWith(from, to); }
bool ClipStoreDisk::Remove(const std::string& path) { return RemoveFile(path); }
bool ClipStoreDisk::CreateFolder(const std::string& path) { return ::CreateFolder(path); }

std::vector<FolderEntry> ClipStoreDisk::List(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<FolderEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e1, e2;
        const bool regular = it->is_regular_file(e1);
        const uint64_t size = regular ? static_cast<uint64_t>(it->file_size(e1)) : 0;
        const auto time = it->last_write_time(e2).time_since_epoch().count();
        entries.push_back(FolderEntry{it->path().filename().string(), FileStamp{size, static_cast<uint64_t>(time)},
                                      regular && !e1, it->is_directory(e2)});
    }
    return entries;
}
