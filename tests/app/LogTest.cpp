#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "TestLog.h"

TEST(LogFile, WritesNothingUntilAPathIsSetThenAppendsCrLfLines) {
    EXPECT_EQ(mdlLog::FormatLogLine("Clip0 added.", false, 9, 5, 7), "09:05:07 || Clip0 added.");
    mdlLog::SetLogFile("");
    mdlLog::WriteLog("lost", true);  // no path yet: no file, no error
    TestLog log;
    mdlLog::WriteLog("", true);
    mdlLog::WriteLog("Log opened.", true);
    mdlLog::WriteLog("\r\n", true);  // leaves two line breaks
    mdlLog::WriteLog("stamped", false);
    const std::string text = log.Text();
    EXPECT_TRUE(std::regex_match(text, std::regex("\r\nLog opened.\r\n\r\n\r\n\\d\\d:\\d\\d:\\d\\d \\|\\| stamped\r\n")))
        << text;
    // Removed from outside where the system lets it go while open: within moments the log is
    // created again; where the removal is refused, the log simply goes on.
    const bool removed = std::remove(log.path.c_str()) == 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    do mdlLog::WriteLog("again", true);
    while (!std::ifstream(log.path).good() && std::chrono::steady_clock::now() < until);
    const std::string after = log.Text();
    EXPECT_TRUE(after.ends_with("again\r\n"));
    EXPECT_EQ(after.starts_with(text), !removed);
    mdlLog::DeleteLog();
    EXPECT_FALSE(std::ifstream(log.path).good());
}

TEST(LogFile, ABatchHoldsLinesBackThenWritesThemAllInOrderAndLinesAfterItGoAtOnce) {
    TestLog log;
    std::string expected;
    {
        mdlLog::Batch batch;
        for (int i = 0; i < 4000; ++i) {  // more than one batch's worth of bytes
            mdlLog::Batch nested;
            mdlLog::WriteLog("Clip" + std::to_string(i) + " added.", true);
            expected += "Clip" + std::to_string(i) + " added.\r\n";
        }
        EXPECT_LT(log.Text().size(), expected.size());
        EXPECT_TRUE(expected.starts_with(log.Text()));
    }
    EXPECT_EQ(log.Text(), expected);
    mdlLog::WriteLog("->Programm is ready to start", true);
    EXPECT_EQ(log.Text(), expected + "->Programm is ready to start\r\n");
    mdlLog::DeleteLog();
}
