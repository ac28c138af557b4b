#include "windows/fPopUp.h"

#include <cmath>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "windows/BuiltInLook.h"
#include "windows/Windows.h"

namespace {
constexpr int kWidthPx = 100;
constexpr int kHeightPx = 41;
}  // namespace

fPopUpForm::fPopUpForm() {
    iBack.MouseDown = [this](forms::MouseArgs& a) { iBack_MouseDown(a); };
    iBack.MouseMove = [this](forms::MouseArgs& a) { iBack_MouseMove(a); };
    // A release on the strip is a release on the menu, at the same place of the window.
    iBack.MouseUp = [this](forms::MouseArgs& a) {
        a.X += iBack.Left();
        a.Y += iBack.Top();
        Form_MouseUp(a);
    };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

forms::WndCreate fPopUpForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmatePopUp";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fPopUpForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    if (iBack.Picture().IsEmpty())
        iBack.SetPicture(BuiltInLook::MenuStrip(kWidthPx, he, L"Selected clips", L"All clips"));
    iBack.SetLeft(0);
    Light(Hot);
}

void fPopUpForm::Light(int32_t hot) {
    Hot = hot;
    const int frame = hot == 2 ? 1 : hot == 1 ? 2 : 0;
    iBack.SetTop(-frame * he * static_cast<double>(mGlobal::TwipsX));
}

void fPopUpForm::Choose() {
    Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
    const bool all = Hot == 1;
    if (PrevContr == 1) {
        if (all) fMain().Delete_All();
        else fMain().Delete_Selected();
    } else if (PrevContr == 2) {
        if (all) fMain().Save_All();
        else fMain().Save_Selected();
    }
}

void fPopUpForm::Form_KeyDown(int32_t& KeyCode, int32_t&) {
    switch (KeyCode) {
        case VK_RETURN:
        case VK_SPACE: Choose(); break;
        case VK_UP:
        case VK_DOWN: Light(Hot != 2 ? 2 : 1); break;
    }
}

void fPopUpForm::iBack_MouseDown(forms::MouseArgs&) { SetCapture(hWnd()); }
void fPopUpForm::iBack_MouseMove(forms::MouseArgs&) { SetCapture(hWnd()); }

bool fPopUpForm::IsInside(double xTw, double yTw) {
    return xTw >= 0 && xTw <= Width() && yTw >= 0 && yTw <= Height();
}

void fPopUpForm::Form_MouseMove(forms::MouseArgs&) {
    POINT p{};
    GetCursorPos(&p);
    const double x = std::nearbyint(p.x * static_cast<double>(mGlobal::TwipsX) - Left());
    const double y = std::nearbyint(p.y * static_cast<double>(mGlobal::TwipsY) - Top());
    SetCapture(hWnd());
    LightAt(x, y);
}

void fPopUpForm::LightAt(double xTw, double yTw) {
    if (IsInside(xTw, yTw)) {
        const int32_t hot = yTw < Height() / 2 ? 2 : 1;
        if (Hot != hot) Light(hot);
    } else {
        if (Hot != 0) Light(0);
        ReleaseCapture();
    }
}

void fPopUpForm::Form_MouseUp(forms::MouseArgs& a) {
    // The click chooses what lies under it. The lit item may still be the last choice: the first
    // move onto the menu only takes the mouse, and a pen's tap brings no move at all. It is lit
    // and painted before the menu fades, so the user sees what runs. A release outside the menu
    // (it held the mouse) chooses nothing: the menu closes, as when another window comes forward.
    LightAt(std::nearbyint(a.X), std::nearbyint(a.Y));
    UpdateWindow(hWnd());
    if (Hot == 0)
        Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
    else
        Choose();
}

void fPopUpForm::Timer1_Timer() {
    if (Visible()) {
        if (GetForegroundWindow() == hWnd()) return;
        Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
        Light(0);
    } else {
        PrevContr = 0;
    }
}
