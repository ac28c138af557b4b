#include "controls/Scroll.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "forms/GdiObj.h"

namespace controls {
namespace {

constexpr int kWidthPx = 25;
constexpr int kButtonPx = 24;
constexpr int kMinThumbPx = 17;
constexpr int kBgStepPx = 110;

// The thumb's inner pieces are laid out in twips at 15 twips per pixel; these are their pixels.
constexpr double kTwipsPerPx = 15.0;
int Px(double twips) { return static_cast<int>(std::nearbyint(twips / kTwipsPerPx)); }

// Positions are 16-bit in the bar's interface; arithmetic is done wider and saturated here.
int16_t Narrow16(double v) {
    return static_cast<int16_t>(std::clamp(v, -32768.0, 32767.0));
}

// Asks for WM_MOUSELEAVE: the hover capture alone misses a pointer that leaves for a window of
// another program while ours is not in front (its moves go there), or for no window at all.
void TrackLeave(HWND h) {
    TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, h, 0};
    TrackMouseEvent(&t);
}

POINT Pt(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Draws pic moved up by frameOffsetPx inside clip, optionally with rounded corners.
void DrawPiece(HDC dc, const forms::Picture& pic, const RECT& clip, int frameOffsetPx, int cornerPx = 0) {
    if (pic.IsEmpty()) return;
    SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    if (cornerPx > 0) {
        forms::GdiObj<HRGN> round(CreateRoundRectRgn(clip.left, clip.top, clip.right, clip.bottom, cornerPx, cornerPx));
        ExtSelectClipRgn(dc, round.Get(), RGN_AND);
    }
    pic.Draw(dc, clip.left, clip.top + frameOffsetPx, pic.WidthPx(), pic.HeightPx());
    RestoreDC(dc, -1);
}

// Frame offsets of the thumb's pieces for a state s (0 normal .. 3 disabled).
int TopCapOffset(int s) { return s == 0 ? 0 : Px(15 - 130 * s); }
int BottomCapOffset(int s) { return s == 0 ? Px(-15) : Px(-130 * s); }
int GripOffset(int s) { return Px(-615 * s); }
int FillerOffset(int s) { return Px(-15 - 300 * s); }

}  // namespace

Scroll::Scroll(forms::ControlHost& parent, ScrollProps props)
    : UserControl(parent), enabled_(props.Enabled), ccBut_(props.CCBut), ccPan_(props.CCPan) {
    SetScaleMode(forms::ScaleMode::Pixels);
    if (!enabled_) DrawStates();
    Refresh();
}

void Scroll::LoadPicture(const forms::Picture& pTop, const forms::Picture& pLow, const forms::Picture& pBG,
                         const forms::Picture& pMidUp, const forms::Picture& pMidDown, const forms::Picture& pMid,
                         const forms::Picture& pMidTop, const forms::Picture& pMidLow) {
    pTop_ = pTop, pLow_ = pLow, pBG_ = pBG, pMidUp_ = pMidUp, pMidDown_ = pMidDown, pMid_ = pMid;
    pMidTop_ = pMidTop, pMidLow_ = pMidLow;
    ControlHost::Refresh();
}

int Scroll::HeightPx() const {
    const RECT r = RectPx();
    return r.bottom - r.top;
}

void Scroll::Refresh() {
    trackPx_ = HeightPx() - 2 * kButtonPx;
    if (const forms::ControlHost* host = Parent()) {
        const double widthInHost = forms::FromPxX(host->ScaleMode(), kWidthPx);
        if (Width() != widthInHost) Move(Left(), Top(), widthInHost, Height());
    }
    // A range of less than one position (Max below Min) counts as one: the thumb fills the track.
    const int positions = std::max(1, max_ - min_ + 1);
    thumbPx_ = std::max(kMinThumbPx, static_cast<int>(std::nearbyint(double(trackPx_) / positions + 4)));
    if (scrollTop_ + thumbPx_ > trackPx_ + 4) scrollTop_ = Narrow16(trackPx_ + 4 - thumbPx_);
    // Never above the track: a bar made before it is sized, or one shorter than its thumb, would
    // otherwise keep a negative offset that owners turn into a row before the first.
    if (scrollTop_ < 0) scrollTop_ = 0;
    if (HWND h = hWnd()) {
        forms::GdiObj<HRGN> round(CreateRoundRectRgn(0, 0, kWidthPx, trackPx_ + 2 * kButtonPx, ccBut_, ccBut_));
        if (round && SetWindowRgn(h, round.Get(), TRUE)) round.Release();  // the window owns it now
        ControlHost::Refresh();
    }
}

void Scroll::SetValue(int16_t v) {
    value_ = v;
    Refresh();
}
// A new range keeps the thumb where the user sees it: the position follows the thumb, so that the
// next step starts from there and not from a place of the old range.
void Scroll::SetMax_Value(int16_t v) {
    max_ = v;
    Refresh();
    ScrollTopToValue();
}
void Scroll::SetMin_Value(int16_t v) {
    min_ = v;
    Refresh();
    ScrollTopToValue();
}
void Scroll::SetCCBut(int16_t v) {
    ccBut_ = v;
    Refresh();
}
void Scroll::SetCCPan(int16_t v) {
    ccPan_ = v;
    Refresh();
}
// The owner moves the thumb to its view (keys, wheel, Home): the position goes with it, or the next
// press on an arrow would step from wherever an earlier drag or step had left it.
void Scroll::SetScrollTop(int16_t v) {
    scrollTop_ = v;
    Refresh();
    ScrollTopToValue();
}

int16_t Scroll::ScrollHeight() const { return Narrow16(Travel() + 4); }

void Scroll::SetEnabled(bool v) {
    enabled_ = v;
    // A disabled bar ignores the mouse, so it must not keep the capture it took for hovering.
    if (!v && hWnd() && GetCapture() == hWnd()) ReleaseCapture();
    state_.fill(Normal);
    DrawStates();
}

void Scroll::ValueToScrollTop() {
    const int n = max_ - min_;
    scrollTop_ = n == 0 ? 0 : Narrow16(std::nearbyint(double(value_ - min_) / n * (Travel() + 4)));
}

void Scroll::ScrollTopToValue() {
    const int span = Travel() + 4;
    if (Travel() == 0 || span == 0) {
        value_ = min_;
        return;
    }
    value_ = Narrow16(std::nearbyint(double(max_ - min_) * scrollTop_ / span) + min_);
}

void Scroll::RaiseChange() {
    int16_t size = Narrow16(Travel());
    if (Change) Change(scrollTop_, size);
}

void Scroll::StepUp() {
    if (value_ > min_) --value_;
    ValueToScrollTop();
    Refresh();
    RaiseChange();
}

void Scroll::StepDown() {
    if (value_ < max_) ++value_;
    ValueToScrollTop();
    Refresh();
    RaiseChange();
}

bool Scroll::ThumbShown() const { return trackPx_ >= kMinThumbPx; }

bool Scroll::InControl(POINT p) const { return p.x >= 0 && p.x <= kWidthPx && p.y >= 0 && p.y <= HeightPx(); }

void Scroll::MouseDown(bool left, POINT p) {
    if (Pressed) Pressed();
    if (!enabled_ || !left) return;
    // One press, one zone, judged where the thumb stands at the press: a step never also starts a
    // drag, and the thumb's ends lying over the arrows (it overlaps them by up to 4 px at its
    // extremes) leave the arrows arrows. A boundary belongs to no zone.
    const int top = scrollTop_;
    if (p.y < kButtonPx) {
        upHeld_ = true;
        StepUp();
    } else if (p.y > trackPx_ + kButtonPx) {
        downHeld_ = true;
        StepDown();
    } else if (kButtonPx < p.y && p.y < top + kButtonPx) {
        StepUp();
    } else if (top + thumbPx_ + kButtonPx < p.y && p.y < trackPx_ + kButtonPx) {
        StepDown();
    } else if (ThumbShown() && top + kButtonPx < p.y && p.y < top + thumbPx_ + kButtonPx) {
        POINT screen = p;
        ClientToScreen(hWnd(), &screen);
        dragOffset_ = screen.y - scrollTop_;
        lastDrag_ = scrollTop_;  // the drag reports from where the thumb stands now
        dragging_ = true;
    }
    DrawStates();
}

void Scroll::MouseMove(POINT p) {
    if (!enabled_) return;
    if (GetCapture() != hWnd()) SetCapture(hWnd());
    if (dragging_) {
        POINT screen = p;
        ClientToScreen(hWnd(), &screen);
        scrollTop_ = Narrow16(std::max(std::min(static_cast<int>(screen.y) - dragOffset_, Travel() + 4), 0));
        ScrollTopToValue();
        ControlHost::Refresh();
        if (scrollTop_ != lastDrag_) RaiseChange();
        lastDrag_ = scrollTop_;
        return;
    }
    if (!InControl(p)) {
        if (AnyFlag()) return;
        state_.fill(Normal);
        ReleaseCapture();
        DrawStates();
        return;
    }
    if (AnyFlag()) return;
    TrackLeave(hWnd());
    const bool onUp = p.y < kButtonPx, onDown = p.y > trackPx_ + kButtonPx;
    state_[UpButton] = onUp ? Hover : Normal;
    state_[DownButton] = onDown ? Hover : Normal;
    // Where the thumb's ends lie over an arrow, a press there is the arrow's: so is the hover.
    state_[Thumb] = ThumbShown() && !onUp && !onDown && scrollTop_ + kButtonPx < p.y && p.y < scrollTop_ + thumbPx_ + kButtonPx
                        ? Hover : Normal;
    DrawStates();
}

void Scroll::MouseUp(POINT p) {
    if (!enabled_) return;
    upHeld_ = downHeld_ = dragging_ = false;
    MouseMove(p);
}

void Scroll::MouseLeft() {
    if (!enabled_ || AnyFlag()) return;
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hWnd(), &p);
    if (InControl(p)) return TrackLeave(hWnd());  // still over the bar: keep listening
    state_.fill(Normal);
    if (GetCapture() == hWnd()) ReleaseCapture();
    DrawStates();
}

