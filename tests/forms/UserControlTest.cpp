#include <gtest/gtest.h>

#include "forms/Line.h"
#include "forms/UserControl.h"
#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

namespace {
// A control that notes what it does to itself.
class Knob : public forms::UserControl {
public:
    using UserControl::UserControl;
    std::vector<std::string> seen;

protected:
    void UserControl_KeyDown(int32_t& code, int32_t& shift) override {
        seen.push_back("down " + std::to_string(code));
        UserControl::UserControl_KeyDown(code, shift);
    }
    void UserControl_MouseDown(forms::MouseArgs& a) override {
        seen.push_back("press " + std::to_string(int(a.X)));
    }
    void UserControl_Click() override { seen.push_back("click"); }
};
}  // namespace

TEST(UserControl, TakesTheFocusAndItsKeysAndRaisesTheOwnersSlots) {
    PixelForm f;
    Knob knob(f);
    knob.SetScaleMode(forms::ScaleMode::Pixels);
    knob.Move(0, 0, 30, 30);
    ASSERT_NE(knob.Handle(), nullptr);
    knob.GotFocus = [&] { knob.seen.push_back("owner focus"); };
    knob.KeyDown = [&](int32_t& code, int32_t&) { knob.seen.push_back("owner " + std::to_string(code)); };
    SendMessageW(knob.Handle(), WM_SETFOCUS, 0, 0);
    SendMessageW(knob.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ClickAt(knob.Handle(), 7, 3);
    EXPECT_EQ(knob.seen, (std::vector<std::string>{"owner focus", "down 13", "owner 13", "press 7", "click"}));
}

TEST(LineControl, DrawsFromEndToEndAndLetsPressesThrough) {
    PixelForm f;
    f.SetBackColor(RGB(255, 255, 255));
    forms::Line level(f), rising(f);
    level.SetPoints(10, 20, 60, 20);
    level.SetBorderColor(RGB(0, 0, 255));
    rising.SetPoints(10, 80, 40, 50);
    rising.SetBorderColor(RGB(255, 0, 0));
    const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0), white = RGB(255, 255, 255);
    EXPECT_EQ(Mismatches(Snapshot(f), {{10, 20, blue}, {60, 20, blue}, {35, 21, white}, {10, 80, red},
                                       {40, 50, red}}), "");
    EXPECT_EQ(f.ControlAt(POINT{30, 20}), nullptr);
}
