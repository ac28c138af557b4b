#pragma once
// Picture: a bitmap with its size, shared by every control that shows it and freed with the last.
#include <windows.h>

#include <memory>
#include <string>

#include "forms/GdiObj.h"

namespace forms {

class Picture {
public:
    Picture() = default;
    // Loads a BMP file; an empty picture when the file is missing or not a bitmap.
    static Picture Load(const std::wstring& path);
    static Picture Load(const std::string& ansiPath);
    // Takes ownership of a bitmap made elsewhere.
    static Picture FromBitmap(GdiObj<HBITMAP> bitmap);

    bool IsEmpty() const { return !bitmap_; }
    HBITMAP Handle() const { return bitmap_ ? bitmap_->Get() : nullptr; }
    int WidthPx() const { return widthPx_; }
    int HeightPx() const { return heightPx_; }

    // Draws the picture's top-left corner at (xPx, yPx), clipped to widthPx x heightPx.
    void Draw(HDC dc, int xPx, int yPx, int widthPx, int heightPx) const;
    // Draws the whole picture scaled into the rectangle.
    void DrawStretched(HDC dc, const RECT& targetPx) const;

    // Two pictures are the same when they share one bitmap.
    friend bool operator==(const Picture& a, const Picture& b) { return a.Handle() == b.Handle(); }

private:
    std::shared_ptr<const GdiObj<HBITMAP>> bitmap_;
    int widthPx_ = 0;
    int heightPx_ = 0;
};

}  // namespace forms
