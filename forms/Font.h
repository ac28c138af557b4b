#pragma once
// Font: a font description (name, size in points, style, character set) and the GDI font made
// from it on first use.
#include <windows.h>

#include <string>

#include "forms/GdiObj.h"

namespace forms {

struct FontSpec {
    std::wstring Name = L"MS Sans Serif";
    double SizePt = 8.25;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    BYTE Charset = DEFAULT_CHARSET;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class Font {
public:
    const FontSpec& Spec() const { return spec_; }
    void SetSpec(FontSpec spec);
    // The GDI font these settings describe, made when first asked for.
    HFONT Handle() const;

private:
    FontSpec spec_;
    mutable GdiObj<HFONT> font_;
};

}  // namespace forms
