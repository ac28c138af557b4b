#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <tuple>

#include "TestFiles.h"
#include "support/PlainFiles.h"
#include "support/clsINI.h"

namespace {
const std::u16string kNone = clsINI::NotFound;
}  // namespace

TEST(IniLoad, LinesBecomeSectionsAndValuesAsWritten) {
    using Lookup = std::tuple<std::u16string, std::u16string, std::u16string>;  // section, key, value
    // The file, the loaded model as UpdateFile writes it, and lookups in it.
    const std::tuple<std::string, std::string, std::vector<Lookup>> cases[] = {
        // CR LF, a lone CR and a last line without a line end all end lines; names ignore case.
        {"[Global]\r\nTop=120\r[Options]\r\nSkinName=Default", "[Global]\r\nTop=120\r\n\r\n[Options]\r\nSkinName=Default\r\n\r\n",
         {{u"global", u"TOP", u"120"}, {u"OPTIONS", u"skinname", u"Default"}}},
        // A lone LF ends a line too, also in a text with CRs.
        {"[A]\r\nx=1\ny=2\r\n", "[A]\r\nx=1\r\ny=2\r\n\r\n", {{u"A", u"y", u"2"}}},
        {"[A]\nx=1\ny=2\n", "[A]\r\nx=1\r\ny=2\r\n\r\n", {{u"A", u"y", u"2"}}},
        // Text after a UTF-8 or UTF-16 byte-order mark, and UTF-16 without one, is read as such.
        {"\xEF\xBB\xBF[S]\r\nName=caf\xC3\xA9\r\n", "[S]\r\nName=caf\xE9\r\n\r\n", {{u"S", u"Name", u"caf\u00E9"}}},
        {std::string("\xFF\xFE[\0S\0]\0\r\0\n\0N\0=\0\xE9\0", 18), "[S]\r\nN=\xE9\r\n\r\n", {{u"S", u"N", u"\u00E9"}}},
        {std::string("\xFE\xFF\0[\0S\0]\0\n\0N\0=\0x", 16), "[S]\r\nN=x\r\n\r\n", {{u"S", u"N", u"x"}}},
        {std::string("[\0S\0]\0\r\0N\0=\0x\0", 14), "[S]\r\nN=x\r\n\r\n", {{u"S", u"N", u"x"}}},
        {"[S]\r\nEmpty=\r\n", "[S]\r\nEmpty=\r\n\r\n",
         {{u"S", u"Empty", u""}, {u"S", u"Other", kNone}, {u"Missing", u"Empty", kNone}}},
        // Only U+0020 is trimmed, and only at the line's ends; blanks before a comment stay.
        {"[S]\r\nTop = 5\r\n   ; a comment\r\n; another\r\n  Left=3 ;note\r\n\tTab=1\t\r\n",
         "[S]\r\nTop = 5\r\nLeft=3 \r\n\tTab=1\t\r\n\r\n",
         {{u"S", u"Top ", u" 5"}, {u"S", u"Top", kNone}, {u"S", u"Left", u"3 "}, {u"S", u"\tTab", u"1\t"}}},
        // "[]" and "[" without "]" are dropped: later values stay in the previous section.
        {"[A]\r\na=1\r\n[]\r\nb=2\r\n[Broken\r\nc=3\r\n[ B c ]trailing\r\nd=4\r\n",
         "[A]\r\na=1\r\nb=2\r\nc=3\r\n\r\n[ B c ]\r\nd=4\r\n\r\n", {{u" b C ", u"d", u"4"}, {u"B c", u"d", kNone}}},
        {"early=1\r\n[S]\r\n=nokey\r\nno equals\r\nk=a=b\r\n", "[S]\r\nk=a=b\r\n\r\n", {{u"S", u"k", u"a=b"}}},
        // 0xE9 is e-acute in the Western code pages and in Latin-1.
        {"[S]\r\nName=caf\xE9\r\n", "[S]\r\nName=caf\xE9\r\n\r\n", {{u"S", u"Name", u"caf\u00E9"}}},
        // Duplicates are kept; lookups never reach the second section of a name.
        {"[A]\r\nx=1\r\n[A]\r\ny=2\r\n", "[A]\r\nx=1\r\n\r\n[A]\r\ny=2\r\n\r\n", {{u"A", u"y", kNone}}},
    };
    const std::string path = TempPath(".ini");
    for (const auto& [file, model, lookups] : cases) {
        WriteBytes(path, file);
        clsINI ini;
        ini.SetFileName(path);
        EXPECT_EQ(ini.Serialize(), model) << file;
        for (const auto& [section, key, value] : lookups) {
            EXPECT_EQ(ini.Value(section, key), value) << file;
            EXPECT_EQ(ini.ValueExists(section, key), value != kNone) << file;
        }
    }
}

