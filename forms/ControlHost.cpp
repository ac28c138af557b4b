#include "forms/ControlHost.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "forms/ChildControl.h"
#include "forms/Control.h"
#include "forms/GdiObj.h"
#include "forms/MemDC.h"
#include "forms/PaintDC.h"
#include "forms/Timer.h"

namespace forms {

ControlHost::~ControlHost() {
    for (Control* c : controls_) c->Detach();
    for (ChildControl* c : children_) c->Detach();
    for (Timer* t : timers_) {
        if (IsCreated()) KillTimer(hWnd(), t->Id());
        t->Detach();
    }
}

double ControlHost::ScaleWidth() const {
    RECT r{};
    if (IsCreated()) GetClientRect(hWnd(), &r);
    return FromPxX(scaleMode_, r.right);
}

double ControlHost::ScaleHeight() const {
    RECT r{};
    if (IsCreated()) GetClientRect(hWnd(), &r);
    return FromPxY(scaleMode_, r.bottom);
}

void ControlHost::SetBackColor(COLORREF c) {
    backColor_ = c;
    Refresh();
}

Control* ControlHost::ControlAt(POINT px) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->Visible() && (*it)->Enabled() && (*it)->HitTest(px)) return *it;
    return nullptr;
}

void ControlHost::Refresh() {
    if (IsCreated()) InvalidateRect(hWnd(), nullptr, FALSE);
}

void ControlHost::InvalidatePx(const RECT& px) {
    if (IsCreated()) InvalidateRect(hWnd(), &px, FALSE);
}

void ControlHost::Remove(Control& c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &c), controls_.end());
    if (tipControl_ == &c) tipControl_ = nullptr;
    if (pressed_ == &c) {
        // The pressed control went away in one of its own handlers: the press ends here.
        pressed_ = nullptr;
        clickAllowed_ = false;
    }
}

void ControlHost::BringToFront(Control& c, bool front) {
    auto it = std::find(controls_.begin(), controls_.end(), &c);
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (front)
        controls_.push_back(&c);
    else
        controls_.insert(controls_.begin(), &c);
    InvalidatePx(c.RectPx());
}

void ControlHost::Add(ChildControl& c) { children_.push_back(&c); }

void ControlHost::Remove(ChildControl& c) {
    children_.erase(std::remove(children_.begin(), children_.end(), &c), children_.end());
}

void ControlHost::Remove(Timer& t) { timers_.erase(std::remove(timers_.begin(), timers_.end(), &t), timers_.end()); }

void ControlHost::OnCreated() {
    for (ChildControl* c : children_)
        if (!c->Handle()) c->OnHostCreated();
    for (Timer* t : timers_) t->Apply();
}

void ControlHost::OnDestroying() {
    for (ChildControl* c : children_) c->HostDestroyed();
    tip_ = nullptr;  // an owned window: it goes with the host's
    tipControl_ = nullptr;
    pressActive_ = false;
    pressed_ = nullptr;
}

void ControlHost::PaintBackground(HDC dc, const RECT& clientPx) {
    GdiObj<HBRUSH> brush(CreateSolidBrush(backColor_));
    FillRect(dc, &clientPx, brush.Get());
}

void ControlHost::OnPaint(HDC backBuffer) {
    if (Paint) Paint(backBuffer);
}

void ControlHost::PaintTo(HDC dc) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    PaintBackground(dc, client);
    OnPaint(dc);
    for (Control* c : controls_) {
        if (!c->Visible()) continue;
        RECT r = c->RectPx(), visible{};
        if (!IntersectRect(&visible, &r, &client)) continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        c->Paint(dc, r);
        RestoreDC(dc, saved);
    }
}

