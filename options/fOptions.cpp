// The options dialog: its controls, loading the settings into them, Apply, the buttons, the
// pages and the settings page. The sliders and the skin list are in their own files.
#include "options/fOptions.h"

#include <algorithm>

#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "app/mdlAutoRun.h"
#include "app/mdlInput.h"
#include "support/mdlLog.h"
#include "skin/mdlSkin.h"
#include "options/OptionsValues.h"
#include "support/AnsiText.h"
#include "windows/Windows.h"

using OptionsValues::RoundEven;

namespace {
constexpr int kWidthPx = 425;
constexpr int kHeightPx = 250;
const forms::FontSpec kArial{L"Arial", 8.25};

void PlaceLabel(forms::Label& l, double left, double top, double width, const wchar_t* caption,
                bool bold = false) {
    l.Move(left, top, width, 15);
    l.SetCaption(caption);
    forms::FontSpec f = kArial;
    f.Bold = bold;
    l.SetFont(f);
    l.SetTransparent(true);
}
}  // namespace

std::wstring fOptionsForm::Wide(const std::string& ansi) {
    const std::u16string w = AnsiToUtf16(ansi);
    return std::wstring(w.begin(), w.end());
}

std::string fOptionsForm::Ansi(const std::wstring& wide) {
    return Utf16ToAnsi(std::u16string(wide.begin(), wide.end()));
}

fOptionsForm::fOptionsForm() {
    SetScaleMode(forms::ScaleMode::Pixels);
    Design();
    WireEvents();
}

forms::WndCreate fOptionsForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateOptions";
    o.caption = L"Quillmate Options";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    // First shown in the middle of the screen; afterwards where the user dragged it.
    o.xPx = (GetSystemMetrics(SM_CXSCREEN) - kWidthPx) / 2;
    o.yPx = (GetSystemMetrics(SM_CYSCREEN) - kHeightPx) / 2;
    return o;
}

void fOptionsForm::SetPicture(forms::Picture p) {
    picture_ = std::move(p);
    Refresh();
}

void fOptionsForm::Form_Paint(HDC dc) {
    if (!picture_.IsEmpty()) picture_.Draw(dc, 0, 0, picture_.WidthPx(), picture_.HeightPx());
}

// The design: every place in pixels of the window or of a page; frames place in twips.
void fOptionsForm::Design() {
    const double tx = mGlobal::TwipsX, ty = mGlobal::TwipsY;
    lblMove.Move(0, 0, kWidthPx, 49);
    lblMove.SetTransparent(true);
    bClose.Move(377, 22, 25, 25);
    Buttons.Move(28, 50, 173, 26);
    imgButtons.Move(0, 0, 173 * tx, 61 * ty);
    bGraph.Move(0, 3 * ty, 89 * tx, 23 * ty);
    bSettings.Move(88 * tx, 3 * ty, 81 * tx, 23 * ty);
    bGraph.SetTransparent(true);
    bSettings.SetTransparent(true);
    Tab1.Move(31, 75, 370, 138);
    Tab2.Move(31, 75, 370, 138);
    for (forms::PictureBox* page : {&iTab, &iTab2}) {
        page->SetScaleMode(forms::ScaleMode::Pixels);
        page->Move(0, 0, 370 * tx, 138 * ty);
    }
    bOK.Move(137, 218, 87, 25);
    bCancel.Move(226, 218, 87, 25);
    bApply.Move(315, 218, 87, 25);
    frSkin.SetVisible(false);
    frSkin.Move(87, 105, 149, 111);
    img[0].Move(0, 0, 149 * tx, 23 * ty);
    PlaceLabel(text[0], 6 * tx, 60, 133 * tx, L"");
    text[0].Move(6 * tx, 60, 133 * tx, 15 * ty);
    Scroll.SetVisible(false);

    // Page 1.
    PlaceLabel(lblSkin, 10, 12, 45, L"Skin");
    Skin.SetScaleMode(forms::ScaleMode::Pixels);
    Skin.Move(56, 8, 126, 23);
    PlaceLabel(lSkinName, 6, 4, 121, L"");
    bChoose.Move(182, 8, 25, 25);
    BackPict.Move(182, 8, 24, 23);
    PlaceLabel(lblTr1, 10, 48, 200, L"Transparency of active window");
    PlaceLabel(lblTr2, 10, 77, 200, L"Transparency of inactive window");
    PlaceLabel(lblSpeed, 10, 104, 200, L"Appearing speed");
    PlaceLabel(ActTr, 340, 49, 30, L"100");
    PlaceLabel(Tr, 340, 77, 30, L"100");
    PlaceLabel(Speed, 340, 105, 30, L"100");
    for (int n = 1; n <= 3; ++n) {
        const Slider s = SliderOf(n);
        s.track.Move(207, s.thumbTopPx + 5, 128, 7);
        s.thumb.Move(207, s.thumbTopPx, 17, 17);
        s.sprite.Move(0, 0, 11 * tx, 33 * ty);
    }

    // Page 2: each box with the label that acts for it.
    CheckBox3.Move(15, 12, 13, 13);
    CheckBox1.Move(15, 28, 13, 13);
    CheckBox2.Move(15, 44, 13, 13);
    OptionBox1.Move(14, 78, 15, 15);
    OptionBox2.Move(14, 94, 15, 15);
    OptionBox3.Move(14, 110, 15, 15);
    PlaceLabel(Label1, 32, 12, 330, L"Save your clips data before exit");
    Label3[0].SetVisible(false);
    const wchar_t* captions[] = {L"Run on Windows startup ", L"Automatically remove extra spaces and linebreaks",
                                 L"When pasting multiple-selected slots", L"Separate slots data with new line",
                                 L"Do not separate slots data", L"Auto Analyze"};
    const int tops[] = {28, 44, 62, 78, 94, 110};
    for (int i = 1; i <= 6; ++i) {
        forms::Label& l = Label3.Load(i);
        PlaceLabel(l, i == 3 ? 16 : 32, tops[i - 1], 330, captions[i - 1], i == 3);
        l.SetVisible(true);
    }
}

