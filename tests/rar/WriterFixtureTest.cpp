// Archives from our own writer: every header variant the reader must accept, round trips in both
// formats, volumes, comments and the failures that come with unsupported entries.
#include <gtest/gtest.h>

#include "RarTestSupport.h"
#include "rar/FileSource.h"

using namespace rartest;
using qmrar::ArchiveFormat;

namespace {

std::vector<qmrar::WriterEntry> SampleEntries() {
    std::vector<qmrar::WriterEntry> v(5);
    v[0].name = "Sizes.dat";
    v[0].data = Bytes("Main_Form[250]\r\n");
    v[1].name = "Main";
    v[1].directory = true;
    v[2].name = "Main/Clip.bmp";
    v[2].data.assign(3000, 0x42);
    v[3].name = "Empty.txt";
    v[4].name = "Caf\xc3\xa9/\xe8\xa1\xa8.txt";  // non-ASCII folder and file
    v[4].data = Bytes("unicode");
    return v;
}

class BothFormats : public ::testing::TestWithParam<ArchiveFormat> {};

}  // namespace

TEST_P(BothFormats, RoundTripKeepsNamesFlagsAndBytes) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = GetParam();
    auto names = WriteVolumes(tmp.Path() / "pack", qmrar::WriteArchive(o, SampleEntries()));
    RunResult list = RunArchive(names[0], qmrar::Operation::Skip, tmp.Path(), qmrar::OpenMode::List);
    ASSERT_EQ(list.open, qmrar::kSuccess);
    ASSERT_EQ(list.entries.size(), 5u);
    EXPECT_EQ(list.end, qmrar::kEndArchive);
    EXPECT_EQ(list.entries[1].entry.flags & qmrar::kFlagDirectory, qmrar::kFlagDirectory);
    EXPECT_EQ(list.entries[2].entry.flags & qmrar::kFlagDirectory, 0u);
    EXPECT_EQ(list.entries[2].entry.unpSize, 3000u);
    EXPECT_EQ(list.entries[4].name, GetParam() == ArchiveFormat::Rar4 ? "Caf\xc3\xa9\\\xe8\xa1\xa8.txt"
                                                                      : "Caf\xc3\xa9/\xe8\xa1\xa8.txt");

    fs::path out = tmp.Path() / "out";
    RunResult run = RunArchive(names[0], qmrar::Operation::Extract, out);
    for (auto& e : run.entries) EXPECT_EQ(e.code, qmrar::kSuccess) << e.name;
    EXPECT_EQ(ReadBytes(out / "Sizes.dat"), Bytes("Main_Form[250]\r\n"));
    EXPECT_EQ(ReadBytes(out / "Main/Clip.bmp"), std::vector<uint8_t>(3000, 0x42));
    EXPECT_TRUE(fs::exists(out / "Empty.txt"));
    EXPECT_EQ(ReadBytes(out / fs::path(u8"Caf\u00e9/\u8868.txt")), Bytes("unicode"));
}

TEST_P(BothFormats, VolumesJoinAcrossPartsAndListHidesContinuations) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = GetParam();
    o.volumeSize = 1500;
    auto names = WriteVolumes(tmp.Path() / "set", qmrar::WriteArchive(o, SampleEntries()));
    ASSERT_GT(names.size(), 2u);
    RunResult run = RunArchive(names[0], qmrar::Operation::Extract, tmp.Path() / "out");
    ASSERT_EQ(run.entries.size(), 5u);
    for (auto& e : run.entries) EXPECT_EQ(e.code, qmrar::kSuccess) << e.name;
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/Main/Clip.bmp"), std::vector<uint8_t>(3000, 0x42));

    EXPECT_EQ(RunArchive(names[0], qmrar::Operation::Skip, tmp.Path(), qmrar::OpenMode::List).entries.size(), 5u);
    RunResult inc = RunArchive(names[0], qmrar::Operation::Skip, tmp.Path(), qmrar::OpenMode::ListIncSplit);
    EXPECT_GT(inc.entries.size(), 5u);
    EXPECT_TRUE(inc.entries[3].entry.flags & qmrar::kFlagSplitBefore || inc.entries[2].entry.flags & qmrar::kFlagSplitAfter);
}

