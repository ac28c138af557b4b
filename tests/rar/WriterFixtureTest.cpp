// Archives from our own writer: every header variant the reader must accept, round trips in both
// formats, volumes, comments and the failures that come with unsupported entries.
#include <gtest/gtest.h>

#include "RarTestSupport.h"
#include "rar/Crc32.h"

using namespace rartest;
using qmrar::ArchiveFormat;
using qmrar::Operation;

namespace {

// Three different kilobytes: volumes read out of order give other bytes.
const std::string kClip = std::string(1000, 'A') + std::string(1000, 'B') + std::string(1000, 'C');

std::vector<qmrar::WriterEntry> SampleEntries() {
    std::vector<qmrar::WriterEntry> v = {Entry("Sizes.dat", "Main_Form[250]\r\n"), Entry("Main"),
                                         Entry("Main/Clip.bmp", kClip), Entry("Empty.txt"),
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
    TempDir tmp;
};

}  // namespace

TEST_P(BothFormats, RoundTripInOneOrManyVolumesKeepsNamesFlagsAndBytes) {
    struct Layout { uint64_t volumeSize; bool oldNaming; };  // old names (.rar, .r00, ...) exist in RAR4 only
    for (const Layout& layout : {Layout{0, false}, Layout{1500, false}, Layout{1500, true}}) {
        if (layout.oldNaming && GetParam() == ArchiveFormat::Rar5) continue;
        const std::string tag = std::to_string(layout.volumeSize) + (layout.oldNaming ? "old" : "");
        auto o = Options(GetParam(), layout.volumeSize);
        o.oldNaming = layout.oldNaming;
        auto names = WriteRar(tmp.Path() / ("set" + tag), SampleEntries(), o);
        ASSERT_EQ(names.size() > 2, layout.volumeSize > 0);
        if (layout.oldNaming) {
            ASSERT_TRUE(names[1].ends_with(".r00"));
        }
        RunResult list = RunArchive(names[0], Operation::Skip, tmp.Path(), qmrar::OpenMode::List);
        ASSERT_EQ(list.entries.size(), 5u);  // continuations stay hidden
        EXPECT_EQ(list.end, qmrar::kEndArchive);
        EXPECT_EQ(list.entries[1].entry.flags & qmrar::kFlagDirectory, qmrar::kFlagDirectory);
        EXPECT_EQ(list.entries[2].entry.flags & qmrar::kFlagDirectory, 0u);
        EXPECT_EQ(list.entries[2].entry.unpSize, 3000u);
        EXPECT_EQ(list.entries[4].name, GetParam() == ArchiveFormat::Rar4 ? "Caf\xc3\xa9\\\xe8\xa1\xa8.txt"
                                                                          : "Caf\xc3\xa9/\xe8\xa1\xa8.txt");
        fs::path out = tmp.Path() / ("out" + tag);
        ExpectAll(RunArchive(names[0], Operation::Extract, out), qmrar::kSuccess, 5);
        EXPECT_EQ(ReadBytes(out / "Sizes.dat"), Bytes("Main_Form[250]\r\n"));
        EXPECT_EQ(ReadBytes(out / "Main/Clip.bmp"), Bytes(kClip));
        EXPECT_TRUE(fs::exists(out / "Empty.txt"));
        EXPECT_EQ(ReadBytes(out / fs::path(u8"Caf\u00e9/\u8868.txt")), Bytes("unicode"));
        RunResult inc = RunArchive(names[0], Operation::Skip, tmp.Path(), qmrar::OpenMode::ListIncSplit);
        EXPECT_EQ(inc.entries.size() > 5, layout.volumeSize > 0);
        if (layout.volumeSize) {
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
    auto names = WriteRar(tmp.Path() / "mix", v, Options(GetParam()));
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

// RAR 2.x keeps the archive comment inside the main header; stored ones are read, packed ones reported.
TEST(Rar4Headers, OldCommentInsideTheMainHeader) {
    const std::string text = "old note";
    struct Case { uint8_t method; uint32_t crcFlip; qmrar::Code state; std::string text; };
    for (const Case& c : {Case{0x30, 0, qmrar::kSuccess, text}, Case{0x33, 0, qmrar::kUnknownFormat, ""},
                          Case{0x30, 1, qmrar::kBadData, ""}}) {
        // Signature; main header (CRC, type, flags = comment, size, reserved); then the comment block (CRC
        // unused, type, flags, size, unpacked size, version, method, CRC) and its text; no entries.
        std::vector<uint8_t> bytes = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00, 0, 0, 0x73, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                      0x75, 0, 0, 0, 0, 0, 0, 20, c.method, 0, 0};
        for (char ch : text) bytes.push_back(static_cast<uint8_t>(ch));
        PutLe16(bytes, 12, bytes.size() - 7);
        PutLe16(bytes, 25, 13 + text.size());
        PutLe16(bytes, 27, text.size());
        PutLe16(bytes, 31, qmrar::Crc32(Bytes(text)) ^ c.crcFlip);
        FixRar4HeaderCrc(bytes, 7);
        TempDir tmp;
        RunResult r = RunArchive(WriteBytes(tmp.Path() / "old.rar", bytes), Operation::Skip, tmp.Path(),
                                 qmrar::OpenMode::List, {}, 100);
        ASSERT_EQ(r.open, qmrar::kSuccess);
        EXPECT_TRUE(r.comment.present);
        EXPECT_EQ(r.comment.state, c.state);
        EXPECT_EQ(r.comment.text, c.text);
        EXPECT_TRUE(r.entries.empty());
    }
}
