#include <gtest/gtest.h>

#include "app/WindowEffects.h"

using Func::FadeAlphas;
using Func::FadeStep;
using Alphas = std::vector<uint8_t>;

TEST(FadeMath, SpeedThousandIsTwoStepsFromZeroToTheTarget) {
    EXPECT_EQ(FadeAlphas(0, 255, FadeStep(255, 1000)), (Alphas{0, 255}));
    EXPECT_EQ(FadeAlphas(0, 240, FadeStep(240, 1000)), (Alphas{0, 240}));
    // Fading out at full speed shows the target once, then hides.
    EXPECT_EQ(FadeAlphas(255, 0, FadeStep(255, -1000)), (Alphas{255, 0}));
}

TEST(FadeMath, SpeedHundredIsElevenStepsCutToTheirIntegerPart) {
    EXPECT_EQ(FadeAlphas(0, 255, FadeStep(255, 100)),
              (Alphas{0, 25, 51, 76, 102, 127, 153, 178, 204, 229, 255}));
    EXPECT_EQ(FadeAlphas(255, 0, FadeStep(255, -100)),
              (Alphas{255, 229, 204, 178, 153, 127, 102, 76, 51, 25, 0}));
    EXPECT_EQ(FadeAlphas(0, 240, FadeStep(240, 100)).size(), 11u);
}

TEST(FadeMath, SpeedZeroSetsNothing) {
    EXPECT_TRUE(FadeAlphas(255, 0, FadeStep(255, 0)).empty());
    // The same step between rising values would never end; it sets nothing instead.
    EXPECT_TRUE(FadeAlphas(100, 200, FadeStep(100, 0)).empty());
}

TEST(FadeMath, SlowSpeedsGiveAboutAThousandOverSpeedSteps) {
    auto slow = FadeAlphas(0, 255, FadeStep(255, 1));
    EXPECT_NEAR(static_cast<double>(slow.size()), 1001.0, 1.0);
    EXPECT_EQ(slow.front(), 0);
    EXPECT_GE(slow.back(), 254);
    // An odd speed leaves the last step short of the target; the fade then sets the target itself.
    EXPECT_EQ(FadeAlphas(0, 255, FadeStep(255, 300)), (Alphas{0, 76, 153, 229}));
}

TEST(FadeMath, SwitchBetweenTransparenciesRunsInEitherDirection) {
    // Transparent 255 to InactiveTransparent 105 at speed 100: step -15, eleven values.
    auto down = FadeAlphas(255, 105, FadeStep(105.0 - 255.0, 100));
    ASSERT_EQ(down.size(), 11u);
    EXPECT_EQ(down.front(), 255);
    EXPECT_EQ(down.back(), 105);
    auto up = FadeAlphas(105, 255, FadeStep(255.0 - 105.0, 100));
    ASSERT_EQ(up.size(), 11u);
    EXPECT_EQ(up[1], 120);
    EXPECT_EQ(up.back(), 255);
}
