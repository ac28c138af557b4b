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
    TempDir tmp;
};

}  // namespace

TEST_P(Hostile, EveryNameLandsInsideTheDestinationAndDevicesAreRenamed) {
    // Stored name -> where its file lands below the destination ("": a name of nothing, no file).
    const std::vector<std::pair<std::string, std::string>> names = {
        {"Main\\Clip.bmp", "Main/Clip.bmp"},     {"a/./b//c", "a/b/c"},
        {"../evil1.txt", "evil1.txt"},           {"..\\..\\evil2.txt", "evil2.txt"},
        {"/abs/evil3.txt", "abs/evil3.txt"},     {"C:\\evil4.txt", "C_/evil4.txt"},
        {"C:evil5.txt", "C_evil5.txt"},          {"\\\\server\\share\\evil6.txt", "server/share/evil6.txt"},
        {"dir/../../evil7.txt", "dir/evil7.txt"}, {"...\\evil8.txt", "evil8.txt"},
        {".. /evil9.txt", "evil9.txt"},          {"file.txt:stream", "file.txt_stream"},
        {"q?<>|*.txt", "q_____.txt"},            {"name. . ", "name"},
        {"CON", "_CON"},                         {"sub/nul.txt", "sub/_nul.txt"},
        {"LPT1.log", "_LPT1.log"},               {"aux.c", "_aux.c"},
        {"COM1", "_COM1"},                       {"COMPUTER.txt", "COMPUTER.txt"},
        {"...", ""},
        {"\\\\", ""},
    };
    std::vector<qmrar::WriterEntry> v;
    std::vector<std::string> landed;
    for (const auto& [stored, path] : names) {
        v.push_back(Entry(stored, "x"));
        if (!path.empty()) landed.push_back("a/b/out/" + path);
    }
    landed.push_back("evil.rar");
    std::sort(landed.begin(), landed.end());
    RunResult r = RunArchive(WriteBytes(tmp.Path() / "evil.rar", Archive(v)), qmrar::Operation::Extract,
                             tmp.Path() / "a" / "b" / "out");
    ASSERT_EQ(r.entries.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(r.entries[i].code, names[i].second.empty() ? qmrar::kECreate : qmrar::kSuccess) << names[i].first;
    EXPECT_EQ(FilesBelow(tmp.Path()), landed);
}

// A size that lies ends the entry with kBadData (the writer fixtures); cut inside the data, the walk ends.
TEST_P(Hostile, AnArchiveCutInsideTheDataEndsTheWalk) {
    auto bytes = Archive({Entry("first.txt", "one"), Entry("data.bin", std::string(100, 'd'))});
    bytes.resize(bytes.size() - 30);  // the end block and the last 20-odd bytes of data.bin
    RunResult cut = RunArchive(WriteBytes(tmp.Path() / "cut.rar", bytes), qmrar::Operation::Test, tmp.Path());
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
    RunResult r = RunArchive(WriteBytes(tmp.Path() / "h.rar", broken), qmrar::Operation::Test, tmp.Path());
    EXPECT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.end, qmrar::kBadData);
    bytes[GetParam() == ArchiveFormat::Rar4 ? 7 : 9] ^= 0x01;  // the main header's CRC
    EXPECT_EQ(RunArchive(WriteBytes(tmp.Path() / "m.rar", bytes), qmrar::Operation::Test, tmp.Path()).open,
              qmrar::kBadData);
}

TEST_P(Hostile, EveryTruncationAndByteFlipEndsCleanly) {
    std::vector<qmrar::WriterEntry> v = {Entry("dir"), Entry("dir/file.txt", "some bytes of data"),
                                         Entry("\xe8\xa1\xa8.txt", "more")};
    v[0].directory = true;
    const auto bytes = Archive(v, "note");
    // Extracts the bytes as "x.rar"; returns the number of entries seen.
    auto exhaust = [&](std::vector<uint8_t> archive) {
        return RunArchive(WriteBytes(tmp.Path() / "x.rar", archive), qmrar::Operation::Extract, tmp.Path() / "out")
            .entries.size();
    };
    EXPECT_EQ(exhaust(bytes), 3u);
    for (size_t len = 0; len < bytes.size(); ++len)
        EXPECT_LE(exhaust(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(len))), 3u);
    for (size_t i = 0; i < bytes.size(); ++i)
        for (uint8_t mask : {0x01, 0x80, 0xFF}) {
            auto flipped = bytes;
            flipped[i] ^= mask;
            EXPECT_LE(exhaust(flipped), 3u);
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
    FixRar4HeaderCrc(bytes, block);
    TempDir tmp;
    RunResult r = RunArchive(WriteBytes(tmp.Path() / "c.rar", bytes), qmrar::Operation::Skip, tmp.Path(),
                             qmrar::OpenMode::List, {}, size_t{1} << 31);
    ASSERT_EQ(r.open, qmrar::kSuccess);
    EXPECT_EQ(r.comment.state, qmrar::kSmallBuf);
    EXPECT_LT(r.comment.text.size(), bytes.size());
}

// Signature, then a block whose size vint runs past three bytes (a file with no signature, or none at all,
// fails to open through the wrapper: Wrapper.OpenErrorsAndComments).
TEST(HostileRar5, VintsOutOfRangeAreRejected) {
    TempDir tmp;
    auto name = WriteBytes(tmp.Path() / "v.rar", {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00, 0, 0, 0, 0, 0xFF,
                                                  0xFF, 0xFF, 0xFF, 0x01});
    EXPECT_EQ(RunArchive(name, qmrar::Operation::Test, tmp.Path()).open, qmrar::kBadData);
}
