// Archives built to hurt: names that climb out, sizes that lie, headers cut short or bit-flipped.
// Each must end with an error code, never a crash, a hang or a file outside the destination.
#include <gtest/gtest.h>

#include "RarTestSupport.h"
#include "rar/Crc32.h"

using namespace rartest;
using qmrar::ArchiveFormat;

namespace {

class Hostile : public ::testing::TestWithParam<ArchiveFormat> {
protected:
    std::vector<uint8_t> Archive(const std::vector<qmrar::WriterEntry>& v, const std::string& comment = "") {
        return qmrar::WriteArchive(Options(GetParam(), 0, comment), v)[0];
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        WriteBytes(tmp.Path() / name, bytes);
        return (tmp.Path() / name).string();
    }
    TempDir tmp;
};

// Extracts a buffer as the archive "x.rar" in dir; returns the number of entries seen.
size_t Exhaust(const std::vector<uint8_t>& bytes, const fs::path& dir) {
    WriteBytes(dir / "x.rar", bytes);
    return RunArchive((dir / "x.rar").string(), qmrar::Operation::Extract, dir / "out").entries.size();
}

}  // namespace

TEST_P(Hostile, NamesThatClimbOutStayInsideTheDestination) {
    const std::vector<std::string> names = {
        "../evil1.txt",     "..\\..\\evil2.txt", "/abs/evil3.txt",  "C:\\evil4.txt", "C:evil5.txt",
        "\\\\server\\share\\evil6.txt", "dir/../../evil7.txt", "...\\evil8.txt", ".. /evil9.txt",
        "CON",              "sub/nul.txt",       "LPT1.log",        "a:b.txt",       "q?<>|*.txt",
    };
    std::vector<qmrar::WriterEntry> v;
    for (const auto& n : names) v.push_back(Entry(n, "x"));
    fs::path dest = tmp.Path() / "a" / "b" / "out";
    fs::create_directories(tmp.Path() / "archive");
    RunResult r = RunArchive(Write("archive/evil.rar", Archive(v)), qmrar::Operation::Extract, dest);
    ASSERT_EQ(r.entries.size(), names.size());
    for (auto& e : r.entries) EXPECT_EQ(e.code, qmrar::kSuccess) << e.name;
    // Everything the run wrote is below dest; the only other file is the archive itself.
    for (const auto& f : FilesBelow(tmp.Path())) EXPECT_TRUE(f.starts_with("a/b/out/") || f == "archive/evil.rar") << f;
    auto inside = FilesBelow(dest);
    EXPECT_EQ(inside.size(), names.size());
    for (const char* f : {"_CON", "sub/_nul.txt", "evil1.txt", "server/share/evil6.txt"})
        EXPECT_TRUE(std::count(inside.begin(), inside.end(), f)) << f;
}

// A size that lies ends the entry with kBadData (the writer fixtures); cut inside the data, the walk ends.
TEST_P(Hostile, AnArchiveCutInsideTheDataEndsTheWalk) {
    auto bytes = Archive({Entry("first.txt", "one"), Entry("data.bin", std::string(100, 'd'))});
    bytes.resize(bytes.size() - 30);  // the end block and the last 20-odd bytes of data.bin
    RunResult cut = RunArchive(Write("cut.rar", bytes), qmrar::Operation::Test, tmp.Path());
    ASSERT_EQ(cut.entries.size(), 2u);
    EXPECT_EQ(cut.entries[0].code, qmrar::kSuccess);
    EXPECT_NE(cut.entries[1].code, qmrar::kSuccess);
    EXPECT_NE(cut.end, qmrar::kSuccess);
}

TEST_P(Hostile, HeaderCrcIsCheckedBeforeAnyFieldIsUsed) {
    auto bytes = Archive({Entry("first.txt", "one"), Entry("second.txt", "two")});
    auto second = std::search(bytes.begin(), bytes.end(), std::begin("second.txt"), std::end("second.txt") - 1);
    ASSERT_NE(second, bytes.end());
    auto broken = bytes;
    broken[static_cast<size_t>(second - bytes.begin())] = 'S';  // the name is inside the header CRC
    RunResult r = RunArchive(Write("h.rar", broken), qmrar::Operation::Test, tmp.Path());
    EXPECT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.end, qmrar::kBadData);
    bytes[GetParam() == ArchiveFormat::Rar4 ? 7 : 9] ^= 0x01;  // the main header's CRC
    EXPECT_EQ(RunArchive(Write("m.rar", bytes), qmrar::Operation::Test, tmp.Path()).open, qmrar::kBadData);
}

TEST_P(Hostile, EveryTruncationAndByteFlipEndsCleanly) {
    std::vector<qmrar::WriterEntry> v = {Entry("dir"), Entry("dir/file.txt", "some bytes of data"),
                                         Entry("\xe8\xa1\xa8.txt", "more")};
    v[0].directory = true;
    auto bytes = Archive(v, "note");
    EXPECT_EQ(Exhaust(bytes, tmp.Path()), 3u);
    for (size_t len = 0; len < bytes.size(); ++len)
        EXPECT_LE(Exhaust(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len)), tmp.Path()), 3u);
    for (size_t i = 0; i < bytes.size(); ++i)
        for (uint8_t mask : {0x01, 0x80, 0xFF}) {
            auto flipped = bytes;
            flipped[i] ^= mask;
            EXPECT_LE(Exhaust(flipped, tmp.Path()), 3u);
        }
    for (const auto& f : FilesBelow(tmp.Path())) EXPECT_TRUE(f.starts_with("out/") || f == "x.rar") << f;
}

INSTANTIATE_TEST_SUITE_P(Formats, Hostile, ::testing::Values(ArchiveFormat::Rar4, ArchiveFormat::Rar5),
                         [](const auto& info) { return info.param == ArchiveFormat::Rar4 ? "Rar4" : "Rar5"; });

// Regression: a comment block claiming gigabytes made the reader allocate what the caller's buffer allowed.
TEST(HostileRar4, CommentSizeThatLiesAllocatesNoMoreThanTheFileHolds) {
    auto bytes = qmrar::WriteArchive(Options(ArchiveFormat::Rar4, 0, "short"), {Entry("a.txt", "a")})[0];
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
    CommentRead r = CommentOf((tmp.Path() / "c.rar").string(), size_t{1} << 31);
    ASSERT_EQ(r.open, qmrar::kSuccess);
    EXPECT_EQ(r.comment.state, qmrar::kSmallBuf);
    EXPECT_LT(r.comment.text.size(), bytes.size());
}

TEST(HostileRar5, VintsAndSizeFieldsOutOfRangeAreRejected) {
    TempDir tmp;
    auto open = [&](const std::vector<uint8_t>& bytes) {
        WriteBytes(tmp.Path() / "v.rar", bytes);
        return RunArchive((tmp.Path() / "v.rar").string(), qmrar::Operation::Test, tmp.Path()).open;
    };
    // Signature, then a block whose size vint runs past three bytes.
    EXPECT_EQ(open({0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}), qmrar::kBadData);
    EXPECT_EQ(open(Bytes("PK\x03\x04 not a rar archive")), qmrar::kBadArchive);  // no signature at all
    EXPECT_EQ(RunArchive((tmp.Path() / "missing.rar").string(), qmrar::Operation::Test, tmp.Path()).open, qmrar::kEOpen);
}
