#include "forms/Screen.h"

#include <windows.h>

namespace forms::Screen {
namespace {
double TwipsPerPixel(int axis) {
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, axis) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return 1440.0 / (dpi > 0 ? dpi : 96);
}
}  // namespace

// The display's resolution does not change while the program runs; ask once.
double TwipsPerPixelX() {
    static const double v = TwipsPerPixel(LOGPIXELSX);
    return v;
}
double TwipsPerPixelY() {
    static const double v = TwipsPerPixel(LOGPIXELSY);
    return v;
}
double WidthTw() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
double HeightTw() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

}  // namespace forms::Screen
