#include "forms/Label.h"

#include "forms/SelectGuard.h"

namespace forms {

void Label::SetCaption(std::wstring text) {
    if (text == caption_) return;
    caption_ = std::move(text);
    Refresh();
}

void Label::SetFont(FontSpec spec) {
    font_.SetSpec(std::move(spec));
    Refresh();
}

void Label::SetForeColor(COLORREF c) {
    foreColor_ = c;
    Refresh();
}

void Label::SetBackColor(COLORREF c) {
    backColor_ = c;
    Refresh();
}

void Label::SetTransparent(bool t) {
    transparent_ = t;
    Refresh();
}

void Label::SetAlignment(Align a) {
    align_ = a;
    Refresh();
}

void Label::Paint(HDC dc, const RECT& rectPx) {
    RECT r = rectPx;
    if (!transparent_) {
        GdiObj<HBRUSH> brush(CreateSolidBrush(backColor_));
        FillRect(dc, &r, brush.Get());
    }
    SelectGuard font(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, foreColor_);
    UINT format = DT_WORDBREAK | DT_EXPANDTABS | (UseMnemonic ? 0 : DT_NOPREFIX);
    format |= align_ == Align::Right ? DT_RIGHT : align_ == Align::Center ? DT_CENTER : DT_LEFT;
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
}

void Label::CopyDesignFrom(const Control& first) {
    Control::CopyDesignFrom(first);
    if (auto* l = dynamic_cast<const Label*>(&first)) {
        caption_ = l->caption_;
        font_.SetSpec(l->font_.Spec());
        foreColor_ = l->foreColor_;
        backColor_ = l->backColor_;
        transparent_ = l->transparent_;
        align_ = l->align_;
        UseMnemonic = l->UseMnemonic;
    }
}

}  // namespace forms
