#include "forms/ChildControl.h"

#include "forms/ControlHost.h"

namespace forms {

ChildControl::ChildControl(ControlHost& host) : host_(&host) { host.Add(*this); }

ChildControl::~ChildControl() {
    if (host_) host_->Remove(*this);
}

RECT ChildControl::RectPx() const {
    return PlacedPx(host_ ? host_->ScaleMode() : ScaleMode::Pixels);
}

void ChildControl::Move(double left, double top, double width, double height) {
    Place(left, top, width, height);
    if (HWND h = Handle()) {
        const RECT r = RectPx();
        // A skin change sets every place again, mostly to what it was: that costs the system nothing.
        RECT now{};
        GetWindowRect(h, &now);
        MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&now), 2);
        if (EqualRect(&now, &r)) return;
        MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

void ChildControl::SetVisible(bool v) {
    visible_ = v;
    if (HWND h = Handle()) ShowWindow(h, v ? SW_SHOWNA : SW_HIDE);
}

void ChildControl::SetEnabled(bool v) {
    enabled_ = v;
    if (HWND h = Handle()) EnableWindow(h, v);
}

void ChildControl::CreateIfHostReady() {
    if (host_ && host_->IsCreated() && !Handle()) OnHostCreated();
}

void ChildControl::OnHostCreated() {
    CreateIn(host_->hWnd(), RectPx(), visible_);
    if (HWND h = Handle(); h && !enabled_) EnableWindow(h, FALSE);
}

}  // namespace forms
