// RAR 1.5-4.x blocks: a 7-byte base header, its CRC over the whole header, optional added data.
#include <vector>

#include "rar/ByteCursor.h"
#include "rar/Crc32.h"
#include "rar/NameDecoding.h"
#include "rar/RarBlock.h"

namespace qmrar {
namespace {

constexpr uint8_t kTypeMain = 0x73;
constexpr uint8_t kTypeFile = 0x74;
constexpr uint8_t kTypeNewSub = 0x7A;
constexpr uint8_t kTypeEnd = 0x7B;
constexpr uint16_t kLongBlock = 0x8000;

Code ParseFile(ByteCursor& c, uint16_t flags, uint64_t headerOffset, uint16_t headSize, RarEntry& e) {
    uint32_t packLow = 0, unpLow = 0, crc = 0, ftime = 0, attr = 0;
    uint8_t host = 0, ver = 0, method = 0;
    uint16_t nameSize = 0;
    if (!c.U32(packLow) || !c.U32(unpLow) || !c.U8(host) || !c.U32(crc) || !c.U32(ftime) || !c.U8(ver) ||
        !c.U8(method) || !c.U16(nameSize) || !c.U32(attr))
        return kBadData;
    uint64_t pack = packLow, unp = unpLow;
    if (flags & 0x0100) {
        uint32_t packHigh = 0, unpHigh = 0;
        if (!c.U32(packHigh) || !c.U32(unpHigh)) return kBadData;
        pack |= static_cast<uint64_t>(packHigh) << 32;
        unp |= static_cast<uint64_t>(unpHigh) << 32;
    }
    std::span<const uint8_t> name;
    if (!c.Bytes(nameSize, name)) return kBadData;
    if (flags & 0x0400 && !c.Skip(8)) return kBadData;  // salt

    e.format = ArchiveFormat::Rar4;
    e.packSize = pack;
    e.unpSize = unp;
    e.hostOs = host;
    e.crc = crc;
    e.hasCrc = true;
    e.dosTime = ftime;
    e.unpVer = ver;
    e.method = method;
    e.attr = attr;
    e.splitBefore = flags & 0x0001;
    e.splitAfter = flags & 0x0002;
    e.encrypted = flags & 0x0004;
    e.solid = flags & 0x0010;
    e.directory = (flags & 0x00E0) == 0x00E0;
    e.link = host == 3 && (attr & 0xF000) == 0xA000;
    e.dataOffset = headerOffset + headSize;
    e.rawName.assign(name.begin(), name.end());
    if (flags & 0x0200) {
        auto wide = DecodeRar4UnicodeName(name);
        if (!wide) return kBadData;
        e.wideName = std::move(*wide);
        e.hasWideName = true;
        // The 8-bit name is the part before the packed form.
        size_t zero = e.rawName.find('\0');
        if (zero != std::string::npos) e.rawName.resize(zero);
    } else if (host == 3 && IsUtf8(e.rawName)) {
        // Unix hosts store names as UTF-8 without saying so.
        e.wideName = Utf8ToUtf16(e.rawName);
        e.hasWideName = true;
    }
    e.flags = (e.splitBefore ? kFlagSplitBefore : 0) | (e.splitAfter ? kFlagSplitAfter : 0) |
              (e.encrypted ? kFlagEncrypted : 0) | (e.solid ? kFlagSolid : 0) | (e.directory ? kFlagDirectory : 0);
    return kSuccess;
}

// RAR 2.x keeps the comment inside the main header as a block of its own.
void ParseEmbeddedComment(ByteCursor& c, RarBlock& block) {
    uint16_t crc16 = 0, flags = 0, size = 0, unpSize = 0, commCrc = 0;
    uint8_t type = 0, ver = 0, method = 0;
    if (!c.U16(crc16) || !c.U8(type) || !c.U16(flags) || !c.U16(size) || !c.U16(unpSize) || !c.U8(ver) ||
        !c.U8(method) || !c.U16(commCrc) || type != 0x75 || size < 13) {
        block.embeddedCommentState = kBadData;
        return;
    }
    std::string text;
    if (!c.Text(size - 13u, text)) {
        block.embeddedCommentState = kBadData;
        return;
    }
    if (method != 0x30) {
        block.embeddedCommentState = kUnknownFormat;
        return;
    }
    auto bytes = std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if ((Crc32(bytes) & 0xFFFF) != commCrc) {
        block.embeddedCommentState = kBadData;
        return;
    }
    block.embeddedComment = std::move(text);
}

}  // namespace

Code ReadRar4Block(ByteSource& source, uint64_t offset, RarBlock& block) {
    block = RarBlock{};
    if (offset >= source.Size()) return kEndArchive;
    uint8_t base[7];
    if (source.Size() - offset < sizeof base || !source.ReadAt(offset, base)) return kBadData;
    ByteCursor bc(base);
    uint16_t crc16 = 0, flags = 0, headSize = 0;
    uint8_t type = 0;
    bc.U16(crc16);
    bc.U8(type);
    bc.U16(flags);
    bc.U16(headSize);
    if (headSize < 7 || headSize > source.Size() - offset) return kBadData;
    std::vector<uint8_t> header(headSize);
    if (!source.ReadAt(offset, header)) return kERead;
    if ((Crc32(std::span(header).subspan(2)) & 0xFFFF) != crc16) return kBadData;

    ByteCursor c(header);
    c.Seek(7);
    uint64_t added = 0;
    if (type == kTypeFile || type == kTypeNewSub) {
        Code r = ParseFile(c, flags, offset, headSize, block.entry);
        if (r != kSuccess) return r;
        added = block.entry.packSize;
        block.kind = type == kTypeFile ? RarBlock::Kind::File : RarBlock::Kind::Service;
    } else {
        if (flags & kLongBlock) {
            uint32_t addSize = 0;
            if (!c.U32(addSize)) return kBadData;
            added = addSize;
        }
        if (type == kTypeMain) {
            block.kind = RarBlock::Kind::Main;
            uint16_t reserved1 = 0;
            uint32_t reserved2 = 0;
            if (!c.Seek(7) || !c.U16(reserved1) || !c.U32(reserved2)) return kBadData;
            if (flags & 0x0200) c.Skip(1);
            block.volume = flags & 0x0001;
            block.hasComment = flags & 0x0002;
            block.solid = flags & 0x0008;
            block.newNaming = flags & 0x0010;
            block.headersEncrypted = flags & 0x0080;
            if (block.hasComment && c.Left() > 0) ParseEmbeddedComment(c, block);
        } else if (type == kTypeEnd) {
            block.kind = RarBlock::Kind::End;
            block.nextVolume = flags & 0x0001;
        }
    }
    // Sizes that lie are caught here: the next offset must not wrap around.
    uint64_t headerEnd = offset + headSize;
    if (added > UINT64_MAX - headerEnd) return kBadData;
    block.next = headerEnd + added;
    return kSuccess;
}

}  // namespace qmrar
