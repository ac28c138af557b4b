#include "support/clsMFSC.h"

#include <algorithm>

#include "forms/Wnd.h"

clsMFSC::~clsMFSC() {
    if (!engine_) return;
    for (auto [hwnd, msg] : attached_) engine_->DetachMessage(*this, hwnd, msg);
}

GSubclass& clsMFSC::Engine() {
    if (!engine_) engine_ = std::make_unique<GSubclass>();
    return *engine_;
}

void clsMFSC::Attach(HWND hwnd, UINT msg) {
    Engine().AttachMessage(*this, hwnd, msg);
    attached_.emplace_back(hwnd, msg);
}

void clsMFSC::Detach(HWND hwnd, UINT msg) {
    Engine().DetachMessage(*this, hwnd, msg);
    auto it = std::find(attached_.begin(), attached_.end(), std::make_pair(hwnd, msg));
    if (it != attached_.end()) attached_.erase(it);
}

void clsMFSC::AttachKeyHook(HWND hwnd) {
    Attach(hwnd, WM_KEYDOWN);
    Attach(hwnd, WM_KEYUP);
}

void clsMFSC::DetachKeyHook(HWND hwnd) {
    Detach(hwnd, WM_KEYDOWN);
    Detach(hwnd, WM_KEYUP);
}

void clsMFSC::AttachWheelHook(forms::Wnd& PassedForm) {
    wheelOwner_ = &PassedForm;
    wheelHwnd_ = PassedForm.hWnd();
    Attach(wheelHwnd_, WM_MOUSEWHEEL);
}

void clsMFSC::DetachWheelHook() { Detach(wheelHwnd_, WM_MOUSEWHEEL); }

LRESULT clsMFSC::WindowProc(HWND, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
        case WM_KEYDOWN:
            if (MainKeyDown) MainKeyDown(static_cast<int32_t>(wParam));
            break;
        case WM_KEYUP:
            if (MainKeyUp) MainKeyUp(static_cast<int32_t>(wParam));
            break;
        case WM_MOUSEWHEEL:
            if (MouseWheel) {
                int32_t keys = LOWORD(wParam);
                int32_t rotation = static_cast<int16_t>(HIWORD(wParam));
                int32_t x = LOWORD(lParam);
                int32_t y = static_cast<int16_t>(HIWORD(lParam));
                MouseWheel(keys, rotation, x, y);
            }
            break;
    }
    return 0;
}
