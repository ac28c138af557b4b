#include "controls/SkinToggle.h"

#include <algorithm>

#include "model/mGlobal.h"
#include "forms/ControlHost.h"

SkinToggle::SkinToggle(forms::ControlHost& parent, int cellPx, int sideTw)
    : UserControl(parent), img(*this), cellPx_(cellPx), sideTw_(sideTw) {
    // The strip only shows; the mouse goes to the box itself.
    img.SetEnabled(false);
    Move(0, 0, 0, 0);
}

void SkinToggle::Move(double left, double top, double, double) {
    const forms::ScaleMode m = Parent() ? Parent()->ScaleMode() : forms::ScaleMode::Twips;
    const double w = forms::FromPxX(m, forms::ToPxX(forms::ScaleMode::Twips, sideTw_));
    const double h = forms::FromPxY(m, forms::ToPxY(forms::ScaleMode::Twips, sideTw_));
    UserControl::Move(left, top, w, h);
}

bool SkinToggle::HitTest(double xTw, double yTw) const {
    return xTw >= 0 && xTw <= ScaleWidth() + ExtraHitWidthTw() && yTw >= 0 && yTw <= ScaleHeight();
}

void SkinToggle::ShowCell(int cell) {
    cell_ = cell;
    // A strip with fewer cells than asked for shows its last whole cell.
    const int cells = img.Picture().HeightPx() / cellPx_;
    const int k = std::clamp(cell, 0, std::max(cells - 1, 0));
    img.SetTop(-static_cast<double>(k) * cellPx_ * mGlobal::TwipsY);
}

void SkinToggle::ShowForCapture() {
    if (IsCreated() && GetCapture() == hWnd())
        ShowHover();
    else
        ShowPlain();
}

void SkinToggle::SetSkin(forms::Picture SkinPicture) {
    img.SetPicture(std::move(SkinPicture));
    ShowCell(cell_);
}

void SkinToggle::Moved() {
    if (!pressed_) ShowHover();
}

void SkinToggle::Deselect() {
    if (!pressed_) ShowPlain();
}

void SkinToggle::Down() {
    ShowPressed();
    pressed_ = true;
}

void SkinToggle::Up() { pressed_ = false; }

void SkinToggle::OnSurfaceMouse(MouseEvent e, forms::MouseArgs& a) {
    // The box raises only its own Click.
    switch (e) {
        case MouseEvent::Down: UserControl_MouseDown(a); break;
        case MouseEvent::Move: UserControl_MouseMove(a); break;
        case MouseEvent::Up: UserControl_MouseUp(a); break;
        case MouseEvent::Click:
        case MouseEvent::DblClick: break;
    }
}

void SkinToggle::UserControl_MouseDown(forms::MouseArgs& a) {
    TakeFocusOnPress(a);
    Down();
}

void SkinToggle::UserControl_MouseMove(forms::MouseArgs& a) {
    if (pressed_) return;
    if (HitTest(a.X, a.Y)) {
        if (GetCapture() != hWnd()) SetCapture(hWnd());
        ShowHover();
        return;
    }
    if (!(KeepsLookWhileFocused() && focused_)) ShowPlain();
    if (GetCapture() == hWnd()) ReleaseCapture();
}

void SkinToggle::UserControl_MouseUp(forms::MouseArgs& a) {
    pressed_ = false;
    if (!HitTest(a.X, a.Y)) {
        ShowPlain();
        if (GetCapture() == hWnd()) ReleaseCapture();
        return;
    }
    if (a.Button == forms::vbLeftButton) Activate();
    ShowHover();
}

void SkinToggle::UserControl_KeyDown(int32_t& KeyCode, int32_t& Shift) {
    UserControl::UserControl_KeyDown(KeyCode, Shift);
    if (KeyCode == VK_RETURN || KeyCode == VK_SPACE) Down();
}

void SkinToggle::UserControl_KeyUp(int32_t& KeyCode, int32_t& Shift) {
    UserControl::UserControl_KeyUp(KeyCode, Shift);
    if (!pressed_) return;
    pressed_ = false;
    Activate();
    ShowHover();
}

void SkinToggle::UserControl_GotFocus() {
    focused_ = true;
    ShowHover();
    UserControl::UserControl_GotFocus();
}

void SkinToggle::UserControl_LostFocus() {
    focused_ = false;
    ShowPlain();
    UserControl::UserControl_LostFocus();
}
