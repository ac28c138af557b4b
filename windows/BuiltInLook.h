#pragma once
// BuiltInLook: plain pictures the windows show until a skin gives them their own.
#include <windows.h>

#include <functional>

#include "forms/Picture.h"

namespace controls {
class Scroll;
}

namespace BuiltInLook {

// A fresh screen-compatible picture of that size, filled with the colour key, then drawn on by draw.
forms::Picture Drawn(int widthPx, int heightPx, const std::function<void(HDC)>& draw);
// A rounded rectangle filled with fill inside a one-pixel edge.
void RoundRectIn(HDC dc, const RECT& r, COLORREF fill, COLORREF edge, int cornerPx);

// A rounded panel: fill inside a one-pixel edge, the corners in the colour key.
forms::Picture Panel(int widthPx, int heightPx, COLORREF fill, COLORREF edge, int cornerPx);
// A strip of three menu frames `pitchPx` apart: nothing, the upper or the lower item lit.
forms::Picture MenuStrip(int widthPx, int pitchPx, const wchar_t* upper, const wchar_t* lower);

// The main window's pieces, at the sizes of its design layout.
forms::Picture MainTop();
forms::Picture MainMid();
forms::Picture MainLow();
forms::Picture MainClip();
forms::Picture MainClipSelected();
// A push button's strip: normal, focused, hover, pressed and disabled frames, 24 px each.
forms::Picture ButtonStrip(int widthPx, const wchar_t* caption);
// Gives a scroll bar plain pieces in its four looks.
void ScrollPieces(controls::Scroll& bar);

}  // namespace BuiltInLook
