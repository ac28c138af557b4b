#pragma once
// RarBlock: one parsed header block of either format, and the parsers that read them.
#include <cstdint>
#include <string>

#include "rar/ByteSource.h"
#include "rar/RarCodes.h"
#include "rar/RarEntry.h"

namespace qmrar {

struct RarBlock {
    enum class Kind { Main, File, Service, End, EncryptionHeader, Comment, Other };
    Kind kind = Kind::Other;
    uint64_t next = 0;  // offset of the block after this one (header plus data)

    // Main
    bool volume = false;
    bool newNaming = false;
    bool headersEncrypted = false;
    bool solid = false;
    bool hasComment = false;
    // End
    bool nextVolume = false;
    // File and service (service names such as "CMT" are in entry.rawName)
    RarEntry entry;
    // An old-style comment embedded in the main header: its stored bytes and how to read them.
    std::string embeddedComment;
    Code embeddedCommentState = kSuccess;
};

inline constexpr uint8_t kRar4Signature[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
inline constexpr uint8_t kRar5Signature[8] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};

// Each returns kEndArchive when offset is at or past the end of the source, kBadData for a header that
// is cut short, fails its CRC or contradicts itself; kSuccess otherwise. Nothing in the block is
// trusted before its CRC matched.
Code ReadRar4Block(ByteSource& source, uint64_t offset, RarBlock& block);
Code ReadRar5Block(ByteSource& source, uint64_t offset, RarBlock& block);

// MS-DOS date and time (local) of a Unix time; 1980-01-01 for earlier times.
uint32_t UnixToDosTime(int64_t unixTime);

}  // namespace qmrar
