// The drop-down list of skin packages under the skin field: filled afresh at every opening, it
// holds the mouse while open; a press on a row takes its name, a press elsewhere closes it and
// is handed on to whatever lies under the pointer.
#include <cmath>

#include "model/mGlobal.h"
#include "options/OptionsValues.h"
#include "options/fOptions.h"
#include "skin/SkinEnvironment.h"

using OptionsValues::RoundEven;

namespace {
constexpr int kRowPx = 22;
constexpr int kVisiblePx = 111;  // five rows
constexpr int kListWidthPx = 149;
constexpr int kHitWidthPx = 150;

bool SameText(const std::wstring& a, const wchar_t* b) { return _wcsicmp(a.c_str(), b) == 0; }
}  // namespace

POINT fOptionsForm::PointerPx() const {
    POINT pt{};
    GetCursorPos(&pt);
    auto* self = const_cast<fOptionsForm*>(this);
    return POINT{RoundEven(pt.x - self->Left() / mGlobal::TwipsX), RoundEven(pt.y - self->Top() / mGlobal::TwipsY)};
}

bool fOptionsForm::PointerOnScroll() const {
    POINT pt{};
    RECT r{};
    return GetCursorPos(&pt) && GetWindowRect(Scroll.hWnd(), &r) && PtInRect(&r, pt);
}

