// Archives from our own writer: every header variant the reader must accept, round trips in both
// formats, volumes, comments and the failures that come with unsupported entries.
#include <gtest/gtest.h>

#include "RarTestSupport.h"
#include "rar/Crc32.h"

using namespace rartest;
using qmrar::ArchiveFormat;
using qmrar::Operation;

namespace {

std::vector<qmrar::WriterEntry> SampleEntries() {
    std::vector<qmrar::WriterEntry> v = {Entry("Sizes.dat", "Main_Form[250]\r\n"), Entry("Main"),
                                         Entry("Main/Clip.bmp", std::string(3000, 'B')), Entry("Empty.txt"),
                                         Entry("Caf\xc3\xa9/\xe8\xa1\xa8.txt", "unicode")};  // non-ASCII folder and file
    v[1].directory = true;
    return v;
}

void ExpectAll(const RunResult& r, qmrar::Code code, size_t count) {
    ASSERT_EQ(r.entries.size(), count);
    for (auto& e : r.entries) EXPECT_EQ(e.code, code) << e.name;
}

class BothFormats : public ::testing::TestWithParam<ArchiveFormat> {
protected:
    std::vector<std::string> Write(const std::string& base, const std::vector<qmrar::WriterEntry>& v,
                                   uint64_t volumeSize = 0) {
        return WriteRar(tmp.Path() / base, v, Options(GetParam(), volumeSize));
    }
    TempDir tmp;
};

}  // namespace

TEST_P(BothFormats, RoundTripInOneOrManyVolumesKeepsNamesFlagsAndBytes) {
    for (uint64_t volumeSize : {0, 1500}) {
        auto names = Write("set" + std::to_string(volumeSize), SampleEntries(), volumeSize);
        ASSERT_EQ(names.size() > 2, volumeSize > 0);
        RunResult list = RunArchive(names[0], Operation::Skip, tmp.Path(), qmrar::OpenMode::List);
        ASSERT_EQ(list.entries.size(), 5u);  // continuations stay hidden
        EXPECT_EQ(list.end, qmrar::kEndArchive);
        EXPECT_EQ(list.entries[1].entry.flags & qmrar::kFlagDirectory, qmrar::kFlagDirectory);
        EXPECT_EQ(list.entries[2].entry.flags & qmrar::kFlagDirectory, 0u);
        EXPECT_EQ(list.entries[2].entry.unpSize, 3000u);
        EXPECT_EQ(list.entries[4].name, GetParam() == ArchiveFormat::Rar4 ? "Caf\xc3\xa9\\\xe8\xa1\xa8.txt"
                                                                          : "Caf\xc3\xa9/\xe8\xa1\xa8.txt");
        fs::path out = tmp.Path() / ("out" + std::to_string(volumeSize));
        ExpectAll(RunArchive(names[0], Operation::Extract, out), qmrar::kSuccess, 5);
        EXPECT_EQ(ReadBytes(out / "Sizes.dat"), Bytes("Main_Form[250]\r\n"));
        EXPECT_EQ(ReadBytes(out / "Main/Clip.bmp"), Bytes(std::string(3000, 'B')));
        EXPECT_TRUE(fs::exists(out / "Empty.txt"));
        EXPECT_EQ(ReadBytes(out / fs::path(u8"Caf\u00e9/\u8868.txt")), Bytes("unicode"));
        RunResult inc = RunArchive(names[0], Operation::Skip, tmp.Path(), qmrar::OpenMode::ListIncSplit);
        EXPECT_EQ(inc.entries.size() > 5, volumeSize > 0);
        if (volumeSize) {
            EXPECT_TRUE(inc.entries[3].entry.flags & qmrar::kFlagSplitBefore ||
                        inc.entries[2].entry.flags & qmrar::kFlagSplitAfter);
        }
    }
}

// A missing volume (asked for, refused, found under a new name) goes through this reader in the wrapper
// tests of tests/skin (Wrapper.VolumeChangesNeedAHandler).

