// Archives built to hurt: names that climb out, sizes that lie, headers cut short or bit-flipped.
// Each must end with an error code, never a crash, a hang or a file outside the destination.
#include <gtest/gtest.h>

#include "RarTestSupport.h"
#include "rar/Crc32.h"
#include "rar/FileSource.h"
#include "rar/MemorySource.h"

using namespace rartest;
using qmrar::ArchiveFormat;

namespace {

class Hostile : public ::testing::TestWithParam<ArchiveFormat> {};

// Reads a buffer through every operation; returns the number of entries seen.
size_t Exhaust(const std::vector<uint8_t>& bytes, const fs::path& dest) {
    struct Opener : qmrar::VolumeOpener {
        std::vector<uint8_t> bytes;
        std::unique_ptr<qmrar::ByteSource> Open(const std::string& name) override {
            if (name != "mem.rar") return nullptr;
            return std::make_unique<qmrar::MemorySource>(bytes);
        }
    } opener;
    opener.bytes = bytes;
    qmrar::ArchiveReader reader(opener);
    if (reader.Open("mem.rar", qmrar::OpenMode::Extract, 1024) != qmrar::kSuccess) return 0;
    size_t n = 0;
    qmrar::RarEntry e;
    while (n < 1000 && reader.ReadHeader(e) == qmrar::kSuccess) {
        reader.Process(n % 2 ? qmrar::Operation::Test : qmrar::Operation::Extract, {dest, std::nullopt});
        ++n;
    }
    return n;
}

}  // namespace

TEST_P(Hostile, NamesThatClimbOutStayInsideTheDestination) {
    TempDir tmp;
    const std::vector<std::string> names = {
        "../evil1.txt",     "..\\..\\evil2.txt", "/abs/evil3.txt",  "C:\\evil4.txt", "C:evil5.txt",
        "\\\\server\\share\\evil6.txt", "dir/../../evil7.txt", "...\\evil8.txt", ".. /evil9.txt",
        "CON",              "sub/nul.txt",       "LPT1.log",        "a:b.txt",       "q?<>|*.txt",
    };
    std::vector<qmrar::WriterEntry> v;
    for (const auto& n : names) {
        qmrar::WriterEntry e;
        e.name = n;
        e.data = Bytes("x");
        v.push_back(e);
    }
    qmrar::WriterOptions o;
    o.format = GetParam();
    fs::path archiveDir = tmp.Path() / "archive";
    fs::path dest = tmp.Path() / "a" / "b" / "out";
    fs::create_directories(archiveDir);
    auto files = WriteVolumes(archiveDir / "evil", qmrar::WriteArchive(o, v));
    RunResult r = RunArchive(files[0], qmrar::Operation::Extract, dest);
    ASSERT_EQ(r.entries.size(), names.size());
    for (auto& e : r.entries) EXPECT_EQ(e.code, qmrar::kSuccess) << e.name;
    // Everything the run wrote is below dest; the only other file is the archive itself.
    auto all = FilesBelow(tmp.Path());
    for (const auto& f : all) EXPECT_TRUE(f.starts_with("a/b/out/") || f == "archive/evil.rar") << f;
    auto inside = FilesBelow(dest);
    EXPECT_EQ(inside.size(), names.size());
    EXPECT_TRUE(std::count(inside.begin(), inside.end(), "_CON"));
    EXPECT_TRUE(std::count(inside.begin(), inside.end(), "sub/_nul.txt"));
    EXPECT_TRUE(std::count(inside.begin(), inside.end(), "evil1.txt"));
    EXPECT_TRUE(std::count(inside.begin(), inside.end(), "server/share/evil6.txt"));
}

TEST_P(Hostile, SizesThatLieEndWithBadData) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v(2);
    v[0].name = "claims-more.txt";
    v[0].data = Bytes("short");
    v[0].unpSize = 5000000000ull;  // and the LARGE fields in RAR4
    v[1].name = "next.txt";
    v[1].data = Bytes("next");
    qmrar::WriterOptions o;
    o.format = GetParam();
    auto files = WriteVolumes(tmp.Path() / "lie", qmrar::WriteArchive(o, v));
    RunResult r = RunArchive(files[0], qmrar::Operation::Extract, tmp.Path() / "out");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].entry.unpSize, 5000000000ull);
    EXPECT_EQ(r.entries[0].code, qmrar::kBadData);
    EXPECT_EQ(r.entries[1].code, qmrar::kSuccess);

    // The archive cut inside the data: the entry fails, the walk ends.
    auto bytes = ReadBytes(files[0]);
    bytes.resize(bytes.size() - 30);
    WriteBytes(files[0], bytes);
    RunResult cut = RunArchive(files[0], qmrar::Operation::Test, tmp.Path());
    ASSERT_FALSE(cut.entries.empty());
    EXPECT_NE(cut.entries.back().code, qmrar::kSuccess);
    EXPECT_NE(cut.end, qmrar::kSuccess);
}

