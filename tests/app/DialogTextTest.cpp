// The texts behind the tips window and the uninstall survey.
#include <gtest/gtest.h>

#include "model/SurveyRequest.h"
#include "model/TipsFile.h"

TEST(ParseTips, KeepsTrimmedTextLinesNumberedInFileOrder) {
    struct Case {
        ClipText file;
        std::vector<ClipText> tips;
    } cases[] = {
        {u"// a comment\r\n\r\n   First tip  \r\n \r\nSecond tip",
         {u"Tip 1:\r\n\r\nFirst tip", u"Tip 2:\r\n\r\nSecond tip"}},
        {u"  // trimmed, then a comment\r\nOnly\n", {u"Tip 1:\r\n\r\nOnly"}},
        {u"a\rb\nc\r\n", {u"Tip 1:\r\n\r\na", u"Tip 2:\r\n\r\nb", u"Tip 3:\r\n\r\nc"}},
        {u"", {u"'Tips.txt' are empty!"}},
        {u"//x\r\n \r\n\r\n", {u"'Tips.txt' are empty!"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseTips(c.file), c.tips);
    ClipText many;  // more tips than the window's 16-bit count holds: the rest are left out
    for (int i = 0; i < 40000; ++i) many += u"t\n";
    const auto tips = ParseTips(many);
    EXPECT_EQ(tips.size(), 32767u);
    EXPECT_EQ(tips.back(), u"Tip 32767:\r\n\r\nt");
}

TEST(SurveyUrl, SendsTheCommentOnlyWithReasonsThreeAndFourEncodedAsTyped) {
    const std::string base = "http://www.quillmate.com/stats/uninstall.php?r=";
    EXPECT_EQ(SurveyUrl(0, u"x"), base + "0&d=");
    EXPECT_EQ(SurveyUrl(2, u"not sent"), base + "2&d=");
    EXPECT_EQ(SurveyUrl(3, u"a&b=c #1"), base + "3&d=a%26b%3Dc%20%231");
    EXPECT_EQ(SurveyUrl(4, u"\u041F\u0440\u0438\u0432\u0435\u0442~"), base + "4&d=%D0%9F%D1%80%D0%B8%D0%B2%D0%B5%D1%82~");
    EXPECT_EQ(PercentEncode(u"\U0001F600\xD800"), "%F0%9F%98%80%EF%BF%BD");  // a pair, then a lone half
}
