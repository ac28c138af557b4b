#pragma once
// Line: a windowless straight line between two points of its container, in its scale.
#include "forms/Control.h"

namespace forms {

class Line : public Control {
public:
    using Control::Control;

    // The end points; the control's rectangle is the box around them.
    void SetPoints(double x1, double y1, double x2, double y2);
    COLORREF BorderColor() const { return color_; }
    void SetBorderColor(COLORREF c);

    // A line is seen, never hit: presses go to what lies below it.
    bool HitTest(POINT) const override { return false; }
    void Paint(HDC dc, const RECT& rectPx) override;

private:
    bool fallsRight_ = true;  // from top-left to bottom-right, or from bottom-left to top-right
    COLORREF color_ = RGB(0, 0, 0);
};

}  // namespace forms
