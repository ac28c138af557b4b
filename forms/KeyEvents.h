#pragma once
// KeyEvents: turns the key messages of a window into the KeyDown, KeyUp and KeyPress events of a
// form or a user control, with the shift state those events carry.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace forms {

int32_t KeyShift();

struct KeyHandlers {
    std::function<void(int32_t& keyCode, int32_t& shift)> down, up;
    std::function<void(int32_t& keyAscii)> press;
};

// True when msg was a key message and went to its handler.
bool RaiseKeyEvent(UINT msg, WPARAM wParam, const KeyHandlers& h);

}  // namespace forms