TEST_P(BothFormats, DamagedPartFailsWithBadDataAndLeavesNoFile) {
    auto volumes = qmrar::WriteArchive(Options(GetParam(), 1500), SampleEntries());
    volumes[1][volumes[1].size() - 200] ^= 0xFF;  // inside Clip.bmp's second part
    RunResult r = RunArchive(WriteVolumes(tmp.Path() / "set", volumes)[0], Operation::Extract, tmp.Path() / "out");
    ASSERT_GE(r.entries.size(), 3u);
    EXPECT_EQ(r.entries[2].code, qmrar::kBadData);
    EXPECT_FALSE(fs::exists(tmp.Path() / "out/Main/Clip.bmp"));
}

// Each entry the reader cannot give whole fails with its own code, leaves no file, and the walk goes on.
TEST_P(BothFormats, EntriesThatCannotBeExtractedFailWithTheirCodes) {
    std::vector<qmrar::WriterEntry> v = {Entry("packed.bin", "not really compressed"),
                                         Entry("secret.bin", "0123456789abcdef"), Entry("crc.txt", "payload"),
                                         Entry("claims-more.txt", "short"), Entry("plain.txt", "fine")};
    v[0].method = 0x33;
    v[1].encrypted = true;
    v[2].crc = 0x12345678;
    v[3].unpSize = 5000000000ull;  // and the LARGE fields in RAR4
    auto names = Write("mix", v);
    int asked = 0;
    qmrar::ReaderHooks hooks;
    hooks.needPassword = [&](std::string&) { return ++asked, false; };
    RunResult r = RunArchive(names[0], Operation::Extract, tmp.Path() / "out", qmrar::OpenMode::Extract, hooks);
    std::vector<qmrar::Code> codes;
    for (const auto& e : r.entries) codes.push_back(e.code);
    EXPECT_EQ(codes, (std::vector<qmrar::Code>{qmrar::kUnknownFormat, qmrar::kMissingPassword, qmrar::kBadData,
                                               qmrar::kBadData, qmrar::kSuccess}));
    ASSERT_EQ(r.entries.size(), 5u);
    EXPECT_EQ(r.entries[1].entry.flags & qmrar::kFlagEncrypted, qmrar::kFlagEncrypted);
    EXPECT_EQ(r.entries[3].entry.unpSize, 5000000000ull);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(FilesBelow(tmp.Path() / "out"), std::vector<std::string>{"plain.txt"});

    hooks.needPassword = [](std::string& p) { return p = "pw", true; };
    RunResult withPassword = RunArchive(names[0], Operation::Test, tmp.Path(), qmrar::OpenMode::Extract, hooks);
    EXPECT_EQ(withPassword.entries[1].code, qmrar::kUnknownFormat);
}

// Stored comments: read whole and cut to the buffer through Skin.dll (SkinDll.PasswordsAndCommentsCutToTheBuffer)
// and the wrapper (Wrapper.OpenErrorsAndComments), over the same reader code for both formats.

INSTANTIATE_TEST_SUITE_P(Formats, BothFormats, ::testing::Values(ArchiveFormat::Rar4, ArchiveFormat::Rar5),
                         [](const auto& info) { return info.param == ArchiveFormat::Rar4 ? "Rar4" : "Rar5"; });

