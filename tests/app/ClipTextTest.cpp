#include <gtest/gtest.h>

#include "app/ClipText.h"

using Func::TrimClipText;

TEST(TrimClipText, DropsSpacesAndCrLfPairsAtBothEnds) {
    EXPECT_EQ(TrimClipText(u"\r\n a b \r\n\r\n"), u"a b");
    EXPECT_EQ(TrimClipText(u" \r\n "), u"");
    EXPECT_EQ(TrimClipText(u"x "), u"x");
    EXPECT_EQ(TrimClipText(u"  word  "), u"word");
    EXPECT_EQ(TrimClipText(u""), u"");
    EXPECT_EQ(TrimClipText(u" "), u"");
    EXPECT_EQ(TrimClipText(u"   "), u"");
}

TEST(TrimClipText, KeepsLoneCrLoneLfAndTabs) {
    EXPECT_EQ(TrimClipText(u"abc\r"), u"abc\r");
    EXPECT_EQ(TrimClipText(u"\nabc"), u"\nabc");
    EXPECT_EQ(TrimClipText(u"\tabc\t"), u"\tabc\t");
    // A CR LF hidden behind a tab is not at the end.
    EXPECT_EQ(TrimClipText(u"a\r\n\t"), u"a\r\n\t");
    // A lone LF before CR LF: only the pair goes.
    EXPECT_EQ(TrimClipText(u"a\n\r\n"), u"a\n");
}

TEST(TrimClipText, HandlesAHugePaddedTextInLinearTime) {
    std::u16string padded(2'000'000, u' ');
    padded += u"core";
    padded.append(2'000'000, u' ');
    EXPECT_EQ(TrimClipText(padded), u"core");
}

namespace {
std::u16string Join(std::initializer_list<std::u16string> items, int combination) {
    std::u16string j;
    for (const auto& x : items) JoinStep(j, x, combination);
    return j;
}
}  // namespace

TEST(JoinRule, EachCombinationJoinsInItsOwnWay) {
    EXPECT_EQ(Join({u"A", u"B\r\n", u"C"}, 1), u"A\r\nB\r\n\r\nC");
    EXPECT_EQ(Join({u"A", u"B\r\n", u"C"}, 2), u"AB\r\nC");
    EXPECT_EQ(Join({u"A", u"B\r\n", u"C"}, 3), u"A\r\nB\r\nC");
    EXPECT_EQ(Join({u"A", u"B\r\n", u"C"}, 0), u"");
    EXPECT_EQ(Join({u"A", u"B\r\n", u"C"}, 4), u"");
    EXPECT_EQ(Join({u"only"}, 1), u"only");
}

TEST(BlankClipText, OnlyEmptySpaceAndCrLfAreBlank) {
    EXPECT_TRUE(IsBlankClipText(u""));
    EXPECT_TRUE(IsBlankClipText(u" "));
    EXPECT_TRUE(IsBlankClipText(u"\r\n"));
    EXPECT_FALSE(IsBlankClipText(u"  "));
    EXPECT_FALSE(IsBlankClipText(u"\n"));
}
