#include "forms/PictureBox.h"

namespace forms {

PictureBox::PictureBox(ControlHost& parent) : ChildHost(parent, L"QuillmateFormsPictureBox") {
    CreateIfHostReady();
}

void PictureBox::SetPicture(forms::Picture p) {
    picture_ = std::move(p);
    Refresh();
}

void PictureBox::PaintBackground(HDC dc, const RECT& clientPx) {
    ControlHost::PaintBackground(dc, clientPx);
    picture_.Draw(dc, 0, 0, clientPx.right, clientPx.bottom);
}

}  // namespace forms
