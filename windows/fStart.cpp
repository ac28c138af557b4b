#include "windows/fStart.h"

#include <cmath>

#include "app/Startup.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "app/mdlTray.h"
#include "windows/Windows.h"

namespace {
// The bar's design size; the skin sets its own.
constexpr int kWidthPx = 80;
constexpr int kHeightPx = 44;

int32_t RoundPx(double v) { return static_cast<int32_t>(std::nearbyint(v)); }
int16_t PaiseIn() { return mGlobal::PaiseSpeed; }
int16_t PaiseOut() { return static_cast<int16_t>(-mGlobal::PaiseSpeed); }
}  // namespace

fStartForm::fStartForm() {
    SetScaleMode(forms::ScaleMode::Pixels);  // its buttons are placed in pixels
    Down.MouseDown = [this](forms::MouseArgs&) { Down_MouseDown(); };
    Down.MouseMove = [this](forms::MouseArgs&) { Down_MouseMove(); };
    Down.MouseUp = [this](forms::MouseArgs&) { Down_MouseUp(); };
    Down.Click = [this] { Down_Click(); };
    bClose.Click = [this] { bClose_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Down.Move(11, 12, 41, 25);
    bClose.Move(52, 12, 25, 25);
}

forms::WndCreate fStartForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateStart";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fStartForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    // Where the bar stands until the settings say otherwise.
    Move(7000, 15, kWidthPx * 15.0, kHeightPx * 15.0);
    fMain().SetLeft(Left() - 243.0 * mGlobal::TwipsX);
    fMain().SetTop(Top() + 36.0 * mGlobal::TwipsY);
}

void fStartForm::StartDrag() {
    GetCursorPos(&cursorPos_);
    mGlobal::DragOffsetX = static_cast<int16_t>(RoundPx(cursorPos_.x - Left() / mGlobal::TwipsX));
    mGlobal::DragOffsetY = static_cast<int16_t>(RoundPx(cursorPos_.y - Top() / mGlobal::TwipsY));
}

void fStartForm::MoveBarPx(POINT cornerPx) {
    Func::MoveWindowPx(hWnd(), cornerPx.x, cornerPx.y, RoundPx(Width() / mGlobal::TwipsX),
                       RoundPx(Height() / mGlobal::TwipsY));
}

void fStartForm::PlaceMainWindow() {
    auto& main = fMain();
    const double tx = mGlobal::TwipsX, ty = mGlobal::TwipsY;
    Func::MoveWindowPx(main.hWnd(), RoundPx(Left() / tx - 243), RoundPx(Top() / ty + 36),
                       RoundPx(main.Width() / tx), RoundPx(main.Height() / ty));
}

// A drag by the bar's own surface starts at once and never swallows a click on Down.
void fStartForm::Form_MouseDown(forms::MouseArgs&) {
    dragOn_ = true;
    StartDrag();
}

void fStartForm::Form_MouseMove(forms::MouseArgs&) {
    if (!dragOn_) return;
    ForgetPlaceWhenClosed();
    GetCursorPos(&cursorPos_);
    Func::SnapToScreenEdges(cursorPos_, mGlobal::DragOffsetX, mGlobal::DragOffsetY, false);
    MoveBarPx({cursorPos_.x - mGlobal::DragOffsetX, cursorPos_.y - mGlobal::DragOffsetY});
    PlaceMainWindow();
}

void fStartForm::Form_MouseUp(forms::MouseArgs&) { dragOn_ = false; }

// Held on Down, the press becomes a drag only after the first tick; a quick click stays a click.
void fStartForm::Down_MouseDown() {
    // A drag whose release fell off the button (the bar snapped away under the pointer) raised no
    // click to swallow: each press starts clean, so that leftover cannot eat this press's click.
    moving = false;
    Timer1.SetEnabled(true);
    StartDrag();
}

void fStartForm::Timer1_Timer() {
    dragOn_ = true;
    Timer1.SetEnabled(false);
}

void fStartForm::Down_MouseMove() {
    if (dragOn_) Func::DragMainWindows();
}

void fStartForm::Down_MouseUp() {
    dragOn_ = false;
    Timer1.SetEnabled(false);
}

void fStartForm::Down_Click() {
    if (moving) {
        moving = false;
        return;
    }
    auto& main = fMain();
    if (!main.Visible()) {
        Place(OpeningPlace());
        PlaceMainWindow();
        Func::FadeForm(main, PaiseIn(), false);
    } else {
        Place(Func::CloseBar(Here(), placeWhenClosed_, main.Height() / mGlobal::TwipsY));
        placeWhenClosed_.reset();
        SetFocus(hWnd());
        Func::FadeForm(main, PaiseOut(), false);
        PlaceMainWindow();
    }
}

Func::BarPlace fStartForm::Here() {
    return {RoundPx(Left() / mGlobal::TwipsX), RoundPx(Top() / mGlobal::TwipsY), mGlobal::DockY};
}

Func::BarPlace fStartForm::OpeningPlace() {
    // Room for the main window is kept below the bar although it is still hidden; docked at the
    // bottom, the bar rises so the main window opens upward.
    const Func::BarOpening opening = Func::OpenBar(Here(), Func::SceneOf(fMain(), true));
    placeWhenClosed_ = opening.back;
    return opening.open;
}

void fStartForm::Place(const Func::BarPlace& place) {
    mGlobal::DockY = place.dockY;
    MoveBarPx({place.x, place.y});
}

void fStartForm::bClose_Click() {
    if (!mdlTray::TrayIconShown()) Func::ExitProgram();  // nowhere to hide: end instead
    SetFocus(hWnd());
    if (!mGlobal::FastHide) ShowHideNotice();
    visibl = fMain().Visible();
    if (visibl) Func::FadeForm(fMain(), PaiseOut(), false);
    Func::FadeForm(*this, PaiseOut(), false);
}

void fStartForm::ShowHideNotice() { Func::FadeForm(fHide(), PaiseIn(), false); }
