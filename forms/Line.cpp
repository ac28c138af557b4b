#include "forms/Line.h"

#include <algorithm>
#include <cmath>

#include "forms/ControlHost.h"
#include "forms/GdiObj.h"
#include "forms/SelectGuard.h"

namespace forms {

void Line::SetPoints(double x1, double y1, double x2, double y2) {
    fallsRight_ = (x2 - x1) * (y2 - y1) >= 0;
    // One pixel more each way, so that the end point is inside and a level line has an area.
    const ScaleMode m = Container().ScaleMode();
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + UnitsPerPixelX(m),
         std::abs(y2 - y1) + UnitsPerPixelY(m));
}

void Line::SetBorderColor(COLORREF c) {
    color_ = c;
    Refresh();
}

void Line::Paint(HDC dc, const RECT& r) {
    GdiObj<HPEN> pen(CreatePen(PS_SOLID, 1, color_));
    SelectGuard sel(dc, pen.Get());
    const int right = r.right - 1, bottom = r.bottom - 1;
    const int yStart = fallsRight_ ? r.top : bottom;
    const int yEnd = fallsRight_ ? bottom : r.top;
    MoveToEx(dc, r.left, yStart, nullptr);
    LineTo(dc, right, yEnd);
    SetPixel(dc, right, yEnd, color_);  // LineTo leaves the last point out
}

}  // namespace forms
