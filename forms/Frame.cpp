#include "forms/Frame.h"

namespace forms {

Frame::Frame(ControlHost& parent) : ChildHost(parent, L"QuillmateFormsFrame") {
    SetScaleMode(ScaleMode::Twips);
    SetBackColor(parent.BackColor());
    CreateIfHostReady();
}

}  // namespace forms