void Scroll::CaptureLost() {
    // Another window took the mouse during a press: its release will never reach the bar, so the
    // press ends here rather than leaving a thumb that follows the pointer with no button held.
    if (!AnyFlag()) return;
    upHeld_ = downHeld_ = dragging_ = false;
    state_.fill(Normal);
    DrawStates();
}

RECT Scroll::PartRect(Part p) const {
    switch (p) {
        case UpButton: return RECT{0, 0, kWidthPx, kButtonPx};
        case DownButton: return RECT{0, trackPx_ + kButtonPx, kWidthPx, trackPx_ + 2 * kButtonPx};
        case Thumb: break;
    }
    const int top = scrollTop_ + kButtonPx - 2;
    return RECT{0, top, kWidthPx, top + thumbPx_};
}

void Scroll::DrawStates() {
    if (upHeld_) state_[UpButton] = Down;
    if (downHeld_) state_[DownButton] = Down;
    if (dragging_) state_[Thumb] = Down;
    if (!enabled_) state_.fill(Disabled);
    for (Part p : {UpButton, Thumb, DownButton})
        if (state_[p] != drawn_[p]) InvalidatePx(PartRect(p));
    drawn_ = state_;
}

void Scroll::PaintThumb(HDC dc) const {
    const RECT t = PartRect(Thumb);
    const int s = drawn_[Thumb];
    SaveDC(dc);
    IntersectClipRect(dc, t.left, t.top, t.right, t.bottom);
    if (ccPan_ > 0) {
        forms::GdiObj<HRGN> round(CreateRoundRectRgn(t.left, t.top, t.right, t.bottom, ccPan_, ccPan_));
        ExtSelectClipRgn(dc, round.Get(), RGN_AND);
    }
    auto band = [&](int y, int h) { return RECT{0, t.top + y, kWidthPx, t.top + y + h}; };
    const int gripTop = Px(thumbPx_ * kTwipsPerPx / 2 - 300);
    // Filler tiles first, under the caps and the grip: the upper ones down to the grip's top,
    // the lower ones from the grip's bottom to the thumb's end.
    for (int y = Px(60); y == Px(60) || y <= gripTop; y += Px(300)) DrawPiece(dc, pMidTop_, band(y, Px(300)), FillerOffset(s));
    const int lowerStart = gripTop + Px(585);
    for (int y = lowerStart; y == lowerStart || y <= thumbPx_; y += Px(300))
        DrawPiece(dc, pMidLow_, band(y, Px(300)), FillerOffset(s));
    DrawPiece(dc, pMidUp_, band(0, Px(90)), TopCapOffset(s));
    DrawPiece(dc, pMidDown_, band(Px(thumbPx_ * kTwipsPerPx - 100), Px(90)), BottomCapOffset(s));
    DrawPiece(dc, pMid_, band(gripTop, Px(585)), GripOffset(s));
    RestoreDC(dc, -1);
}