void fOptionsForm::bChoose_Click() {
    if (SkipChoose) {
        SkipChoose = false;
        return;
    }
    Scroll.SetVisible(false);
    FillSkinList();
    bChoose.Deselect();
    SetCapture(frSkin.Handle());
    frSkin.SetVisible(true);
    SetWindowPos(frSkin.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void fOptionsForm::FillSkinList() {
    file.SetPath(Wide(mdlSkin::ProgramFolder()) + L"\\skins\\");
    file.SetPattern(L"*.skn");
    file.Refresh();
    img[0].SetPicture(NotSelP());
    int rows = 0;
    for (int i = 0; i < file.ListCount(); ++i) {
        const std::wstring& name = file.List(i);
        if (name.size() < 4 || !SameText(name.substr(name.size() - 3), L"skn")) continue;
        if (!img.Exists(rows)) {
            forms::Image& row = img.Load(rows);
            forms::Label& label = text.Load(rows);
            row.SetVisible(true);
            label.SetVisible(true);
            label.ZOrder(0);
        }
        img[rows].SetPicture(NotSelP());
        text[rows].SetCaption(name.substr(0, name.size() - 4));
        text[rows].ToolTipText = text[rows].Caption();
        ++rows;
    }
    // Only rows that were listed count: rows left from a longer listing stay hidden below.
    ListHeight = static_cast<int16_t>(rows * kRowPx + 1);
    LayRows(0);
    if (ListHeight <= kVisiblePx) {
        // The lone default package cannot be chosen instead of itself.
        if (rows == 1 && SameText(lSkinName.Caption(), L"Default") && SameText(text[0].Caption(), L"Default"))
            text[0].SetCaption(L"Empty");
        frSkin.Move(frSkin.Left(), frSkin.Top(), kListWidthPx, ListHeight);
    } else {
        frSkin.Move(frSkin.Left(), frSkin.Top(), 130, kVisiblePx);
        Scroll.Move(Tab1.Left() + bChoose.Left(), Tab1.Top() + bChoose.Top() + 22, Scroll.Width(), 112);
        Scroll.SetScrollTop(0);
        Scroll.SetMax_Value(static_cast<int16_t>(ListHeight / kVisiblePx));
        Scroll.SetVisible(true);
        SetWindowPos(Scroll.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// Rows 22 pixels apart from the first row's top, each label 60 twips below its row's top.
void fOptionsForm::LayRows(double firstTopPx) {
    const double ty = mGlobal::TwipsY;
    for (int i = 0; i <= img.UBound(); ++i) {
        if (!img.Exists(i)) continue;
        const double top = (firstTopPx + i * kRowPx) * ty;
        img[i].SetTop(top);
        if (text.Exists(i)) text[i].SetTop(top + 60);
    }
}

void fOptionsForm::CloseSkinList() {
    ReleaseCapture();
    frSkin.SetVisible(false);
    Scroll.SetVisible(false);
}

void fOptionsForm::frSkin_MouseDown(const forms::MouseArgs& a) {
    const POINT p = PointerPx();
    const double l = frSkin.Left(), t = frSkin.Top(), h = frSkin.Height();
    if (!(l <= p.x && p.x <= l + kHitWidthPx && t <= p.y && p.y <= t + h)) {
        frSkin.SetVisible(false);
        Scroll.SetVisible(false);
        // Just above the list lie the field and its button: their Click must not reopen it.
        if (l < p.x && p.x < l + kHitWidthPx && t - 15 < p.y && p.y < t) SkipChoose = true;
        const bool right = a.Button == forms::vbRightButton, middle = a.Button == forms::vbMiddleButton;
        // A release that came before the replayed press would leave the button held down for
        // good (a drag on the title that follows the pointer): it is replayed after the press
        // instead. Read before the replay, which itself shows the button down.
        const bool released = GetAsyncKeyState(right ? VK_RBUTTON : middle ? VK_MBUTTON : VK_LBUTTON) >= 0;
        // Queued: it reaches what lies under the pointer, which then gets the user's release.
        mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : middle ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        if (released)
            mouse_event(right ? MOUSEEVENTF_RIGHTUP : middle ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        ReleaseCapture();
        return;
    }
    const double y = p.y - t;
    for (int i = 0; i <= img.UBound(); ++i) {
        if (!img.Exists(i)) continue;
        const double top = img[i].Top() / mGlobal::TwipsY;
        if (!(top < y && y < top + kRowPx)) continue;
        const bool lonelyDefault =
            SameText(lSkinName.Caption(), L"Default") && text[0].Caption() == L"Empty" && i == 0;
        if (!lonelyDefault) {
            lSkinName.SetCaption(text[i].Caption());
            lSkinName.ToolTipText = text[i].Caption();
            bApply.SetEnabled(true);
        }
        CloseSkinList();
        return;
    }
}

void fOptionsForm::frSkin_MouseMove() {
    const POINT p = PointerPx();
    const double l = frSkin.Left(), t = frSkin.Top();
    if (!(l <= p.x && p.x <= l + frSkin.Width() && t <= p.y && p.y <= t + frSkin.Height())) {
        if (img.Exists(HotRow) && !(img[HotRow].Picture() == NotSelP())) img[HotRow].SetPicture(NotSelP());
        // On the scroll bar: let it have the mouse; Timer2 takes it back afterwards. Anywhere else
        // the list keeps it, so that a press there, however soon, closes the list.
        if (Scroll.Visible() && PointerOnScroll()) {
            ReleaseCapture();
            Timer2.SetEnabled(true);
        }
        return;
    }
    const int rows = (ListHeight - 1) / kRowPx;
    if (rows == 1 && SameText(lSkinName.Caption(), L"Default") && text[0].Caption() == L"Empty") return;
    const double y = p.y - t;
    for (int i = 0; i <= img.UBound(); ++i) {
        if (!img.Exists(i)) continue;
        const double top = img[i].Top() / mGlobal::TwipsY;
        const bool hit = top < y && y < top + kRowPx;
        const forms::Picture& want = hit ? SelP() : NotSelP();
        if (!(img[i].Picture() == want)) img[i].SetPicture(want);
        if (hit) HotRow = static_cast<int16_t>(i);
    }
}

void fOptionsForm::Row_MouseMove() { SetCapture(frSkin.Handle()); }

// A click that reaches a row while the list does not hold the mouse.
void fOptionsForm::Row_Click(int Index) {
    frSkin.SetVisible(false);
    Scroll.SetVisible(false);
    Timer2.SetEnabled(false);
    if (!(SameText(lSkinName.Caption(), L"Default") && text[0].Caption() == L"Empty" && Index == 0)) {
        lSkinName.SetCaption(text[Index].Caption());
        lSkinName.ToolTipText = text[Index].Caption();
        bApply.SetEnabled(true);
    }
}

void fOptionsForm::Timer2_Timer() {
    if (!frSkin.Visible()) {
        Timer2.SetEnabled(false);
        return;
    }
    const HWND held = GetCapture();
    if (held != Scroll.hWnd() && held != bChoose.hwnd() && !IsChild(Scroll.hWnd(), held))
        SetCapture(frSkin.Handle());
}

void fOptionsForm::Scroll_Change(int16_t& Top, int16_t& Size) {
    if (Size == 0) return;
    const double t = -static_cast<double>(Top) / Size * (ListHeight - kVisiblePx);
    const double first = t - std::fmod(RoundEven(t), kRowPx);  // whole rows; the sign of t
    if (first * mGlobal::TwipsY == img[0].Top()) return;
    LockWindowUpdate(frSkin.Handle());
    LayRows(first);
    LockWindowUpdate(nullptr);
}
