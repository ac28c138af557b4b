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
