#include "forms/Image.h"

#include "forms/ControlHost.h"

namespace forms {

void Image::SetPicture(forms::Picture p) {
    picture_ = std::move(p);
    if (!stretch_ && !picture_.IsEmpty()) {
        ScaleMode m = Container().ScaleMode();
        Move(Left(), Top(), FromPxX(m, picture_.WidthPx()), FromPxY(m, picture_.HeightPx()));
    }
    Refresh();
}

void Image::SetStretch(bool s) {
    stretch_ = s;
    Refresh();
}

void Image::Paint(HDC dc, const RECT& r) {
    if (stretch_)
        picture_.DrawStretched(dc, r);
    else
        picture_.Draw(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void Image::CopyDesignFrom(const Control& first) {
    Control::CopyDesignFrom(first);
    if (auto* img = dynamic_cast<const Image*>(&first)) {
        stretch_ = img->stretch_;
        picture_ = img->picture_;
    }
}

}  // namespace forms
