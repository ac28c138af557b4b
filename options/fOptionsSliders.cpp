// The three sliders of the options dialog: a thumb follows the pointer on a 25 ms tick while it
// is held, and its value label takes the value; nothing is applied until Apply.
#include "model/mGlobal.h"
#include "forms/GdiObj.h"
#include "options/OptionsValues.h"
#include "options/fOptions.h"

using OptionsValues::RoundEven;

namespace {
// The sprite's top for each look, in pixels.
constexpr int kNormal = 0, kHover = -16, kPressed = -33;
}  // namespace

fOptionsForm::Slider fOptionsForm::SliderOf(int n) {
    switch (n) {
    case 1: return {actTrP, Image1, cLine, ActTr, 47};
    case 2: return {TrP, Image2, cLine2, Tr, 75};
    default: return {SpeedP, Image3, cLine3, Speed, 103};
    }
}

forms::MouseArgs fOptionsForm::OnThumb(int n, forms::MouseArgs a) {
    const Slider s = SliderOf(n);
    a.X += s.sprite.Left();
    a.Y += s.sprite.Top();
    return a;
}

void fOptionsForm::PlaceThumb(int n) {
    const Slider s = SliderOf(n);
    s.thumb.SetLeft(OptionsValues::ThumbLeft(n, s.value.Caption()));
}

// Rounded window regions; the window owns each region once it is set.
void fOptionsForm::ShapeSliders() {
    for (int n = 1; n <= 3; ++n) {
        const Slider s = SliderOf(n);
        SetWindowRgn(s.track.Handle(), CreateRoundRectRgn(0, 0, 128, 8, 3, 3), TRUE);
        SetWindowRgn(s.thumb.Handle(), CreateRoundRectRgn(0, 0, 11, 18, 6, 6), TRUE);
        SetWindowPos(s.thumb.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

bool fOptionsForm::IsOverThumb(double X, double Y) {
    forms::GdiObj<HRGN> face(CreateRoundRectRgn(0, 0, 11, 18, 7, 7));
    return PtInRegion(face.Get(), RoundEven(X), RoundEven(Y)) != FALSE;
}

void fOptionsForm::Sprite_MouseMove(int n) { SetCapture(SliderOf(n).thumb.Handle()); }

void fOptionsForm::Thumb_MouseMove(int n, const forms::MouseArgs& a) {
    if (ThumbHeld) return;
    forms::Image& sprite = SliderOf(n).sprite;
    if (IsOverThumb(a.X / mGlobal::TwipsX, a.Y / mGlobal::TwipsY)) {
        if (sprite.Top() != kHover * mGlobal::TwipsY) sprite.SetTop(kHover * mGlobal::TwipsY);
    } else {
        sprite.SetTop(kNormal);
        ReleaseCapture();
    }
}

void fOptionsForm::Thumb_MouseDown(int n, const forms::MouseArgs& a) {
    SliderOf(n).sprite.SetTop(kPressed * mGlobal::TwipsY);
    Timer1.SetEnabled(true);
    DragSlider = static_cast<uint8_t>(n);
    DragGrabX = static_cast<int16_t>(RoundEven(a.X));
    ThumbHeld = true;
}

// A press on the track hands the mouse to the thumb, which jumps under the pointer on the next
// tick and then gets the release.
void fOptionsForm::Track_MouseDown(int n) {
    ThumbHeld = true;
    const Slider s = SliderOf(n);
    s.sprite.SetTop(kPressed * mGlobal::TwipsY);
    Timer1.SetEnabled(true);
    DragSlider = static_cast<uint8_t>(n);
    DragGrabX = static_cast<int16_t>(5 * mGlobal::TwipsX);
    SetCapture(s.thumb.Handle());
}

// The release takes one last tick, so the thumb ends under the pointer also after a click
// shorter than a tick.
void fOptionsForm::Thumb_MouseUp(int n, const forms::MouseArgs& a) {
    if (Timer1.Enabled()) Timer1_Timer();
    const bool over = IsOverThumb(a.X / mGlobal::TwipsX, a.Y / mGlobal::TwipsY);
    SliderOf(n).sprite.SetTop((over ? kHover : kNormal) * mGlobal::TwipsY);
    Timer1.SetEnabled(false);
    ThumbHeld = false;
}

void fOptionsForm::Timer1_Timer() {
    if (DragSlider < 1 || DragSlider > 3) return;
    POINT pt{};
    GetCursorPos(&pt);
    const int x = RoundEven(pt.x - (DragGrabX + Left()) / mGlobal::TwipsX - 31);
    const Slider s = SliderOf(DragSlider);
    const double before = OptionsValues::LabelValue(s.value.Caption());  // "Off" reads 0
    const OptionsValues::ThumbPlace place = OptionsValues::DragTo(DragSlider, x);
    s.thumb.SetLeft(place.left);
    s.value.SetCaption(place.text);
    if (OptionsValues::LabelValue(place.text) != before) bApply.SetEnabled(true);
}
