#pragma once
// Skin strips for the control tests: cells of one height stacked vertically, each its own colour.
#include <windows.h>

#include "forms/MemDC.h"
#include "forms/Picture.h"
#include "forms/SelectGuard.h"
#include "tests/forms/GdiProbe.h"

// The colour of cell k of a test strip.
inline COLORREF CellColour(int k) { return RGB(40 * k + 20, 200 - 30 * k, 60 + 25 * k); }

inline forms::Picture Strip(int widthPx, int cellPx, int cells) {
    HDC screen = GetDC(nullptr);
    forms::GdiObj<HBITMAP> bmp(CreateCompatibleBitmap(screen, widthPx, cellPx * cells));
    {
        forms::MemDC dc(screen);
        forms::SelectGuard sel(dc.Get(), bmp.Get());
        for (int k = 0; k < cells; ++k) {
            forms::GdiObj<HBRUSH> brush(CreateSolidBrush(CellColour(k)));
            RECT r{0, k * cellPx, widthPx, (k + 1) * cellPx};
            FillRect(dc.Get(), &r, brush.Get());
        }
    }
    ReleaseDC(nullptr, screen);
    return forms::Picture::FromBitmap(std::move(bmp));
}

// The cell a host shows at (x, y), or -1 when the colour is none of the strip's.
template <class Host>
int CellAt(Host& h, int x, int y, int cells = 6) {
    const COLORREF c = Snapshot(h).At(x, y);
    for (int k = 0; k < cells; ++k)
        if (c == CellColour(k)) return k;
    return -1;
}

// Sends every posted message of this thread to its window.
inline void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

// Gives a control the real focus, its form brought to the front first.
inline void Focus(HWND control) {
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    Pump();
}

// A key stroke as the system sends it to the focused window.
inline void Key(HWND h, UINT msg, WPARAM code) { SendMessageW(h, msg, code, msg == WM_KEYUP ? 0xC0000001 : 1); }
