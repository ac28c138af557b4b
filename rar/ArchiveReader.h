#pragma once
// ArchiveReader: walks the entries of a RAR4 or RAR5 archive across its volumes and tests, extracts
// or skips them; the library interface's state machine, free of any platform call.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "rar/ByteSource.h"
#include "rar/RarBlock.h"
#include "rar/RarCodes.h"
#include "rar/RarEntry.h"

namespace qmrar {

// What the reader asks of its caller while it works; every hook is optional.
struct ReaderHooks {
    // The next volume is missing: may change the name; false stops.
    std::function<bool(std::string& name)> askVolume;
    // The next volume was opened; false stops.
    std::function<bool(const std::string& name)> volumeOpened;
    // Unpacked bytes of the entry being tested or extracted; false cancels.
    std::function<bool(std::span<const uint8_t>)> processedData;
    // An encrypted entry needs a password; false or an empty password means none.
    std::function<bool(std::string& password)> needPassword;
    // 8-bit names in the OEM code page to UTF-16; without it bytes map to U+0000-U+00FF.
    std::function<std::u16string(std::string_view)> decodeLegacyName;
};

struct ArchiveComment {
    bool present = false;
    Code state = kSuccess;  // kSuccess, kBadData, kUnknownFormat (compressed), kSmallBuf (cut at the limit)
    std::string text;
};

// Where an extracted entry goes: below folder with its stored path, or exactly to fullPath.
struct ExtractTarget {
    std::filesystem::path folder;
    std::optional<std::filesystem::path> fullPath;
};

class ArchiveReader {
public:
    ArchiveReader(VolumeOpener& opener, ReaderHooks hooks = {});

    // commentLimit: the most comment bytes wanted (0: do not look for a comment).
    Code Open(const std::string& name, OpenMode mode, size_t commentLimit = 0);
    const ArchiveComment& Comment() const { return comment_; }
    ReaderHooks& Hooks() { return hooks_; }
    void SetPassword(std::string password) { password_ = std::move(password); }

    // kSuccess with the next entry, kEndArchive, or the code of a broken archive (which then sticks).
    Code ReadHeader(RarEntry& entry);
    // Acts on the entry of the last ReadHeader; list modes only skip.
    Code Process(Operation op, const ExtractTarget& target);

    const std::string& VolumeName() const { return vol_.name; }
    ArchiveFormat Format() const { return format_; }
    // The entry's name as UTF-16, decoded as the archive says.
    std::u16string EntryName(const RarEntry& entry) const;

    static constexpr size_t kChunk = 64 * 1024;
    static constexpr int kMaxVolumes = 65536;
    static constexpr int kMaxVolumeAsks = 64;

private:
    struct Volume {
        std::unique_ptr<ByteSource> source;
        std::string name;
        uint64_t pos = 0;
        bool isVolume = false;
        bool newNaming = false;
    };

    Code OpenVolume(std::unique_ptr<ByteSource> source, const std::string& name, Volume& v, RarBlock& main);
    Code OpenNextVolume();
    Code ReadBlock(RarBlock& block);
    Code NextContinuation(const RarEntry& previous, RarEntry& part);
    Code SkipEntry(const RarEntry& entry);
    Code ExtractDirectory(const RarEntry& entry, const ExtractTarget& target);
    Code Unpack(const RarEntry& entry, Operation op, const ExtractTarget& target);
    std::optional<std::filesystem::path> OutputPath(const RarEntry& entry, const ExtractTarget& target) const;
    bool HavePassword();
    void ReadComment(const RarBlock& main, size_t limit);

    VolumeOpener& opener_;
    ReaderHooks hooks_;
    OpenMode mode_ = OpenMode::List;
    ArchiveFormat format_ = ArchiveFormat::Rar4;
    Volume vol_;
    int volumes_ = 0;
    bool lastSplitAfter_ = false;
    std::optional<RarEntry> current_;
    Code broken_ = kSuccess;
    ArchiveComment comment_;
    std::string password_;
};

}  // namespace qmrar
