#include "controls/OptionBox.h"

#include "forms/ControlHost.h"
#include "forms/GdiObj.h"

namespace {
// Clears every OptionBox held by host or by the hosts inside it.
void ClearOptionBoxes(const forms::ControlHost& host) {
    for (forms::ChildControl* c : host.Children()) {
        if (auto* box = dynamic_cast<OptionBox*>(c)) box->SetValue(false);
        if (auto* inner = dynamic_cast<const forms::ControlHost*>(c)) ClearOptionBoxes(*inner);
    }
}

// The form a control sits on, through any frames and picture boxes between.
const forms::ControlHost* FormOf(const forms::ChildControl& c) {
    const forms::ControlHost* host = c.Parent();
    while (auto* child = dynamic_cast<const forms::ChildControl*>(host)) {
        if (!child->Parent()) break;
        host = child->Parent();
    }
    return host;
}
}  // namespace

OptionBox::OptionBox(forms::ControlHost& parent) : SkinToggle(parent, CellPx, SideTw) { SetOutline(); }

void OptionBox::SetOutline() {
    if (!IsCreated()) return;
    parentWnd_ = GetParent(hWnd());
    forms::GdiObj<HRGN> rgn(CreateRoundRectRgn(1, 1, 15, 15, 15, 15));
    if (rgn && SetWindowRgn(hWnd(), rgn.Get(), TRUE)) rgn.Release();
}

void OptionBox::Activate() {
    if (const forms::ControlHost* form = FormOf(*this)) ClearOptionBoxes(*form);
    StoreValue(true);
    if (Click) Click();
}

void OptionBox::Checked() {
    Activate();
    ShowForCapture();
}

void OptionBox::SetValue(bool v) {
    StoreValue(v);
    ShowForCapture();
}

void OptionBox::SetCaption(std::wstring text) {
    caption_ = std::move(text);
    SetOutline();
}

void OptionBox::UserControl_Paint(HDC dc) {
    if (caption_.empty() || !IsCreated() || !parentWnd_) return;
    POINT at{0, 0};
    MapWindowPoints(hWnd(), parentWnd_, &at, 1);
    HDC target = dc ? dc : GetDC(parentWnd_);
    if (!target) return;
    TextOutW(target, at.x + 18, at.y, caption_.c_str(), static_cast<int>(caption_.size()));
    if (!dc) ReleaseDC(parentWnd_, target);
}

void OptionBox::OnPaint(HDC backBuffer) {
    SkinToggle::OnPaint(backBuffer);
    UserControl_Paint();
}

LRESULT OptionBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = SkinToggle::OnMessage(msg, wParam, lParam);
    if (msg == WM_CREATE) SetOutline();  // the outline needs the window
    return result;
}
