#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/PlainFiles.h"
#include "support/clsINI.h"

namespace {
const std::u16string kNone = clsINI::NotFound;

std::string TempPath(const std::string& name) { return ::testing::TempDir() + name; }

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// A model loaded from the given file text, in a file of the running test's own: the tests run
// in parallel processes.
clsINI Loaded(const std::string& text) {
    const std::string path = TempPath(std::string("qm_ini_") +
                                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
    WriteBytes(path, text);
    clsINI ini;
    ini.SetFileName(path);
    return ini;
}
}  // namespace

TEST(IniLoad, SectionsAndKeysAreFoundWhateverTheirCaseAndLineEnds) {
    // CR LF, a lone CR and a last line without a line end all end lines.
    clsINI ini = Loaded("[Global]\r\nTop=120\r[Options]\r\nSkinName=Default");
    EXPECT_EQ(ini.SectionsCount(), 2);
    EXPECT_EQ(ini.ValuesCount(u"Global"), 1);
    EXPECT_EQ(ini.ValuesCount(u"Options"), 1);
    EXPECT_EQ(ini.Value(u"global", u"TOP"), u"120");
    EXPECT_EQ(ini.Value(u"OPTIONS", u"skinname"), u"Default");
    EXPECT_EQ(ini.SectionName(1), u"Global");
    EXPECT_EQ(ini.ValueName(u"Options", 1), u"SkinName");
}

TEST(IniLoad, LoneLineFeedsDoNotEndALine) {
    clsINI ini = Loaded("[A]\nx=1\ny=2\n");
    // One line: "[A]" followed by the rest, which is ignored after the "]".
    EXPECT_EQ(ini.SectionsCount(), 1);
    EXPECT_EQ(ini.SectionName(1), u"A");
    EXPECT_EQ(ini.ValuesCount(u"A"), 0);
}

TEST(IniLoad, MissingKeyIsOneNulAndAnEmptyValueIsEmpty) {
    clsINI ini = Loaded("[S]\r\nEmpty=\r\n");
    EXPECT_EQ(ini.Value(u"S", u"Other"), kNone);
    EXPECT_EQ(ini.Value(u"S", u"Other").size(), 1u);
    EXPECT_EQ(ini.Value(u"Missing", u"Empty"), kNone);
    EXPECT_TRUE(ini.ValueExists(u"S", u"Empty"));
    EXPECT_EQ(ini.Value(u"S", u"Empty"), u"");
}

TEST(IniLoad, BlanksAroundTheEqualsSignAndBeforeACommentStay) {
    clsINI ini = Loaded("[S]\r\nTop = 5\r\n   ; a comment\r\n; another\r\n  Left=3 ;note\r\n\tTab=1\t\r\n");
    EXPECT_EQ(ini.Value(u"S", u"Top "), u" 5");
    EXPECT_EQ(ini.Value(u"S", u"Top"), kNone);
    EXPECT_EQ(ini.Value(u"S", u"Left"), u"3 ");
    // Only U+0020 is trimmed: tabs stay part of names and values.
    EXPECT_EQ(ini.Value(u"S", u"\tTab"), u"1\t");
    EXPECT_EQ(ini.ValuesCount(u"S"), 3);
}

TEST(IniLoad, BrokenHeadersAreDroppedAndLaterValuesStayInThePreviousSection) {
    clsINI ini = Loaded("[A]\r\na=1\r\n[]\r\nb=2\r\n[Broken\r\nc=3\r\n[ B c ]trailing\r\nd=4\r\n");
    EXPECT_EQ(ini.SectionsCount(), 2);
    EXPECT_EQ(ini.ValuesCount(u"A"), 3);
    EXPECT_EQ(ini.Value(u"A", u"c"), u"3");
    EXPECT_EQ(ini.SectionName(2), u" B c ");
    EXPECT_EQ(ini.Value(u" b C ", u"d"), u"4");
    EXPECT_FALSE(ini.SectionExists(u"B c"));
}

TEST(IniLoad, LinesWithoutAKeyOrSectionAreDroppedAndTheFirstEqualsSplits) {
    clsINI ini = Loaded("early=1\r\n[S]\r\n=nokey\r\nno equals\r\nk=a=b\r\n");
    EXPECT_EQ(ini.SectionsCount(), 1);
    EXPECT_EQ(ini.ValuesCount(u"S"), 1);
    EXPECT_EQ(ini.Value(u"S", u"k"), u"a=b");
}

TEST(IniModel, DuplicatesAreKeptAndLookupsTakeTheFirst) {
    const std::string path = TempPath("qm_ini_dup.ini");
    WriteBytes(path, "[A]\r\nx=1\r\n[A]\r\ny=2\r\n");
    clsINI ini;
    ini.SetFileName(path);
    EXPECT_EQ(ini.SectionsCount(), 2);
    EXPECT_FALSE(ini.ValueExists(u"A", u"y"));  // never searched in the second section
    ini.SetValue(u"A", u"y", u"3");
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\ny=3\r\n\r\n[A]\r\ny=2\r\n\r\n");
}

TEST(IniModel, CountsAndIndexesAnswerOutOfRangeWithoutError) {
    clsINI ini;
    EXPECT_EQ(ini.SectionsCount(), 0);
    EXPECT_EQ(ini.ValuesCount(u"X"), -1);
    EXPECT_TRUE(ini.AddSection(u"X"));
    EXPECT_FALSE(ini.AddSection(u"x"));
    EXPECT_EQ(ini.ValuesCount(u"X"), 0);
    EXPECT_EQ(ini.SectionName(0), kNone);
    EXPECT_EQ(ini.SectionName(2), kNone);
    EXPECT_EQ(ini.ValueName(u"X", 1), kNone);
    EXPECT_EQ(ini.ValueName(u"Y", 1), kNone);
}

TEST(IniModel, AddValueKeepsAnExistingKeyAndCreatesAMissingSection) {
    clsINI ini;
    EXPECT_TRUE(ini.AddValue(u"New", u"k", u"1"));
    EXPECT_EQ(ini.SectionsCount(), 1);
    EXPECT_FALSE(ini.AddValue(u"NEW", u"K", u"2"));
    EXPECT_EQ(ini.Value(u"New", u"k"), u"1");
    EXPECT_TRUE(ini.AddValue(u"New", u"bare"));
    EXPECT_EQ(ini.Value(u"New", u"bare"), u"");
    // The setter changes the value but keeps the stored spelling of the key.
    ini.SetValue(u"new", u"K", u"9");
    EXPECT_EQ(ini.ValueName(u"New", 1), u"k");
    EXPECT_EQ(ini.Value(u"New", u"k"), u"9");
    ini.SetValue(u"Other", u"a", u"b");
    EXPECT_EQ(ini.SectionName(2), u"Other");
}

TEST(IniModel, RemovingKeepsTheOrderOfTheRest) {
    clsINI ini;
    for (auto k : {u"a", u"b", u"c", u"d"}) ini.AddValue(u"S", k, u"v");
    EXPECT_TRUE(ini.RemoveValue(u"S", u"B"));
    EXPECT_FALSE(ini.RemoveValue(u"S", u"b"));
    EXPECT_FALSE(ini.RemoveValue(u"T", u"a"));
    EXPECT_EQ(ini.ValueName(u"S", 1), u"a");
    EXPECT_EQ(ini.ValueName(u"S", 2), u"c");
    EXPECT_EQ(ini.ValueName(u"S", 3), u"d");
    ini.AddSection(u"T");
    ini.AddSection(u"U");
    EXPECT_TRUE(ini.RemoveSection(u"t"));
    EXPECT_FALSE(ini.RemoveSection(u"t"));
    EXPECT_EQ(ini.SectionName(2), u"U");
}

TEST(IniFile, NoFileNameWritesNothingAndAMissingFileLeavesAnEmptyModel) {
    clsINI ini;
    ini.AddValue(u"S", u"k", u"v");
    EXPECT_FALSE(ini.UpdateFile());
    const std::string path = TempPath("qm_ini_missing.ini");
    std::remove(path.c_str());
    ini.SetFileName(path);
    EXPECT_EQ(ini.SectionsCount(), 0);
    EXPECT_EQ(ini.FileName(), path);
    EXPECT_FALSE(NormalFileExists(path));
}

TEST(IniFile, WritesCrLfLinesWithABlankLineAfterEachSectionAndDropsComments) {
    const std::string path = TempPath("qm_ini_write.ini");
    WriteBytes(path, "; head\r\n[Empty]\r\n\r\n[S]\r\n  k = v ;c\r\n");
    clsINI ini;
    ini.SetFileName(path);
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadBytes(path), "[Empty]\r\n\r\n[S]\r\nk = v \r\n\r\n");
    EXPECT_FALSE(NormalFileExists(path + ".tmp"));
    clsINI empty;
    empty.SetFileName(TempPath("qm_ini_empty.ini"));
    EXPECT_TRUE(empty.UpdateFile());
    EXPECT_EQ(ReadBytes(TempPath("qm_ini_empty.ini")), "");
}