void ControlHost::PaintAll() {
    PaintDC screen(hWnd());
    RECT client{};
    GetClientRect(hWnd(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    MemDC back(screen.Get(), client.right, client.bottom);
    if (!back) return;
    PaintTo(back.Get());
    BitBlt(screen.Get(), 0, 0, client.right, client.bottom, back.Get(), 0, 0, SRCCOPY);
}

int32_t ControlHost::ShiftState(WPARAM wParam) {
    int32_t s = 0;
    if (wParam & MK_SHIFT) s |= vbShiftMask;
    if (wParam & MK_CONTROL) s |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0) s |= vbAltMask;
    return s;
}

int32_t ControlHost::ButtonState(WPARAM wParam) {
    int32_t b = 0;
    if (wParam & MK_LBUTTON) b |= vbLeftButton;
    if (wParam & MK_RBUTTON) b |= vbRightButton;
    if (wParam & MK_MBUTTON) b |= vbMiddleButton;
    return b;
}

void ControlHost::OnSurfaceMouse(MouseEvent e, MouseArgs& a) {
    switch (e) {
        case MouseEvent::Down: if (MouseDown) MouseDown(a); break;
        case MouseEvent::Move: if (MouseMove) MouseMove(a); break;
        case MouseEvent::Up: if (MouseUp) MouseUp(a); break;
        case MouseEvent::Click: if (Click) Click(); break;
        case MouseEvent::DblClick: if (DblClick) DblClick(); break;
    }
}

void ControlHost::Raise(Control* target, MouseEvent e, int32_t button, WPARAM wParam, POINT px) {
    MouseArgs a;
    a.Button = button;
    a.Shift = ShiftState(wParam);
    RECT origin = target ? target->RectPx() : RECT{};
    a.X = FromPxX(scaleMode_, px.x - origin.left);
    a.Y = FromPxY(scaleMode_, px.y - origin.top);
    if (!target) {
        OnSurfaceMouse(e, a);
        return;
    }
    switch (e) {
        case MouseEvent::Down: if (target->MouseDown) target->MouseDown(a); break;
        case MouseEvent::Move: if (target->MouseMove) target->MouseMove(a); break;
        case MouseEvent::Up: if (target->MouseUp) target->MouseUp(a); break;
        case MouseEvent::Click: if (target->Click) target->Click(); break;
        case MouseEvent::DblClick: if (target->DblClick) target->DblClick(); break;
    }
}

void ControlHost::UpdateToolTip(const MSG& m, POINT px) {
    const Control* c = ControlAt(px);
    const bool wanted = c && !c->ToolTipText.empty();
    if (!tip_ && !wanted) return;
    if (!tip_) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (!tip_) return;
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = hWnd();
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd());
        ti.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    if (c != tipControl_) {
        // A new control under the pointer: its text, shown after the usual pause.
        tipControl_ = c;
        SendMessageW(tip_, TTM_POP, 0, 0);
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V1_SIZE;
        ti.hwnd = hWnd();
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd());
        ti.lpszText = const_cast<wchar_t*>(wanted ? c->ToolTipText.c_str() : L"");
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
        SendMessageW(tip_, TTM_ACTIVATE, wanted, 0);
    }
    MSG relay = m;
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
}

bool ControlHost::HeldByProgram() const { return GetCapture() == hWnd() && !autoCaptured_; }

Control* ControlHost::UnpressedTarget(POINT px) const { return HeldByProgram() ? nullptr : ControlAt(px); }

