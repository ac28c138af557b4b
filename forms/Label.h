#pragma once
// Label: a windowless control showing text, on a transparent or opaque background.
#include <string>

#include "forms/Control.h"
#include "forms/Font.h"

namespace forms {

class Label : public Control {
public:
    enum class Align { Left, Right, Center };

    using Control::Control;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring text);
    const FontSpec& FontSpecification() const { return font_.Spec(); }
    void SetFont(FontSpec spec);
    COLORREF ForeColor() const { return foreColor_; }
    void SetForeColor(COLORREF c);
    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF c);
    // Transparent shows what lies below; opaque fills the label with BackColor.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t);
    Align Alignment() const { return align_; }
    void SetAlignment(Align a);
    // With mnemonics "&" underlines the next letter, as labels of the platform do; clip texts
    // turn it off so they show exactly.
    bool UseMnemonic = true;

    void Paint(HDC dc, const RECT& rectPx) override;
    void CopyDesignFrom(const Control& first) override;

private:
    std::wstring caption_;
    Font font_;
    COLORREF foreColor_ = GetSysColor(COLOR_BTNTEXT);
    COLORREF backColor_ = GetSysColor(COLOR_BTNFACE);
    bool transparent_ = false;
    Align align_ = Align::Left;
};

}  // namespace forms
