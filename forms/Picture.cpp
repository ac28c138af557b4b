#include "forms/Picture.h"

#include <algorithm>

#include "forms/MemDC.h"
#include "forms/SelectGuard.h"

namespace forms {

Picture Picture::Load(const std::wstring& path) {
    auto h = static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    return FromBitmap(GdiObj<HBITMAP>(h));
}

Picture Picture::Load(const std::string& ansiPath) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), static_cast<int>(ansiPath.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), static_cast<int>(ansiPath.size()), wide.data(), n);
    return Load(wide);
}

Picture Picture::FromBitmap(GdiObj<HBITMAP> bitmap) {
    Picture p;
    if (!bitmap) return p;
    BITMAP info{};
    if (!GetObjectW(bitmap.Get(), sizeof info, &info)) return p;
    p.widthPx_ = info.bmWidth;
    p.heightPx_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    p.bitmap_ = std::make_shared<const GdiObj<HBITMAP>>(std::move(bitmap));
    return p;
}

void Picture::Draw(HDC dc, int xPx, int yPx, int widthPx, int heightPx) const {
    if (IsEmpty()) return;
    MemDC src(dc);
    SelectGuard sel(src.Get(), Handle());
    BitBlt(dc, xPx, yPx, std::min(widthPx, widthPx_), std::min(heightPx, heightPx_), src.Get(), 0, 0,
           SRCCOPY);
}

void Picture::DrawStretched(HDC dc, const RECT& t) const {
    if (IsEmpty()) return;
    MemDC src(dc);
    SelectGuard sel(src.Get(), Handle());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, t.left, t.top, t.right - t.left, t.bottom - t.top, src.Get(), 0, 0, widthPx_,
               heightPx_, SRCCOPY);
}

}  // namespace forms
