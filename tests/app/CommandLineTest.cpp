#include <gtest/gtest.h>

#include "model/CommandLine.h"

// A switch matches ignoring case, also inside a word, when the line ends or " ", "-" or "/" follows.
TEST(HasSwitch, MatchesAtTheEndOrBeforeASeparatorAndALaterGoodMatchWins) {
    struct {
        const char16_t *args, *sw;
        bool has;
    } cases[] = {
        {u"/NOICON", u"/noicon", true},         {u"/noicon /noview", u"/noview", true},
        {u"/noicon-x", u"/noicon", true},       {u"/noicon/noview", u"/noicon", true},
        {u"abc/noview def", u"/noview", true},  {u"/noiconX /noicon /a", u"/noicon", true},
        {u"/noicons", u"/noicon", false},       {u"", u"/noicon", false},
        {u"/noico", u"/noicon", false},
    };
    for (const auto& c : cases) EXPECT_EQ(Func::HasSwitch(c.args, c.sw), c.has) << &c - cases;
}

TEST(ArgumentsOf, SkipsTheProgramPathQuotedOrNot) {
    EXPECT_EQ(Func::ArgumentsOf(u"\"C:\\Program Files\\Q\\Quillmate.exe\" /noicon"), u"/noicon");
    EXPECT_EQ(Func::ArgumentsOf(u"C:\\Q\\Quillmate.exe   /noview /noicon"), u"/noview /noicon");
    EXPECT_EQ(Func::ArgumentsOf(u"Quillmate.exe"), u"");
    EXPECT_EQ(Func::ArgumentsOf(u"\"unterminated"), u"");
}