TEST(Rar4Headers, EveryOptionalFieldAndNameFormIsRead) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v = {Entry("large.txt"), Entry("salted.txt"), Entry("timed.txt"),
                                         Entry("\xd0\x96\xd1\x83\xd0\xba.txt"), Entry("\xd0\x96\xd1\x83\xd0\xba-utf8.txt"),
                                         Entry("all/of/them.txt")};
    v[0].largeFields = v[1].salt = v[2].extTime = true;
    v[3].rar4Name = qmrar::WriterEntry::Rar4Name::Packed;  // packed UTF-16
    v[4].rar4Name = qmrar::WriterEntry::Rar4Name::Utf8;    // Unicode flag without the packed part
    v[5].largeFields = v[5].salt = v[5].extTime = true;
    for (auto& e : v) e.data = Bytes("data of " + e.name);
    auto o = Options(ArchiveFormat::Rar4);
    o.solid = true;
    RunResult r = RunArchive(WriteRar(tmp.Path() / "flags", v, o)[0], Operation::Extract, tmp.Path() / "out");
    ExpectAll(r, qmrar::kSuccess, v.size());
    for (size_t i = 0; i < r.entries.size(); ++i) {
        EXPECT_TRUE(r.entries[i].entry.flags & qmrar::kFlagSolid);
        if (i == 3 || i == 4) {
            EXPECT_EQ(r.entries[i].name, v[i].name);
        }
        EXPECT_EQ(ReadBytes(tmp.Path() / "out" / Utf8Path(v[i].name)), Bytes("data of " + v[i].name)) << v[i].name;
    }
}

TEST(Rar4Headers, OldVolumeNamesAreFollowed) {
    TempDir tmp;
    auto o = Options(ArchiveFormat::Rar4, 1200);
    o.oldNaming = true;
    auto big = Entry("big.bin");
    for (int i = 0; i < 4000; ++i) big.data.push_back(static_cast<uint8_t>(i * 7));
    auto names = WriteRar(tmp.Path() / "old", {big}, o);
    ASSERT_GT(names.size(), 3u);
    ASSERT_TRUE(names[1].ends_with("old.r00"));
    ExpectAll(RunArchive(names[0], Operation::Extract, tmp.Path() / "out"), qmrar::kSuccess, 1);
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/big.bin"), big.data);
}

// RAR 2.x keeps the archive comment inside the main header; stored ones are read, packed ones reported.
TEST(Rar4Headers, OldCommentInsideTheMainHeader) {
    auto le16 = [](std::vector<uint8_t>& v, size_t at, size_t value) {
        v[at] = static_cast<uint8_t>(value);
        v[at + 1] = static_cast<uint8_t>(value >> 8);
    };
    auto archive = [&](const std::string& text, uint8_t method, uint32_t crcFlip) {
        uint32_t crc = qmrar::Crc32(Bytes(text)) ^ crcFlip;
        // Main header (type, flags = comment, size, reserved), then the comment block (CRC unused, type, flags,
        // size, unpacked size, version, method, CRC) and its text.
        std::vector<uint8_t> main = {0x73, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x75, 0, 0, 0, 0, 0, 0, 20, method, 0, 0};
        le16(main, 16, 13 + text.size());
        le16(main, 18, text.size());
        le16(main, 22, crc);
        main.insert(main.end(), text.begin(), text.end());
        le16(main, 3, main.size() + 2);
        std::vector<uint8_t> out(std::begin(qmrar::kRar4Signature), std::end(qmrar::kRar4Signature));
        out.resize(out.size() + 2);
        le16(out, 7, qmrar::Crc32(main));
        out.insert(out.end(), main.begin(), main.end());
        return out;
    };
    TempDir tmp;
    struct Case {
        uint8_t method;
        uint32_t crcFlip;
        qmrar::Code state;
        std::string text;
    };
    for (const Case& c : {Case{0x30, 0, qmrar::kSuccess, "old note"}, Case{0x33, 0, qmrar::kUnknownFormat, ""},
                          Case{0x30, 1, qmrar::kBadData, ""}}) {
        WriteBytes(tmp.Path() / "old.rar", archive("old note", c.method, c.crcFlip));
        CommentRead r = CommentOf((tmp.Path() / "old.rar").string(), 100);
        ASSERT_EQ(r.open, qmrar::kSuccess);
        EXPECT_TRUE(r.comment.present);
        EXPECT_EQ(r.comment.state, c.state);
        EXPECT_EQ(r.comment.text, c.text);
        EXPECT_EQ(r.first, "");  // no entries
    }
}
