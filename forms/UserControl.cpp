#include "forms/UserControl.h"

#include "forms/KeyEvents.h"

namespace forms {
UserControl::UserControl(ControlHost& parent) : ChildHost(parent, L"QuillmateUserControl", WS_TABSTOP) {
    CreateIfHostReady();
}

void UserControl::SetFocus() {
    if (IsCreated()) ::SetFocus(hWnd());
}

bool UserControl::HasFocus() const { return IsCreated() && GetFocus() == hWnd(); }

void UserControl::TakeFocusOnPress(const MouseArgs& a) {
    if (a.Button == vbLeftButton && IsCreated() && !HasFocus()) ::SetFocus(hWnd());
}

void UserControl::UserControl_GotFocus() {
    if (GotFocus) GotFocus();
}
void UserControl::UserControl_LostFocus() {
    if (LostFocus) LostFocus();
}
void UserControl::UserControl_KeyDown(int32_t& KeyCode, int32_t& Shift) {
    if (KeyDown) KeyDown(KeyCode, Shift);
}
void UserControl::UserControl_KeyUp(int32_t& KeyCode, int32_t& Shift) {
    if (KeyUp) KeyUp(KeyCode, Shift);
}
void UserControl::UserControl_KeyPress(int32_t& KeyAscii) {
    if (KeyPress) KeyPress(KeyAscii);
}

void UserControl::OnSurfaceMouse(MouseEvent e, MouseArgs& a) {
    switch (e) {
        case MouseEvent::Down: UserControl_MouseDown(a); break;
        case MouseEvent::Move: UserControl_MouseMove(a); break;
        case MouseEvent::Up: UserControl_MouseUp(a); break;
        case MouseEvent::Click: UserControl_Click(); break;
        case MouseEvent::DblClick: break;
    }
    ControlHost::OnSurfaceMouse(e, a);
}

LRESULT UserControl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SETFOCUS: UserControl_GotFocus(); return 0;
        case WM_KILLFOCUS: UserControl_LostFocus(); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    }
    const KeyHandlers keys{[this](int32_t& c, int32_t& s) { UserControl_KeyDown(c, s); },
                           [this](int32_t& c, int32_t& s) { UserControl_KeyUp(c, s); },
                           [this](int32_t& a) { UserControl_KeyPress(a); }};
    if (RaiseKeyEvent(msg, wParam, keys)) return 0;
    return ChildHost::OnMessage(msg, wParam, lParam);
}

}  // namespace forms
