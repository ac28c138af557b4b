#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <optional>
#include <tuple>

#include "TestFiles.h"
#include "support/PlainFiles.h"
#include "support/clsFile.h"

namespace {
std::u16string ReadWhole(const std::string& path) {
    clsFile f;
    if (!f.OpenFile(path, clsFile::kRead)) return u"<not opened>";
    std::u16string t = f.ReadStrFromFile();
    f.CloseFile();
    return t;
}
}  // namespace

TEST(ClsFile, WritesExactlyTheTextsCodeUnitsFromTheFirstByte) {
    // The file before (nothing: no file yet), the texts written on one open file, the file after.
    const std::tuple<std::optional<std::string>, std::vector<std::u16string>, std::string> cases[] = {
        {std::nullopt, {u"abc"}, std::string("a\0b\0c\0", 6)},
        {std::nullopt, {u""}, ""},
        // Beyond Latin-1, and a surrogate pair, over a longer file.
        {std::string(12, 'x'), {u"\u0416\U0001F600"}, std::string("\x16\x04\x3D\xD8\x00\xDE", 6)},
        {std::string(12, 'x'), {u"xy", u"z"}, std::string("z\0", 2)},  // every write starts at byte 0
    };
    const std::string path = TempPath("write.qms");
    for (const auto& [before, writes, after] : cases) {
        std::remove(path.c_str());
        if (before) WriteBytes(path, *before);
        clsFile f;
        ASSERT_TRUE(f.OpenFile(path, clsFile::kWrite));
        EXPECT_NE(f.FileHandle(), 0);
        for (const auto& t : writes) EXPECT_TRUE(f.WriteStrToFile(t));
        f.CloseFile();
        EXPECT_EQ(f.FileHandle(), 0);
        EXPECT_EQ(ReadBytes(path), after);
        EXPECT_EQ(ReadWhole(path), writes.back());
    }
}

TEST(ClsFile, OddSizesRoundHalfToEvenWithoutOverrun) {
    const std::string path = TempPath("odd.qms");
    // 2.5 units round to 2 (the lone byte is dropped), 3.5 to 4 (it becomes a unit), 0.5 to 0.
    for (auto [bytes, text] : {std::pair{std::string("a\0b\0c", 5), u"ab"}, {std::string("a\0b\0c\0d", 7), u"abcd"},
                               {std::string("x"), u""}}) {
        WriteBytes(path, bytes);
        EXPECT_EQ(ReadWhole(path), text) << bytes.size();
    }
}

TEST(ClsFile, RefusesWhatItCannotOpenWithoutCreatingAnything) {
    const std::string missing = TempPath("missing.qms"), second = TempPath("second.qms");
    std::remove(missing.c_str());
    std::remove(second.c_str());
    clsFile f;
    EXPECT_FALSE(f.OpenFile(missing, clsFile::kRead));
    EXPECT_FALSE(f.OpenFile(TempPath("no_folder\\x.qms"), clsFile::kWrite));
    EXPECT_FALSE(f.OpenFile(missing, 3));
    EXPECT_EQ(f.FileHandle(), 0);
    EXPECT_FALSE(NormalFileExists(missing));
    EXPECT_EQ(f.ReadStrFromFile(), u"");
    EXPECT_FALSE(f.WriteStrToFile(u"x"));
    // A hidden file counts as absent.
    WriteBytes(missing, std::string("h\0", 2));
    SetFileAttributesA(missing.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(f.OpenFile(missing, clsFile::kRead));
    SetFileAttributesA(missing.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A second open is refused and the first file stays open.
    ASSERT_TRUE(f.OpenFile(missing, clsFile::kRead));
    const int32_t h = f.FileHandle();
    EXPECT_FALSE(f.OpenFile(second, clsFile::kWrite));
    EXPECT_EQ(f.FileHandle(), h);
    EXPECT_FALSE(NormalFileExists(second));
    // While it is open for reading others may read it, not write it.
    clsFile other;
    EXPECT_FALSE(other.OpenFile(missing, clsFile::kWrite));
    EXPECT_TRUE(other.OpenFile(missing, clsFile::kRead));
    other.CloseFile();
    EXPECT_EQ(f.ReadStrFromFile(), u"h");
    f.CloseFile();
    EXPECT_EQ(f.ReadStrFromFile(), u"");
}
