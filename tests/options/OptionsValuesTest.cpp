#include <gtest/gtest.h>

#include "options/OptionsValues.h"

using namespace OptionsValues;

TEST(OptionsValues, ApplyStoresTheSlidersAsSettings) {
    struct Case {
        std::wstring actTr, tr, speed;
        int transparent, inactive, paise;
    };
    const Case cases[] = {
        {L"30", L"100", L"Off", 76, 76, 1000},   // 76.5 rounds to the even 76
        {L"50", L"50", L"10", 128, 64, 30},      // 127.5 rounds to 128; 128 / 255 x 128 = 64.25
        {L"70", L"10", L"100", 178, 18, 300},    // 25.5 -> 26, then 26 / 255 x 178 = 18.1
        {L"90", L"100", L"55", 230, 230, 165},
        {L"100", L"50", L"Off", 255, 128, 1000},
        {L"80", L"50", L"Off", 204, 102, 1000},  // 128 / 255 x 204 = 102.4
        {L" 60abc", L"x", L"off", 153, 0, 0},    // leading number only; "off" is not "Off"
        {L"400", L"400", L"99999", 255, 255, 32767},  // hand-edited values held at the ends
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.transparent);
        const uint8_t t = StoredTransparent(c.actTr);
        EXPECT_EQ(t, c.transparent);
        EXPECT_EQ(StoredInactive(c.tr, t), c.inactive);
        EXPECT_EQ(StoredSpeed(c.speed), c.paise);
    }
}

TEST(OptionsValues, LoadShowsWhatApplyStoresBack) {
    EXPECT_EQ(ShownActive(76), L"30");
    EXPECT_EQ(ShownSpeed(1000), L"Off");
    EXPECT_EQ(ShownSpeed(165), L"55");
    EXPECT_EQ(ShownInactive(7, 0), L"100");
    // Every reachable pair survives an untouched Load and Apply.
    for (int p = 30; p <= 100; ++p)
        for (int q = 10; q <= 100; ++q) {
            const uint8_t t = StoredTransparent(std::to_wstring(p));
            const uint8_t i = StoredInactive(std::to_wstring(q), t);
            ASSERT_EQ(StoredTransparent(ShownActive(t)), t);
            ASSERT_EQ(StoredInactive(ShownInactive(i, t), t), i) << p << " " << q;
        }
}

TEST(OptionsValues, ThumbsMapPixelsToValues) {
    struct Case {
        int slider, x, left;
        std::wstring text;
    };
    const Case cases[] = {
        {1, 207, 207, L"30"}, {1, 325, 325, L"100"}, {1, 100, 207, L"30"}, {1, 900, 325, L"100"},
        {2, 207, 207, L"10"}, {2, 325, 325, L"100"},
        {3, 214, 207, L"Off"}, {3, 215, 215, L"10"}, {3, 325, 325, L"100"},
    };
    for (const auto& c : cases) {
        const ThumbPlace p = DragTo(c.slider, c.x);
        EXPECT_EQ(p.left, c.left) << c.slider << " " << c.x;
        EXPECT_EQ(p.text, c.text) << c.slider << " " << c.x;
        EXPECT_DOUBLE_EQ(ThumbLeft(c.slider, p.text), p.left);
    }
}
