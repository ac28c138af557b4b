#pragma once
// Helpers for the painting tests: solid pictures, a pixel reader and a count of live GDI objects.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "forms/MemDC.h"
#include "forms/Picture.h"
#include "forms/SelectGuard.h"

// A picture w x h px, black but for bands of rows top .. top + height in their colours.
struct Band {
    int top, height;
    COLORREF colour;
};
inline forms::Picture BandPicture(int w, int h, const std::vector<Band>& bands) {
    HDC screen = GetDC(nullptr);
    forms::GdiObj<HBITMAP> bmp(CreateCompatibleBitmap(screen, w, h));
    ReleaseDC(nullptr, screen);
    forms::MemDC dc(nullptr);
    forms::SelectGuard sel(dc.Get(), bmp.Get());
    for (const Band& b : bands) {
        forms::GdiObj<HBRUSH> brush(CreateSolidBrush(b.colour));
        RECT r{0, b.top, w, b.top + b.height};
        FillRect(dc.Get(), &r, brush.Get());
    }
    return forms::Picture::FromBitmap(std::move(bmp));
}
inline forms::Picture SolidPicture(int w, int h, COLORREF colour) { return BandPicture(w, h, {{0, h, colour}}); }

// The process's live GDI objects. The platform's count where it keeps one; under Wine, whose
// count is a stub, every handle slot is asked whether it holds an object.
inline int LiveGdiObjects() {
    DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n) return static_cast<int>(n);
    int count = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++count;
    return count;
}

// Paints a host into a bitmap of its client size and reads pixels back.
class Snapshot {
public:
    template <class Host>
    explicit Snapshot(Host& host) : dc_(screen_, ClientPx(host.hWnd()).right, ClientPx(host.hWnd()).bottom) {
        host.PaintTo(dc_.Get());
    }
    ~Snapshot() { ReleaseDC(nullptr, screen_); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

private:
    static RECT ClientPx(HWND h) {
        RECT r{};
        GetClientRect(h, &r);
        return r;
    }
    HDC screen_ = GetDC(nullptr);
    forms::MemDC dc_;
};

// The listed pixels that do not show their colour, as "x,y" words; empty when all do.
struct Px {
    int x, y;
    COLORREF colour;
};
inline std::string Mismatches(const Snapshot& s, std::initializer_list<Px> want) {
    std::string out;
    for (const Px& p : want)
        if (s.At(p.x, p.y) != p.colour) out += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    return out;
}
