#include "windows/fMain.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "app/ClipExport.h"
#include "app/Paste.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "app/mdlInput.h"
#include "support/mdlLog.h"
#include "app/mdlQuillmate.h"
#include "forms/DoEvents.h"
#include "forms/MsgBox.h"
#include "support/clsMFSC.h"
#include "windows/BuiltInLook.h"
#include "windows/Windows.h"

namespace {
constexpr int kWidthPx = 330;
constexpr int kFrameLeftTw = 145;
constexpr int kFrameTopTw = 555;
// A row shows the start of its clip; laying out megabytes of text would stall every paint.
constexpr size_t kRowTextChars = 600;

int RoundTw(double v) { return static_cast<int>(std::nearbyint(v)); }
double PxX(int px) { return px * static_cast<double>(mGlobal::TwipsX); }
double PxY(int px) { return px * static_cast<double>(mGlobal::TwipsY); }

// Drawing of one window stops while rows are rebuilt. Only one window can be locked at a time:
// a nested lock fails and then must not unlock the outer one.
class UpdateLock {
public:
    explicit UpdateLock(HWND w) : locked_(w && LockWindowUpdate(w)) {}
    ~UpdateLock() {
        if (locked_) LockWindowUpdate(nullptr);
    }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    bool locked_;
};

std::wstring RowText(const ClipText& t) {
    const size_t n = std::min(t.size(), kRowTextChars);
    return std::wstring(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(n));
}
}  // namespace

namespace Func {
void MainKeyDown(int32_t KeyCode) { fMain().KeyDown(KeyCode); }
void MainKeyUp(int32_t KeyCode) { fMain().KeyUp(KeyCode); }
}  // namespace Func

fMainForm::fMainForm() { WireControls(); }
fMainForm::~fMainForm() = default;

forms::WndCreate fMainForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateMain";
    o.widthPx = kWidthPx;
    o.heightPx = kMinHeightTw / 15;
    return o;
}

void fMainForm::WireControls() {
    imgClipBack.Click = [this](int i) { imgClipBack_Click(i); };
    imgClipBack.DblClick = [this](int i) { imgClipBack_DblClick(i); };
    imgClipBack.MouseDown = [this](int, forms::MouseArgs& a) { clickShift_ = a.Shift; };
    txt.Click = [this](int i) { imgClipBack_Click(i); };
    txt.DblClick = [this](int i) { imgClipBack_DblClick(i); };
    txt.MouseDown = [this](int, forms::MouseArgs& a) { clickShift_ = a.Shift; };
    // The background and the empty-history label drag the window pair.
    auto down = [this](forms::MouseArgs& a) { Form_MouseDown(a); };
    auto move = [this](forms::MouseArgs& a) { Form_MouseMove(a); };
    auto up = [this](forms::MouseArgs& a) { Form_MouseUp(a); };
    for (forms::Control* c : {static_cast<forms::Control*>(&iTop), static_cast<forms::Control*>(&iLow),
                              static_cast<forms::Control*>(&lblEmpty)}) {
        c->MouseDown = down;
        c->MouseMove = move;
        c->MouseUp = up;
    }
    Options.Click = [this] { Options_Click(); };
    Paste.Click = [this] { Paste_Click(); };
    Save.Click = [this] { Save_Click(); };
    Delete.Click = [this] { Delete_Click(); };
    Tips.Click = [this] { Tips_Click(); };
    Scroll.Change = [this](int16_t& top, int16_t& size) { Scroll_Change(top, size); };
    Scroll.Pressed = [this] { Scroll_Pressed(); };
    iMid.MouseDown = [down](int, forms::MouseArgs& a) { down(a); };
    iMid.MouseMove = [move](int, forms::MouseArgs& a) { move(a); };
    iMid.MouseUp = [up](int, forms::MouseArgs& a) { up(a); };
}

