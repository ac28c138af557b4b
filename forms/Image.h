#pragma once
// Image: a windowless control showing a picture; without Stretch it takes the picture's size.
#include "forms/Control.h"
#include "forms/Picture.h"

namespace forms {

class Image : public Control {
public:
    using Control::Control;

    const forms::Picture& Picture() const { return picture_; }
    void SetPicture(forms::Picture p);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool s);

    void Paint(HDC dc, const RECT& rectPx) override;
    void CopyDesignFrom(const Control& first) override;

private:
    forms::Picture picture_;
    bool stretch_ = false;
};

}  // namespace forms