void fOptionsForm::WireEvents() {
    bOK.Click = [this] { bOK_Click(); };
    bApply.Click = [this] { bApply_Click(); };
    bCancel.Click = [this] { bCancel_Click(); };
    bClose.Click = [this] { bClose_Click(); };
    bGraph.Click = [this] { bGraph_Click(); };
    bSettings.Click = [this] { bSettings_Click(); };
    lblMove.MouseDown = [this](forms::MouseArgs&) { lblMove_MouseDown(); };

    for (CheckBox* b : {&CheckBox1, &CheckBox2, &CheckBox3}) b->Click = [this] { BoxClick(); };
    for (OptionBox* b : {&OptionBox1, &OptionBox2, &OptionBox3}) b->Click = [this] { BoxClick(); };
    Label1.Click = [this] { Label1_Click(); };
    Label1.MouseDown = [this](forms::MouseArgs&) { Label3_MouseDown(0); };
    Label1.MouseMove = [this](forms::MouseArgs&) { Label3_MouseMove(0); };
    Label1.MouseUp = [this](forms::MouseArgs&) { Label3_MouseUp(0); };
    Label3.Click = [this](int i) { Label3_Click(i); };
    Label3.MouseDown = [this](int i, forms::MouseArgs&) { Label3_MouseDown(i); };
    Label3.MouseMove = [this](int i, forms::MouseArgs&) { Label3_MouseMove(i); };
    Label3.MouseUp = [this](int i, forms::MouseArgs&) { Label3_MouseUp(i); };
    iTab2.MouseMove = [this](forms::MouseArgs&) { iTab2_MouseMove(); };

    for (int n = 1; n <= 3; ++n) {
        const Slider s = SliderOf(n);
        s.sprite.MouseMove = [this, n](forms::MouseArgs&) { Sprite_MouseMove(n); };
        // A press that lands on the sprite before any move over it gave the thumb the mouse (the
        // pointer came from a control that held it) still grabs the thumb.
        s.sprite.MouseDown = [this, n](forms::MouseArgs& a) { Thumb_MouseDown(n, OnThumb(n, a)); };
        s.sprite.MouseUp = [this, n](forms::MouseArgs& a) { Thumb_MouseUp(n, OnThumb(n, a)); };
        s.thumb.MouseDown = [this, n](forms::MouseArgs& a) { Thumb_MouseDown(n, a); };
        s.thumb.MouseMove = [this, n](forms::MouseArgs& a) { Thumb_MouseMove(n, a); };
        s.thumb.MouseUp = [this, n](forms::MouseArgs& a) { Thumb_MouseUp(n, a); };
        s.track.MouseDown = [this, n](forms::MouseArgs&) { Track_MouseDown(n); };
    }
    Timer1.Tick = [this] { Timer1_Timer(); };

    bChoose.Click = [this] { bChoose_Click(); };
    lSkinName.Click = [this] { bChoose_Click(); };
    Skin.Click = [this] { bChoose_Click(); };
    BackPict.Click = [this] { bChoose_Click(); };
    frSkin.MouseDown = [this](forms::MouseArgs& a) { frSkin_MouseDown(a); };
    frSkin.MouseMove = [this](forms::MouseArgs&) { frSkin_MouseMove(); };
    img.MouseMove = [this](int, forms::MouseArgs&) { Row_MouseMove(); };
    text.MouseMove = [this](int, forms::MouseArgs&) { Row_MouseMove(); };
    img.Click = [this](int i) { Row_Click(i); };
    text.Click = [this](int i) { Row_Click(i); };
    Scroll.Change = [this](int16_t& top, int16_t& size) { Scroll_Change(top, size); };
    Timer2.Tick = [this] { Timer2_Timer(); };
}

