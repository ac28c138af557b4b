#include <gtest/gtest.h>

#include "app/WindowEffects.h"

using Alphas = std::vector<uint8_t>;
using Func::FadeStep;

// The values a fade sets: from the start by delta / 1000 * speed while not past the end, each cut
// to its integer part. Rows: fade-in and fade-out of a form, the switch between transparencies.
TEST(FadeMath, StepsRunWhileNotPastTheEndCutToTheirIntegerPart) {
    struct Case {
        float from, to, step;
        Alphas alphas;
    };
    const Case cases[] = {
        {0, 255, FadeStep(255, 1000), {0, 255}},
        {0, 240, FadeStep(240, 1000), {0, 240}},
        {255, 0, FadeStep(255, -1000), {255, 0}},
        {0, 255, FadeStep(255, 100), {0, 25, 51, 76, 102, 127, 153, 178, 204, 229, 255}},
        {255, 0, FadeStep(255, -100), {255, 229, 204, 178, 153, 127, 102, 76, 51, 25, 0}},
        {0, 255, FadeStep(255, 300), {0, 76, 153, 229}},  // short of the target: the fade sets it
        {255, 105, FadeStep(105.0 - 255, 100), {255, 240, 225, 210, 195, 180, 165, 150, 135, 120, 105}},
        {105, 255, FadeStep(255.0 - 105, 100), {105, 120, 135, 150, 165, 180, 195, 210, 225, 240, 255}},
        {255, 0, FadeStep(255, 0), {}},
        {100, 200, FadeStep(100, 0), {}},  // a zero step between rising values would never end
    };
    for (const Case& c : cases)
        EXPECT_EQ(Func::FadeAlphas(c.from, c.to, c.step), c.alphas) << c.from << " to " << c.to << " by " << c.step;
    // The slowest the slider offers (30) takes 34 steps; a slower speed from the file no more.
    for (int16_t speed : {30, 1, -1}) {
        auto slow = Func::FadeAlphas(speed > 0 ? 0 : 255, speed > 0 ? 255 : 0, FadeStep(255, speed));
        EXPECT_EQ(slow.size(), 34u) << speed;
    }
}
