#pragma once
// What the control tests share: generated skin strips whose cells have distinct colours, the cell
// a control shows, real focus and key strokes, and the steps of a case.
#include <windows.h>

#include <functional>
#include <vector>

#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

inline COLORREF CellColour(int k) { return RGB(40 * k + 20, 200 - 30 * k, 60 + 25 * k); }

inline forms::Picture Strip(int widthPx, int cellPx, int cells) {
    std::vector<Band> bands;
    for (int k = 0; k < cells; ++k) bands.push_back({k * cellPx, cellPx, CellColour(k)});
    return BandPicture(widthPx, cellPx * cells, bands);
}

// The cell a control shows at (x, y), or -1 when the colour is none of a strip's.
template <class Host>
int CellAt(Host& h, int x, int y) {
    const COLORREF c = Snapshot(h).At(x, y);
    for (int k = 0; k < 6; ++k)
        if (c == CellColour(k)) return k;
    return -1;
}

// Gives a control the real focus and lets the posted messages that follow run.
inline void Focus(HWND control) {
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

inline void Key(HWND h, UINT msg, WPARAM code) { SendMessageW(h, msg, code, msg == WM_KEYUP ? 0xC0000001 : 1); }

// The steps of one case, run in turn on its fixture.
template <class T>
using Act = std::function<void(T&)>;
template <class T>
using Steps = std::vector<Act<T>>;