// Runs when the window is made, and again from Cancel and Close to throw away every edit.
void fOptionsForm::Form_Load() {
    BackPict.SetLeft(182);
    frSkin.Move(87, 105, frSkin.Width(), frSkin.Height());
    Line1.SetVisible(false);
    Func::SetFormIcons(hWnd());
    SetBackColor(mGlobal::TransparentColor);
    // What no picture covers shows through, in the frames as on the window.
    for (forms::Frame* f : {&Buttons, &Tab1, &Tab2, &frSkin, &actTrP, &TrP, &SpeedP})
        f->SetBackColor(mGlobal::TransparentColor);
    ShowPage(1);
    Tab2.Move(Tab1.Left(), Tab1.Top(), Tab1.Width(), Tab1.Height());
    ActTr.SetCaption(OptionsValues::ShownActive(mGlobal::Transparent));
    PlaceThumb(1);
    lSkinName.SetCaption(Wide(mGlobal::SkinName));
    Tr.SetCaption(OptionsValues::ShownInactive(mGlobal::InactiveTransparent, mGlobal::Transparent));
    PlaceThumb(2);
    Speed.SetCaption(OptionsValues::ShownSpeed(mGlobal::PaiseSpeed));
    PlaceThumb(3);
    ShapeSliders();
    AutoRunShown = mdlAutoRun::IsAutoRun();
    CheckBox1.SetValue(AutoRunShown);
    CheckBox2.SetValue(mGlobal::RemExtra);
    CheckBox3.SetValue(mGlobal::RestoreClips);
    OptionBox1.SetValue(false);
    OptionBox2.SetValue(false);
    OptionBox3.SetValue(false);
    if (mGlobal::Combination == 1) OptionBox1.SetValue(true);
    if (mGlobal::Combination == 2) OptionBox2.SetValue(true);
    if (mGlobal::Combination == 3) OptionBox3.SetValue(true);
    bApply.SetEnabled(false);  // last: setting the boxes above enabled it
}

void fOptionsForm::Apply() {
    if (OptionBox1.Value()) mGlobal::Combination = 1;
    if (OptionBox2.Value()) mGlobal::Combination = 2;
    if (OptionBox3.Value()) mGlobal::Combination = 3;
    mGlobal::Transparent = OptionsValues::StoredTransparent(ActTr.Caption());
    mGlobal::InactiveTransparent = OptionsValues::StoredInactive(Tr.Caption(), mGlobal::Transparent);
    mGlobal::PaiseSpeed = OptionsValues::StoredSpeed(Speed.Caption());
    // An untouched box leaves the Run value alone; a write that did not take leaves the box
    // showing what the registry holds.
    AutoRunShown = mdlAutoRun::ApplyAutoRun(AutoRunShown, CheckBox1.Value());
    if (CheckBox1.Value() != AutoRunShown) CheckBox1.SetValue(AutoRunShown);
    mGlobal::RemExtra = CheckBox2.Value();
    mGlobal::RestoreClips = CheckBox3.Value();
    const std::string chosen = Ansi(lSkinName.Caption());
    if (chosen != mGlobal::SkinName) {
        const std::string inUse = mGlobal::SkinName;
        mGlobal::SkinName = chosen;
        // The same three steps as at start-up; a failing skin takes the skin loader's own path.
        mdlSkin::UnpackSkin();
        mdlSkin::ApplySkin(inUse);
        mdlSkin::DeleteSkinFolder();
        // The skin may have fallen back to "Default": the field shows the skin in use.
        lSkinName.SetCaption(Wide(mGlobal::SkinName));
    }
    Func::SetWindowAlpha(fMain().hWnd(), mGlobal::TransparentColor, mGlobal::Transparent);
    Func::SetWindowAlpha(fStart().hWnd(), mGlobal::TransparentColor, mGlobal::Transparent);
    Func::SetWindowAlpha(hWnd(), mGlobal::TransparentColor, mGlobal::Transparent);
    mdlInput::SaveSettings();
}

