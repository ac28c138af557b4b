#pragma once
// MouseArgs: what a mouse event tells its handler: the button, the shift keys and the position
// in the receiver's scale, relative to the receiver. Handlers may write into it.
#include <cstdint>

namespace forms {

// Button values (several may be set in a move); Shift values.
enum : int32_t { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum : int32_t { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

struct MouseArgs {
    int32_t Button = 0;
    int32_t Shift = 0;
    double X = 0;
    double Y = 0;
};

}  // namespace forms
