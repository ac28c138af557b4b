#include "controls/ucButton3.h"

#include <algorithm>
#include <cmath>

#include "model/mGlobal.h"
#include "forms/GdiObj.h"

namespace {
// Posted to a disabled button that got the focus: the focus moves on once the focus change that
// brought it here has finished.
constexpr UINT WM_PASSFOCUS = WM_USER + 1;

forms::GdiObj<HRGN> Outline(int widthPx, int cc) {
    return forms::GdiObj<HRGN>(CreateRoundRectRgn(0, 0, widthPx, ucButton3::FramePx, cc, cc));
}

// Asks for WM_MOUSELEAVE: the hover capture alone misses a pointer that leaves for a window of
// another program while ours is not in front (its moves go there), or for no window at all.
void TrackLeave(HWND h) {
    TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, h, 0};
    TrackMouseEvent(&t);
}

int ClientWidthPx(HWND h) {
    RECT r{};
    if (h) GetClientRect(h, &r);
    return r.right;
}
}  // namespace

ucButton3::ucButton3(forms::ControlHost& parent) : UserControl(parent), img(*this) {
    SetScaleMode(forms::ScaleMode::Pixels);
    // The strip only shows; the mouse goes to the button itself.
    img.SetEnabled(false);
    Layout();
}

ucButton3::~ucButton3() {
    if (mGlobal::CurrentButton == this) mGlobal::CurrentButton = nullptr;
}

void ucButton3::Layout() {
    RECT r{};
    if (IsCreated()) GetClientRect(hWnd(), &r);
    img.Move(0, img.Top(), r.right, 5.0 * r.bottom);
    Show(frame_);
    if (!IsCreated()) return;
    // A new strip (every skin change) keeps the outline: the system is asked only for a new one.
    if (r.right == outlineWidthPx_ && cc_ == outlineCc_) return;
    // Only the top frame's height shows and is hit, whatever the control's height.
    forms::GdiObj<HRGN> rgn = Outline(r.right, cc_);
    if (rgn && SetWindowRgn(hWnd(), rgn.Get(), TRUE)) {
        rgn.Release();
        outlineWidthPx_ = r.right;
        outlineCc_ = cc_;
    }
}

void ucButton3::Show(Frame f) {
    frame_ = f;
    // A strip with fewer frames than asked for shows its last whole frame.
    const int frames = img.Picture().HeightPx() / FramePx;
    const int k = std::clamp(static_cast<int>(f), 0, std::max(frames - 1, 0));
    img.SetTop(-k * FramePx);
}

bool ucButton3::HitTest(double xPx, double yPx) const {
    forms::GdiObj<HRGN> rgn = Outline(ClientWidthPx(hWnd()), cc_);
    return rgn && PtInRegion(rgn.Get(), static_cast<int>(std::nearbyint(xPx)),
                             static_cast<int>(std::nearbyint(yPx)));
}

void ucButton3::Deselect() {
    focused_ = false;
    if (m_Enabled) Show(Normal);
}

void ucButton3::LoadSkin(forms::Picture NewPicture) {
    img.SetPicture(std::move(NewPicture));
    Layout();
}

void ucButton3::SetEnabled(bool v) {
    m_Enabled = v;
    Show(v ? RestFrame() : Disabled);
    // A disabled button ignores the mouse, so it would never let go of the hover capture (a
    // button that disables itself in its Click keeps it): the rest of the window would go deaf.
    if (!v && IsCreated() && GetCapture() == hWnd()) ReleaseCapture();
}

void ucButton3::SetCC(uint8_t v) {
    cc_ = v;
    Layout();
}

void ucButton3::OnSurfaceMouse(MouseEvent e, forms::MouseArgs& a) {
    // The button raises its own mouse events and its Click; the host's are not wanted.
    switch (e) {
        case MouseEvent::Down: UserControl_MouseDown(a); break;
        case MouseEvent::Move: UserControl_MouseMove(a); break;
        case MouseEvent::Up: UserControl_MouseUp(a); break;
        case MouseEvent::Click:
        case MouseEvent::DblClick: break;  // the second press of a double click shows nothing
    }
}

void ucButton3::UserControl_MouseDown(forms::MouseArgs& a) {
    TakeFocusOnPress(a);
    if (!m_Enabled || a.Button != forms::vbLeftButton) return;
    pressed_ = true;
    Show(Pressed);
    if (MouseDown) MouseDown(a);
}