TEST_P(BothFormats, MissingVolumeAsksAndStopsOrTakesTheNewName) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = GetParam();
    o.volumeSize = 1500;
    auto names = WriteVolumes(tmp.Path() / "set", qmrar::WriteArchive(o, SampleEntries()));
    // The third volume holds the middle of Main/Clip.bmp: the entry itself needs it.
    ASSERT_GT(names.size(), 3u);
    fs::create_directories(tmp.Path() / "moved");
    fs::path moved = tmp.Path() / "moved" / fs::path(names[2]).filename();
    fs::rename(names[2], moved);

    std::vector<std::string> asked;
    qmrar::ReaderHooks stop;
    stop.askVolume = [&](std::string& name) {
        asked.push_back(name);
        return false;
    };
    RunResult failed = RunArchive(names[0], qmrar::Operation::Test, tmp.Path(), qmrar::OpenMode::Extract, stop);
    ASSERT_FALSE(failed.entries.empty());
    EXPECT_EQ(failed.entries.back().code, qmrar::kEOpen);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], names[2]);
    EXPECT_TRUE(failed.entries.back().name.ends_with("Clip.bmp"));

    qmrar::ReaderHooks rename;
    std::vector<std::string> opened;
    // The volume after the moved one is looked for beside it, so that one is sent back home.
    rename.askVolume = [&](std::string& name) {
        fs::path wanted(name);
        name = wanted.filename() == moved.filename() ? moved.string() : (tmp.Path() / wanted.filename()).string();
        return true;
    };
    rename.volumeOpened = [&](const std::string& name) {
        opened.push_back(name);
        return true;
    };
    RunResult ok = RunArchive(names[0], qmrar::Operation::Test, tmp.Path(), qmrar::OpenMode::Extract, rename);
    ASSERT_EQ(ok.entries.size(), 5u);
    for (auto& e : ok.entries) EXPECT_EQ(e.code, qmrar::kSuccess) << e.name;
    EXPECT_NE(std::find(opened.begin(), opened.end(), moved.string()), opened.end());

    qmrar::ReaderHooks refuse;
    refuse.volumeOpened = [](const std::string&) { return false; };
    fs::rename(moved, names[2]);
    RunResult refused = RunArchive(names[0], qmrar::Operation::Test, tmp.Path(), qmrar::OpenMode::Extract, refuse);
    // The first volume ends after two entries; refusing the change ends the walk there.
    EXPECT_EQ(refused.entries.size(), 2u);
    EXPECT_EQ(refused.end, qmrar::kEOpen);
}

TEST_P(BothFormats, DamagedPartOrDataFailsWithBadDataAndLeavesNoFile) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = GetParam();
    o.volumeSize = 1500;
    auto volumes = qmrar::WriteArchive(o, SampleEntries());
    volumes[1][volumes[1].size() - 200] ^= 0xFF;  // inside Clip.bmp's second part
    auto names = WriteVolumes(tmp.Path() / "set", volumes);
    RunResult r = RunArchive(names[0], qmrar::Operation::Extract, tmp.Path() / "out");
    ASSERT_GE(r.entries.size(), 3u);
    EXPECT_EQ(r.entries[2].code, qmrar::kBadData);
    EXPECT_FALSE(fs::exists(tmp.Path() / "out/Main/Clip.bmp"));

    std::vector<qmrar::WriterEntry> one(1);
    one[0].name = "a.txt";
    one[0].data = Bytes("payload");
    one[0].crc = 0x12345678;
    qmrar::WriterOptions single;
    single.format = GetParam();
    auto bad = WriteVolumes(tmp.Path() / "crc", qmrar::WriteArchive(single, one));
    RunResult c = RunArchive(bad[0], qmrar::Operation::Extract, tmp.Path() / "crc-out");
    ASSERT_EQ(c.entries.size(), 1u);
    EXPECT_EQ(c.entries[0].code, qmrar::kBadData);
    EXPECT_FALSE(fs::exists(tmp.Path() / "crc-out/a.txt"));
}

TEST_P(BothFormats, CompressedAndEncryptedEntriesFailWithTheirCodes) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v(3);
    v[0].name = "packed.bin";
    v[0].data = Bytes("not really compressed");
    v[0].method = 0x33;
    v[1].name = "secret.bin";
    v[1].data = Bytes("0123456789abcdef");
    v[1].encrypted = true;
    v[2].name = "plain.txt";
    v[2].data = Bytes("fine");
    qmrar::WriterOptions o;
    o.format = GetParam();
    auto names = WriteVolumes(tmp.Path() / "mix", qmrar::WriteArchive(o, v));

    int asked = 0;
    qmrar::ReaderHooks none;
    none.needPassword = [&](std::string&) {
        ++asked;
        return false;
    };
    RunResult r = RunArchive(names[0], qmrar::Operation::Extract, tmp.Path() / "out", qmrar::OpenMode::Extract, none);
    ASSERT_EQ(r.entries.size(), 3u);
    EXPECT_EQ(r.entries[0].code, qmrar::kUnknownFormat);
    EXPECT_EQ(r.entries[1].code, qmrar::kMissingPassword);
    EXPECT_EQ(r.entries[1].entry.flags & qmrar::kFlagEncrypted, qmrar::kFlagEncrypted);
    EXPECT_EQ(r.entries[2].code, qmrar::kSuccess);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(FilesBelow(tmp.Path() / "out"), std::vector<std::string>{"plain.txt"});

    qmrar::ReaderHooks given;
    given.needPassword = [](std::string& p) {
        p = "pw";
        return true;
    };
    RunResult withPassword = RunArchive(names[0], qmrar::Operation::Test, tmp.Path(), qmrar::OpenMode::Extract, given);
    EXPECT_EQ(withPassword.entries[1].code, qmrar::kUnknownFormat);
}

