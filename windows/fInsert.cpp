#include "windows/fInsert.h"

#include <algorithm>
#include <string>

#include "app/Paste.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "windows/InsertLayout.h"

namespace {
using InsertLayout::kRows;
using InsertLayout::kRowTw;

// The list area inside the window, twips.
constexpr double kListLeftTw = 285;
constexpr double kListTopTw = 400;
constexpr double kListWidthTw = 6615;
// A row shows the start of its clip; drawing a long clip whole would stall every repaint.
constexpr size_t kShownChars = 600;

std::wstring RowText(const ClipText& text) {
    const size_t n = text.size() < kShownChars ? text.size() : kShownChars;
    return std::wstring(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
}
}  // namespace

fInsertForm::fInsertForm() {
    BackPict.Click = [this](int i) { BackPict_Click(i); };
    txt.Click = [this](int i) { BackPict_Click(i); };
    BackPict.MouseMove = [this](int i, forms::MouseArgs&) { BackPict_MouseMove(i); };
    txt.MouseMove = [this](int i, forms::MouseArgs&) { BackPict_MouseMove(i); };
    Scroll1.Change = [this](int16_t& top, int16_t& size) { Scroll1_Change(top, size); };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

forms::WndCreate fInsertForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateInsert";
    o.widthPx = 7650 / 15;
    o.heightPx = 7125 / 15;
    return o;
}

void fInsertForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    Topp.Move(0, 0, 7635, 2010);
    Midp[0].Move(0, 2000, 7635, InsertLayout::kMidPitchTw);
    Low.Move(0, 7125 - 1800, 7635, 1800);
    Frame.Move(kListLeftTw, kListTopTw, kListWidthTw, 0);
    BackPict[0].Move(0, 0, kListWidthTw, kRowTw);
    BackPict[0].SetStretch(true);
    auto& t = txt[0];
    t.Move(120, 100, 6375, 855);
    t.SetFont({.Name = L"Arial"});
    t.SetTransparent(true);
    t.SetForeColor(RGB(0, 0, 0));  // the skins keep light rows under the clip texts
    t.UseMnemonic = false;  // a clip shows exactly as it is
    t.ZOrder(0);
    Scroll1.Move(6925, 380, 375, 7125 - 770);
}

void fInsertForm::Refresh_Clips() {
    Load();
    const auto layout = InsertLayout::ForClips(mGlobal::History.ClipCount());
    for (int i = 0; i < kRows; ++i) {
        BackPict.Load(i).SetTop(i * kRowTw);
        auto& t = txt.Load(i);
        t.SetTop(i * kRowTw + 100);
        t.ZOrder(0);
        BackPict[i].SetPicture(NotSelPict);
        const bool shown = i < layout.visibleRows;
        BackPict[i].SetVisible(shown);
        t.SetVisible(shown);
    }
    Frame.SetHeight(layout.frameHeightTw);
    Scroll1.SetValue(0);  // the thumb stays; the list keeps its first clip until the bar moves
    SetHeight(layout.windowHeightTw);
    RefreshViewClips();
}

void fInsertForm::HistoryChanged() {
    if (Visible()) Refresh_Clips();
}

void fInsertForm::SetHeight(int32_t newHeightTw) {
    Load();
    Topp.SetHeight(InsertLayout::ToppHeightTw(newHeightTw));
    Low.SetTop(newHeightTw - Low.Height());
    const int32_t last = InsertLayout::LastMidTile(newHeightTw, static_cast<int32_t>(Low.Height()));
    for (int k = 1; k <= last; ++k) {
        if (Midp.Exists(k)) continue;  // tiles once laid stay where they are
        auto& tile = Midp.Load(k);
        tile.SetPicture(Midp[0].Picture());
        tile.Move(0, InsertLayout::kMidTopTw + InsertLayout::kMidPitchTw * k, Midp[0].Width(), Midp[0].Height());
        tile.SetVisible(true);
    }
    Scroll1.SetHeight(newHeightTw - 770);
    const auto layout = InsertLayout::ForClips(mGlobal::History.ClipCount());
    Scroll1.SetEnabled(layout.scrollEnabled);
    Scroll1.SetMax_Value(layout.maxValue);
    Form::SetHeight(newHeightTw);
}

void fInsertForm::RefreshViewClips() {
    const auto& h = mGlobal::History;
    // Clips deleted since the last scroll must not leave rows with old texts that a click pastes.
    firstClip_ = std::min(firstClip_, std::max(h.ClipCount() - kRows, 0));
    for (int i = firstClip_; i < firstClip_ + kRows && i < h.ClipCount(); ++i)
        if (h.Clip(i).ClipType == 1) txt[i - firstClip_].SetCaption(RowText(h.Clip(i).Text));
}

void fInsertForm::BackPict_Click(int index) {
    const auto& h = mGlobal::History;
    const int clip = firstClip_ + index;
    if (clip < h.ClipCount()) Func::PasteToLastWindow(h.Clip(clip).Text);
}

void fInsertForm::ShowPicture(int row, const forms::Picture& p) {
    if (BackPict.Exists(row) && !(BackPict[row].Picture() == p)) BackPict[row].SetPicture(p);
}

void fInsertForm::BackPict_MouseMove(int index) {
    ShowPicture(hoverRow_, NotSelPict);
    ShowPicture(index, SelPict);
    hoverRow_ = index;
}

void fInsertForm::Scroll1_Change(int16_t top, int16_t size) {
    firstClip_ = InsertLayout::FirstClip(top, size, mGlobal::History.ClipCount());
    RefreshViewClips();
}

void fInsertForm::Timer1_Timer() {
    if (!Visible()) return;
    if (GetForegroundWindow() != hWnd()) Func::FadeForm(*this, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
    POINT p{};
    GetCursorPos(&p);
    const double cx = double(p.x) * mGlobal::TwipsX, cy = double(p.y) * mGlobal::TwipsY;
    const double left = Left(), top = Top();
    const bool outsideList = cx > left + kListLeftTw + kListWidthTw || cx < left + kListLeftTw ||
                             cy > top + Height() - kListTopTw || cy < top + kListTopTw;
    if (outsideList) ShowPicture(hoverRow_, NotSelPict);
}
