#include "windows/fHide.h"

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "windows/DialogLook.h"

namespace {
// The design size in pixels; the skin's size table sets its own.
constexpr int kWidthPx = 348;
constexpr int kHeightPx = 186;
}  // namespace

fHideForm::fHideForm() {
    SetScaleMode(forms::ScaleMode::Pixels);
    bOK.Click = [this] { bOK_Click(); };
    bClose.Click = [this] { bClose_Click(); };
    Label2.Click = [this] { Label2_Click(); };
    Label2.MouseDown = [this](forms::MouseArgs&) { Label2_MouseDown(); };
    Label2.MouseMove = [this](forms::MouseArgs&) { Label2_MouseMove(); };
    Label2.MouseUp = [this](forms::MouseArgs&) { Label2_MouseUp(); };
    Label1.MouseDown = [this](forms::MouseArgs&) { Label1_MouseDown(); };
    bOK.MouseMove = [this](forms::MouseArgs&) { CheckBox1.Deselect(); };
    bClose.MouseMove = [this](forms::MouseArgs&) { CheckBox1.Deselect(); };
    Label3.MouseMove = [this](forms::MouseArgs&) { CheckBox1.Deselect(); };
    Label1.Move(0, 0, kWidthPx - 28, 22);
    Label1.SetTransparent(true);
    bClose.Move(kWidthPx - 24, 2, 20, 20);
    Label3.Move(16, 34, kWidthPx - 32, 80);
    Label3.SetCaption(
        L"Quillmate is still running. You can open it from the tray. To shut down the Quillmate, right-click on "
        L"tray icon and choose \u201CExit\u201D. ");
    StyleDialogLabel(Label3, 10);
    CheckBox1.Move(16, 124, 0, 0);
    Label2.Move(32, 124, 260, 16);
    Label2.SetCaption(L"Do not show this message again");
    StyleDialogLabel(Label2);
    bOK.Move(kWidthPx - 94, kHeightPx - 36, 78, 24);
}

forms::WndCreate fHideForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateHide";
    o.caption = L"Hide";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fHideForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    Func::SetFormIcons(hWnd());
    // In the middle of the screen: the bar it speaks of has just gone.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidthPx) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeightPx) / 2;
    SetLeft(double(x) * mGlobal::TwipsX);
    SetTop(double(y) * mGlobal::TwipsY);
}

void fHideForm::Form_Paint(HDC dc) { PaintBuiltInPanel(*this, dc); }

void fHideForm::bOK_Click() {
    mGlobal::FastHide = CheckBox1.Value();
    Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
}

void fHideForm::bClose_Click() {
    Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
    CheckBox1.SetValue(false);
}

void fHideForm::Label2_Click() { CheckBox1.SetValue(!CheckBox1.Value()); }
void fHideForm::Label2_MouseDown() { CheckBox1.Down(); }
void fHideForm::Label2_MouseMove() { CheckBox1.Moved(); }
void fHideForm::Label2_MouseUp() { CheckBox1.Up(); }
void fHideForm::Form_MouseMove(forms::MouseArgs&) { CheckBox1.Deselect(); }
void fHideForm::Label1_MouseDown() { DragByHandle(*this); }
