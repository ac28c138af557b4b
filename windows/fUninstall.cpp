#include "windows/fUninstall.h"

#include <windows.h>

#include <cmath>

#include "model/SurveyRequest.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "forms/Screen.h"
#include "windows/DialogLook.h"
#include "windows/SurveyArt.h"

namespace {
constexpr int kWidthTw = 5205, kHeightTw = 3330;
constexpr int kWidthPx = kWidthTw / 15, kHeightPx = kHeightTw / 15;
constexpr int kReasonTopPx = 58, kReasonStepPx = 20;
}  // namespace

// Swallows Enter in the comment, which stays one line.
class fUninstallForm::KeyFilter : public ISubclass {
public:
    KeyFilter(fUninstallForm& form, HWND edit) : form_(form), edit_(edit) { engine_.AttachMessage(*this, edit_, WM_CHAR); }
    ~KeyFilter() override { engine_.DetachMessage(*this, edit_, WM_CHAR); }
    int32_t MsgResponse() override { return kConsume; }
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        int32_t key = static_cast<int32_t>(wParam);
        form_.Text1_KeyPress(key);
        return key == 0 ? 0 : engine_.CallOldWindowProc(hwnd, msg, static_cast<WPARAM>(key), lParam);
    }

private:
    fUninstallForm& form_;
    HWND edit_;
    GSubclass engine_;
};

fUninstallForm::fUninstallForm() {
    SetScaleMode(forms::ScaleMode::Pixels);
    OptionBox1.Click = [this] { OptionBox1_Click(); };
    OptionBox2.Click = [this] { OptionBox2_Click(); };
    OptionBox3.Click = [this] { OptionBox3_Click(); };
    OptionBox4.Click = [this] { OptionBox4_Click(); };
    Label2.Click = [this] { Label2_Click(); };
    Label2.MouseMove = [this](forms::MouseArgs&) { Label_MouseMove(OptionBox1); };
    Label3.MouseMove = [this](forms::MouseArgs&) { Label_MouseMove(OptionBox2); };
    Label4.MouseMove = [this](forms::MouseArgs&) { Label_MouseMove(OptionBox3); };
    Label5.MouseMove = [this](forms::MouseArgs&) { Label_MouseMove(OptionBox4); };
    Label1.MouseDown = [this](forms::MouseArgs&) { Label1_MouseDown(); };
    bOK.Click = [this] { bOK_Click(); };
    bClose.Click = [this] { bClose_Click(); };

    OptionBox* boxes[] = {&OptionBox1, &OptionBox2, &OptionBox3, &OptionBox4};
    forms::Label* labels[] = {&Label2, &Label3, &Label4, &Label5};
    const wchar_t* reasons[] = {L"I need more functions", L"I don't like this interface",
                                L"I have use another program (please specify...)", L"Other reason (please specify...)"};
    for (int i = 0; i < 4; ++i) {
        boxes[i]->Move(24, kReasonTopPx + kReasonStepPx * i, 0, 0);
        labels[i]->Move(44, kReasonTopPx + kReasonStepPx * i, 280, 16);
        labels[i]->SetCaption(reasons[i]);
        StyleDialogLabel(*labels[i]);
        labels[i]->SetForeColor(RGB(236, 240, 246));  // the survey's own panel is dark, unlike the skins'
    }
    Text1.Move(30, 142, 288, 17);
    forms::FontSpec arial;
    arial.Name = L"Arial";
    arial.SizePt = 9;
    Text1.SetFont(arial);
    bOK.Move(135, 172, 87, 25);
    bClose.Move(kWidthPx - 26, 3, 20, 20);
    Label1.Move(0, 0, kWidthPx - 30, 26);
    Label1.SetTransparent(true);
}

fUninstallForm::~fUninstallForm() = default;

forms::WndCreate fUninstallForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateUninstall";
    o.caption = L"Uninstall";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    // Alone on the screen, it needs a taskbar button like any program.
    o.exStyle = 0;
    return o;
}

