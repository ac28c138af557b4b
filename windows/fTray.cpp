#include "windows/fTray.h"

#include "app/Startup.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "forms/Screen.h"
#include "windows/TrayPlacement.h"
#include "windows/Windows.h"

namespace {
int16_t PaiseIn() { return mGlobal::PaiseSpeed; }
int16_t PaiseOut() { return static_cast<int16_t>(-mGlobal::PaiseSpeed); }
}  // namespace

fTrayForm::fTrayForm() {
    pctTray.MouseMove = [this](forms::MouseArgs& a) { pctTray_MouseMove(a.Button, a.Shift, a.X, a.Y); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Insert.Click = [this] { Insert_Click(); };
    Options.Click = [this] { Options_Click(); };
    bHide.Click = [this] { bHide_Click(); };
    bShow.Click = [this] { bShow_Click(); };
    bExit.Click = [this] { bExit_Click(); };
    // Four rows of buttons until the skin places them (twips).
    ucButton3* rows[] = {&Insert, &Options, &bHide, &bExit};
    for (int i = 0; i < 4; ++i) rows[i]->Move(150, 150 + 450 * i, 2280, 375);
    bShow.Move(0, 0, 2280, 375);
}

fTrayForm::~fTrayForm() {
    if (icon_) DestroyIcon(icon_);
}

forms::WndCreate fTrayForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateTray";
    o.widthPx = 172;  // until the skin sizes it
    o.heightPx = 134;
    return o;
}

void fTrayForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    // It only receives the icon's messages; it never shows.
    pctTray.Move(0, 0, 240, 240);
    pctTray.SetVisible(false);
    bShow.Move(bHide.Left(), bHide.Top(), bShow.Width(), bShow.Height());
    bShow.SetVisible(false);
}

void fTrayForm::pctTray_MouseMove(int32_t, int32_t, double xTw, double) {
    switch (TrayPlacement::CallbackMessage(xTw, mGlobal::TwipsX)) {
        case WM_RBUTTONDOWN: OpenOrClose(); break;
        case WM_LBUTTONDBLCLK: bShow_Click(); break;
        default: break;
    }
}

void fTrayForm::OpenOrClose() {
    SetInsertEnabled(mGlobal::History.ClipCount() != 0);
    if (Visible()) {
        Func::FadeForm(*this, PaiseOut(), false);
        return;
    }
    // The menu offers Show while the bar is hidden, Hide while it is shown.
    const bool barShown = fStart().Visible();
    SetShowHide(barShown);
    POINT p{};
    GetCursorPos(&p);
    const auto c = TrayPlacement::MenuCorner(double(p.x) * mGlobal::TwipsX, double(p.y) * mGlobal::TwipsY,
                                             forms::Screen::WidthTw(), forms::Screen::HeightTw());
    Move(c.left, c.top, Width(), Height());
    Func::FadeForm(*this, PaiseIn(), false);
    SetFocus(hWnd());
}

void fTrayForm::Insert_Click() {
    auto& insert = fInsert();
    if (insert.Visible()) {
        Func::FadeForm(insert, PaiseOut(), false);
        return;
    }
    insert.Refresh_Clips();
    const auto c = TrayPlacement::InsertCorner(Left(), Top(), insert.Height(), forms::Screen::WidthTw(),
                                               forms::Screen::HeightTw());
    insert.Move(c.left, c.top, insert.Width(), insert.Height());
    Func::FadeForm(insert, PaiseIn(), false);
}

void fTrayForm::Options_Click() {
    Func::FadeForm(*this, PaiseOut(), false);
    ShowOptions();
}

void fTrayForm::bHide_Click() {
    Func::FadeForm(*this, PaiseOut(), false);
    fStart().visibl = fMain().Visible();
    if (fStart().visibl) Func::FadeForm(fMain(), PaiseOut(), false);
    Func::FadeForm(fStart(), PaiseOut(), false);
    SetShowHide(false);
}

void fTrayForm::bShow_Click() {
    Func::FadeForm(*this, PaiseOut(), false);
    auto& start = fStart();
    Func::FadeForm(start, PaiseIn(), false);
    fMain().SetLeft(start.Left() - 243.0 * mGlobal::TwipsX);
    fMain().SetTop(start.Top() + 36.0 * mGlobal::TwipsY);
    if (start.visibl) Func::FadeForm(fMain(), PaiseIn(), false);
    SetShowHide(true);
}

void fTrayForm::bExit_Click() {
    Func::FadeForm(*this, PaiseOut(), false);
    AskExit();
}

void fTrayForm::Timer1_Timer() {
    if (!Visible()) return;
    const HWND front = GetForegroundWindow();
    if (front != hWnd() && front != fInsert().hWnd()) Func::FadeForm(*this, PaiseOut(), false);
}

void fTrayForm::ShowOptions() { Func::FadeForm(fOptions(), PaiseIn(), false); }

void fTrayForm::AskExit() { fExit().Raise(); }

void fTrayForm::SetShowHide(bool barShown) {
    bShow.SetVisible(!barShown);
    bHide.SetVisible(barShown);
}

void fTrayForm::SetInsertEnabled(bool enabled) { Insert.SetEnabled(enabled); }
