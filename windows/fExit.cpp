#include "windows/fExit.h"

#include "app/Startup.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "windows/DialogLook.h"

namespace {
// The design size in pixels; the skin's size table sets its own.
constexpr int kWidthPx = 192;
constexpr int kHeightPx = 103;
}  // namespace

fExitForm::fExitForm() {
    SetScaleMode(forms::ScaleMode::Pixels);
    OK.Click = [this] { OK_Click(); };
    bCancel.Click = [this] { bCancel_Click(); };
    Label1.Click = [this] { Label1_Click(); };
    Label1.MouseDown = [this](forms::MouseArgs&) { Label1_MouseDown(); };
    Label1.MouseMove = [this](forms::MouseArgs&) { Label1_MouseMove(); };
    Label1.MouseUp = [this](forms::MouseArgs&) { Label1_MouseUp(); };
    lblMove.MouseDown = [this](forms::MouseArgs&) { lblMove_MouseDown(); };
    OK.MouseMove = [this](forms::MouseArgs&) { CheckBox1.Deselect(); };
    bCancel.MouseMove = [this](forms::MouseArgs&) { CheckBox1.Deselect(); };
    lblMove.Move(0, 0, kWidthPx, 22);
    lblMove.SetTransparent(true);
    CheckBox1.Move(12, 41, 0, 0);
    Label1.Move(28, 41, 164, 16);
    Label1.SetCaption(L"Do not show this dialog again");
    StyleDialogLabel(Label1, 7.5);
    OK.Move(14, 68, 78, 24);
    bCancel.Move(100, 68, 78, 24);
}

forms::WndCreate fExitForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateExit";
    o.caption = L"Exit";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fExitForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    Func::SetFormIcons(hWnd());
    // Near the tray, where the question was asked from.
    SetLeft(40.0 * mGlobal::TwipsX);
    SetTop(60.0 * mGlobal::TwipsY);
}

void fExitForm::Form_Paint(HDC dc) { PaintBuiltInPanel(*this, dc); }

void fExitForm::Raise() {
    if (mGlobal::FastExit) Func::ExitProgram();
    Func::FadeForm(*this, mGlobal::PaiseSpeed, false);
}

void fExitForm::OK_Click() {
    mGlobal::FastExit = CheckBox1.Value();
    Func::ExitProgram();
}

void fExitForm::bCancel_Click() {
    Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
    CheckBox1.SetValue(false);
}

void fExitForm::Label1_Click() { CheckBox1.SetValue(!CheckBox1.Value()); }
void fExitForm::Label1_MouseDown() { CheckBox1.Down(); }
void fExitForm::Label1_MouseMove() { CheckBox1.Moved(); }
void fExitForm::Label1_MouseUp() { CheckBox1.Up(); }
void fExitForm::Form_MouseMove(forms::MouseArgs&) { CheckBox1.Deselect(); }
void fExitForm::lblMove_MouseDown() { DragByHandle(*this); }
