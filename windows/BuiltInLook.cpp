#include "windows/BuiltInLook.h"

#include "model/mGlobal.h"
#include "controls/Scroll.h"
#include "forms/GdiObj.h"
#include "forms/MemDC.h"
#include "forms/SelectGuard.h"

namespace BuiltInLook {
namespace {
constexpr int kMainWidthPx = 330;
const COLORREF kBody = RGB(46, 64, 92);
const COLORREF kEdge = RGB(28, 40, 60);

void FillIn(HDC dc, const RECT& r, COLORREF fill) {
    forms::GdiObj<HBRUSH> brush(CreateSolidBrush(fill));
    FillRect(dc, &r, brush.Get());
}
}  // namespace

forms::Picture Drawn(int widthPx, int heightPx, const std::function<void(HDC)>& draw) {
    HDC screen = GetDC(nullptr);
    forms::GdiObj<HBITMAP> bitmap(CreateCompatibleBitmap(screen, widthPx, heightPx));
    {
        forms::MemDC dc(screen);
        forms::SelectGuard keep(dc.Get(), bitmap.Get());
        RECT all{0, 0, widthPx, heightPx};
        forms::GdiObj<HBRUSH> key(CreateSolidBrush(mGlobal::TransparentColor));
        FillRect(dc.Get(), &all, key.Get());
        draw(dc.Get());
    }
    ReleaseDC(nullptr, screen);
    return forms::Picture::FromBitmap(std::move(bitmap));
}

void RoundRectIn(HDC dc, const RECT& r, COLORREF fill, COLORREF edge, int cornerPx) {
    forms::GdiObj<HBRUSH> brush(CreateSolidBrush(fill));
    forms::GdiObj<HPEN> pen(CreatePen(PS_SOLID, 1, edge));
    forms::SelectGuard b(dc, brush.Get()), p(dc, pen.Get());
    RoundRect(dc, r.left, r.top, r.right, r.bottom, cornerPx, cornerPx);
}

forms::Picture Panel(int widthPx, int heightPx, COLORREF fill, COLORREF edge, int cornerPx) {
    return Drawn(widthPx, heightPx,
                 [&](HDC dc) { RoundRectIn(dc, RECT{0, 0, widthPx, heightPx}, fill, edge, cornerPx); });
}

forms::Picture MenuStrip(int widthPx, int pitchPx, const wchar_t* upper, const wchar_t* lower) {
    const int frameHeight = pitchPx + 1;
    return Drawn(widthPx, 3 * pitchPx + frameHeight, [&](HDC dc) {
        forms::GdiObj<HFONT> font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                              CLEARTYPE_QUALITY, 0, L"Tahoma"));
        forms::SelectGuard f(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        for (int frame = 0; frame < 3; ++frame) {
            const int top = frame * pitchPx;
            RoundRectIn(dc, RECT{0, top, widthPx, top + frameHeight}, kBody, kEdge, 8);
            const int half = frameHeight / 2;
            for (int item = 0; item < 2; ++item) {
                RECT r{3, top + 2 + item * (half - 1), widthPx - 3, top + half + item * (half - 2)};
                if (frame == item + 1) FillIn(dc, r, RGB(86, 128, 190));
                SetTextColor(dc, RGB(235, 240, 248));
                RECT t = r;
                t.left += 8;
                DrawTextW(dc, item == 0 ? upper : lower, -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            }
        }
    });
}

forms::Picture MainTop() {
    return Drawn(kMainWidthPx, 64, [](HDC dc) {
        RoundRectIn(dc, RECT{0, 0, kMainWidthPx, 80}, kBody, kEdge, 14);
    });
}

forms::Picture MainMid() {
    return Drawn(kMainWidthPx, 37, [](HDC dc) {
        FillIn(dc, RECT{0, 0, kMainWidthPx, 37}, kBody);
        FillIn(dc, RECT{0, 0, 1, 37}, kEdge);
        FillIn(dc, RECT{kMainWidthPx - 1, 0, kMainWidthPx, 37}, kEdge);
    });
}

forms::Picture MainLow() {
    return Drawn(kMainWidthPx, 49, [](HDC dc) {
        RoundRectIn(dc, RECT{0, -20, kMainWidthPx, 49}, kBody, kEdge, 14);
    });
}

forms::Picture MainClip() { return Panel(284, 70, RGB(250, 250, 246), RGB(150, 160, 175), 8); }
forms::Picture MainClipSelected() { return Panel(284, 70, RGB(200, 220, 250), RGB(70, 110, 180), 8); }

namespace {
// Normal, hover, pressed, disabled.
const COLORREF kFace[4] = {RGB(64, 98, 150), RGB(88, 132, 200), RGB(36, 60, 102), RGB(92, 96, 108)};

enum class Mark { None, ArrowUp, ArrowDown, Grip };

// Four looks stacked in one strip: look s starts at row tops[s] and is h rows high.
forms::Picture Looks(int h, const int (&tops)[4], Mark mark = Mark::None) {
    return Drawn(25, tops[3] + h, [&](HDC dc) {
        for (int s = 0; s < 4; ++s) {
            FillIn(dc, RECT{0, tops[s], 25, tops[s] + h}, kFace[s]);
            if (mark == Mark::Grip)
                for (int y : {15, 19, 23}) FillIn(dc, RECT{8, tops[s] + y, 17, tops[s] + y + 2}, RGB(200, 214, 236));
            if (mark != Mark::ArrowUp && mark != Mark::ArrowDown) continue;
            const bool arrowUp = mark == Mark::ArrowUp;
            forms::GdiObj<HBRUSH> ink(CreateSolidBrush(RGB(232, 238, 248)));
            forms::GdiObj<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(232, 238, 248)));
            forms::SelectGuard b(dc, ink.Get()), p(dc, pen.Get());
            const int tip = tops[s] + (arrowUp ? 8 : 15), base = tops[s] + (arrowUp ? 15 : 8);
            POINT tri[3] = {{12, tip}, {7, base}, {17, base}};
            Polygon(dc, tri, 3);
        }
    });
}
}  // namespace

