#include "forms/Control.h"

#include "forms/ControlHost.h"

namespace forms {

Control::Control(ControlHost& host) : host_(&host) { host.Add(*this); }

Control::~Control() {
    if (host_) {
        if (visible_) Refresh();
        host_->Remove(*this);
    }
}

RECT Control::RectPx() const {
    ScaleMode m = host_ ? host_->ScaleMode() : ScaleMode::Pixels;
    int x = ToPxX(m, left_), y = ToPxY(m, top_);
    return RECT{x, y, x + ToPxX(m, width_), y + ToPxY(m, height_)};
}

void Control::Move(double left, double top, double width, double height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    if (visible_) Refresh();
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    if (visible_) Refresh();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Refresh();
}

void Control::ZOrder(int position) {
    if (host_) host_->BringToFront(*this, position == 0);
}

void Control::Refresh() const {
    if (host_) host_->InvalidatePx(RectPx());
}

bool Control::HitTest(POINT px) const {
    RECT r = RectPx();
    return PtInRect(&r, px) != FALSE;
}

void Control::CopyDesignFrom(const Control& first) {
    Move(first.left_, first.top_, first.width_, first.height_);
    enabled_ = first.enabled_;
    ToolTipText = first.ToolTipText;
}

}  // namespace forms
