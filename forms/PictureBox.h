#pragma once
// PictureBox: a child window showing a picture at its top-left corner, holding controls of its
// own in its ScaleMode.
#include "forms/ChildHost.h"
#include "forms/Picture.h"

namespace forms {

class PictureBox : public ChildHost {
public:
    explicit PictureBox(ControlHost& parent);

    const forms::Picture& Picture() const { return picture_; }
    void SetPicture(forms::Picture p);

protected:
    void PaintBackground(HDC dc, const RECT& clientPx) override;

private:
    forms::Picture picture_;
};

}  // namespace forms
