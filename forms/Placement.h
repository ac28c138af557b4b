#pragma once
// Placement: a control's rectangle in its container's scale, with the setters that move one side
// of it; the control decides in Move what a new rectangle means for it.
#include <windows.h>

#include "forms/Scale.h"

namespace forms {

class Placement {
public:
    virtual ~Placement() = default;

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v) { Move(v, top_, width_, height_); }
    void SetTop(double v) { Move(left_, v, width_, height_); }
    void SetWidth(double v) { Move(left_, top_, v, height_); }
    void SetHeight(double v) { Move(left_, top_, width_, v); }
    virtual void Move(double left, double top, double width, double height) = 0;

protected:
    bool IsAt(double left, double top, double width, double height) const {
        return left == left_ && top == top_ && width == width_ && height == height_;
    }
    // Keeps the rectangle; a negative width or height counts as 0.
    void Place(double left, double top, double width, double height) {
        left_ = left;
        top_ = top;
        width_ = width < 0 ? 0 : width;
        height_ = height < 0 ? 0 : height;
    }
    RECT PlacedPx(ScaleMode m) const {
        const int x = ToPxX(m, left_), y = ToPxY(m, top_);
        return RECT{x, y, x + ToPxX(m, width_), y + ToPxY(m, height_)};
    }

private:
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

}  // namespace forms
