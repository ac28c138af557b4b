#pragma once
// A log file of the running test's own, read back whole, and the bytes of any file.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/mdlLog.h"

inline std::string ReadBytes(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

struct TestLog {
    // Named after the test: test programs running side by side never share a log.
    std::string path = ::testing::TempDir() + "qm_log_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    TestLog() {
        std::remove(path.c_str());
        mdlLog::SetLogFile(path);
    }
    ~TestLog() { mdlLog::SetLogFile(""); }
    std::string Text() const { return ReadBytes(path); }
};
