#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/Settings.h"
#include "app/SettingsText.h"

using namespace SettingsText;

TEST(SettingsText, BooleansTakeTrueFalseInAnyCaseOrANumber) {
    EXPECT_EQ(ToBool(u"True"), true);
    EXPECT_EQ(ToBool(u"fALSE"), false);
    EXPECT_EQ(ToBool(u"0"), false);
    EXPECT_EQ(ToBool(u"-1"), true);
    EXPECT_EQ(ToBool(u"0.4"), true);  // not zero, whatever it rounds to
    EXPECT_EQ(ToBool(u"yes"), std::nullopt);
    EXPECT_EQ(ToBool(u""), std::nullopt);
    EXPECT_EQ(ToBool(clsINI::NotFound), std::nullopt);
}

TEST(SettingsText, IntegersRoundHalvesToEvenAndMustFitTheirType) {
    EXPECT_EQ(ToInt32(u"2.5"), 2);
    EXPECT_EQ(ToInt32(u"3.5"), 4);
    EXPECT_EQ(ToInt32(u"-2.5"), -2);
    EXPECT_EQ(ToInt32(u" 12 "), 12);
    EXPECT_EQ(ToByte(u"255"), 255);
    EXPECT_EQ(ToByte(u"255.5"), std::nullopt);  // rounds to 256
    EXPECT_EQ(ToByte(u"256"), std::nullopt);
    EXPECT_EQ(ToByte(u"-1"), std::nullopt);
    EXPECT_EQ(ToInt16(u"32767"), 32767);
    EXPECT_EQ(ToInt16(u"32768"), std::nullopt);
    EXPECT_EQ(ToInt32(u"1e3"), 1000);
    for (auto bad : {u"abc", u"12abc", u"inf", u"nan", u"0x10", u"1 2", u"--1", u"\u0661"})
        EXPECT_EQ(ToInt32(bad), std::nullopt) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
}

TEST(SettingsText, PositionsWriteTheShortestTextThatReadsBack) {
    EXPECT_EQ(FromSingle(1500.0f), u"1500");
    EXPECT_EQ(FromSingle(-5.0f), u"-5");
    EXPECT_EQ(FromSingle(0.1f), u"0.1");
    for (float v : {0.1f, 1234.5f, 123456792.0f, -0.375f, 3.4e38f}) EXPECT_EQ(ToSingle(FromSingle(v)), v);
    EXPECT_EQ(ToSingle(u"1e39"), std::nullopt);  // beyond a 32-bit float
    EXPECT_EQ(FromBool(true), u"True");
    EXPECT_EQ(FromInt(-32768), u"-32768");
}

namespace {
std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
}  // namespace

TEST(SettingsFile, FirstStartWritesTwoSectionsAndElevenKeysInOrder) {
    const std::string path = ::testing::TempDir() + "qm_settings_first.ini";
    std::remove(path.c_str());
    clsINI ini;
    ini.SetFileName(path);
    SettingsValues defaults;
    Settings::EnsureKeys(ini, defaults);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadBytes(path),
              "[Global]\r\nTop=15\r\nLeft=7000\r\nFastExit=False\r\nFastHide=False\r\n\r\n"
              "[Options]\r\nRemExtra=False\r\nCombination=3\r\nTransparent=255\r\n"
              "InactiveTransparent=255\r\nRestoreClips=True\r\nPaiseSpeed=1000\r\nSkinName=Default\r\n\r\n");
    SettingsValues v;
    std::vector<std::string> problems;
    Settings::Read(ini, v, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(v.TopTw, 15);
    EXPECT_EQ(v.LeftTw, 7000);
    EXPECT_EQ(v.SkinName, u"Default");
}

