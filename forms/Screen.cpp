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

double TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
double TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }
double WidthTw() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
double HeightTw() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

}  // namespace forms::Screen
