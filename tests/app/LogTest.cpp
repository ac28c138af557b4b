#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/mdlLog.h"

namespace {
std::string ReadAll(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
}  // namespace

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
    const std::string text = ReadAll(path);
    EXPECT_TRUE(std::regex_match(text, std::regex("\r\nLog opened.\r\n\r\n\r\n\\d\\d:\\d\\d:\\d\\d \\|\\| stamped\r\n")))
        << text;
    // Removed from outside where the system lets it go while open: within moments the log is
    // created again; where the removal is refused, the log simply goes on.
    const bool removed = std::remove(path.c_str()) == 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    do mdlLog::WriteLog("again", true);
    while (!std::ifstream(path).good() && std::chrono::steady_clock::now() < until);
    const std::string after = ReadAll(path);
    EXPECT_TRUE(after.ends_with("again\r\n"));
    EXPECT_EQ(after.starts_with(text), !removed);
    mdlLog::DeleteLog();
    EXPECT_FALSE(std::ifstream(path).good());
    mdlLog::SetLogFile("");
}

TEST(LogFile, ABatchHoldsLinesBackThenWritesThemAllInOrderAndLinesAfterItGoAtOnce) {
    const std::string path = ::testing::TempDir() + "qm_log_batch_test.txt";
    std::remove(path.c_str());
    mdlLog::SetLogFile(path);
    std::string expected;
    {
        mdlLog::Batch batch;
        for (int i = 0; i < 4000; ++i) {  // more than one batch's worth of bytes
            mdlLog::Batch nested;
            mdlLog::WriteLog("Clip" + std::to_string(i) + " added.", true);
            expected += "Clip" + std::to_string(i) + " added.\r\n";
        }
        EXPECT_LT(ReadAll(path).size(), expected.size());
        EXPECT_TRUE(expected.starts_with(ReadAll(path)));
    }
    EXPECT_EQ(ReadAll(path), expected);
    mdlLog::WriteLog("->Programm is ready to start", true);
    EXPECT_EQ(ReadAll(path), expected + "->Programm is ready to start\r\n");
    mdlLog::DeleteLog();
    mdlLog::SetLogFile("");
}
