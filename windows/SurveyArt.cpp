#include "windows/SurveyArt.h"

#include "forms/GdiObj.h"
#include "forms/SelectGuard.h"
#include "windows/BuiltInLook.h"

namespace SurveyArt {
namespace {
constexpr COLORREF kInk = RGB(236, 240, 246);
constexpr COLORREF kFrame = RGB(24, 36, 56);

void Rounded(HDC dc, const RECT& r, int corner, COLORREF face, COLORREF edge) {
    BuiltInLook::RoundRectIn(dc, r, face, edge, corner);
}

void Text(HDC dc, RECT r, const wchar_t* text, COLORREF ink, int heightPx, bool bold, UINT format) {
    forms::GdiObj<HFONT> font(CreateFontW(-heightPx, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0,
                                          0, NONANTIALIASED_QUALITY, 0, L"Arial"));
    forms::SelectGuard f(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    DrawTextW(dc, text, -1, &r, format | DT_NOPREFIX);
}
}  // namespace

forms::Picture Background(int w, int h) {
    return BuiltInLook::Drawn(w, h, [w, h](HDC dc) {
        Rounded(dc, {0, 0, w, h}, 14, RGB(44, 66, 100), kFrame);
        Rounded(dc, {1, 1, w - 1, 25}, 12, RGB(28, 42, 66), RGB(28, 42, 66));
        Text(dc, {10, 1, w - 30, 25}, L"Uninstall Quillmate", kInk, 13, true, DT_VCENTER | DT_SINGLELINE);
        Text(dc, {16, 32, w - 16, 52}, L"Why do you remove Quillmate?", kInk, 13, false, DT_SINGLELINE);
    });
}

forms::Picture ButtonStrip(int w, const wchar_t* text) {
    static const COLORREF faces[] = {RGB(78, 114, 168), RGB(92, 132, 192), RGB(104, 148, 212), RGB(40, 64, 104),
                                     RGB(84, 90, 102)};
    return BuiltInLook::Drawn(w, 120, [w, text](HDC dc) {
        for (int i = 0; i < 5; ++i) {
            const RECT r{0, 24 * i, w, 24 * i + 24};
            Rounded(dc, r, 8, faces[i], kFrame);
            Text(dc, r, text, i == 4 ? RGB(146, 152, 162) : kInk, 12, true, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    });
}

forms::Picture OptionStrip() {
    return BuiltInLook::Drawn(16, 96, [](HDC dc) {
        for (int cell = 0; cell < 6; ++cell) {
            const bool on = cell == 2 || cell == 3 || cell == 5;
            const bool hover = cell == 1 || cell == 3;
            const bool pressed = cell >= 4;
            const int y = 16 * cell;
            const COLORREF face = pressed ? RGB(170, 180, 196) : hover ? RGB(255, 255, 255) : RGB(226, 230, 238);
            forms::GdiObj<HBRUSH> brush(CreateSolidBrush(face));
            forms::GdiObj<HPEN> pen(CreatePen(PS_SOLID, 1, hover ? RGB(104, 148, 212) : kFrame));
            forms::SelectGuard b(dc, brush.Get()), p(dc, pen.Get());
            Ellipse(dc, 1, y + 1, 15, y + 15);
            if (on) {
                forms::GdiObj<HBRUSH> dot(CreateSolidBrush(RGB(40, 64, 104)));
                forms::SelectGuard d(dc, dot.Get());
                Ellipse(dc, 5, y + 5, 11, y + 11);
            }
        }
    });
}

forms::Picture CommentBackdrop() {
    return BuiltInLook::Drawn(8, 8, [](HDC dc) {
        RECT all{0, 0, 8, 8};
        forms::GdiObj<HBRUSH> face(CreateSolidBrush(RGB(232, 236, 244)));
        FillRect(dc, &all, face.Get());
        SetPixel(dc, 0, 0, RGB(214, 222, 236));
        SetPixel(dc, 4, 4, RGB(214, 222, 236));
    });
}

}  // namespace SurveyArt
