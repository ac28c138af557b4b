#include "forms/UserControl.h"

namespace forms {
namespace {
int32_t KeyShift() {
    int32_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) s |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0) s |= vbAltMask;
    return s;
}
}  // namespace

UserControl::UserControl(ControlHost& parent) : ChildHost(parent, L"QuillmateUserControl", WS_TABSTOP) {
    CreateIfHostReady();
}

void UserControl::SetFocus() {
    if (IsCreated()) ::SetFocus(hWnd());
}

bool UserControl::HasFocus() const { return IsCreated() && GetFocus() == hWnd(); }

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
        case WM_KEYDOWN:
        case WM_KEYUP: {
            int32_t code = static_cast<int32_t>(wParam), shift = KeyShift();
            if (msg == WM_KEYDOWN)
                UserControl_KeyDown(code, shift);
            else
                UserControl_KeyUp(code, shift);
            return 0;
        }
        case WM_CHAR: {
            int32_t ascii = static_cast<int32_t>(wParam);
            UserControl_KeyPress(ascii);
            return 0;
        }
    }
    return ChildHost::OnMessage(msg, wParam, lParam);
}

}  // namespace forms
