#include <gtest/gtest.h>

#include "support/SupportError.h"

// The number, source and text of each class error are checked where GSubclass and CTimer raise them.
TEST(SupportError, ClassErrorsCarryTheObjectBaseAndPlatformNumbersStayUnchanged) {
    auto e = SupportError::Object(13081, "Can't subclass window");
    EXPECT_EQ(e.Number(), -2147208423);
    EXPECT_EQ(e.Source(), "test_support_error.WindowProc");  // no folder, no extension
    EXPECT_NE(std::string(e.what()).find("Can't subclass window"), std::string::npos);
    EXPECT_EQ(SupportError::Object(1000, "x").Number(), 1000);
    auto five = SupportError::InvalidCall();
    EXPECT_EQ(five.Number(), 5);
    EXPECT_EQ(five.Description(), "Invalid procedure call or argument");
}
