// The texts behind the tips window and the uninstall survey.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "TestLog.h"
#include "model/SurveyRequest.h"
#include "model/TipsFile.h"

namespace {
// The file's bytes as the tips reader gets them, and a decoder that widens each byte.
std::istringstream FileOf(const ClipText& ascii) { return std::istringstream(std::string(ascii.begin(), ascii.end())); }
ClipText Widened(const std::string& bytes) { return ClipText(bytes.begin(), bytes.end()); }
}  // namespace

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
    for (const auto& c : cases) {
        EXPECT_EQ(ParseTips(c.file), c.tips);
        auto file = FileOf(c.file);
        EXPECT_EQ(ReadTips(file, Widened), c.tips);
    }
    ClipText many;  // more tips than the window's 16-bit count holds: the rest are left out
    for (int i = 0; i < 40000; ++i) many += u"t\n";
    const auto tips = ParseTips(many);
    EXPECT_EQ(tips.size(), 32767u);
    EXPECT_EQ(tips.back(), u"Tip 32767:\r\n\r\nt");
}

// A line of any length is one tip showing its beginning; the reader never holds more of a line
// than such a tip needs, so a file of one endless line cannot take the program's memory.
TEST(ParseTips, ALineOfAnyLengthGivesOneShortenedTipAndTheLinesAfterIt) {
    TestLog log;
    auto file = FileOf(ClipText(1 << 20, u'x') + u"\r\nnext");
    size_t longest = 0;
    const auto tips = ReadTips(file, [&](const std::string& bytes) {
        longest = std::max(longest, bytes.size());
        return Widened(bytes);
    });
    EXPECT_EQ(tips, (std::vector<ClipText>{u"Tip 1:\r\n\r\n" + ClipText(kMostTipChars, u'x'), u"Tip 2:\r\n\r\nnext"}));
    EXPECT_LE(longest, 2 * kMostTipChars);
    EXPECT_NE(log.Text().find(">>> Lines of 'Tips.txt' longer than 1024 characters: 1; their tips show the beginning."),
              std::string::npos);
}

// The shipped tips promise only what the history does (its own tests show that): a repeat of the
// newest clip adds nothing, and selected clips are joined from the top of the list down.
TEST(ParseTips, TheShippedTipsPromiseOnlyWhatTheHistoryDoes) {
    std::ifstream file(QM_SHIPPED_TIPS, std::ios::binary);
    const std::string tips{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(tips.find("copying the newest clip's text again adds nothing"), std::string::npos);
    EXPECT_NE(tips.find("pasted from the top of the list down"), std::string::npos);
    for (const char* untrue : {"same text twice keeps one clip", "in the order you selected them"})
        EXPECT_EQ(tips.find(untrue), std::string::npos) << untrue;
}

TEST(SurveyUrl, SendsTheCommentOnlyWithReasonsThreeAndFourEncodedAsTyped) {
    const std::string base = "http://www.quillmate.com/stats/uninstall.php?r=";
    EXPECT_EQ(SurveyUrl(0, u"x"), base + "0&d=");
    EXPECT_EQ(SurveyUrl(2, u"not sent"), base + "2&d=");
    EXPECT_EQ(SurveyUrl(3, u"a&b=c #1"), base + "3&d=a%26b%3Dc%20%231");
    EXPECT_EQ(SurveyUrl(4, u"\u041F\u0440\u0438\u0432\u0435\u0442~"), base + "4&d=%D0%9F%D1%80%D0%B8%D0%B2%D0%B5%D1%82~");
    EXPECT_EQ(PercentEncode(u"\U0001F600\xD800"), "%F0%9F%98%80%EF%BF%BD");  // a pair, then a lone half
}
