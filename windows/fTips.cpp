#include "windows/fTips.h"

#include <fstream>

#include "model/TextConv.h"
#include "model/TipsFile.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "support/PlainFiles.h"
#include "windows/DialogLook.h"
#include "windows/Windows.h"

namespace {
// The design size in pixels; the skin sets its own through the window's picture.
constexpr int kWidthPx = 399;
constexpr int kHeightPx = 189;
// The bottom row of buttons, whose right neighbour the Back strip starts at (twips).
constexpr double kBackLeftTw = 1560, kBackTopTw = 2400;

int16_t PaiseOut() { return static_cast<int16_t>(-mGlobal::PaiseSpeed); }
}  // namespace

fTipsForm::fTipsForm() {
    SetScaleMode(forms::ScaleMode::Pixels);
    NextTip.Click = [this] { NextTip_Click(); };
    PrevTip.Click = [this] { PrevTip_Click(); };
    About.Click = [this] { About_Click(); };
    bHelp.Click = [this] { bHelp_Click(); };
    Closed.Click = [this] { Closed_Click(); };
    lblMove.MouseDown = [this](forms::MouseArgs&) { lblMove_MouseDown(); };
    // Design places, twips / 15.
    TipCapt.Move(24, 50, 357, 97);
    StyleDialogLabel(TipCapt, 10);
    NextTip.Move(362, 160, 25, 25);
    PrevTip.Move(336, 160, 25, 25);
    About.Move(17, 160, 87, 25);
    bHelp.Move(337, 12, 25, 25);
    Closed.Move(367, 12, 20, 25);  // as wide as the close strip
    lblMove.Move(0, 0, 330, 40);
    lblMove.SetTransparent(true);
    Back[0].SetVisible(false);
}

forms::WndCreate fTipsForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateTips";
    o.caption = L"Tips";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fTipsForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    LoadTips();
    ShowTip();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidthPx) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeightPx) / 2;
    SetLeft(double(x) * mGlobal::TwipsX);
    SetTop(double(y) * mGlobal::TwipsY);
}

void fTipsForm::Form_Paint(HDC dc) { PaintBuiltInPanel(*this, dc); }

// Read once per window life: editing the file while the program runs changes nothing.
void fTipsForm::LoadTips() {
    Tips.clear();
    CurrentTip = 1;
    const std::string path = ExecutableFolder() + "\\Tips.txt";
    if (!NormalFileExists(path)) {
        Tips.push_back(L"'Tips.txt' not found!");
        return;
    }
    std::ifstream in(path, std::ios::binary);
    for (const ClipText& tip : ReadTips(in, FromAnsi)) Tips.emplace_back(tip.begin(), tip.end());
}

void fTipsForm::ShowTip() { TipCapt.SetCaption(Tips.at(static_cast<size_t>(CurrentTip - 1))); }

void fTipsForm::NextTip_Click() {
    // Compared before counting on, so that the last of 32,767 tips does not step past the count.
    CurrentTip = static_cast<size_t>(CurrentTip) >= Tips.size() ? 1 : static_cast<int16_t>(CurrentTip + 1);
    ShowTip();
}

void fTipsForm::PrevTip_Click() {
    CurrentTip = static_cast<int16_t>(CurrentTip - 1);
    if (CurrentTip < 1) CurrentTip = static_cast<int16_t>(Tips.size());
    ShowTip();
}

void fTipsForm::Closed_Click() {
    CurrentTip = 1;
    ShowTip();
    Func::FadeForm(*this, PaiseOut(), false);
}

void fTipsForm::About_Click() {
    Func::FadeForm(*this, PaiseOut(), false);
    Func::FadeForm(fAbout(), mGlobal::PaiseSpeed, false);
}

void fTipsForm::bHelp_Click() { Func::OpenHelpFile(); }
void fTipsForm::lblMove_MouseDown() { DragByHandle(*this); }

void fTipsForm::SetVisible(bool b) {
    for (int i = 0; i <= Back.UBound(); ++i)
        if (Back.Exists(i)) Back[i].SetVisible(b);
}

void fTipsForm::LoadBackG() {
    Back[0].Move(kBackLeftTw / mGlobal::TwipsX - 2, kBackTopTw / mGlobal::TwipsY - 2, Back[0].Width(),
                 Back[0].Height());
    for (int i = 1; i <= 4; ++i) AddBack(i);
}

// Neighbouring tiles overlap by one pixel.
void fTipsForm::AddBack(int i) {
    forms::Image& tile = Back.Load(i);
    tile.SetPicture(Back[0].Picture());
    tile.Move(Back[i - 1].Left() + Back[0].Width() - 1, Back[0].Top(), tile.Width(), tile.Height());
    tile.SetVisible(true);
}
