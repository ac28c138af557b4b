// RAR 5.0 blocks: CRC32, a vint size, then type, flags and the type's fields, with extra records at the end.
#include <ctime>
#include <vector>

#include "rar/ByteCursor.h"
#include "rar/Crc32.h"
#include "rar/NameDecoding.h"
#include "rar/RarBlock.h"

namespace qmrar {
namespace {

constexpr uint64_t kTypeMain = 1, kTypeFile = 2, kTypeService = 3, kTypeCrypt = 4, kTypeEnd = 5;
constexpr uint64_t kHasExtra = 0x01, kHasData = 0x02, kSplitBefore = 0x08, kSplitAfter = 0x10;

// 100 ns ticks since 1601 to Unix seconds.
int64_t FileTimeToUnix(uint64_t ft) { return static_cast<int64_t>(ft / 10000000ull) - 11644473600ll; }

Code ParseExtra(std::span<const uint8_t> area, RarEntry& e) {
    ByteCursor c(area);
    while (c.Left() > 0) {
        uint64_t size = 0, type = 0;
        if (!c.VInt(size) || size == 0 || size > c.Left()) return kBadData;
        std::span<const uint8_t> record;
        c.Bytes(static_cast<size_t>(size), record);
        ByteCursor r(record);
        if (!r.VInt(type)) return kBadData;
        if (type == 1) {
            e.encrypted = true;
        } else if (type == 3) {
            uint64_t tflags = 0;
            if (!r.VInt(tflags)) return kBadData;
            if (tflags & 0x02) {
                if (tflags & 0x01) {
                    uint32_t t = 0;
                    if (!r.U32(t)) return kBadData;
                    e.dosTime = UnixToDosTime(t);
                } else {
                    uint64_t ft = 0;
                    if (!r.U64(ft)) return kBadData;
                    e.dosTime = UnixToDosTime(FileTimeToUnix(ft));
                }
            }
        } else if (type == 5) {
            e.link = true;
        }
    }
    return kSuccess;
}

Code ParseFile(ByteCursor& c, uint64_t blockFlags, RarEntry& e) {
    uint64_t fileFlags = 0, unp = 0, attr = 0, comp = 0, host = 0, nameLen = 0;
    if (!c.VInt(fileFlags) || !c.VInt(unp) || !c.VInt(attr)) return kBadData;
    if (fileFlags & 0x02) {
        uint32_t mtime = 0;
        if (!c.U32(mtime)) return kBadData;
        e.dosTime = UnixToDosTime(mtime);
    }
    if (fileFlags & 0x04) {
        if (!c.U32(e.crc)) return kBadData;
        e.hasCrc = true;
    }
    if (!c.VInt(comp) || !c.VInt(host) || !c.VInt(nameLen)) return kBadData;
    if (nameLen > c.Left() || !c.Text(static_cast<size_t>(nameLen), e.rawName)) return kBadData;

    e.format = ArchiveFormat::Rar5;
    e.directory = fileFlags & 0x01;
    e.unpSizeKnown = !(fileFlags & 0x08);
    e.unpSize = unp;
    e.attr = static_cast<uint32_t>(attr);
    e.unpVer = (comp & 0x3F) == 0 ? 50 : 70;
    e.method = 0x30 + static_cast<uint32_t>((comp >> 7) & 7);
    e.solid = comp & 0x40;
    e.hostOs = host == 0 ? 2 : host == 1 ? 3 : static_cast<uint32_t>(host > 0xFF ? 0xFF : host);
    e.splitBefore = blockFlags & kSplitBefore;
    e.splitAfter = blockFlags & kSplitAfter;
    e.wideName = Utf8ToUtf16(e.rawName);
    e.hasWideName = true;
    return kSuccess;
}

}  // namespace

uint32_t UnixToDosTime(int64_t unixTime) {
    constexpr uint32_t kEarliest = (0u << 25) | (1u << 21) | (1u << 16);  // 1980-01-01 00:00:00
    if (unixTime < 315532800) return kEarliest;
    std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &t) != 0) return kEarliest;
#else
    if (!localtime_r(&t, &tm)) return kEarliest;