TEST_P(Hostile, HeaderCrcIsCheckedBeforeAnyFieldIsUsed) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v(2);
    v[0].name = "first.txt";
    v[0].data = Bytes("one");
    v[1].name = "second.txt";
    v[1].data = Bytes("two");
    qmrar::WriterOptions o;
    o.format = GetParam();
    auto bytes = qmrar::WriteArchive(o, v)[0];
    size_t second = 0;
    for (size_t i = 0; i + 10 <= bytes.size(); ++i)
        if (std::equal(bytes.begin() + i, bytes.begin() + i + 10, "second.txt")) second = i;
    ASSERT_GT(second, 0u);
    auto broken = bytes;
    broken[second] = 'S';  // the name is inside the header CRC
    WriteBytes(tmp.Path() / "h.rar", broken);
    RunResult r = RunArchive((tmp.Path() / "h.rar").string(), qmrar::Operation::Test, tmp.Path());
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.end, qmrar::kBadData);

    auto mainBroken = bytes;
    mainBroken[GetParam() == ArchiveFormat::Rar4 ? 7 : 9] ^= 0x01;  // the main header's CRC
    WriteBytes(tmp.Path() / "m.rar", mainBroken);
    EXPECT_EQ(RunArchive((tmp.Path() / "m.rar").string(), qmrar::Operation::Test, tmp.Path()).open, qmrar::kBadData);
}

TEST_P(Hostile, EveryTruncationAndByteFlipEndsCleanly) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v(3);
    v[0].name = "dir";
    v[0].directory = true;
    v[1].name = "dir/file.txt";
    v[1].data = Bytes("some bytes of data");
    v[2].name = "\xe8\xa1\xa8.txt";
    v[2].data = Bytes("more");
    qmrar::WriterOptions o;
    o.format = GetParam();
    o.comment = "note";
    auto bytes = qmrar::WriteArchive(o, v)[0];
    fs::path dest = tmp.Path() / "out";
    EXPECT_EQ(Exhaust(bytes, dest), 3u);
    for (size_t len = 0; len < bytes.size(); ++len) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len));
        EXPECT_LE(Exhaust(cut, dest), 3u);
    }
    for (size_t i = 0; i < bytes.size(); ++i)
        for (uint8_t mask : {0x01, 0x80, 0xFF}) {
            auto flipped = bytes;
            flipped[i] ^= mask;
            EXPECT_LE(Exhaust(flipped, dest), 3u);
        }
    for (const auto& f : FilesBelow(tmp.Path())) EXPECT_TRUE(f.starts_with("out/")) << f;
}

INSTANTIATE_TEST_SUITE_P(Formats, Hostile, ::testing::Values(ArchiveFormat::Rar4, ArchiveFormat::Rar5),
                         [](const auto& info) { return info.param == ArchiveFormat::Rar4 ? "Rar4" : "Rar5"; });

// Regression: a comment block claiming gigabytes made the reader allocate what the caller's buffer allowed.
TEST(HostileRar4, CommentSizeThatLiesAllocatesNoMoreThanTheFileHolds) {
    qmrar::WriterOptions o;
    o.format = ArchiveFormat::Rar4;
    o.comment = "short";
    std::vector<qmrar::WriterEntry> v(1);
    v[0].name = "a.txt";
    v[0].data = Bytes("a");
    auto bytes = qmrar::WriteArchive(o, v)[0];
    // Signature (7) and main header (13), then the comment block: its packed size is at +7.
    const size_t block = 20;
    ASSERT_EQ(bytes[block + 2], 0x7A);
    for (int i = 0; i < 4; ++i) bytes[block + 7 + i] = 0xF0 | (i == 3 ? 0x0F : 0);
    uint16_t headSize = static_cast<uint16_t>(bytes[block + 5] | (bytes[block + 6] << 8));
    uint32_t crc = qmrar::Crc32(std::span(bytes).subspan(block + 2, headSize - 2u));
    bytes[block] = static_cast<uint8_t>(crc);
    bytes[block + 1] = static_cast<uint8_t>(crc >> 8);
    TempDir tmp;
    WriteBytes(tmp.Path() / "c.rar", bytes);
    qmrar::FileVolumeOpener opener;
    qmrar::ArchiveReader reader(opener);
    ASSERT_EQ(reader.Open((tmp.Path() / "c.rar").string(), qmrar::OpenMode::List, size_t{1} << 31), qmrar::kSuccess);
    EXPECT_EQ(reader.Comment().state, qmrar::kSmallBuf);
    EXPECT_LT(reader.Comment().text.size(), bytes.size());
}

TEST(HostileRar5, VintsAndSizeFieldsOutOfRangeAreRejected) {
    // Signature, then a block whose size vint runs past three bytes.
    std::vector<uint8_t> b = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};
    TempDir tmp;
    WriteBytes(tmp.Path() / "v.rar", b);
    EXPECT_EQ(RunArchive((tmp.Path() / "v.rar").string(), qmrar::Operation::Test, tmp.Path()).open, qmrar::kBadData);
    // No signature at all.
    WriteBytes(tmp.Path() / "n.rar", Bytes("PK\x03\x04 not a rar archive"));
    EXPECT_EQ(RunArchive((tmp.Path() / "n.rar").string(), qmrar::Operation::Test, tmp.Path()).open, qmrar::kBadArchive);
    EXPECT_EQ(RunArchive((tmp.Path() / "missing.rar").string(), qmrar::Operation::Test, tmp.Path()).open, qmrar::kEOpen);
}
