#pragma once
// RarWriter: writes RAR4 and RAR5 archives with stored entries: skin packages and test fixtures.
// The knobs beyond name and data exist so fixtures can carry every header variant, also broken ones.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rar/RarEntry.h"

namespace qmrar {

struct WriterEntry {
    std::string name;  // UTF-8, '/' between folders
    std::vector<uint8_t> data;
    bool directory = false;
    uint32_t dosTime = 0x5A8C6000;  // 2025-04-12 12:00:00
    uint32_t attr = 0x20;

    // Fixture knobs.
    std::optional<uint32_t> crc;       // stored CRC instead of the data's
    std::optional<uint64_t> unpSize;   // declared size instead of the data's length
    uint32_t method = 0x30;            // RAR4 numbering; data is written as given either way
    bool encrypted = false;
    bool largeFields = false;          // RAR4: the 64-bit size fields even when not needed
    bool extTime = false;              // RAR4: an extended-time field
    bool salt = false;                 // RAR4: a salt field
    uint32_t unpVer = 0;               // 0: the format's usual value
    enum class Rar4Name { Auto, Legacy, Packed, Utf8 } rar4Name = Rar4Name::Auto;
};

struct WriterOptions {
    ArchiveFormat format = ArchiveFormat::Rar5;
    std::string comment;        // stored archive comment; none when empty
    uint32_t commentMethod = 0x30;  // RAR4 numbering; the comment is written as given either way
    bool solid = false;
    uint64_t volumeSize = 0;    // split into volumes of about this many bytes; 0: one volume
    bool endBlock = true;
    bool oldNaming = false;     // RAR4 volumes named .rar, .r00, ...
};

// One byte vector per volume.
std::vector<std::vector<uint8_t>> WriteArchive(const WriterOptions& options, const std::vector<WriterEntry>& entries);

}  // namespace qmrar
