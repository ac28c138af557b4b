#pragma once
// Files of the support tests: named after the running test (the tests run in parallel
// processes), written and read byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

inline std::string TempPath(const std::string& suffix) {
    return ::testing::TempDir() + "qm_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + suffix;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}
