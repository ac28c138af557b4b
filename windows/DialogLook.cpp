#include "windows/DialogLook.h"

#include "forms/GdiObj.h"
#include "forms/SelectGuard.h"

void DragByHandle(forms::Form& form) {
    ReleaseCapture();
    SendMessageW(form.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void StyleDialogLabel(forms::Label& label, double sizePt) {
    forms::FontSpec font;
    font.Name = L"Arial";
    font.SizePt = sizePt;
    label.SetFont(font);
    label.SetTransparent(true);
    label.SetForeColor(RGB(236, 240, 246));
    label.UseMnemonic = false;
}

void PaintBuiltInPanel(forms::Form& form, HDC dc) {
    if (!form.Picture().IsEmpty()) return;
    RECT r;
    GetClientRect(form.hWnd(), &r);
    forms::GdiObj<HBRUSH> panel(CreateSolidBrush(RGB(44, 66, 100)));
    FillRect(dc, &r, panel.Get());
    RECT title{r.left, r.top, r.right, r.top + 22};
    forms::GdiObj<HBRUSH> strip(CreateSolidBrush(RGB(28, 42, 66)));
    FillRect(dc, &title, strip.Get());
    forms::GdiObj<HFONT> font(CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                                          L"Arial"));
    forms::SelectGuard keep(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(236, 240, 246));
    title.left += 8;
    const std::wstring caption = form.Caption();
    DrawTextW(dc, caption.c_str(), -1, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