void fMainForm::UseBuiltInLookWhereNoSkin() {
    if (iTop.Picture().IsEmpty()) iTop.SetPicture(BuiltInLook::MainTop());
    if (iMid[0].Picture().IsEmpty()) iMid[0].SetPicture(BuiltInLook::MainMid());
    if (iLow.Picture().IsEmpty()) iLow.SetPicture(BuiltInLook::MainLow());
    if (Not_Sel_Picture.IsEmpty()) Not_Sel_Picture = BuiltInLook::MainClip();
    if (Sel_Picture.IsEmpty()) Sel_Picture = BuiltInLook::MainClipSelected();
}

void fMainForm::Form_Load() {
    SetBackColor(mGlobal::TransparentColor);
    ClipsFrame.SetBackColor(mGlobal::TransparentColor);
    UseBuiltInLookWhereNoSkin();
    iTop.Move(0, 0, iTop.Width(), iTop.Height());
    iMid[0].SetTop(PxY(64));
    imgClipBack[0].SetPicture(Not_Sel_Picture);
    imgClipBack[0].Move(0, 0, imgClipBack[0].Width(), imgClipBack[0].Height());
    forms::FontSpec font;
    font.Name = L"Arial";
    font.SizePt = 8.25;
    font.Charset = 204;
    txt[0].SetFont(font);
    txt[0].SetTransparent(true);
    txt[0].UseMnemonic = false;
    txt[0].Move(120, PxY(6), 3975, imgClipBack[0].Height() - PxY(11));
    BuiltInLook::ScrollPieces(Scroll);
    Options.LoadSkin(BuiltInLook::ButtonStrip(25, L"..."));
    Paste.LoadSkin(BuiltInLook::ButtonStrip(87, L"Paste"));
    Save.LoadSkin(BuiltInLook::ButtonStrip(87, L"Save"));
    Delete.LoadSkin(BuiltInLook::ButtonStrip(87, L"Delete"));
    Tips.LoadSkin(BuiltInLook::ButtonStrip(25, L"i"));
    Options.Move(130, 150, 375, 375);
    Paste.Move(510, 150, 1305, 375);
    Save.Move(1815, 150, 1305, 375);
    Delete.Move(3120, 150, 1305, 375);
    Tips.Move(4430, 150, 375, 375);
    Scroll.Move(4425, 575, 375, Scroll.Height());
    lblEmpty.SetCaption(L"Clipboard is empty");
    lblEmpty.SetTransparent(true);
    lblEmpty.SetForeColor(RGB(60, 68, 80));  // the skins lay a light well under the list
    lblEmpty.SetAlignment(forms::Label::Align::Center);
    lblEmpty.Move(240, 840, 4215, 255);
    ClipsFrame.Move(kFrameLeftTw, kFrameTopTw, imgClipBack[0].Width(), kRowHeightTw);
    ClipsFrame.SetVisible(mGlobal::History.ClipCount() > 0);

    hook_ = std::make_unique<clsMFSC>();
    hook_->MainKeyDown = Func::MainKeyDown;
    hook_->MainKeyUp = Func::MainKeyUp;
    hook_->MouseWheel = [this](int32_t& k, int32_t& r, int32_t& x, int32_t& y) { MouseWheel(k, r, x, y); };
    hook_->AttachWheelHook(*this);
    for (ucButton3* b : {&Options, &Paste, &Save, &Delete, &Tips}) hook_->AttachKeyHook(b->hwnd());
    Set_Height(0);
    MoveThumbToView();
    lblEmpty.ZOrder(0);
    ClipsFrame.SetHeight(kRowHeightTw);
    ClipsFrame.SetWidth(imgClipBack[0].Width());
}

void fMainForm::Form_Unload() { mdlQuillmate::RestoreWndProc(fClipboard().hWnd()); }

