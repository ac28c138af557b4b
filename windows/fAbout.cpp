#include "windows/fAbout.h"

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "forms/GdiObj.h"
#include "forms/SelectGuard.h"
#include "windows/DialogLook.h"
#include "windows/Windows.h"

namespace {
constexpr int kWidthPx = 300;
constexpr int kHeightPx = 200;
}  // namespace

fAboutForm::fAboutForm() {
    SetScaleMode(forms::ScaleMode::Pixels);
    lVersion.MouseDown = [this](forms::MouseArgs&) { lVersion_MouseDown(); };
    lVersion.Move(20, 160, 260, 18);
    lVersion.SetAlignment(forms::Label::Align::Center);
    StyleDialogLabel(lVersion);
}

forms::WndCreate fAboutForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateAbout";
    o.caption = L"about Quillmate";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fAboutForm::Form_Load() {
    const std::wstring version(mGlobal::AppVersion.begin(), mGlobal::AppVersion.end());
    lVersion.SetCaption(L"version " + version);
    SetBackColor(mGlobal::TransparentColor);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidthPx) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeightPx) / 2;
    SetLeft(double(x) * mGlobal::TwipsX);
    SetTop(double(y) * mGlobal::TwipsY);
}

// Without a skin: the panel and the program's name.
void fAboutForm::Form_Paint(HDC dc) {
    if (!Picture().IsEmpty()) return;
    PaintBuiltInPanel(*this, dc);
    RECT r{0, 50, kWidthPx, 110};
    forms::GdiObj<HFONT> font(
        CreateFontW(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial"));
    forms::SelectGuard keep(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(236, 240, 246));
    DrawTextW(dc, L"Quillmate", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void fAboutForm::Form_MouseDown(forms::MouseArgs&) { DragByHandle(*this); }
void fAboutForm::lVersion_MouseDown() { DragByHandle(*this); }

// Escape leaves neither the About box nor the tips window open.
void fAboutForm::Form_KeyUp(int32_t& KeyCode, int32_t&) {
    if (KeyCode != VK_ESCAPE) return;
    Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
    Func::FadeForm(fTips(), static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
}