TEST(IniFile, AnUnwritableFileRaisesAndKeepsThePreviousContent) {
    clsINI ini;
    ini.SetFileName(TempPath("no_such_folder_qm/x.ini"));
    ini.AddValue(u"S", u"k", u"v");
    EXPECT_THROW(ini.UpdateFile(), std::runtime_error);
}

TEST(IniFile, NonAsciiTextGoesThroughTheAnsiCodePage) {
    // 0xE9 is e-acute in the Western code pages and in Latin-1.
    clsINI ini = Loaded("[S]\r\nName=caf\xE9\r\n");
    EXPECT_EQ(ini.Value(u"S", u"Name"), u"caf\u00E9");
    EXPECT_EQ(ini.Serialize(), "[S]\r\nName=caf\xE9\r\n\r\n");
}

TEST(IniModel, ParsedTextStartsOutsideAnySectionOfTheModel) {
    clsINI ini;
    ini.AddSection(u"A");
    ini.Parse("k=1\r\n[B]\r\nx=2\r\n");
    EXPECT_EQ(ini.ValuesCount(u"A"), 0);
    EXPECT_EQ(ini.Value(u"B", u"x"), u"2");
}

#ifdef _WIN32
#include <windows.h>
TEST(IniFile, AHiddenFileIsNeitherLoadedNorReplaced) {
    const std::string path = TempPath("qm_ini_hidden.ini");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteBytes(path, "[S]\r\nk=saved\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    clsINI ini;
    ini.SetFileName(path);
    EXPECT_EQ(ini.SectionsCount(), 0);
    ini.AddValue(u"S", u"k", u"default");
    EXPECT_THROW(ini.UpdateFile(), std::runtime_error);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=saved\r\n");
}
#endif