void ucButton3::UserControl_MouseMove(forms::MouseArgs& a) {
    if (!m_Enabled) return;
    if (MouseMove) MouseMove(a);
    if (pressed_) return;
    if (GetCapture() != hWnd()) SetCapture(hWnd());
    if (HitTest(a.X, a.Y)) {
        Show(Hover);
        TrackLeave(hWnd());
        return;
    }
    if (MouseOut) MouseOut();
    Show(RestFrame());
    if (GetCapture() == hWnd()) ReleaseCapture();
}

void ucButton3::UserControl_MouseUp(forms::MouseArgs& a) {
    if (!m_Enabled) return;
    if (MouseUp) MouseUp(a);
    pressed_ = false;
    if (!HitTest(a.X, a.Y)) {
        Show(Normal);
        return;
    }
    Show(Hover);
    if (a.Button == forms::vbLeftButton && Click) Click();
}

void ucButton3::UserControl_KeyDown(int32_t& KeyCode, int32_t& Shift) {
    if (!m_Enabled) return;
    UserControl::UserControl_KeyDown(KeyCode, Shift);
    keyPressed_ = KeyCode == VK_RETURN || KeyCode == VK_SPACE;
    if (keyPressed_) Show(Pressed);
}

void ucButton3::UserControl_KeyPress(int32_t& KeyAscii) {
    if (!m_Enabled) return;
    UserControl::UserControl_KeyPress(KeyAscii);
    if (KeyAscii == VK_RETURN && Click) Click();
}

void ucButton3::UserControl_KeyUp(int32_t& KeyCode, int32_t& Shift) {
    if (!m_Enabled) return;
    pressed_ = false;
    UserControl::UserControl_KeyUp(KeyCode, Shift);
    if (frame_ != Pressed || (KeyCode != VK_SPACE && KeyCode != VK_RETURN) || !keyPressed_) return;
    keyPressed_ = false;
    Show(Normal);
    if (Click) Click();
    // The Click handler may have disabled the button or moved the focus away.
    if (m_Enabled) Show(RestFrame());
}

void ucButton3::UserControl_GotFocus() {
    if (!m_Enabled) {
        PostMessageW(hWnd(), WM_PASSFOCUS, 0, 0);
        return;
    }
    focused_ = true;
    Show(pressed_ ? Pressed : Focused);
    if (mGlobal::CurrentButton && mGlobal::CurrentButton != this) mGlobal::CurrentButton->Deselect();
    mGlobal::CurrentButton = this;
    UserControl::UserControl_GotFocus();
}

void ucButton3::UserControl_LostFocus() {
    // The flag goes also while disabled, so that enabling later shows no stale focus frame.
    focused_ = false;
    if (!m_Enabled) return;
    Show(Normal);
    UserControl::UserControl_LostFocus();
}

void ucButton3::PassFocusOn() {
    if (m_Enabled || GetFocus() != hWnd()) return;
    HWND next = GetNextDlgTabItem(GetAncestor(hWnd(), GA_ROOT), hWnd(), FALSE);
    if (next && next != hWnd()) ::SetFocus(next);
}

void ucButton3::MouseLeft() {
    if (!m_Enabled || pressed_ || frame_ != Hover) return;
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hWnd(), &p);
    if (HitTest(p.x, p.y)) return TrackLeave(hWnd());  // still over the button: keep listening
    if (MouseOut) MouseOut();
    Show(RestFrame());
    if (GetCapture() == hWnd()) ReleaseCapture();
}

void ucButton3::OnCaptureChanged(HWND newOwner) {
    // Another window took the mouse (a pop-up opened by Click, a drag): no hover or press stays.
    if (newOwner == hWnd() || !m_Enabled || (frame_ != Hover && !pressed_)) return;
    pressed_ = false;
    Show(RestFrame());
}

LRESULT ucButton3::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: Layout(); break;
        case WM_PASSFOCUS: PassFocusOn(); return 0;
        case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lParam)); break;
        case WM_MOUSELEAVE: MouseLeft(); return 0;
    }
    const LRESULT result = UserControl::OnMessage(msg, wParam, lParam);
    if (msg == WM_CREATE) Layout();  // the outline needs the window
    // The region goes with the window; a window made again (the form loaded anew) needs its own.
    if (msg == WM_NCDESTROY) outlineWidthPx_ = outlineCc_ = -1;
    return result;
}
