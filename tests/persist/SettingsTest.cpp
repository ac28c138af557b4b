#include <gtest/gtest.h>

#include <tuple>

#include "model/Settings.h"
#include "model/SettingsText.h"

using namespace SettingsText;

TEST(SettingsText, TextsBecomeValuesOrNothingAndValuesTheirShortestText) {
    // Booleans: "True"/"False" in any case or a number, zero or not (0.4 is true, whatever it rounds to).
    for (auto [t, b] : {std::pair{u"True", true}, {u"fALSE", false}, {u"0", false}, {u"-1", true}, {u"0.4", true}})
        EXPECT_EQ(ToBool(t), b);
    for (const auto& t : {std::u16string(u"yes"), std::u16string(), clsINI::NotFound}) EXPECT_EQ(ToBool(t), std::nullopt);
    // Integers round halves to even, then must fit their type.
    for (auto [t, v] : {std::pair{u"2.5", 2}, {u"3.5", 4}, {u"-2.5", -2}, {u" 12 ", 12}, {u"1e3", 1000}})
        EXPECT_EQ(ToInt32(t), v);
    for (auto bad : {u"abc", u"12abc", u"inf", u"nan", u"0x10", u"1 2", u"--1", u"\u0661"})
        EXPECT_EQ(ToInt32(bad), std::nullopt) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    EXPECT_EQ(ToByte(u"255"), 255);
    for (auto bad : {u"255.5", u"256", u"-1"}) EXPECT_EQ(ToByte(bad), std::nullopt);
    EXPECT_EQ(ToInt16(u"32767"), 32767);
    EXPECT_EQ(ToInt16(u"32768"), std::nullopt);
    EXPECT_EQ(ToSingle(u"1e39"), std::nullopt);  // beyond a 32-bit float
    // Positions are written as the shortest text that reads back as the same float.
    for (auto [v, t] : {std::pair{1500.0f, u"1500"}, {-5.0f, u"-5"}, {0.1f, u"0.1"}, {100000.0f, u"100000"}})
        EXPECT_EQ(FromSingle(v), t);
    for (float v : {0.1f, 1234.5f, 123456792.0f, -0.375f, 3.4e38f}) EXPECT_EQ(ToSingle(FromSingle(v)), v);
}

TEST(SettingsFile, MissingKeysAreAddedKnownOnesKeptAndBadOnesRepaired) {
    clsINI ini;
    ini.SetValue(u"options", u"Transparent", u"100");
    ini.SetValue(u"Options", u"InactiveTransparent", u"200");
    ini.SetValue(u"Mine", u"Hand", u"written");
    ini.SetValue(u"Global", u"Top", u"2.5");  // a position may be fractional
    struct Key {
        const char16_t *section, *key, *text, *repaired;
    };
    const Key bad[] = {{u"Options", u"Combination", u"seven", u"3"}, {u"Options", u"RestoreClips", u"maybe", u"True"},
                       {u"Options", u"PaiseSpeed", u"-1", u"1000"}, {u"Global", u"Left", u"far", u"7000"}};
    for (const auto& k : bad) ini.SetValue(k.section, k.key, k.text);
    Settings::EnsureKeys(ini, SettingsValues{});
    EXPECT_EQ(std::pair(ini.ValuesCount(u"Options"), ini.ValuesCount(u"Global")), std::pair(7, 4));
    SettingsValues v;
    std::vector<std::string> problems;
    Settings::Read(ini, v, problems);
    // The inactive alpha is never above the active one; the file keeps its 200.
    EXPECT_EQ(std::tuple(v.Transparent, v.InactiveTransparent, v.TopTw), std::tuple(100, 100, 2.5f));
    const SettingsValues d;
    EXPECT_EQ(std::tie(v.Combination, v.RestoreClips, v.PaiseSpeed, v.LeftTw),
              std::tie(d.Combination, d.RestoreClips, d.PaiseSpeed, d.LeftTw));
    ASSERT_EQ(problems.size(), 4u);
    for (const auto& p : problems) EXPECT_EQ(p.substr(0, 4), ">>> ");
    EXPECT_NE(problems[0].find("seven"), std::string::npos);
    for (const auto& k : bad) EXPECT_EQ(ini.Value(k.section, k.key), k.repaired);
    EXPECT_EQ(ini.Value(u"Options", u"InactiveTransparent"), u"200");
    ini.SetValue(u"Options", u"PaiseSpeed", u"0");  // no fade, not bad: a 0 would hide every shown window
    Settings::Read(ini, v, problems);
    EXPECT_EQ(std::pair(v.PaiseSpeed, problems.size()), std::pair(int16_t{1000}, size_t{4}));
    // The saver writes over the model and leaves keys it does not know.
    Settings::Write(ini, SettingsValues{});
    EXPECT_EQ(ini.Value(u"Mine", u"Hand"), u"written");
    EXPECT_EQ(ini.Value(u"Options", u"Transparent"), u"255");
}

TEST(SettingsFile, TheStartBarIsClampedIntoTheScreen) {
    // left, top before and after, on a screen of 19200 x 12000 twips; the size itself stays. A top
    // above the band that docks the bar at the screen's top (16 px and more above it) moves in; one
    // in the band stays, as a bar docked there (6 px, 90 twips, above the screen) is saved.
    for (auto [l, t, left, top] : {std::tuple{-5.0f, 15.0f, 1000.0f, 15.0f}, {19201.0f, -240.0f, 18200.0f, 1000.0f},
                                   {19200.0f, 12000.0f, 19200.0f, 12000.0f}, {0.0f, 12001.0f, 0.0f, 11000.0f},
                                   {7005.0f, -90.0f, 7005.0f, -90.0f}}) {
        Settings::ClampStartBar(l, t, 19200, 12000, 15);
        EXPECT_EQ(std::pair(l, t), std::pair(left, top));
    }
}