void ControlHost::OnButton(MouseEvent e, int32_t button, WPARAM wParam, LPARAM lParam) {
    const POINT px{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (e == MouseEvent::Move || tip_) {
        MSG m{hWnd(), 0, wParam, lParam, 0, {}};
        m.message = e == MouseEvent::Move ? WM_MOUSEMOVE : e == MouseEvent::Up ? WM_LBUTTONUP : WM_LBUTTONDOWN;
        UpdateToolTip(m, px);
    }
    switch (e) {
        case MouseEvent::Down:
        case MouseEvent::DblClick: {
            if (!pressActive_) {
                pressActive_ = true;
                pressed_ = HeldByProgram() ? nullptr : ControlAt(px);
                pressedButtons_ = 0;
                clickAllowed_ = true;
                // The pressed control keeps the mouse, also outside the window, until release.
                if (GetCapture() != hWnd()) {
                    SetCapture(hWnd());
                    autoCaptured_ = true;
                }
            }
            pressedButtons_ |= button;
            if (e == MouseEvent::DblClick) clickAllowed_ = false;  // the first click was the click
            Raise(pressed_, e, e == MouseEvent::Down ? button : 0, wParam, px);
            return;
        }
        case MouseEvent::Move:
            Raise(pressActive_ ? pressed_ : UnpressedTarget(px), e, ButtonState(wParam), wParam, px);
            return;
        case MouseEvent::Up: {
            if (!pressActive_) {
                Raise(UnpressedTarget(px), e, button, wParam, px);
                return;
            }
            Control* target = pressed_;
            Raise(target, e, button, wParam, px);
            pressedButtons_ &= ~button;
            if (!pressActive_ || pressedButtons_ != 0) return;
            RECT client{};
            GetClientRect(hWnd(), &client);
            // A click is a press and release of the left button on the same thing.
            const bool click = clickAllowed_ && button == vbLeftButton && target == pressed_ &&
                               UnpressedTarget(px) == target && (target || PtInRect(&client, px));
            pressActive_ = false;
            pressed_ = nullptr;
            if (autoCaptured_) {
                autoCaptured_ = false;
                if (GetCapture() == hWnd()) ReleaseCapture();
            }
            if (click) Raise(target, MouseEvent::Click, 0, wParam, px);
            return;
        }
        case MouseEvent::Click:
            return;
    }
}

LRESULT ControlHost::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: OnCreated(); break;
        case WM_DESTROY: OnDestroying(); break;
        case WM_ERASEBKGND: return 1;  // the back buffer paints every pixel
        case WM_PAINT: PaintAll(); return 0;
        case WM_LBUTTONDOWN: OnButton(MouseEvent::Down, vbLeftButton, wParam, lParam); return 0;
        case WM_RBUTTONDOWN: OnButton(MouseEvent::Down, vbRightButton, wParam, lParam); return 0;
        case WM_MBUTTONDOWN: OnButton(MouseEvent::Down, vbMiddleButton, wParam, lParam); return 0;
        case WM_LBUTTONDBLCLK: OnButton(MouseEvent::DblClick, vbLeftButton, wParam, lParam); return 0;
        case WM_RBUTTONDBLCLK: OnButton(MouseEvent::Down, vbRightButton, wParam, lParam); return 0;
        case WM_MBUTTONDBLCLK: OnButton(MouseEvent::Down, vbMiddleButton, wParam, lParam); return 0;
        case WM_MOUSEMOVE: OnButton(MouseEvent::Move, 0, wParam, lParam); return 0;
        case WM_LBUTTONUP: OnButton(MouseEvent::Up, vbLeftButton, wParam, lParam); return 0;
        case WM_RBUTTONUP: OnButton(MouseEvent::Up, vbRightButton, wParam, lParam); return 0;
        case WM_MBUTTONUP: OnButton(MouseEvent::Up, vbMiddleButton, wParam, lParam); return 0;
        case WM_CAPTURECHANGED:
            // Someone else took the mouse (a drag by the caption, another window): the press is over.
            if (reinterpret_cast<HWND>(lParam) != hWnd()) {
                pressActive_ = false;
                pressed_ = nullptr;
                pressedButtons_ = 0;
                autoCaptured_ = false;
            }
            break;
        case WM_TIMER:
            for (Timer* t : timers_)
                if (t->Id() == wParam) {
                    t->Fire();
                    return 0;
                }
            break;
    }
    return DefaultProc(msg, wParam, lParam);
}

}  // namespace forms
