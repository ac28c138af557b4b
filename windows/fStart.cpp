#include "windows/fStart.h"

#include "forms/GdiObj.h"

namespace {
constexpr int kWidthPx = 90;
constexpr int kHeightPx = 36;
}  // namespace

forms::WndCreate fStartForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.className = L"QuillmateStart";
    o.widthPx = kWidthPx;
    o.heightPx = kHeightPx;
    return o;
}

void fStartForm::Form_Load() {
    // Where the bar stands until the settings say otherwise.
    Move(7000, 15, kWidthPx * 15.0, kHeightPx * 15.0);
}

void fStartForm::Form_Paint(HDC dc) {
    RECT r;
    GetClientRect(hWnd(), &r);
    forms::GdiObj<HBRUSH> brush(CreateSolidBrush(RGB(60, 90, 140)));
    FillRect(dc, &r, brush.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, L"Quillmate", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