forms::Picture ButtonStrip(int widthPx, const wchar_t* caption) {
    // Normal, focused, hover, pressed, disabled.
    const COLORREF face[5] = {RGB(64, 98, 150), RGB(64, 98, 150), RGB(88, 132, 200), RGB(36, 60, 102), RGB(78, 84, 96)};
    const COLORREF ink[5] = {RGB(232, 238, 248), RGB(255, 255, 255), RGB(255, 255, 255), RGB(200, 214, 236),
                             RGB(140, 146, 156)};
    return Drawn(widthPx, 5 * 24, [&](HDC dc) {
        forms::GdiObj<HFONT> font(CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                              CLEARTYPE_QUALITY, 0, L"Tahoma"));
        forms::SelectGuard f(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        for (int s = 0; s < 5; ++s) {
            RECT r{0, 24 * s, widthPx, 24 * s + 24};
            FillIn(dc, r, face[s]);
            if (s == 1) {  // the focus frame: a light inner outline
                RECT in{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
                forms::GdiObj<HBRUSH> edge(CreateSolidBrush(RGB(170, 200, 240)));
                FrameRect(dc, &in, edge.Get());
            }
            SetTextColor(dc, ink[s]);
            DrawTextW(dc, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    });
}

void ScrollPieces(controls::Scroll& bar) {
    static const int buttons[4] = {0, 24, 48, 72};
    const forms::Picture up = Looks(24, buttons, Mark::ArrowUp), down = Looks(24, buttons, Mark::ArrowDown);
    const forms::Picture track = Drawn(25, 110, [](HDC dc) { FillIn(dc, RECT{0, 0, 25, 110}, RGB(30, 44, 66)); });
    const forms::Picture capTop = Looks(6, {0, 8, 16, 25}), capLow = Looks(6, {1, 9, 17, 26});
    const forms::Picture grip = Looks(39, {0, 41, 82, 123}, Mark::Grip);
    const forms::Picture filler = Looks(20, {1, 21, 41, 61});
    bar.LoadPicture(up, down, track, capTop, capLow, grip, filler, filler);
}

}  // namespace BuiltInLook
