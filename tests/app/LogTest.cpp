#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/mdlLog.h"

TEST(LogFormat, PlainIsTheTextAloneAndStampedHasTwoDigitTime) {
    EXPECT_EQ(mdlLog::FormatLogLine("Clip0 added.", true, 9, 5, 7), "Clip0 added.");
    EXPECT_EQ(mdlLog::FormatLogLine("Clip0 added.", false, 9, 5, 7), "09:05:07 || Clip0 added.");
    EXPECT_EQ(mdlLog::FormatLogLine("", true, 23, 59, 59), "");
    EXPECT_EQ(mdlLog::FormatLogLine("x", false, 23, 59, 59), "23:59:59 || x");
}

namespace {
std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
}  // namespace

TEST(LogFile, WritesNothingUntilAPathIsSetThenAppendsCrLfLines) {
    const std::string path = ::testing::TempDir() + "qm_log_test.txt";
    std::remove(path.c_str());
    mdlLog::SetLogFile("");
    mdlLog::WriteLog("lost", true);  // no path yet: no file, no error
    mdlLog::SetLogFile(path);
    mdlLog::WriteLog("", true);
    mdlLog::WriteLog("Log opened.", true);
    mdlLog::WriteLog("\r\n", true);
    mdlLog::WriteLog("stamped", false);
    const std::string text = ReadAll(path);
    ASSERT_GE(text.size(), 20u);
    // A text of CR LF leaves two line breaks.
    EXPECT_EQ(text.substr(0, 19), "\r\nLog opened.\r\n\r\n\r\n");
    EXPECT_EQ(text.substr(21, 1), ":");
    EXPECT_EQ(text.substr(27, 4), " || ");  // hh:mm:ss is 8 characters
    EXPECT_EQ(text.substr(text.size() - 9), "stamped\r\n");
    // Removed from outside (where the system allows it while the log is open): the next line
    // starts a new log; refused: it goes on in the same one. No line is lost either way.
    const bool removed = std::remove(path.c_str()) == 0;
    mdlLog::WriteLog("again", true);
    EXPECT_EQ(ReadAll(path), (removed ? std::string() : text) + "again\r\n");
    mdlLog::DeleteLog();
    EXPECT_FALSE(std::ifstream(path).good());
    mdlLog::SetLogFile("");
}