void fMainForm::Set_Height(int16_t NewHeight) {
    UpdateLock lock(hWnd());
    int newHeight = NewHeight;
    const bool empty = newHeight < kMinHeightTw;
    if (empty) newHeight = kMinHeightTw;
    for (ucButton3* b : {&Paste, &Save, &Delete})
        if (b->Enabled() != !empty) b->SetEnabled(!empty);
    const int oldBottom = RoundTw(Top() + Height());
    if (Height() != newHeight - PxX(2)) {
        // Tiles every 37 px from 64 px down cover the middle; tiles once made stay where they are.
        const double limitPx = newHeight / static_cast<double>(mGlobal::TwipsY) - 50;
        for (int i = 0, y = 64;; ++i) {
            if (!iMid.Exists(i)) {
                forms::Image& tile = iMid.Load(i);
                tile.SetPicture(iMid[0].Picture());
                tile.SetTop(PxY(y));
                tile.SetVisible(true);
            }
            y += 37;
            if (y > limitPx) break;
        }
        if (iLow.Top() != newHeight - PxY(49)) {
            iLow.SetTop(newHeight - PxY(49));
            // The bottom piece lies over the tiles, the empty-history text over both.
            iLow.ZOrder(0);
            lblEmpty.ZOrder(0);
        }
    }
    // Loading a long history calls this once per clip: what is already so is not set again.
    const int count = mGlobal::History.ClipCount();
    if (Scroll.Height() != newHeight - 700) Scroll.SetHeight(newHeight - 700);
    const auto maxValue = static_cast<int16_t>(count >= 6 ? std::nearbyint(count / 5.0) : 0);
    if (Scroll.Max_Value() != maxValue) Scroll.SetMax_Value(maxValue);
    if (Scroll.Enabled() != (count >= 6)) Scroll.SetEnabled(count >= 6);
    if (Height() != newHeight) SetHeight(newHeight);
    // The bar keeps the height its skin gives it: a bar window reaching down over this one, empty
    // but for the colour key, shows as a dark band under a compositor that draws window shadows.
    if (mGlobal::DockY == 2 && Visible()) {
        // Docked at the bottom edge, the pair grows upward: the window's bottom stays put. A hidden
        // window moves nothing: the bar keeps its dock, and opening lifts it by the height then.
        fStart().SetTop(oldBottom - Height() - PxY(36));
        const double tx = mGlobal::TwipsX, ty = mGlobal::TwipsY;
        RECT before{}, after{};
        GetWindowRect(hWnd(), &before);
        MoveWindow(hWnd(), RoundTw(fStart().Left() / tx - 243), RoundTw(fStart().Top() / ty + 36),
                   RoundTw(Width() / tx), RoundTw(Height() / ty), FALSE);
        GetWindowRect(hWnd(), &after);
        // Moved without a repaint, the system draws nothing where the window now stands (a
        // compositor showed the header black): the whole window, buttons included, is ours to paint.
        if (!EqualRect(&before, &after))
            RedrawWindow(hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void fMainForm::AddRow(int index) {
    forms::Image& above = imgClipBack[index - 1];
    forms::Image& row = imgClipBack.Load(index);
    row.Move(above.Left(), above.Top() + above.Height(), above.Width(), above.Height());
    row.SetVisible(true);
    forms::Label& label = txt.Load(index);
    label.Move(label.Left(), row.Top() + PxY(6), label.Width(), row.Height() - PxY(11));
    label.ZOrder(0);
    label.SetVisible(true);
}

void fMainForm::RemoveRowsFrom(int first) {
    for (int k = LastRowIndex(); k >= std::max(first, 1); --k) {
        txt.Unload(k);
        imgClipBack.Unload(k);
    }
}

void fMainForm::ResetEmptyRows() {
    // An empty history is seen from the top: the rows show the next clips from index 0 on.
    TopElement = 0;
    imgClipBack[0].SetTop(0);
    txt[0].SetTop(50);
    ClipsFrame.SetVisible(false);
    ClipsFrame.SetHeight(kRowHeightTw);
    ClipsHe = 0;
}

fMainForm::HeightDeferral::~HeightDeferral() {
    f_.heightDeferred_ = false;
    if (std::exchange(f_.heightPending_, false)) f_.FrameHeightChanged();
}

void fMainForm::FrameHeightChanged() {
    if (heightDeferred_) {
        heightPending_ = true;
        return;
    }
    Set_Height(static_cast<int16_t>(RoundTw(ClipsFrame.Top() + ClipsFrame.Height() + 150)));
}

void fMainForm::AddClip(const ClipTextRef& Content, const ClipText& CopyDate, const ClipText& CopyTime) {
    mdlLog::WriteLog("Start adding clip.");
    auto& h = mGlobal::History;
    const int before = h.ClipCount();
    if (!h.AddClip(Content, CopyDate, CopyTime, mGlobal::RemExtra, mGlobal::LastClipText)) return;
    const double frameHeight = ClipsFrame.Height();
    // Past the fifth row the frame no longer changes: a long history loads without a lock per clip.
    if (before == 0 || before < kVisibleRows || frameHeight <= 5000) {
        UpdateLock lock(ClipsFrame.Handle());
        if (before > 0) {
            if (before < kVisibleRows) AddRow(before);
            if (frameHeight > 5000)
                NotVisible = true;
            else
                ClipsFrame.SetHeight(frameHeight + imgClipBack[before].Height());
        } else {
            forms::Image& row = imgClipBack[0];
            txt[0].Move(txt[0].Left(), row.Top() + PxY(6), txt[0].Width(), row.Height() - PxY(11));
            ClipsFrame.SetVisible(true);
            ClipsFrame.SetHeight(row.Height());
            ClipsHe = kRowHeightTw;
            row.SetPicture(Not_Sel_Picture);
            row.SetVisible(true);
            txt[0].SetVisible(true);
            txt[0].ZOrder(0);
        }
    } else {
        NotVisible = true;
    }
    if (before > 0) ClipsHe += kRowHeightTw;
    mdlLog::WriteLog("Clip" + std::to_string(h.ClipCount() - 1) + " added.");
    FrameHeightChanged();
    fInsert().HistoryChanged();
}

void fMainForm::RefreshViewedClips() {
    const auto& h = mGlobal::History;
    for (int i = TopElement; i < TopElement + kVisibleRows && i < h.ClipCount(); ++i) {
        const int r = i - TopElement;
        if (!imgClipBack.Exists(r)) break;
        const ClipRecord& clip = h.Clip(i);
        if (clip.ClipType == 1) txt[r].SetCaption(RowText(clip.Text));
        imgClipBack[r].SetPicture(clip.Selected ? Sel_Picture : Not_Sel_Picture);
    }
}

ClipTextRef fMainForm::GetSelectedClipsText() const {
    try {
        return mGlobal::History.GetSelectedClipsText(mGlobal::Combination);
    } catch (const std::bad_alloc&) {
        // Joining hundreds of megabytes can fail: nothing is copied or pasted, and the program goes on.
        mdlLog::WriteLog(">>> Not enough memory to join the selected clips.");
        return {};
    }
}

void fMainForm::CopySelectionToClipboard() {
    const ClipTextRef joined = GetSelectedClipsText();
    for (int i = 0; i < 5 && !mdlQuillmate::SetClipboardText(joined); ++i) {
    }
}

void fMainForm::imgClipBack_Click(int Index) {
    // The modifiers come from the click itself: a key released while another program had the
    // focus would otherwise stay down for the window.
    vkControl = (clickShift_ & forms::vbCtrlMask) != 0;
    vkShift = (clickShift_ & forms::vbShiftMask) != 0;
    mGlobal::History.ClickSelect(Index + TopElement, vkControl, vkShift);
    RefreshViewedClips();
    CopySelectionToClipboard();
}

void fMainForm::imgClipBack_DblClick(int Index) {
    const int n = Index + TopElement;
    if (n < mGlobal::History.ClipCount()) Func::PasteToLastWindow(mGlobal::History.Clip(n).Text);
}

void fMainForm::Delete_Selected() {
    mdlLog::WriteLog("Remove selected clips...");
    auto& h = mGlobal::History;
    const int before = h.ClipCount();
    {
        UpdateLock lock(ClipsFrame.Handle());
        h.Delete_Selected();
        const int count = h.ClipCount();
        ClipsHe = count * kRowHeightTw;
        if (count < before) RemoveRowsFrom(count);
        if (count > 0) {
            ClipsFrame.SetHeight(count >= kVisibleRows ? kVisibleRows * kRowHeightTw : ClipsHe);
            ClampTopElement();
        }
    }
    if (h.ClipCount() > 0) {
        FrameHeightChanged();
    } else {
        ResetEmptyRows();
        Set_Height(0);
    }
    MoveThumbToView();
    RefreshViewedClips();
    ClipsFrame.Refresh();
    fInsert().HistoryChanged();
    forms::DoEvents();
    mdlLog::WriteLog("Removed.");
    mdlInput::SaveClips();
}

void fMainForm::Delete_All() {
    mdlLog::WriteLog("Start remove all clips.");
    {
        UpdateLock lock(hWnd());
        mGlobal::History.Delete_All();
        RemoveRowsFrom(1);
        ResetEmptyRows();
    }
    Set_Height(0);
    MoveThumbToView();
    ClipsFrame.Refresh();
    fInsert().HistoryChanged();
    mdlLog::WriteLog("Removed.");
    forms::DoEvents();
    mdlInput::SaveClips();
}

void fMainForm::Save_All() { Export(false); }
void fMainForm::Save_Selected() { Export(true); }

void fMainForm::Export(bool selectedOnly) {
    const auto& h = mGlobal::History;
    if (!ClipsFrame.Visible() || h.ClipCount() == 0) return;
    if (selectedOnly && h.PrevIndex().empty()) return;
    std::string name = AskExportFileName ? AskExportFileName() : SaveFileNameDialog();
    if (name.empty()) return;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".txt") != 0) name += ".txt";
    mdlLog::WriteLog(selectedOnly ? "Start saving selected clips..." : "Start saving all clips...", true);
    std::optional<std::string> failure;
    try {
        const ClipText joined = selectedOnly ? h.GetSelectedClipsText(mGlobal::Combination).Str()
                                             : h.GetAllClipsText(mGlobal::Combination);
        failure = WriteExportFile(name, joined);
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory to join the clips.";  // the same failure as a full disk
    }
    if (failure) {
        mdlLog::WriteLog(">>> Can't save clips to file: " + name + " (" + *failure + ")", true);
        forms::MsgBox("The clips could not be saved to the file\r\n" + name + "\r\n\r\n" + *failure +
                          "\r\n\r\nAny file of that name was left as it was.",
                      MB_ICONEXCLAMATION, "Quillmate");
        return;
    }
    mdlLog::WriteLog("Saved.", true);
}

void fMainForm::ClampTopElement() {
    const int count = mGlobal::History.ClipCount();
    if (TopElement > count - kVisibleRows) TopElement = static_cast<int16_t>(count - kVisibleRows);
    if (TopElement < 0) TopElement = 0;
}

void fMainForm::MoveThumbToView() {
    const int range = mGlobal::History.ClipCount() - kVisibleRows;
    if (range <= 0) {
        // Nothing to scroll: the thumb stands at the top, where the next long history starts.
        Scroll.SetScrollTop(0);
        return;
    }
    Scroll.SetScrollTop(static_cast<int16_t>(std::nearbyint(Scroll.ScrollHeight() * (TopElement / double(range)))));
}

void fMainForm::Scroll_Change(int16_t& Top, int16_t& Size) {
    const int range = std::max(mGlobal::History.ClipCount() - kVisibleRows, 0);
    // A thumb that fills its track has no travel: the view stays at the top. The thumb stands up
    // to 4 px past its travel, so the row is held in the history before it becomes 16-bit.
    const double row = Size > 0 ? std::nearbyint(Top / double(Size) * range) : 0.0;
    TopElement = static_cast<int16_t>(std::clamp(row, 0.0, double(range)));
    RefreshViewedClips();
}

void fMainForm::Scroll_Pressed() { FocusWindow(); }

void fMainForm::ScrollBy(int rows) {
    TopElement = static_cast<int16_t>(std::clamp(TopElement + rows, -32768, 32767));
    ClampTopElement();
    MoveThumbToView();
    RefreshViewedClips();
}

void fMainForm::MouseWheel(int32_t&, int32_t& Rotation, int32_t&, int32_t&) {
    if (mGlobal::History.ClipCount() < 6 || Rotation == 0) return;
    ScrollBy(Rotation < 0 ? 1 : -1);
}

void fMainForm::KeyDown(int32_t KeyCode) {
    const bool scrollable = mGlobal::History.ClipCount() >= 6;
    switch (KeyCode) {
        case VK_SHIFT: vkShift = true; break;
        case VK_CONTROL: vkControl = true; break;
        case 'A':
            if (!vkControl) break;
            mGlobal::History.SelectAll();
            RefreshViewedClips();
            CopySelectionToClipboard();
            break;
        case VK_HOME:
            TopElement = 0;
            Scroll.SetScrollTop(0);
            RefreshViewedClips();
            break;
        case VK_UP: if (scrollable) ScrollBy(-1); break;
        case VK_DOWN: if (scrollable) ScrollBy(1); break;
        case VK_PRIOR: if (scrollable) ScrollBy(-4); break;
        case VK_NEXT: if (scrollable) ScrollBy(4); break;
        case VK_END:
            if (!scrollable) break;
            TopElement = static_cast<int16_t>(mGlobal::History.ClipCount() - kVisibleRows);
            Scroll.SetScrollTop(Scroll.ScrollHeight());
            RefreshViewedClips();
            break;
        case VK_DELETE: Delete_Selected(); break;
    }
}

void fMainForm::KeyUp(int32_t KeyCode) {
    switch (KeyCode) {
        case VK_SHIFT: vkShift = false; break;
        case VK_CONTROL: vkControl = false; break;
        case VK_F1: Func::OpenHelpFile(); break;
    }
}

LRESULT fMainForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // However the window became active (a click on a clip or the background, the user coming back
    // from another program), the focus goes on to a button, where the key hook hears the keys.
    if (msg == WM_SETFOCUS) {
        FocusWindow();
        return 0;
    }
    return Form::OnMessage(msg, wParam, lParam);
}

