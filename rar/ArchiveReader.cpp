#include "rar/ArchiveReader.h"

#include <algorithm>

#include "rar/Crc32.h"
#include "rar/EntryDecoder.h"
#include "rar/NameDecoding.h"
#include "rar/OutputFile.h"
#include "rar/SafePath.h"
#include "rar/VolumeName.h"

namespace qmrar {
namespace {

// Self-extracting stubs put the archive after an executable: look this far for the signature.
constexpr uint64_t kSignatureSearch = 1024 * 1024;
// Blocks between the main header and the first file where a comment may stand.
constexpr int kCommentSearchBlocks = 64;

bool SameName(const RarEntry& a, const RarEntry& b) {
    return a.hasWideName == b.hasWideName && (a.hasWideName ? a.wideName == b.wideName : a.rawName == b.rawName);
}

}  // namespace

ArchiveReader::ArchiveReader(VolumeOpener& opener, ReaderHooks hooks) : opener_(opener), hooks_(std::move(hooks)) {}

Code ArchiveReader::OpenVolume(std::unique_ptr<ByteSource> source, const std::string& name, Volume& v,
                               RarBlock& main) {
    uint64_t searchLen = std::min<uint64_t>(source->Size(), kSignatureSearch + sizeof kRar5Signature);
    std::vector<uint8_t> head(static_cast<size_t>(searchLen));
    if (!source->ReadAt(0, head)) return kEOpen;
    auto find = [&](std::span<const uint8_t> sig) {
        return std::search(head.begin(), head.end(), sig.begin(), sig.end()) - head.begin();
    };
    auto at4 = find(kRar4Signature);
    auto at5 = find(kRar5Signature);
    bool rar5 = at5 <= at4 && at5 < static_cast<std::ptrdiff_t>(head.size());
    if (!rar5 && at4 >= static_cast<std::ptrdiff_t>(head.size())) return kBadArchive;
    ArchiveFormat format = rar5 ? ArchiveFormat::Rar5 : ArchiveFormat::Rar4;
    if (volumes_ > 0 && format != format_) return kBadArchive;
    uint64_t base = rar5 ? static_cast<uint64_t>(at5) + sizeof kRar5Signature : static_cast<uint64_t>(at4) + sizeof kRar4Signature;
    // Some writers repeat the RAR4 marker block.
    while (!rar5 && base + sizeof kRar4Signature <= head.size() &&
           std::equal(std::begin(kRar4Signature), std::end(kRar4Signature), head.begin() + static_cast<std::ptrdiff_t>(base)))
        base += sizeof kRar4Signature;

    Code r = rar5 ? ReadRar5Block(*source, base, main) : ReadRar4Block(*source, base, main);
    if (r == kEndArchive) return kBadArchive;
    if (r != kSuccess) return r;
    if (main.kind == RarBlock::Kind::EncryptionHeader || main.headersEncrypted) return kUnknownFormat;
    if (main.kind != RarBlock::Kind::Main) return kBadArchive;
    format_ = format;
    v.source = std::move(source);
    v.name = name;
    v.pos = main.next;
    v.isVolume = main.volume;
    v.newNaming = main.newNaming;
    return kSuccess;
}

Code ArchiveReader::Open(const std::string& name, OpenMode mode, size_t commentLimit) {
    mode_ = mode;
    auto source = opener_.Open(name);
    if (!source) return kEOpen;
    RarBlock main;
    Code r = OpenVolume(std::move(source), name, vol_, main);
    if (r != kSuccess) return r;
    volumes_ = 1;
    if (commentLimit > 0) ReadComment(main, commentLimit);
    return kSuccess;
}

void ArchiveReader::ReadComment(const RarBlock& main, size_t limit) {
    if (main.hasComment && (!main.embeddedComment.empty() || main.embeddedCommentState != kSuccess)) {
        comment_.present = true;
        comment_.state = main.embeddedCommentState;
        comment_.text = main.embeddedComment.substr(0, limit);
        if (comment_.state == kSuccess && main.embeddedComment.size() > limit) comment_.state = kSmallBuf;
        return;
    }
    uint64_t pos = vol_.pos;
    for (int i = 0; i < kCommentSearchBlocks; ++i) {
        RarBlock b;
        Code r = format_ == ArchiveFormat::Rar5 ? ReadRar5Block(*vol_.source, pos, b)
                                                : ReadRar4Block(*vol_.source, pos, b);
        if (r != kSuccess || b.kind == RarBlock::Kind::File || b.kind == RarBlock::Kind::End) return;
        pos = b.next;
        if (b.kind != RarBlock::Kind::Service || b.entry.rawName != "CMT") continue;
        comment_.present = true;
        const RarEntry& e = b.entry;
        if (e.method != 0x30 || e.encrypted) {
            comment_.state = kUnknownFormat;
            return;
        }
        // Never more than the volume holds: a comment size that lies must not drive the allocation.
        uint64_t available = e.dataOffset < vol_.source->Size() ? vol_.source->Size() - e.dataOffset : 0;
        uint64_t take = std::min<uint64_t>({e.packSize, limit, available});
        comment_.text.assign(static_cast<size_t>(take), '\0');
        auto bytes = std::span(reinterpret_cast<uint8_t*>(comment_.text.data()), comment_.text.size());
        if (!vol_.source->ReadAt(e.dataOffset, bytes)) {
            comment_.text.clear();
            comment_.state = kBadData;
        } else if (take < e.packSize) {
            comment_.state = kSmallBuf;
        } else if (e.hasCrc && Crc32(bytes) != e.crc) {
            comment_.state = kBadData;
        }
        return;
    }
}

Code ArchiveReader::ReadBlock(RarBlock& block) {
    return format_ == ArchiveFormat::Rar5 ? ReadRar5Block(*vol_.source, vol_.pos, block)
                                          : ReadRar4Block(*vol_.source, vol_.pos, block);
}

Code ArchiveReader::OpenNextVolume() {
    if (volumes_ >= kMaxVolumes) return kBadArchive;
    std::string name = NextVolumeName(vol_.name, vol_.newNaming);
    for (int asks = 0;; ++asks) {
        if (auto source = opener_.Open(name)) {
            Volume v;
            RarBlock main;
            Code r = OpenVolume(std::move(source), name, v, main);
            if (r != kSuccess) return r;
            if (hooks_.volumeOpened && !hooks_.volumeOpened(name)) return kEOpen;
            vol_ = std::move(v);
            ++volumes_;
            return kSuccess;
        }
        if (asks >= kMaxVolumeAsks || !hooks_.askVolume || !hooks_.askVolume(name)) return kEOpen;
    }
}

Code ArchiveReader::ReadHeader(RarEntry& entry) {
    if (broken_ != kSuccess) return broken_;
    if (current_) {
        // The previous entry was not processed: step over it as a skip would.
        RarEntry skipped = *current_;
        current_.reset();
        Code r = SkipEntry(skipped);
        if (r != kSuccess) return broken_ = r;
    }
    for (;;) {
        RarBlock b;
        Code r = ReadBlock(b);
        if (r == kEndArchive) {
            if (!(vol_.isVolume && lastSplitAfter_)) return kEndArchive;
            r = OpenNextVolume();
            if (r != kSuccess) return broken_ = r;
            continue;
        }
        if (r != kSuccess) return broken_ = r;
        vol_.pos = b.next;
        switch (b.kind) {
        case RarBlock::Kind::End:
            if (!b.nextVolume && !(vol_.isVolume && lastSplitAfter_)) return kEndArchive;
            r = OpenNextVolume();
            if (r != kSuccess) return broken_ = r;
            continue;
        case RarBlock::Kind::EncryptionHeader:
            return broken_ = kUnknownFormat;
        case RarBlock::Kind::File:
            lastSplitAfter_ = b.entry.splitAfter;
            // Continuations are part of the entry before them, except in the mode that shows them.
            if (b.entry.splitBefore && mode_ != OpenMode::ListIncSplit) continue;
            current_ = b.entry;
            entry = b.entry;
            return kSuccess;
        default:
            continue;
        }
    }
}

Code ArchiveReader::NextContinuation(const RarEntry& previous, RarEntry& part) {
    Code r = OpenNextVolume();
    if (r != kSuccess) return r;
    for (;;) {
        RarBlock b;
        r = ReadBlock(b);
        if (r == kEndArchive) return kBadArchive;
        if (r != kSuccess) return r;
        vol_.pos = b.next;
        if (b.kind == RarBlock::Kind::End) return kBadArchive;
        if (b.kind != RarBlock::Kind::File) continue;
        if (!b.entry.splitBefore || !SameName(b.entry, previous)) return kBadArchive;
        lastSplitAfter_ = b.entry.splitAfter;
        part = b.entry;
        return kSuccess;
    }
}

Code ArchiveReader::SkipEntry(const RarEntry& entry) {
    vol_.pos = entry.dataOffset + entry.packSize;
    if (mode_ != OpenMode::Extract) return kSuccess;
    // In extraction mode the parts in later volumes belong to this entry.
    RarEntry part = entry;
    while (part.splitAfter) {
        RarEntry next;
        Code r = NextContinuation(part, next);
        if (r != kSuccess) return r;
        part = next;
    }
    return kSuccess;
}

std::u16string ArchiveReader::EntryName(const RarEntry& entry) const {
    if (entry.hasWideName) return entry.wideName;
    if (hooks_.decodeLegacyName) return hooks_.decodeLegacyName(entry.rawName);
    return Latin1ToUtf16(entry.rawName);
}

std::optional<std::filesystem::path> ArchiveReader::OutputPath(const RarEntry& entry,
                                                              const ExtractTarget& target) const {
    if (target.fullPath) return target.fullPath;
    auto relative = SafeRelativePath(EntryName(entry));
    if (!relative) return std::nullopt;
    return target.folder / *relative;
}

bool ArchiveReader::HavePassword() {
    if (password_.empty() && hooks_.needPassword) {
        std::string answer;
        if (hooks_.needPassword(answer)) password_ = std::move(answer);
    }
    return !password_.empty();
}

Code ArchiveReader::ExtractDirectory(const RarEntry& entry, const ExtractTarget& target) {
    auto path = OutputPath(entry, target);
    if (!path) return kSuccess;  // a name of nothing but separators and dots: nothing to make
    std::error_code ec;
    std::filesystem::create_directories(*path, ec);
    return std::filesystem::is_directory(*path, ec) ? kSuccess : kECreate;
}

Code ArchiveReader::Process(Operation op, const ExtractTarget& target) {
    if (broken_ != kSuccess) return broken_;
    if (!current_) return kUnknown;
    RarEntry entry = *current_;
    current_.reset();
    if (mode_ != OpenMode::Extract) op = Operation::Skip;

    Code outcome = kSuccess;
    if (op == Operation::Skip) {
        outcome = kSuccess;
    } else if (entry.splitBefore) {
        outcome = kBadArchive;  // a continuation without its start
    } else if (entry.link) {
        outcome = kSuccess;  // links are never made: they could point anywhere
    } else if (entry.directory) {
        outcome = op == Operation::Extract ? ExtractDirectory(entry, target) : kSuccess;
    } else if (entry.encrypted) {
        // Decryption is not supported: with a password the data still cannot be read.
        outcome = HavePassword() ? kUnknownFormat : kMissingPassword;
    } else {
        return Unpack(entry, op, target);
    }
    Code skipped = SkipEntry(entry);
    if (skipped != kSuccess) broken_ = skipped;
    return outcome != kSuccess ? outcome : skipped;
}

Code ArchiveReader::Unpack(const RarEntry& entry, Operation op, const ExtractTarget& target) {
    auto decoder = MakeDecoder(entry);
    if (!decoder) {
        Code skipped = SkipEntry(entry);
        if (skipped != kSuccess) broken_ = skipped;
        return kUnknownFormat;
    }
    std::optional<OutputFile> out;
    if (op == Operation::Extract) {
        auto path = OutputPath(entry, target);
        if (path) out.emplace(*path);
        if (!out || !out->IsOpen()) {
            out.reset();
            Code skipped = SkipEntry(entry);
            if (skipped != kSuccess) broken_ = skipped;
            return kECreate;
        }
    }

    uint32_t crc = 0;
    uint64_t total = 0;
    UnpackedSink sink = [&](std::span<const uint8_t> bytes) -> Code {
        if (bytes.empty()) return kSuccess;
        total += bytes.size();
        if (entry.unpSizeKnown && total > entry.unpSize) return kBadData;
        crc = Crc32(bytes, crc);
        if (hooks_.processedData && !hooks_.processedData(bytes)) return kUnknown;
        if (out && !out->Write(bytes)) return kEWrite;
        return kSuccess;
    };

    auto fail = [&](Code code) {
        if (out) out->Discard();
        return code;
    };

    std::vector<uint8_t> buffer(kChunk);
    RarEntry part = entry;
    for (;;) {
        vol_.pos = part.dataOffset + part.packSize;
        uint32_t partCrc = 0;
        uint64_t at = part.dataOffset;
        uint64_t left = part.packSize;
        while (left > 0) {
            size_t n = static_cast<size_t>(std::min<uint64_t>(left, buffer.size()));
            std::span<uint8_t> chunk(buffer.data(), n);
            if (!vol_.source->ReadAt(at, chunk)) return fail(kBadData);  // data cut short
            if (part.splitAfter) partCrc = Crc32(chunk, partCrc);  // only a continuing part has its own CRC
            Code r = decoder->Feed(chunk, sink);
            if (r != kSuccess) return fail(r);
            at += n;
            left -= n;
        }
        if (!part.splitAfter) break;
        if (part.hasCrc && partCrc != part.crc) return fail(kBadData);
        RarEntry next;
        Code r = NextContinuation(part, next);
        if (r != kSuccess) {
            broken_ = r;
            return fail(r);
        }
        part = next;
    }
    Code r = decoder->Finish(sink);
    if (r != kSuccess) return fail(r);
    if (entry.unpSizeKnown && total != entry.unpSize) return fail(kBadData);
    if (part.hasCrc && crc != part.crc) return fail(kBadData);
    if (out && !out->Close()) return fail(kEClose);
    return kSuccess;
}

}  // namespace qmrar
