#include "rar/RarWriter.h"

#include <algorithm>
#include <cstdint>

#include "rar/Crc32.h"
#include "rar/NameDecoding.h"
#include "rar/RarBlock.h"

namespace qmrar {
namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutV(Bytes& b, uint64_t v) {
    do {
        uint8_t byte = v & 0x7F;
        v >>= 7;
        b.push_back(byte | (v ? 0x80 : 0));
    } while (v);
}
void Append(Bytes& b, const Bytes& more) {
    if (!more.empty()) b.insert(b.end(), more.begin(), more.end());
}
void Append(Bytes& b, const std::string& more) { b.insert(b.end(), more.begin(), more.end()); }

// One stored piece of an entry in one volume.
struct Part {
    const WriterEntry* entry;
    size_t offset, length;
    bool before, after;
    uint32_t crc;
};

// ---- RAR4 ----
Bytes Rar4Block(uint8_t type, uint16_t flags, const Bytes& fields) {
    Bytes h;
    h.push_back(type);
    Put16(h, flags);
    Put16(h, static_cast<uint32_t>(fields.size() + 7));
    Append(h, fields);
    uint32_t crc = Crc32(h) & 0xFFFF;
    Bytes out;
    Put16(out, crc);
    Append(out, h);
    return out;
}

Bytes Rar4NameField(const WriterEntry& e, uint16_t& flags) {
    std::string name = e.name;
    std::replace(name.begin(), name.end(), '/', '\\');
    bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
    auto mode = e.rar4Name;
    if (mode == WriterEntry::Rar4Name::Auto) mode = ascii ? WriterEntry::Rar4Name::Legacy : WriterEntry::Rar4Name::Packed;
    Bytes out;
    if (mode == WriterEntry::Rar4Name::Legacy) return Bytes(name.begin(), name.end());
    flags |= 0x0200;
    if (mode == WriterEntry::Rar4Name::Utf8) return Bytes(name.begin(), name.end());
    // Legacy form ('?' for what 7-bit ASCII lacks), NUL, high byte 0, then four 2-bit ops per flag byte:
    // 0 = one byte, 2 = a full UTF-16 unit.
    std::u16string wide = Utf8ToUtf16(name);
    for (char16_t c : wide) out.push_back(c < 0x80 ? static_cast<uint8_t>(c) : '?');
    out.push_back(0);
    out.push_back(0);
    for (size_t i = 0; i < wide.size(); i += 4) {
        uint8_t ops = 0;
        Bytes data;
        for (size_t k = 0; k < 4; ++k) {
            if (i + k >= wide.size()) break;
            char16_t c = wide[i + k];
            if (c < 0x100) {
                data.push_back(static_cast<uint8_t>(c));
            } else {
                ops |= static_cast<uint8_t>(2 << (6 - 2 * k));
                Put16(data, c);
            }
        }
        out.push_back(ops);
        Append(out, data);
    }
    return out;
}

Bytes Rar4File(const Part& p, bool solid) {
    const WriterEntry& e = *p.entry;
    uint16_t flags = 0x8000;
    if (p.before) flags |= 0x0001;
    if (p.after) flags |= 0x0002;
    if (e.encrypted) flags |= 0x0004;
    if (solid) flags |= 0x0010;
    if (e.directory) flags |= 0x00E0;
    uint64_t unp = e.unpSize.value_or(e.data.size());
    bool large = e.largeFields || unp > 0xFFFFFFFFu || p.length > 0xFFFFFFFFu;
    if (large) flags |= 0x0100;
    if (e.salt) flags |= 0x0400;
    if (e.extTime) flags |= 0x1000;
    Bytes name = Rar4NameField(e, flags);
    Bytes f;
    Put32(f, static_cast<uint32_t>(p.length));
    Put32(f, static_cast<uint32_t>(unp));
    f.push_back(2);  // Win32
    Put32(f, p.crc);
    Put32(f, e.dosTime);
    f.push_back(static_cast<uint8_t>(e.unpVer ? e.unpVer : 20));
    f.push_back(static_cast<uint8_t>(e.method));
    Put16(f, static_cast<uint32_t>(name.size()));
    Put32(f, e.directory ? 0x10 : e.attr);
    if (large) {
        Put32(f, static_cast<uint32_t>(static_cast<uint64_t>(p.length) >> 32));
        Put32(f, static_cast<uint32_t>(unp >> 32));
    }
    Append(f, name);
    if (e.salt) Append(f, Bytes{1, 2, 3, 4, 5, 6, 7, 8});
    if (e.extTime) {
        Put16(f, 0x8000 | 0x4000 | 3);  // mtime present, +1 s, 3 fraction bytes
        Append(f, Bytes{0x10, 0x20, 0x30});
    }
    Bytes out = Rar4Block(0x74, flags, f);
    out.insert(out.end(), e.data.begin() + static_cast<std::ptrdiff_t>(p.offset),
               e.data.begin() + static_cast<std::ptrdiff_t>(p.offset + p.length));
    return out;
}

Bytes Rar4Main(const WriterOptions& o, bool volume, bool first, bool comment) {
    uint16_t flags = 0;
    if (volume) flags |= 0x0001 | (o.oldNaming ? 0 : 0x0010) | (first ? 0x0100 : 0);
    if (comment) flags |= 0x0002;
    if (o.solid) flags |= 0x0008;
    Bytes f(6, 0);
    Bytes out(std::begin(kRar4Signature), std::end(kRar4Signature));
    Append(out, Rar4Block(0x73, flags, f));
    return out;
}

Bytes Rar4Comment(const std::string& text, uint32_t method) {
    Bytes f;
    Put32(f, static_cast<uint32_t>(text.size()));
    Put32(f, static_cast<uint32_t>(text.size()));
    f.push_back(2);
    Put32(f, Crc32(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
    Put32(f, 0);
    f.push_back(29);
    f.push_back(static_cast<uint8_t>(method));
    Put16(f, 3);
    Put32(f, 0);
    Append(f, std::string("CMT"));
    Bytes out = Rar4Block(0x7A, 0x8000, f);
    Append(out, text);
    return out;
}

Bytes Rar4End(bool nextVolume, uint32_t number, bool volume) {
    Bytes f;
    uint16_t flags = nextVolume ? 0x0001 : 0;
    if (volume) {
        flags |= 0x0008;
        Put16(f, number);
    }
    return Rar4Block(0x7B, flags, f);
}

// ---- RAR5 ----
Bytes Rar5Block(uint64_t type, uint64_t flags, const Bytes& typeFields, const Bytes& extra, uint64_t dataSize) {
    Bytes body;
    PutV(body, type);
    uint64_t blockFlags = flags | (extra.empty() ? 0 : 0x01) | (dataSize ? 0x02 : 0);
    PutV(body, blockFlags);
    if (!extra.empty()) PutV(body, extra.size());
    if (dataSize) PutV(body, dataSize);
    Append(body, typeFields);
    Append(body, extra);
    Bytes sized;
    PutV(sized, body.size());
    Append(sized, body);
    Bytes out;
    Put32(out, Crc32(sized));
    Append(out, sized);
    return out;
}

Bytes Rar5FileFields(const WriterEntry& e, uint64_t unp, uint32_t crc, const std::string& name, bool solid) {
    Bytes f;
    PutV(f, (e.directory ? 0x01 : 0) | 0x02 | (e.directory ? 0 : 0x04));
    PutV(f, unp);
    PutV(f, e.directory ? 0x10 : e.attr);
    Put32(f, 1700000000);  // mtime
    if (!e.directory) Put32(f, crc);
    uint64_t method = e.method >= 0x30 ? e.method - 0x30 : e.method;
    PutV(f, (method << 7) | (solid ? 0x40 : 0) | (e.unpVer == 70 ? 1 : 0));
    PutV(f, 0);  // Windows
    PutV(f, name.size());
    Append(f, name);
    return f;
}

Bytes Rar5File(const Part& p, bool solid) {
    const WriterEntry& e = *p.entry;
    uint64_t flags = (p.before ? 0x08 : 0) | (p.after ? 0x10 : 0);
    Bytes extra;
    if (e.encrypted) {
        Bytes rec;
        PutV(rec, 1);                     // encryption record
        Append(rec, Bytes(1 + 1 + 1 + 16 + 16, 0));  // version, flags, KDF count, salt, IV
        PutV(extra, rec.size());
        Append(extra, rec);
    }
    Bytes fields = Rar5FileFields(e, e.unpSize.value_or(e.data.size()), p.crc, e.name, solid);
    Bytes out = Rar5Block(2, flags, fields, extra, p.length);
    out.insert(out.end(), e.data.begin() + static_cast<std::ptrdiff_t>(p.offset),
               e.data.begin() + static_cast<std::ptrdiff_t>(p.offset + p.length));
    return out;
}

Bytes Rar5Main(const WriterOptions& o, bool volume, uint32_t number) {
    Bytes f;
    uint64_t flags = (volume ? 0x01 : 0) | (volume && number > 0 ? 0x02 : 0) | (o.solid ? 0x04 : 0);
    PutV(f, flags);
    if (volume && number > 0) PutV(f, number);
    Bytes out(std::begin(kRar5Signature), std::end(kRar5Signature));
    Append(out, Rar5Block(1, 0, f, {}, 0));
    return out;
}

Bytes Rar5Comment(const std::string& text, uint32_t method) {
    WriterEntry cmt;
    cmt.attr = 0;
    cmt.method = method;
    Bytes fields = Rar5FileFields(cmt, text.size(),
                                  Crc32(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())),
                                  "CMT", false);
    Bytes out = Rar5Block(3, 0, fields, {}, text.size());
    Append(out, text);
    return out;
}

Bytes Rar5End(bool nextVolume) {
    Bytes f;
    PutV(f, nextVolume ? 1 : 0);
    return Rar5Block(5, 0, f, {}, 0);
}

}  // namespace

std::vector<std::vector<uint8_t>> WriteArchive(const WriterOptions& o, const std::vector<WriterEntry>& entries) {
    const bool rar5 = o.format == ArchiveFormat::Rar5;
    const bool split = o.volumeSize > 0;
    // Room kept for each part's header; volumes therefore end near, not exactly at, volumeSize.
    const size_t headerRoom = 512;

    std::vector<std::vector<Part>> volumes(1);
    size_t used = 64 + (o.comment.empty() ? 0 : o.comment.size() + 64);
    for (const WriterEntry& e : entries) {
        size_t offset = 0;
        for (;;) {
            size_t room = SIZE_MAX;
            if (split) {
                room = o.volumeSize > used + headerRoom ? static_cast<size_t>(o.volumeSize - used - headerRoom) : 0;
                if (room == 0 && !volumes.back().empty()) {
                    volumes.emplace_back();
                    used = 64;
                    continue;
                }
                room = std::max<size_t>(room, 1);
            }
            size_t length = std::min(room, e.data.size() - offset);
            Part p{&e, offset, length, offset > 0, offset + length < e.data.size(), 0};
            p.crc = p.after ? Crc32(std::span(e.data).subspan(offset, length)) : e.crc.value_or(Crc32(e.data));
            volumes.back().push_back(p);
            used += length + headerRoom;
            offset += length;
            if (offset >= e.data.size()) break;
        }
    }

    std::vector<Bytes> out;
    for (size_t v = 0; v < volumes.size(); ++v) {
        const bool last = v + 1 == volumes.size();
        Bytes b = rar5 ? Rar5Main(o, split, static_cast<uint32_t>(v)) : Rar4Main(o, split, v == 0, !o.comment.empty() && v == 0);
        if (v == 0 && !o.comment.empty()) Append(b, rar5 ? Rar5Comment(o.comment, o.commentMethod) : Rar4Comment(o.comment, o.commentMethod));
        for (const Part& p : volumes[v]) Append(b, rar5 ? Rar5File(p, o.solid) : Rar4File(p, o.solid));
        if (o.endBlock) Append(b, rar5 ? Rar5End(!last) : Rar4End(!last, static_cast<uint32_t>(v), split));
        out.push_back(std::move(b));
    }
    return out;
}

}  // namespace qmrar