// The buttons are what takes the keys here: the window's focus is the button that had it last.
void fMainForm::FocusWindow() {
    for (ucButton3* b : {&Options, &Paste, &Save, &Delete, &Tips})
        if (mGlobal::CurrentButton == b && b->Enabled()) return b->SetFocus();
    Options.SetFocus();
}

void fMainForm::Paste_Click() {
    ClipsFrame.Refresh();
    FocusWindow();
    if (ClipsFrame.Visible()) Func::PasteToLastWindow(GetSelectedClipsText());
}

void fMainForm::OpenMenu(const ucButton3& button, int32_t mode) {
    fPopUpForm& menu = fPopUp();
    if (menu.Visible()) {
        Func::FadeForm(menu, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
        if (menu.PrevContr == mode) return;
    }
    const double ty = mGlobal::TwipsY;
    menu.Move(Left() + button.Left() - ty, Top() + button.Top() + button.Height() - 4 * ty, menu.Width(),
              menu.Height());
    Func::FadeForm(menu, mGlobal::PaiseSpeed, false);
    SetFocus(menu.hWnd());
    menu.PrevContr = mode;
}

void fMainForm::Delete_Click() { OpenMenu(Delete, 1); }
void fMainForm::Save_Click() { OpenMenu(Save, 2); }

void fMainForm::Toggle(forms::Form& f) {
    Func::FadeForm(f, static_cast<int16_t>(f.Visible() ? -mGlobal::PaiseSpeed : mGlobal::PaiseSpeed), false);
}

void fMainForm::Options_Click() { Toggle(fOptions()); }
void fMainForm::Tips_Click() { Toggle(fTips()); }

void fMainForm::Form_MouseDown(forms::MouseArgs&) {
    mGlobal::Dragging = true;
    POINT p{};
    GetCursorPos(&p);
    mGlobal::DragOffsetX = static_cast<int16_t>(p.x - RoundTw(fStart().Left() / mGlobal::TwipsX));
    mGlobal::DragOffsetY = static_cast<int16_t>(p.y - RoundTw(fStart().Top() / mGlobal::TwipsY));
}

void fMainForm::Form_MouseMove(forms::MouseArgs&) {
    if (mGlobal::Dragging) Func::DragMainWindows();
}

void fMainForm::Form_MouseUp(forms::MouseArgs&) { mGlobal::Dragging = false; }