TEST_P(BothFormats, StoredCommentIsReadAndCutToTheLimit) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = GetParam();
    o.comment = "Default skin\r\nby us";
    auto names = WriteVolumes(tmp.Path() / "c", qmrar::WriteArchive(o, SampleEntries()));
    qmrar::FileVolumeOpener opener;
    qmrar::ArchiveReader full(opener);
    ASSERT_EQ(full.Open(names[0], qmrar::OpenMode::List, 16384), qmrar::kSuccess);
    EXPECT_TRUE(full.Comment().present);
    EXPECT_EQ(full.Comment().state, qmrar::kSuccess);
    EXPECT_EQ(full.Comment().text, o.comment);
    qmrar::RarEntry e;
    EXPECT_EQ(full.ReadHeader(e), qmrar::kSuccess);
    EXPECT_EQ(e.rawName, "Sizes.dat");  // the comment is no entry

    qmrar::ArchiveReader cut(opener);
    ASSERT_EQ(cut.Open(names[0], qmrar::OpenMode::List, 7), qmrar::kSuccess);
    EXPECT_EQ(cut.Comment().state, qmrar::kSmallBuf);
    EXPECT_EQ(cut.Comment().text, "Default");
}

INSTANTIATE_TEST_SUITE_P(Formats, BothFormats, ::testing::Values(ArchiveFormat::Rar4, ArchiveFormat::Rar5),
                         [](const auto& info) { return info.param == ArchiveFormat::Rar4 ? "Rar4" : "Rar5"; });

TEST(Rar4Headers, EveryOptionalFieldAndNameFormIsRead) {
    TempDir tmp;
    std::vector<qmrar::WriterEntry> v(6);
    v[0].name = "large.txt";
    v[0].largeFields = true;
    v[1].name = "salted.txt";
    v[1].salt = true;
    v[2].name = "timed.txt";
    v[2].extTime = true;
    v[3].name = "\xd0\x96\xd1\x83\xd0\xba.txt";  // packed UTF-16
    v[3].rar4Name = qmrar::WriterEntry::Rar4Name::Packed;
    v[4].name = "\xd0\x96\xd1\x83\xd0\xba-utf8.txt";  // Unicode flag without the packed part
    v[4].rar4Name = qmrar::WriterEntry::Rar4Name::Utf8;
    v[5].name = "all/of/them.txt";
    v[5].largeFields = v[5].salt = v[5].extTime = true;
    for (auto& e : v) e.data = Bytes("data of " + e.name);
    qmrar::WriterOptions o;
    o.format = ArchiveFormat::Rar4;
    o.solid = true;
    auto names = WriteVolumes(tmp.Path() / "flags", qmrar::WriteArchive(o, v));
    RunResult r = RunArchive(names[0], qmrar::Operation::Extract, tmp.Path() / "out");
    ASSERT_EQ(r.entries.size(), v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        EXPECT_EQ(r.entries[i].code, qmrar::kSuccess) << v[i].name;
        EXPECT_TRUE(r.entries[i].entry.flags & qmrar::kFlagSolid);
        EXPECT_EQ(ReadBytes(tmp.Path() / "out" / Utf8Path(v[i].name)), Bytes("data of " + v[i].name)) << v[i].name;
    }
    EXPECT_EQ(r.entries[3].name, v[3].name);
    EXPECT_EQ(r.entries[4].name, v[4].name);
}

TEST(Rar4Headers, OldVolumeNamesAreFollowed) {
    TempDir tmp;
    qmrar::WriterOptions o;
    o.format = ArchiveFormat::Rar4;
    o.oldNaming = true;
    o.volumeSize = 1200;
    std::vector<qmrar::WriterEntry> v(1);
    v[0].name = "big.bin";
    for (int i = 0; i < 4000; ++i) v[0].data.push_back(static_cast<uint8_t>(i * 7));
    auto volumes = qmrar::WriteArchive(o, v);
    ASSERT_GT(volumes.size(), 3u);
    WriteBytes(tmp.Path() / "old.rar", volumes[0]);
    for (size_t i = 1; i < volumes.size(); ++i) {
        char ext[8];
        std::snprintf(ext, sizeof ext, ".r%02d", static_cast<int>(i - 1));
        WriteBytes(tmp.Path() / ("old" + std::string(ext)), volumes[i]);
    }
    RunResult r = RunArchive((tmp.Path() / "old.rar").string(), qmrar::Operation::Extract, tmp.Path() / "out");
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].code, qmrar::kSuccess);
    EXPECT_EQ(ReadBytes(tmp.Path() / "out/big.bin"), v[0].data);
}
