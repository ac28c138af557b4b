// The reader over real archives made by the RAR archiver: stored entries come out byte-exact, what it
// cannot decode fails with its code, and nothing lands outside the destination.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "RarTestSupport.h"
#include "rar/Crc32.h"
#include "rar/FileSource.h"
#include "rar/NameDecoding.h"
#include "rar/SafePath.h"

using namespace rartest;
using qmrar::Code;

namespace {

fs::path SampleDir() { return fs::path(QM_RAR_SAMPLES); }

bool HaveSamples() { return fs::is_directory(SampleDir()); }

std::vector<fs::path> AllSamples() {
    std::vector<fs::path> out;
    for (auto& e : fs::directory_iterator(SampleDir())) {
        auto name = e.path().filename().string();
        if (name != "README.md" && name != "COPYING") out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Pieces named *_aa, *_ab ... are one archive cut up.
fs::path Joined(const std::string& stem, const fs::path& dir) {
    std::vector<uint8_t> all;
    for (char c = 'a'; c <= 'z'; ++c) {
        fs::path piece = SampleDir() / (stem + "_a" + c);
        if (!fs::exists(piece)) break;
        auto bytes = ReadBytes(piece);
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    fs::path out = dir / (stem + ".rar");
    WriteBytes(out, all);
    return out;
}

bool Decodable(const qmrar::RarEntry& e) { return e.directory || e.link || (e.method == 0x30 && !e.encrypted); }

}  // namespace

TEST(SampleArchives, EverySampleEndsCleanlyWithinItsDestination) {
    if (!HaveSamples()) GTEST_SKIP() << "no samples at " << SampleDir();
    for (const fs::path& sample : AllSamples()) {
        SCOPED_TRACE(sample.filename().string());
        TempDir tmp;
        fs::path dest = tmp.Path() / "out";
        fs::create_directories(dest);
        RunResult r = RunArchive(sample.string(), qmrar::Operation::Extract, dest);
        // Nothing but the destination folder appears in its parent.
        std::vector<fs::path> top;
        for (auto& e : fs::directory_iterator(tmp.Path())) top.push_back(e.path().filename());
        ASSERT_EQ(top, std::vector<fs::path>{"out"});
        static const std::set<int> allowed = {0, 10, 12, 13, 14, 15, 22};
        EXPECT_TRUE(allowed.count(r.open)) << r.open;
        EXPECT_TRUE(allowed.count(r.end)) << r.end;
        for (const auto& e : r.entries) {
            SCOPED_TRACE(e.name);
            if (e.entry.encrypted) {
                EXPECT_EQ(e.code, qmrar::kMissingPassword);
            } else if (!Decodable(e.entry)) {
                EXPECT_EQ(e.code, qmrar::kUnknownFormat);
            } else if (e.code == qmrar::kSuccess && !e.entry.directory && !e.entry.link) {
                // Compare what landed on disk with the CRC the archiver stored.
                auto path = dest / *qmrar::SafeRelativePath(qmrar::Utf8ToUtf16(e.name));
                auto bytes = ReadBytes(path);
                EXPECT_EQ(bytes.size(), e.entry.unpSize);
                // A split entry's first header carries only its first part's CRC.
                if (!e.entry.splitAfter) {
                    EXPECT_EQ(qmrar::Crc32(bytes), e.entry.crc);
                }
            }
        }
    }
}

TEST(SampleArchives, StoredArchivesExtractCompletely) {
    if (!HaveSamples()) GTEST_SKIP() << "no samples at " << SampleDir();
    TempDir joinDir;
    // archive -> number of entries reported
    const std::map<fs::path, size_t> stored = {
        {SampleDir() / "test_read_format_rar.rar", 5},
        {SampleDir() / "test_read_format_rar_windows.rar", 5},
        {SampleDir() / "test_read_format_rar_noeof.rar", 1},
        {SampleDir() / "test_read_format_rar_subblock.rar", 1},
        {SampleDir() / "test_read_format_rar5_stored.rar", 1},
        {SampleDir() / "test_read_format_rar5_stored_manyfiles.rar", 3},
        {SampleDir() / "test_read_format_rar5_fileattr.rar", 8},
        {SampleDir() / "test_read_format_rar5_hardlink.rar", 2},
        {SampleDir() / "test_read_format_rar5_symlink.rar", 4},
        {SampleDir() / "test_read_format_rar5_unicode.rar", 3},
        {SampleDir() / "test_read_format_rar5_owner.rar", 3},
        {SampleDir() / "test_read_format_rar5_zip_in_rar.rar", 3},
        {SampleDir() / "test_read_format_rar5_main_block_extra_bytes.rar", 1},
        {SampleDir() / "test_read_format_rar5_skip_block_extra_bytes.rar", 1},
        {SampleDir() / "test_rar_multivolume_single_file.part1.rar", 1},
        {SampleDir() / "test_rar_multivolume_multiple_files.part1.rar", 2},
        {SampleDir() / "test_rar_multivolume_uncompressed_files.part01.rar", 16},
        {Joined("test_read_splitted_rar", joinDir.Path()), 5},
        {Joined("test_splitted_rar_seek_support", joinDir.Path()), 1},
    };
    for (const auto& [archive, count] : stored) {
        SCOPED_TRACE(archive.filename().string());
        TempDir tmp;
        RunResult r = RunArchive(archive.string(), qmrar::Operation::Extract, tmp.Path());
        ASSERT_EQ(r.open, qmrar::kSuccess);
        EXPECT_EQ(r.end, qmrar::kEndArchive);
        EXPECT_EQ(r.entries.size(), count);
        for (const auto& e : r.entries) EXPECT_EQ(e.code, qmrar::kSuccess) << e.name;
    }
}

TEST(SampleArchives, KnownContentsAndNames) {
    if (!HaveSamples()) GTEST_SKIP() << "no samples at " << SampleDir();
    TempDir tmp;
    RunArchive((SampleDir() / "test_read_format_rar.rar").string(), qmrar::Operation::Extract, tmp.Path() / "a");
    EXPECT_EQ(ReadBytes(tmp.Path() / "a/test.txt"), Bytes("test text document\r\n"));
    EXPECT_EQ(ReadBytes(tmp.Path() / "a/testdir/test.txt"), Bytes("test text document\r\n"));
    EXPECT_TRUE(fs::is_directory(tmp.Path() / "a/testemptydir"));
    EXPECT_FALSE(fs::exists(tmp.Path() / "a/testlink"));  // links are never made

    RunArchive((SampleDir() / "test_read_format_rar5_stored.rar").string(), qmrar::Operation::Extract, tmp.Path() / "b");
    EXPECT_EQ(ReadBytes(tmp.Path() / "b/helloworld.txt"), Bytes("hello libarchive test suite!\n"));

    // RAR4 packed Unicode names (CP932 text) and RAR5 UTF-8 names outside the BMP.
    RunResult u4 = RunArchive((SampleDir() / "test_read_format_rar_unicode.rar").string(), qmrar::Operation::Skip, tmp.Path());
    ASSERT_FALSE(u4.entries.empty());
    EXPECT_EQ(u4.entries[1].name, "\xe8\xa1\xa8\xe3\x81\xa0\xe3\x82\x88\\\xe6\xbc\xa2\xe5\xad\x97\xe9\x95\xb7\xe3\x81\x84"
                                  "\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab\xe5\x90\x8d"
                                  "long-filename-in-\xe6\xbc\xa2\xe5\xad\x97.txt");
    RunResult u5 = RunArchive((SampleDir() / "test_read_format_rar5_unicode.rar").string(), qmrar::Operation::Skip, tmp.Path());
    ASSERT_FALSE(u5.entries.empty());
    EXPECT_EQ(u5.entries[0].name, "\xf0\x9f\x91\x8b\xf0\x9f\x8c\x8e.txt");
}

TEST(SampleArchives, EncryptedHeadersAndBrokenMainHeadersFailAtOpen) {
    if (!HaveSamples()) GTEST_SKIP() << "no samples at " << SampleDir();
    TempDir tmp;
    for (const char* name : {"test_read_format_rar4_encrypted_filenames.rar", "test_read_format_rar5_encrypted_filenames.rar",
                             "test_read_format_rar_encryption_header.rar", "test_read_format_rar5_solid_encrypted_filenames.rar"})
        EXPECT_EQ(RunArchive((SampleDir() / name).string(), qmrar::Operation::Test, tmp.Path()).open, qmrar::kUnknownFormat) << name;
    EXPECT_EQ(RunArchive((SampleDir() / "test_read_format_rar_endarc_huge.rar").string(), qmrar::Operation::Test, tmp.Path()).open,
              qmrar::kBadData);
    // A piece that is not the first carries no signature.
    EXPECT_EQ(RunArchive((SampleDir() / "test_read_splitted_rar_ab").string(), qmrar::Operation::Test, tmp.Path()).open,
              qmrar::kBadArchive);
}

TEST(SampleArchives, CompressedCommentIsReportedAsUnknownFormat) {
    if (!HaveSamples()) GTEST_SKIP() << "no samples at " << SampleDir();
    qmrar::FileVolumeOpener opener;
    qmrar::ArchiveReader reader(opener);
    ASSERT_EQ(reader.Open((SampleDir() / "test_read_format_rar_subblock.rar").string(), qmrar::OpenMode::List, 16384),
              qmrar::kSuccess);
    EXPECT_TRUE(reader.Comment().present);
    EXPECT_EQ(reader.Comment().state, qmrar::kUnknownFormat);
}