TEST(SettingsFile, ExistingKeysKeepTheirValuesAndMissingOnesJoinTheirSection) {
    clsINI ini;
    ini.SetValue(u"options", u"Transparent", u"100");
    ini.SetValue(u"Mine", u"Hand", u"written");
    Settings::EnsureKeys(ini, SettingsValues{});
    EXPECT_EQ(ini.SectionsCount(), 3);
    EXPECT_EQ(ini.SectionName(1), u"options");
    EXPECT_EQ(ini.SectionName(3), u"Global");
    EXPECT_EQ(ini.Value(u"Options", u"Transparent"), u"100");
    EXPECT_EQ(ini.ValuesCount(u"Options"), 7);
    // The saver writes over the model and leaves keys it does not know.
    Settings::Write(ini, SettingsValues{});
    EXPECT_EQ(ini.Value(u"Mine", u"Hand"), u"written");
    EXPECT_EQ(ini.Value(u"Options", u"Transparent"), u"255");
}

TEST(SettingsFile, InactiveTransparencyIsLoweredToTheActiveOne) {
    clsINI ini;
    Settings::EnsureKeys(ini, SettingsValues{});
    ini.SetValue(u"Options", u"Transparent", u"100");
    ini.SetValue(u"Options", u"InactiveTransparent", u"200");
    SettingsValues v;
    std::vector<std::string> problems;
    Settings::Read(ini, v, problems);
    EXPECT_EQ(v.Transparent, 100);
    EXPECT_EQ(v.InactiveTransparent, 100);
    EXPECT_EQ(ini.Value(u"Options", u"InactiveTransparent"), u"200");  // only the setting changes
    EXPECT_TRUE(problems.empty());
}

TEST(SettingsFile, BadTextsFallBackLogAndAreRepairedInTheModel) {
    clsINI ini;
    Settings::EnsureKeys(ini, SettingsValues{});
    ini.SetValue(u"Options", u"Transparent", u"300");
    ini.SetValue(u"Options", u"Combination", u"seven");
    ini.SetValue(u"Options", u"PaiseSpeed", u"0");
    ini.SetValue(u"Options", u"RestoreClips", u"maybe");
    ini.SetValue(u"Global", u"Left", u"far");
    ini.SetValue(u"Global", u"Top", u"2.5");
    SettingsValues v;
    v.RestoreClips = true;
    std::vector<std::string> problems;
    Settings::Read(ini, v, problems);
    EXPECT_EQ(v.Transparent, 255);
    EXPECT_EQ(v.Combination, 3);
    EXPECT_EQ(v.PaiseSpeed, 1000);
    EXPECT_TRUE(v.RestoreClips);
    EXPECT_EQ(v.LeftTw, 7000);
    EXPECT_EQ(v.TopTw, 2.5f);
    ASSERT_EQ(problems.size(), 5u);
    for (const auto& p : problems) EXPECT_EQ(p.substr(0, 4), ">>> ");
    EXPECT_NE(problems[0].find("seven"), std::string::npos);
    EXPECT_EQ(ini.Value(u"Options", u"Transparent"), u"255");
    EXPECT_EQ(ini.Value(u"Options", u"Combination"), u"3");
    EXPECT_EQ(ini.Value(u"Options", u"PaiseSpeed"), u"1000");
    EXPECT_EQ(ini.Value(u"Options", u"RestoreClips"), u"True");
    EXPECT_EQ(ini.Value(u"Global", u"Left"), u"7000");
    EXPECT_EQ(ini.Value(u"Global", u"Top"), u"2.5");
}

TEST(SettingsFile, TheStartBarIsClampedIntoTheScreen) {
    auto clamp = [](float left, float top) {
        Settings::ClampStartBar(left, top, 19200, 12000);
        return std::pair{left, top};
    };
    EXPECT_EQ(clamp(-5, 15), (std::pair{1000.0f, 15.0f}));
    EXPECT_EQ(clamp(19201, -1), (std::pair{18200.0f, 1000.0f}));
    EXPECT_EQ(clamp(19200, 12000), (std::pair{19200.0f, 12000.0f}));  // the size itself stays
    EXPECT_EQ(clamp(0, 12001), (std::pair{0.0f, 11000.0f}));
}
