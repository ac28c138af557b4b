#include "windows/fMain.h"

#include <algorithm>

#include "app/ClipExport.h"
#include "app/Paste.h"
#include "app/mGlobal.h"
#include "app/mdlInput.h"
#include "app/mdlLog.h"
#include "app/mdlQuillmate.h"
#include "forms/DoEvents.h"
#include "forms/GdiObj.h"

namespace {
constexpr int kWidthPx = 260;
constexpr int kHeightPx = fMainForm::kRowHeightPx * fMainForm::kVisibleRows + 10;

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    forms::GdiObj<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.Get());
}
}  // namespace

forms::WndCreate fMainForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateMain";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fMainForm::Form_Load() {
    SetScaleMode(forms::ScaleMode::Pixels);  // rows are laid out in pixels
    AskExportFileName = [] { return SaveFileNameDialog(); };
}

void fMainForm::AddClip(const ClipText& content, const ClipText& copyDate, const ClipText& copyTime) {
    mdlLog::WriteLog("Start adding clip.");
    auto& h = mGlobal::History;
    if (!h.AddClip(content, copyDate, copyTime, mGlobal::RemExtra, mGlobal::LastClipText)) return;
    mdlLog::WriteLog("Clip" + std::to_string(h.ClipCount() - 1) + " added.");
}

void fMainForm::RefreshViewedClips() {
    if (IsCreated()) InvalidateRect(hWnd(), nullptr, TRUE);
}

void fMainForm::Delete_Selected() {
    mdlLog::WriteLog("Remove selected clips...");
    mGlobal::History.Delete_Selected();
    const int count = mGlobal::History.ClipCount();
    if (TopElement + kVisibleRows > count) TopElement = count - kVisibleRows;
    if (TopElement < 0) TopElement = 0;
    RefreshViewedClips();
    forms::DoEvents();
    mdlLog::WriteLog("Removed.");
    mdlInput::SaveClips();
}

void fMainForm::Delete_All() {
    mdlLog::WriteLog("Start remove all clips.");
    mGlobal::History.Delete_All();
    TopElement = 0;
    RefreshViewedClips();
    mdlLog::WriteLog("Removed.");
    forms::DoEvents();
    mdlInput::SaveClips();
}

void fMainForm::Save_All() { Export(false); }
void fMainForm::Save_Selected() { Export(true); }

void fMainForm::Export(bool selectedOnly) {
    const auto& h = mGlobal::History;
    if (h.ClipCount() == 0) return;
    if (selectedOnly && h.PrevIndex().empty()) return;
    std::string name = AskExportFileName ? AskExportFileName() : std::string();
    if (name.empty()) return;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".txt") != 0) name += ".txt";
    mdlLog::WriteLog(selectedOnly ? "Start saving selected clips..." : "Start saving all clips...", true);
    const ClipText joined = selectedOnly ? h.GetSelectedClipsText(mGlobal::Combination)
                                         : h.GetAllClipsText(mGlobal::Combination);
    if (!WriteExportFile(name, joined)) {
        mdlLog::WriteLog(">>> Can't save clips to file: " + name, true);
        return;
    }
    mdlLog::WriteLog("Saved.", true);
}

int fMainForm::RowAt(int yPx) const {
    const int row = yPx / kRowHeightPx;
    const int index = TopElement + row;
    if (row < 0 || row >= kVisibleRows || index >= mGlobal::History.ClipCount()) return -1;
    return index;
}

void fMainForm::txt_Click(int index) {
    auto& h = mGlobal::History;
    h.SetSelected(index, !h.Clip(index).Selected);
    const ClipText joined = h.GetSelectedClipsText(mGlobal::Combination);
    if (!joined.empty())
        for (int i = 0; i < 5 && !mdlQuillmate::SetClipboardText(joined); ++i) {
        }
    RefreshViewedClips();
}

void fMainForm::txt_DblClick(int index) { Func::PasteToLastWindow(mGlobal::History.Clip(index).Text); }

void fMainForm::Form_Paint(HDC dc) {
    RECT client;
    GetClientRect(hWnd(), &client);
    FillSolid(dc, client, RGB(245, 245, 240));
    SetBkMode(dc, TRANSPARENT);
    const auto& h = mGlobal::History;
    for (int row = 0; row < kVisibleRows; ++row) {
        const int index = TopElement + row;
        if (index >= h.ClipCount()) break;
        RECT r{4, row * kRowHeightPx + 4, client.right - 4, (row + 1) * kRowHeightPx - 2};
        FillSolid(dc, r, h.Clip(index).Selected ? RGB(190, 210, 240) : RGB(255, 255, 255));
        RECT t{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
        const ClipText& text = h.Clip(index).Text;
        // Only the start of a long clip can show in a row; measuring all of it would stall the paint.
        DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(std::min<size_t>(text.size(), 400)),
                  &t, DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX | DT_EDITCONTROL);
    }
}

void fMainForm::Form_MouseDown(forms::MouseArgs& a) {
    if (a.Button != forms::vbLeftButton) return;
    if (int i = RowAt(static_cast<int>(a.Y)); i >= 0) txt_Click(i);
}

void fMainForm::Form_DblClick() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(hWnd(), &p);
    if (int i = RowAt(p.y); i >= 0) txt_DblClick(i);
}
