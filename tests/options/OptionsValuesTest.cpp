#include <gtest/gtest.h>

#include <tuple>

#include "options/OptionsValues.h"

using namespace OptionsValues;

TEST(OptionsValues, ApplyStoresTheSlidersAsSettings) {
    // The sliders' texts (active and inactive transparency, speed) and the settings stored.
    const std::tuple<std::wstring, std::wstring, std::wstring, int, int, int> cases[] = {
        {L"30", L"100", L"Off", 76, 76, 1000},   // 76.5 rounds to the even 76
        {L"50", L"50", L"10", 128, 64, 30},      // 127.5 rounds to 128; 128 / 255 x 128 = 64.25
        {L"70", L"10", L"100", 178, 18, 300},    // 25.5 -> 26, then 26 / 255 x 178 = 18.1
        {L"90", L"100", L"55", 230, 230, 165},
        {L"100", L"50", L"Off", 255, 128, 1000},
        {L"80", L"50", L"Off", 204, 102, 1000},  // 128 / 255 x 204 = 102.4
        {L" 60abc", L"x", L"off", 153, 0, 0},    // leading number only; "off" is not "Off"
        {L"400", L"400", L"99999", 255, 255, 32767},  // hand-edited values held at the ends
    };
    for (const auto& [actTr, tr, speed, transparent, inactive, paise] : cases) {
        SCOPED_TRACE(testing::Message() << transparent);
        const uint8_t t = StoredTransparent(actTr);
        EXPECT_EQ(t, transparent);
        EXPECT_EQ(StoredInactive(tr, t), inactive);
        EXPECT_EQ(StoredSpeed(speed), paise);
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
    const std::tuple<int, int, int, std::wstring> cases[] = {  // slider, pointer x, thumb left, text
        {1, 207, 207, L"30"}, {1, 325, 325, L"100"}, {1, 100, 207, L"30"}, {1, 900, 325, L"100"},
        {2, 207, 207, L"10"}, {2, 325, 325, L"100"},
        {3, 214, 207, L"Off"}, {3, 215, 215, L"10"}, {3, 325, 325, L"100"},
    };
    for (const auto& [slider, x, left, text] : cases) {
        const ThumbPlace p = DragTo(slider, x);
        EXPECT_EQ(p.left, left) << slider << " " << x;
        EXPECT_EQ(p.text, text) << slider << " " << x;
        EXPECT_DOUBLE_EQ(ThumbLeft(slider, p.text), p.left);
    }
}
