#include "forms/Font.h"

#include <cmath>

#include "forms/ClientDC.h"

namespace forms {

void Font::SetSpec(FontSpec spec) {
    if (spec == spec_) return;
    spec_ = std::move(spec);
    font_.Reset();
}

HFONT Font::Handle() const {
    if (!font_) {
        ClientDC screen(nullptr);
        int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        LOGFONTW lf{};
        lf.lfHeight = -static_cast<LONG>(std::lround(spec_.SizePt * dpi / 72.0));
        lf.lfWeight = spec_.Bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = spec_.Italic;
        lf.lfUnderline = spec_.Underline;
        lf.lfCharSet = spec_.Charset;
        lstrcpynW(lf.lfFaceName, spec_.Name.c_str(), LF_FACESIZE);
        font_.Reset(CreateFontIndirectW(&lf));
    }
    return font_.Get();
}

}  // namespace forms
