#include "forms/SystemControl.h"

namespace forms {

SystemControl::SystemControl(ControlHost& host, const wchar_t* className, DWORD style, DWORD exStyle)
    : ChildControl(host), className_(className), style_(style), exStyle_(exStyle) {}

SystemControl::~SystemControl() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void SystemControl::CreateIn(HWND parent, const RECT& px, bool visible) {
    hwnd_ = CreateWindowExW(exStyle_, className_, L"", style_ | WS_CHILD | (visible ? WS_VISIBLE : 0),
                            px.left, px.top, px.right - px.left, px.bottom - px.top, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_) {
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        Created();
    }
}

}  // namespace forms