void fUninstallForm::Form_Load() {
    Picture1 = SurveyArt::ButtonStrip(87, L"OK");
    Picture2 = SurveyArt::ButtonStrip(20, L"\u00D7");
    Picture3 = SurveyArt::OptionStrip();
    Picture4 = SurveyArt::CommentBackdrop();
    SetPicture(SurveyArt::Background(kWidthPx, kHeightPx));

    if (!TextBack) TextBack = std::make_unique<cTextBoxBackground>();
    TextBack->SetBackdrop(Picture4);
    TextBack->Attach(Text1.Handle());
    keys_ = std::make_unique<KeyFilter>(*this, Text1.Handle());
    // One line high, the comment has no room for a scroll bar.
    SetWindowLongW(Text1.Handle(), GWL_STYLE, GetWindowLongW(Text1.Handle(), GWL_STYLE) & ~WS_VSCROLL);
    SetWindowPos(Text1.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Func::SetFormIcons(hWnd());
    // The normal start-up that reads these does not run in this mode.
    mGlobal::TwipsX = static_cast<int32_t>(std::nearbyint(forms::Screen::TwipsPerPixelX()));
    mGlobal::TwipsY = static_cast<int32_t>(std::nearbyint(forms::Screen::TwipsPerPixelY()));
    Func::SetWindowAlpha(hWnd(), RGB(255, 0, 255), 255);
    SetBackColor(RGB(255, 0, 255));
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidthPx) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeightPx) / 2;
    Move(x * double(mGlobal::TwipsX), y * double(mGlobal::TwipsY), kWidthTw, kHeightTw);

    OptionBox* boxes[] = {&OptionBox1, &OptionBox2, &OptionBox3, &OptionBox4};
    forms::Label* labels[] = {&Label2, &Label3, &Label4, &Label5};
    for (int i = 0; i < 4; ++i) {
        boxes[i]->SetSkin(Picture3);
        // The box's hit area reaches over its text (the label's width is in pixels).
        boxes[i]->SetAddWidth(static_cast<int16_t>(std::lround((labels[i]->Width() + 10) * mGlobal::TwipsX)));
    }
    bOK.LoadSkin(Picture1);
    bClose.LoadSkin(Picture2);
    bOK.SetEnabled(false);
}

void fUninstallForm::Form_Paint(HDC dc) {
    for (OptionBox* box : {&OptionBox1, &OptionBox2, &OptionBox3, &OptionBox4}) box->UserControl_Paint(dc);
}

LRESULT fUninstallForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lParam) == Text1.Handle() && Text1.Handle() &&
        HIWORD(wParam) == EN_CHANGE)
        Text1_Change();
    return Form::OnMessage(msg, wParam, lParam);
}

void fUninstallForm::OptionBox1_Click() { bOK.SetEnabled(true); }
void fUninstallForm::OptionBox2_Click() { bOK.SetEnabled(true); }
void fUninstallForm::OptionBox3_Click() { ReasonWantsComment(); }
void fUninstallForm::OptionBox4_Click() { ReasonWantsComment(); }
void fUninstallForm::ReasonWantsComment() { bOK.SetEnabled(!Text1.Text().empty()); }

void fUninstallForm::Text1_Change() {
    if (!Text1.Text().empty())
        bOK.SetEnabled(true);
    else if (!OptionBox1.Value() && !OptionBox2.Value())
        bOK.SetEnabled(false);
}

void fUninstallForm::Text1_KeyPress(int32_t& KeyAscii) {
    if (KeyAscii == 13) KeyAscii = 0;
}

void fUninstallForm::Label2_Click() { OptionBox1.Checked(); }

// The box shows its hover look and takes the click while the pointer is over its text.
void fUninstallForm::Label_MouseMove(OptionBox& box) { SetCapture(box.hWnd()); }

void fUninstallForm::Label1_MouseDown() { DragByHandle(*this); }

std::string fUninstallForm::AnswerUrl() {
    const OptionBox* boxes[] = {&OptionBox1, &OptionBox2, &OptionBox3, &OptionBox4};
    int r = 0;
    for (int i = 3; i >= 0; --i)
        if (boxes[i]->Value()) r = i + 1;
    const std::wstring text = Text1.Text();
    return SurveyUrl(r, ClipText(text.begin(), text.end()));
}

void fUninstallForm::bOK_Click() {
    const std::string url = AnswerUrl();
    Hide();
    ReadUrl(url);  // the reply tells nothing the survey needs
    End();
}

void fUninstallForm::bClose_Click() { End(); }

void fUninstallForm::End() {
    Hide();
    PostQuitMessage(0);
}
