// First cut: windows appear and disappear at once; the animated fades and the edge snapping
// replace these bodies.
#include "app/WindowEffects.h"

#include "app/mGlobal.h"
#include "forms/Form.h"

namespace Func {

void SetWindowAlpha(HWND hWnd, COLORREF colorKey, uint8_t alpha) {
    LONG ex = GetWindowLongA(hWnd, GWL_EXSTYLE);
    SetWindowLongA(hWnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hWnd, colorKey, alpha, LWA_COLORKEY | LWA_ALPHA);
}

void FadeForm(forms::Form& frm, int16_t speed, bool /*modal*/) {
    if (speed > 0) {
        uint8_t target = mGlobal::Transparent == 0 ? 240 : mGlobal::Transparent;
        SetWindowAlpha(frm.hWnd(), mGlobal::TransparentColor, target);
        frm.SetVisible(true);
        SetWindowPos(frm.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    } else {
        frm.SetVisible(false);
    }
}

void FadeToInactive() {}
void FadeToActive() {}
void SnapToScreenEdges(POINT&, int16_t, int16_t, bool) {}
void DragMainWindows() {}
void SetFormIcons(HWND) {}
void OpenHelpFile() {}

}  // namespace Func
