// The reader over real archives made by the RAR archiver: stored entries come out byte-exact, what it
// cannot decode fails with its code, and nothing lands outside the destination.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "RarTestSupport.h"
#include "rar/Crc32.h"
#include "rar/NameDecoding.h"
#include "rar/SafePath.h"

using namespace rartest;
using qmrar::Code;

namespace {

fs::path SampleDir() { return fs::path(QM_RAR_SAMPLES); }
std::string Sample(const std::string& name) { return (SampleDir() / name).string(); }

// Pieces named *_aa, *_ab ... are one archive cut up.
std::string Joined(const std::string& stem, const fs::path& dir) {
    std::vector<uint8_t> all;
    for (char c = 'a'; c <= 'z' && fs::exists(SampleDir() / (stem + "_a" + c)); ++c) {
        auto bytes = ReadBytes(SampleDir() / (stem + "_a" + c));
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    return WriteBytes(dir / (stem + ".rar"), all);
}

bool Decodable(const qmrar::RarEntry& e) { return e.directory || e.link || (e.method == 0x30 && !e.encrypted); }

class SampleArchives : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(SampleDir())) GTEST_SKIP() << "no samples at " << SampleDir();
    }
    TempDir tmp;
};

}  // namespace

// Stored archives (and the first volumes of stored sets) extract completely; every other sample ends with
// a code the reader is allowed to give, and only what it extracts whole against the archiver's CRC.
TEST_F(SampleArchives, EverySampleEndsCleanlyWithinItsDestinationAndStoredOnesExtractCompletely) {
    // archive (after "test_read_format_", or whole) -> number of entries reported
    std::map<std::string, size_t> stored = {
        {"test_rar_multivolume_single_file.part1.rar", 1}, {"test_rar_multivolume_multiple_files.part1.rar", 2},
        {"test_rar_multivolume_uncompressed_files.part01.rar", 16}, {"test_read_splitted_rar.rar", 5},
        {"test_splitted_rar_seek_support.rar", 1}};
    for (auto [name, count] : std::map<std::string, size_t>{
             {"rar", 5}, {"rar_windows", 5}, {"rar_noeof", 1}, {"rar_subblock", 1}, {"rar5_stored", 1},
             {"rar5_stored_manyfiles", 3}, {"rar5_fileattr", 8}, {"rar5_hardlink", 2}, {"rar5_symlink", 4},
             {"rar5_unicode", 3}, {"rar5_owner", 3}, {"rar5_zip_in_rar", 3}, {"rar5_main_block_extra_bytes", 1},
             {"rar5_skip_block_extra_bytes", 1}})
        stored["test_read_format_" + name + ".rar"] = count;
    std::vector<fs::path> samples = {Joined("test_read_splitted_rar", tmp.Path()),
                                     Joined("test_splitted_rar_seek_support", tmp.Path())};
    for (auto& e : fs::directory_iterator(SampleDir()))
        if (e.path().filename() != "README.md" && e.path().filename() != "COPYING") samples.push_back(e.path());
    static const std::set<int> allowed = {0, 10, 12, 13, 14, 15, 22};
    size_t complete = 0;
    for (const fs::path& sample : samples) {
        SCOPED_TRACE(sample.filename().string());
        TempDir run;
        fs::path dest = run.Path() / "out";
        fs::create_directories(dest);
        RunResult r = RunArchive(sample.string(), qmrar::Operation::Extract, dest);
        // Nothing but the destination folder appears in its parent.
        ASSERT_EQ(std::distance(fs::directory_iterator(run.Path()), fs::directory_iterator()), 1);
        EXPECT_TRUE(allowed.count(r.open)) << r.open;
        EXPECT_TRUE(allowed.count(r.end)) << r.end;
        if (auto s = stored.find(sample.filename().string()); s != stored.end()) {
            ++complete;
            EXPECT_EQ(r.open, qmrar::kSuccess);
            EXPECT_EQ(r.end, qmrar::kEndArchive);
            EXPECT_EQ(r.entries.size(), s->second);
            for (const auto& e : r.entries) EXPECT_EQ(e.code, qmrar::kSuccess) << e.name;
        }
        for (const auto& e : r.entries) {
            SCOPED_TRACE(e.name);
            if (e.entry.encrypted) {
                EXPECT_EQ(e.code, qmrar::kMissingPassword);
            } else if (!Decodable(e.entry)) {
                EXPECT_EQ(e.code, qmrar::kUnknownFormat);
            } else if (e.code == qmrar::kSuccess && !e.entry.directory && !e.entry.link) {
                // What landed on disk against the archiver's CRC; a split entry's first header has only its part's.
                auto bytes = ReadBytes(dest / *qmrar::SafeRelativePath(qmrar::Utf8ToUtf16(e.name)));
                EXPECT_EQ(bytes.size(), e.entry.unpSize);
                if (!e.entry.splitAfter) {
                    EXPECT_EQ(qmrar::Crc32(bytes), e.entry.crc);
                }
            }
        }
    }
    EXPECT_EQ(complete, stored.size());
}

TEST_F(SampleArchives, KnownContentsAndNames) {
    // The bytes of every file are checked against the archiver's CRC above; here folders, links and names.
    RunArchive(Sample("test_read_format_rar.rar"), qmrar::Operation::Extract, tmp.Path() / "a");
    EXPECT_TRUE(fs::is_directory(tmp.Path() / "a/testemptydir"));
    EXPECT_FALSE(fs::exists(tmp.Path() / "a/testlink"));  // links are never made

    // RAR4 packed Unicode names (CP932 text) and RAR5 UTF-8 names outside the BMP.
    RunResult u4 = RunArchive(Sample("test_read_format_rar_unicode.rar"), qmrar::Operation::Skip, tmp.Path());
    ASSERT_GT(u4.entries.size(), 1u);
    EXPECT_EQ(u4.entries[1].name, "\xe8\xa1\xa8\xe3\x81\xa0\xe3\x82\x88\\\xe6\xbc\xa2\xe5\xad\x97\xe9\x95\xb7\xe3\x81\x84"
                                  "\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab\xe5\x90\x8d"
                                  "long-filename-in-\xe6\xbc\xa2\xe5\xad\x97.txt");
    RunResult u5 = RunArchive(Sample("test_read_format_rar5_unicode.rar"), qmrar::Operation::Skip, tmp.Path());
    ASSERT_FALSE(u5.entries.empty());
    EXPECT_EQ(u5.entries[0].name, "\xf0\x9f\x91\x8b\xf0\x9f\x8c\x8e.txt");
}

// The compressed comment of test_read_format_rar_subblock.rar: Wrapper.OpenErrorsAndComments.
TEST_F(SampleArchives, OpenFailures) {
    const std::map<std::string, qmrar::Code> failing = {
        {"test_read_format_rar4_encrypted_filenames.rar", qmrar::kUnknownFormat},
        {"test_read_format_rar5_encrypted_filenames.rar", qmrar::kUnknownFormat},
        {"test_read_format_rar_encryption_header.rar", qmrar::kUnknownFormat},
        {"test_read_format_rar5_solid_encrypted_filenames.rar", qmrar::kUnknownFormat},
        {"test_read_format_rar_endarc_huge.rar", qmrar::kBadData},
        {"test_read_splitted_rar_ab", qmrar::kBadArchive},  // a piece that is not the first carries no signature
    };
    for (const auto& [name, code] : failing)
        EXPECT_EQ(RunArchive(Sample(name), qmrar::Operation::Test, tmp.Path()).open, code) << name;
}