namespace {
int16_t FadeOutSpeed() { return static_cast<int16_t>(-std::max<int>(mGlobal::PaiseSpeed, -INT16_MAX)); }
}  // namespace

void fOptionsForm::bOK_Click() {
    Func::FadeForm(*this, FadeOutSpeed(), false);
    SetForegroundWindow(fMain().hWnd());
    // Everything the dialog shows is applied now: opened again, it has nothing left to apply.
    bApply.SetEnabled(false);
    Apply();
    ShowPage(1);
}

void fOptionsForm::bApply_Click() {
    bApply.SetEnabled(false);
    Apply();
}

void fOptionsForm::bCancel_Click() {
    Func::FadeForm(*this, FadeOutSpeed(), false);
    SetForegroundWindow(fMain().hWnd());
    ShowPage(1);
    Form_Load();
}

void fOptionsForm::bClose_Click() {
    Func::FadeForm(*this, FadeOutSpeed(), false);
    ShowPage(1);
    Form_Load();
    SetForegroundWindow(fMain().hWnd());
}

void fOptionsForm::bGraph_Click() { ShowPage(1); }
void fOptionsForm::bSettings_Click() { ShowPage(2); }

// The strip holds the look with tab 1 in front on top and the one with tab 2 30 pixels lower.
void fOptionsForm::ShowPage(int page) {
    imgButtons.SetTop(page == 1 ? 0 : -30 * mGlobal::TwipsY);
    Tab1.SetVisible(page == 1);
    Tab2.SetVisible(page != 1);
}

void fOptionsForm::lblMove_MouseDown() {
    ReleaseCapture();
    SendMessageW(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void fOptionsForm::BoxClick() { bApply.SetEnabled(true); }

// --- The settings page: each label acts as its box. Label1 counts as number 3. ---

CheckBox* fOptionsForm::CheckBoxOf(int label) {
    switch (label) {
    case 0: return &CheckBox3;
    case 1: return &CheckBox1;
    case 2: return &CheckBox2;
    default: return nullptr;
    }
}

OptionBox* fOptionsForm::OptionBoxOf(int label) {
    switch (label) {
    case 4: return &OptionBox1;
    case 5: return &OptionBox2;
    case 6: return &OptionBox3;
    default: return nullptr;
    }
}

void fOptionsForm::Label1_Click() { CheckBox3.SetValue(!CheckBox3.Value()); }

void fOptionsForm::Label3_Click(int Index) {
    if (CheckBox* c = CheckBoxOf(Index)) c->SetValue(!c->Value());
    if (OptionBox* o = OptionBoxOf(Index)) o->Checked();
}

void fOptionsForm::Label3_MouseDown(int Index) {
    if (CheckBox* c = CheckBoxOf(Index)) c->Down();
    if (OptionBox* o = OptionBoxOf(Index)) o->Down();
}

void fOptionsForm::Label3_MouseUp(int Index) {
    if (CheckBox* c = CheckBoxOf(Index)) c->Up();
    if (OptionBox* o = OptionBoxOf(Index)) o->Up();
}

void fOptionsForm::Label3_MouseMove(int Index) {
    if (Index == 3) return;  // the heading stands for no box
    const int16_t number = static_cast<int16_t>(Index == 0 ? 3 : Index);
    NewHot = number;
    Desel();
    if (CheckBox* c = CheckBoxOf(Index)) c->Moved();
    if (OptionBox* o = OptionBoxOf(Index)) o->Moved();
    Hot = number;
}

void fOptionsForm::iTab2_MouseMove() {
    Hot = 0;
    Desel();
}

void fOptionsForm::Desel() {
    if (Hot == NewHot) return;
    for (CheckBox* c : {&CheckBox1, &CheckBox2, &CheckBox3}) c->Deselect();
    for (OptionBox* o : {&OptionBox1, &OptionBox2, &OptionBox3}) o->Deselect();
}
