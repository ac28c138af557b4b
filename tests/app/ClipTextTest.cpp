#include <gtest/gtest.h>

#include "model/ClipText.h"

using Func::TrimClipText;

TEST(ClipText, TrimDropsSpacesAndCrLfPairsAtTheEndsAndOnlyEmptySpaceAndCrLfAreBlank) {
    struct {
        const char16_t* text;
        const char16_t* trimmed;
        bool blank;
    } cases[] = {
        {u"", u"", true}, {u" ", u"", true}, {u"\r\n", u"", true}, {u"  ", u"", false}, {u"\n", u"\n", false},
        {u"\r\n a b \r\n\r\n", u"a b", false}, {u" \r\n ", u"", false}, {u"  word  ", u"word", false},
        {u"abc\r", u"abc\r", false}, {u"\tabc\t", u"\tabc\t", false},
        {u"a\r\n\t", u"a\r\n\t", false},  // a CR LF hidden behind a tab is not at the end
        {u"a\n\r\n", u"a\n", false},      // a lone LF before CR LF: only the pair goes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrimClipText(c.text), c.trimmed) << &c - cases;
        EXPECT_EQ(IsBlankClipText(c.text), c.blank) << &c - cases;
    }
    std::u16string padded(2'000'000, u' ');  // in linear time: a quadratic trim never ends here
    padded += u"core";
    padded.append(2'000'000, u' ');
    EXPECT_EQ(TrimClipText(padded), u"core");
}

TEST(JoinRule, EachCombinationJoinsInItsOwnWay) {
    auto join = [](std::initializer_list<std::u16string> items, int combination) {
        std::u16string j;
        for (const auto& x : items) JoinStep(j, x, combination);
        return j;
    };
    EXPECT_EQ(join({u"A", u"B\r\n", u"C"}, 1), u"A\r\nB\r\n\r\nC");
    EXPECT_EQ(join({u"A", u"B\r\n", u"C"}, 2), u"AB\r\nC");
    EXPECT_EQ(join({u"A", u"B\r\n", u"C"}, 3), u"A\r\nB\r\nC");
    EXPECT_EQ(join({u"A", u"B\r\n", u"C"}, 4), u"");
    EXPECT_EQ(join({u"only"}, 1), u"only");
}
