#include <gtest/gtest.h>

#include "support/SupportError.h"

TEST(SupportError, ClassErrorsCarryTheObjectBaseAndPlatformNumbersStayUnchanged) {
    auto e = SupportError::Object(13081, "Can't subclass window");
    EXPECT_EQ(e.Number(), -2147208423);
    EXPECT_EQ(SupportError::Object(13652, "x").Number(), static_cast<int32_t>(0x80043554u));
    EXPECT_EQ(ExecutableName(), "test_support_error");  // no folder, no extension
    EXPECT_EQ(e.Source(), "test_support_error.WindowProc");
    EXPECT_EQ(e.Description(), "Can't subclass window");
    EXPECT_NE(std::string(e.what()).find("Can't subclass window"), std::string::npos);
    EXPECT_EQ(SupportError::Object(1000, "x").Number(), 1000);
    auto five = SupportError::InvalidCall();
    EXPECT_EQ(five.Number(), 5);
    EXPECT_EQ(five.Description(), "Invalid procedure call or argument");
}