void Scroll::OnPaint(HDC dc) {
    if (!pBG_.IsEmpty())
        for (int y = 0; y == 0 || y < HeightPx(); y += kBgStepPx) pBG_.Draw(dc, 0, y, pBG_.WidthPx(), pBG_.HeightPx());
    // A track too short for the smallest thumb (the empty main window's) shows no thumb rather
    // than one squeezed under the arrows.
    if (ThumbShown()) PaintThumb(dc);
    DrawPiece(dc, pTop_, PartRect(UpButton), -kButtonPx * drawn_[UpButton], ccBut_);
    DrawPiece(dc, pLow_, PartRect(DownButton), -kButtonPx * drawn_[DownButton], ccBut_);
    forms::UserControl::OnPaint(dc);
}

LRESULT Scroll::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: Refresh(); break;
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: MouseDown(true, Pt(lParam)); return 0;
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: MouseDown(false, Pt(lParam)); return 0;
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: MouseDown(false, Pt(lParam)); return 0;
        case WM_MOUSEMOVE: MouseMove(Pt(lParam)); return 0;
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: MouseUp(Pt(lParam)); return 0;
        case WM_MOUSELEAVE: MouseLeft(); return 0;
        case WM_CAPTURECHANGED: if (reinterpret_cast<HWND>(lParam) != hWnd()) CaptureLost(); return 0;
    }
    return UserControl::OnMessage(msg, wParam, lParam);
}

}  // namespace controls
