#pragma once
// Window effects: layered transparency, fades, edge snapping, dragging, icons and help.
#include <windows.h>

#include <cstdint>

namespace forms {
class Form;
}

namespace Func {

void SetWindowAlpha(HWND hWnd, COLORREF colorKey, uint8_t alpha);
// Speed above 0 shows the form and fades it in to Transparent; 0 or below fades it out and hides.
void FadeForm(forms::Form& frm, int16_t speed, bool modal);
void FadeToInactive();
void FadeToActive();
void SnapToScreenEdges(POINT& pos, int16_t offsetX, int16_t offsetY, bool countMainHeight);
void DragMainWindows();
void SetFormIcons(HWND hWnd);
void OpenHelpFile();

}  // namespace Func
