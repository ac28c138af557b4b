#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/mdlLog.h"

TEST(LogFormat, PlainIsTheTextAloneAndStampedHasTwoDigitTime) {
    EXPECT_EQ(mdlLog::FormatLogLine("Clip0 added.", true, 9, 5, 7), "Clip0 added.");
    EXPECT_EQ(mdlLog::FormatLogLine("Clip0 added.", false, 9, 5, 7), "09:05:07 || Clip0 added.");
    EXPECT_EQ(mdlLog::FormatLogLine("x", false, 23, 59, 59), "23:59:59 || x");
}

TEST(LogFile, WritesNothingUntilAPathIsSetThenAppendsCrLfLines) {
    const std::string path = ::testing::TempDir() + "qm_log_test.txt";
    std::remove(path.c_str());
    mdlLog::SetLogFile("");
    mdlLog::WriteLog("lost", true);  // no path yet: no file, no error
    mdlLog::SetLogFile(path);
    mdlLog::WriteLog("", true);
    mdlLog::WriteLog("Log opened.", true);
    mdlLog::WriteLog("\r\n", true);  // leaves two line breaks
    mdlLog::WriteLog("stamped", false);
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_TRUE(std::regex_match(text.str(), std::regex("\r\nLog opened.\r\n\r\n\r\n\\d\\d:\\d\\d:\\d\\d \\|\\| stamped\r\n")))
        << text.str();
    mdlLog::DeleteLog();
    EXPECT_FALSE(std::ifstream(path).good());
    mdlLog::SetLogFile("");
}
