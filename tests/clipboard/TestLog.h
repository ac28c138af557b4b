#pragma once
// A log file of the test's own, read back whole, and the bytes of any file.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/mdlLog.h"

inline std::string ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct TestLog {
    std::string path = ::testing::TempDir() + "qm_clipboard_test_log.txt";
    TestLog() {
        std::remove(path.c_str());
        mdlLog::SetLogFile(path);
    }
    ~TestLog() { mdlLog::SetLogFile(""); }
    std::string Text() const { return ReadBytes(path); }
};