TEST(IniModel, MembersFindTheFirstMatchAndAnswerMissesWithoutError) {
    clsINI ini;
    EXPECT_EQ(ini.ValuesCount(u"X"), -1);
    EXPECT_TRUE(ini.AddSection(u"X"));
    EXPECT_FALSE(ini.AddSection(u"x"));
    EXPECT_EQ(ini.ValuesCount(u"X"), 0);
    for (int i : {0, 2}) EXPECT_EQ(ini.SectionName(i), kNone);
    EXPECT_EQ(ini.ValueName(u"X", 1), kNone);
    EXPECT_EQ(ini.ValueName(u"Y", 1), kNone);
    EXPECT_TRUE(ini.AddValue(u"New", u"k", u"1"));  // a missing section is created
    EXPECT_FALSE(ini.AddValue(u"NEW", u"K", u"2"));
    EXPECT_EQ(ini.Value(u"New", u"k"), u"1");
    EXPECT_TRUE(ini.AddValue(u"New", u"bare"));
    ini.SetValue(u"new", u"K", u"9");  // changes the value, keeps the stored spelling of the key
    ini.SetValue(u"Other", u"a", u"b");
    EXPECT_EQ(ini.Serialize(), "[X]\r\n\r\n[New]\r\nk=9\r\nbare=\r\n\r\n[Other]\r\na=b\r\n\r\n");
    for (auto k : {u"c", u"d"}) ini.AddValue(u"New", k, u"v");
    EXPECT_TRUE(ini.RemoveValue(u"New", u"BARE"));
    EXPECT_FALSE(ini.RemoveValue(u"New", u"bare"));
    EXPECT_FALSE(ini.RemoveValue(u"None", u"k"));
    EXPECT_TRUE(ini.RemoveSection(u"x"));
    EXPECT_FALSE(ini.RemoveSection(u"x"));
    EXPECT_EQ(ini.Serialize(), "[New]\r\nk=9\r\nc=v\r\nd=v\r\n\r\n[Other]\r\na=b\r\n\r\n");
    ini.Parse("k=1\r\n[B]\r\nx=2\r\n");  // parsed text starts outside the model's sections
    EXPECT_EQ(ini.ValuesCount(u"Other"), 1);
    EXPECT_EQ(ini.SectionName(3), u"B");
}

TEST(IniFile, UpdateFileWritesTheWholeModelOrRaises) {
    const std::string path = TempPath(".ini");
    WriteBytes(path, "; head\r\n[A]\r\nx=1\r\n\r\n[A]\r\n  k = v ;c\r\n");
    clsINI ini;
    ini.SetFileName(path);
    ini.SetValue(u"A", u"y", u"3");  // joins the first of the two sections
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\ny=3\r\n\r\n[A]\r\nk = v \r\n\r\n");
    EXPECT_FALSE(NormalFileExists(path + ".tmp"));
    std::remove(TempPath("_missing.ini").c_str());
    ini.SetFileName(TempPath("_missing.ini"));  // no file: an empty model, nothing created
    EXPECT_EQ(ini.SectionsCount(), 0);
    EXPECT_FALSE(NormalFileExists(TempPath("_missing.ini")));
    EXPECT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadBytes(TempPath("_missing.ini")), "");
    clsINI unnamed;
    unnamed.AddSection(u"S");
    EXPECT_FALSE(unnamed.UpdateFile());
    unnamed.SetFileName(TempPath("_no_folder/x.ini"));
    EXPECT_THROW(unnamed.UpdateFile(), std::runtime_error);
}
