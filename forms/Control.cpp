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
    return PlacedPx(host_ ? host_->ScaleMode() : ScaleMode::Pixels);
}

void Control::Move(double left, double top, double width, double height) {
    if (IsAt(left, top, width, height)) return;
    if (visible_) Refresh();  // the old place, then the new one
    Place(left, top, width, height);
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
    Move(first.Left(), first.Top(), first.Width(), first.Height());
    enabled_ = first.enabled_;
    ToolTipText = first.ToolTipText;
}

}  // namespace forms
