#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/PlainFiles.h"
#include "support/clsFile.h"

namespace {
std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

std::u16string ReadWhole(const std::string& path) {
    clsFile f;
    if (!f.OpenFile(path, clsFile::kRead)) return u"<not opened>";
    std::u16string t = f.ReadStrFromFile();
    f.CloseFile();
    return t;
}
}  // namespace

TEST(ClsFile, WritesRawUtf16LeAndReadsItBack) {
    const std::string path = TempPath("qm_file_abc.qms");
    std::remove(path.c_str());
    clsFile f;
    ASSERT_TRUE(f.OpenFile(path, clsFile::kWrite));
    EXPECT_NE(f.FileHandle(), 0);
    EXPECT_TRUE(f.WriteStrToFile(u"abc"));
    f.CloseFile();
    EXPECT_EQ(f.FileHandle(), 0);
    EXPECT_EQ(ReadBytes(path), std::string("a\0b\0c\0", 6));
    EXPECT_EQ(ReadWhole(path), u"abc");
    // Beyond Latin-1, and a surrogate pair, byte for byte.
    clsFile g;
    ASSERT_TRUE(g.OpenFile(path, clsFile::kWrite));
    EXPECT_TRUE(g.WriteStrToFile(u"\u0416\U0001F600"));
    g.CloseFile();
    EXPECT_EQ(ReadBytes(path), std::string("\x16\x04\x3D\xD8\x00\xDE", 6));
}

TEST(ClsFile, RewritingALongerFileLeavesExactlyTheNewText) {
    const std::string path = TempPath("qm_file_shrink.qms");
    WriteBytes(path, std::string("l\0o\0n\0g\0e\0r\0", 12));
    clsFile f;
    ASSERT_TRUE(f.OpenFile(path, clsFile::kWrite));
    EXPECT_TRUE(f.WriteStrToFile(u"xy"));
    EXPECT_TRUE(f.WriteStrToFile(u"z"));  // every write starts at the first byte
    f.CloseFile();
    EXPECT_EQ(ReadWhole(path), u"z");
}

TEST(ClsFile, EmptyTextMakesAnEmptyFileAndAnEmptyFileReadsEmpty) {
    const std::string path = TempPath("qm_file_empty.qms");
    std::remove(path.c_str());
    clsFile f;
    ASSERT_TRUE(f.OpenFile(path, clsFile::kWrite));
    EXPECT_TRUE(f.WriteStrToFile(u""));
    f.CloseFile();
    EXPECT_TRUE(NormalFileExists(path));
    EXPECT_EQ(ReadBytes(path).size(), 0u);
    EXPECT_EQ(ReadWhole(path), u"");
}

TEST(ClsFile, OddSizesNeitherOverrunNorLoseTheWholeUnits) {
    const std::string path = TempPath("qm_file_odd.qms");
    // 5 bytes: 2.5 units rounds to 2, the lone byte is dropped.
    WriteBytes(path, std::string("a\0b\0c", 5));
    EXPECT_EQ(ReadWhole(path), u"ab");
    // 7 bytes: 3.5 rounds to 4, the lone byte becomes a unit of its own.
    WriteBytes(path, std::string("a\0b\0c\0d", 7));
    EXPECT_EQ(ReadWhole(path), u"abcd");
    WriteBytes(path, std::string("x", 1));  // 0.5 rounds to 0
    EXPECT_EQ(ReadWhole(path), u"");
}

TEST(ClsFile, RefusesWhatItCannotOpenWithoutCreatingAnything) {
    const std::string missing = TempPath("qm_file_missing.qms");
    std::remove(missing.c_str());
    clsFile f;
    EXPECT_FALSE(f.OpenFile(missing, clsFile::kRead));
    EXPECT_EQ(f.FileHandle(), 0);
    EXPECT_FALSE(NormalFileExists(missing));
    EXPECT_FALSE(f.OpenFile(TempPath("qm_no_folder\\x.qms"), clsFile::kWrite));
    EXPECT_EQ(f.FileHandle(), 0);
    EXPECT_FALSE(f.OpenFile(missing, 3));
    EXPECT_FALSE(NormalFileExists(missing));
    EXPECT_EQ(f.ReadStrFromFile(), u"");
    EXPECT_FALSE(f.WriteStrToFile(u"x"));
}

TEST(ClsFile, ASecondOpenIsRefusedAndTheFirstStaysOpen) {
    const std::string a = TempPath("qm_file_a.qms"), b = TempPath("qm_file_b.qms");
    WriteBytes(a, std::string("a\0", 2));
    std::remove(b.c_str());
    clsFile f;
    ASSERT_TRUE(f.OpenFile(a, clsFile::kRead));
    const int32_t h = f.FileHandle();
    EXPECT_FALSE(f.OpenFile(b, clsFile::kWrite));
    EXPECT_EQ(f.FileHandle(), h);
    EXPECT_FALSE(NormalFileExists(b));
    EXPECT_EQ(f.ReadStrFromFile(), u"a");
    f.CloseFile();
    EXPECT_EQ(f.ReadStrFromFile(), u"");
}

TEST(ClsFile, HiddenFilesCountAsAbsent) {
    const std::string path = TempPath("qm_file_hidden.qms");
    WriteBytes(path, std::string("h\0", 2));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    clsFile f;
    EXPECT_FALSE(f.OpenFile(path, clsFile::kRead));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(f.OpenFile(path, clsFile::kRead));
}