#endif
    if (tm.tm_year < 80) return kEarliest;
    if (tm.tm_year > 80 + 127) tm.tm_year = 80 + 127;
    return (static_cast<uint32_t>(tm.tm_year - 80) << 25) | (static_cast<uint32_t>(tm.tm_mon + 1) << 21) |
           (static_cast<uint32_t>(tm.tm_mday) << 16) | (static_cast<uint32_t>(tm.tm_hour) << 11) |
           (static_cast<uint32_t>(tm.tm_min) << 5) | static_cast<uint32_t>(tm.tm_sec / 2);
}

Code ReadRar5Block(ByteSource& source, uint64_t offset, RarBlock& block) {
    block = RarBlock{};
    if (offset >= source.Size()) return kEndArchive;
    const uint64_t left = source.Size() - offset;
    uint8_t start[7] = {};
    size_t startLen = left < sizeof start ? static_cast<size_t>(left) : sizeof start;
    if (startLen < 5 || !source.ReadAt(offset, std::span(start, startLen))) return kBadData;
    ByteCursor sc(std::span<const uint8_t>(start, startLen));
    uint32_t crc = 0;
    uint64_t size = 0;
    sc.U32(crc);
    size_t sizeStart = sc.Position();
    if (!sc.VInt(size) || sc.Position() - sizeStart > 3 || size == 0) return kBadData;
    const uint64_t headerLen = sc.Position() + size;
    if (headerLen > left) return kBadData;
    std::vector<uint8_t> header(static_cast<size_t>(headerLen));
    if (!source.ReadAt(offset, header)) return kERead;
    if (Crc32(std::span(header).subspan(4)) != crc) return kBadData;

    ByteCursor c(header);
    c.Seek(sc.Position());
    uint64_t type = 0, flags = 0, extraSize = 0, dataSize = 0;
    if (!c.VInt(type) || !c.VInt(flags)) return kBadData;
    if ((flags & kHasExtra) && !c.VInt(extraSize)) return kBadData;
    if ((flags & kHasData) && !c.VInt(dataSize)) return kBadData;
    if (extraSize > c.Left()) return kBadData;
    const size_t extraStart = header.size() - static_cast<size_t>(extraSize);
    ByteCursor body(std::span<const uint8_t>(header).first(extraStart));
    body.Seek(c.Position());
    std::span<const uint8_t> extra = std::span<const uint8_t>(header).subspan(extraStart);

    switch (type) {
    case kTypeMain: {
        uint64_t arcFlags = 0, volNumber = 0;
        if (!body.VInt(arcFlags)) return kBadData;
        if ((arcFlags & 0x02) && !body.VInt(volNumber)) return kBadData;
        block.kind = RarBlock::Kind::Main;
        block.volume = arcFlags & 0x01;
        block.solid = arcFlags & 0x04;
        block.newNaming = true;
        break;
    }
    case kTypeFile:
    case kTypeService: {
        Code r = ParseFile(body, flags, block.entry);
        if (r == kSuccess) r = ParseExtra(extra, block.entry);
        if (r != kSuccess) return r;
        block.kind = type == kTypeFile ? RarBlock::Kind::File : RarBlock::Kind::Service;
        RarEntry& e = block.entry;
        e.packSize = dataSize;
        e.dataOffset = offset + headerLen;
        e.flags = (e.splitBefore ? kFlagSplitBefore : 0) | (e.splitAfter ? kFlagSplitAfter : 0) |
                  (e.encrypted ? kFlagEncrypted : 0) | (e.solid ? kFlagSolid : 0) |
                  (e.directory ? kFlagDirectory : 0);
        break;
    }
    case kTypeCrypt:
        block.kind = RarBlock::Kind::EncryptionHeader;
        block.headersEncrypted = true;
        break;
    case kTypeEnd: {
        uint64_t endFlags = 0;
        if (!body.VInt(endFlags)) return kBadData;
        block.kind = RarBlock::Kind::End;
        block.nextVolume = endFlags & 0x01;
        break;
    }
    default:
        block.kind = RarBlock::Kind::Other;
        break;
    }
    const uint64_t headerEnd = offset + headerLen;
    if (dataSize > UINT64_MAX - headerEnd) return kBadData;
    block.next = headerEnd + dataSize;
    return kSuccess;
}

}  // namespace qmrar
