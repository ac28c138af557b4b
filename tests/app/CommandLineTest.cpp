#include <gtest/gtest.h>

#include "app/CommandLine.h"

using Func::HasSwitch;

TEST(HasSwitch, MatchesIgnoringCaseAtEndOrBeforeSeparator) {
    EXPECT_TRUE(HasSwitch(u"/NOICON", u"/noicon"));
    EXPECT_TRUE(HasSwitch(u"/noicon /noview", u"/noicon"));
    EXPECT_TRUE(HasSwitch(u"/noicon /noview", u"/noview"));
    EXPECT_TRUE(HasSwitch(u"/noicon-x", u"/noicon"));
    EXPECT_TRUE(HasSwitch(u"/noicon/noview", u"/noicon"));
}

TEST(HasSwitch, RejectsALetterRightAfterTheSwitch) {
    EXPECT_FALSE(HasSwitch(u"/noicons", u"/noicon"));
    EXPECT_FALSE(HasSwitch(u"", u"/noicon"));
    EXPECT_FALSE(HasSwitch(u"/noico", u"/noicon"));
}

TEST(HasSwitch, AMatchMayStartInsideAWord) {
    EXPECT_TRUE(HasSwitch(u"x/noicon", u"/noicon"));
    EXPECT_TRUE(HasSwitch(u"abc/noview def", u"/noview"));
}

TEST(HasSwitch, ALaterGoodMatchWinsOverAnEarlierBadOne) {
    EXPECT_TRUE(HasSwitch(u"/noiconX /noicon", u"/noicon"));
    EXPECT_TRUE(HasSwitch(u"/noiconX /noicon /a", u"/noicon"));
}

TEST(ArgumentsOf, SkipsTheProgramPathQuotedOrNot) {
    EXPECT_EQ(Func::ArgumentsOf(u"\"C:\\Program Files\\Q\\Quillmate.exe\" /noicon"), u"/noicon");
    EXPECT_EQ(Func::ArgumentsOf(u"C:\\Q\\Quillmate.exe   /noview /noicon"), u"/noview /noicon");
    EXPECT_EQ(Func::ArgumentsOf(u"Quillmate.exe"), u"");
    EXPECT_EQ(Func::ArgumentsOf(u"\"unterminated"), u"");
}
