#include "forms/KeyEvents.h"

#include "forms/MouseArgs.h"

namespace forms {

int32_t KeyShift() {
    int32_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) s |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0) s |= vbAltMask;
    return s;
}

bool RaiseKeyEvent(UINT msg, WPARAM wParam, const KeyHandlers& h) {
    int32_t code = static_cast<int32_t>(wParam);
    switch (msg) {
        case WM_KEYDOWN:
        case WM_KEYUP: {
            int32_t shift = KeyShift();
            (msg == WM_KEYDOWN ? h.down : h.up)(code, shift);
            return true;
        }
        case WM_CHAR:
            h.press(code);
            return true;
    }
    return false;
}

}  // namespace forms
