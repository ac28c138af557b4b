#pragma once
// Window effects: layered transparency, fades, edge snapping, dragging, icons and help.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

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
// MoveWindow without a repaint, as the pair's moves are; a window that stood partly off the
// screen is then drawn again, since nothing was kept of its hidden part to show where it returns.
void MoveWindowPx(HWND hWnd, int xPx, int yPx, int widthPx, int heightPx);
void OpenHelpFile();

// The active/inactive switch on any pair of windows; the no-argument forms use fMain and fStart.
void FadeToInactive(forms::Form& main, forms::Form& start);
void FadeToActive(forms::Form& main, forms::Form& start);
void SnapToScreenEdges(POINT& pos, int16_t offsetX, int16_t offsetY, bool countMainHeight,
                       forms::Form& main);
// Moves start to the snapped cursor and main with it; startMoving is the start bar's `moving`.
void DragMainWindows(forms::Form& main, forms::Form& start, bool& startMoving);

// --- The arithmetic behind the effects, free of any window so it can be checked alone. ---

// The slowest speed the options dialog offers: a fade of about 34 steps, one second.
constexpr int16_t kSlowestFadeSpeed = 30;
// One fade's step: delta / 1000 * speed, held as a 32-bit float like the fade's counter; a speed
// nearer 0 than kSlowestFadeSpeed (but not 0) counts as that speed.
float FadeStep(double delta, int16_t speed);
// The alphas a fade sets, one after each 30 ms wait: a counter runs from `from` by `step` while it
// has not passed `to`, and each value is cut to its integer part. A step of 0 sets nothing (it
// would otherwise never end).
std::vector<uint8_t> FadeAlphas(float from, float to, float step);

// What the snapping needs to know about the screen, the main window and the taskbar (pixels).
struct SnapRectPx {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct SnapScene {
    double screenWidthPx = 0;   // screen width in twips / TwipsX, not rounded
    double screenHeightPx = 0;  // screen height in twips / TwipsY, not rounded
    double mainHeightPx = 6;    // Hm: the main window's height, or 6 while it is hidden and not counted
    bool mainVisible = false;
    bool mainOpening = false;   // hidden, but about to open below the bar: it needs room as if shown
    SnapRectPx taskbar;         // an empty rectangle: no taskbar
};
// Moves the start bar's corner (lx, ly) through the band table in its order; writes dockY
// (1 top edge, 2 bottom edge, 3 free) where a band says so and leaves it alone otherwise. A taskbar
// edge snaps only where it faces the rest of the screen, and a corner past a screen or taskbar edge
// docks at that edge, so the bar and the main window below it always end on the screen.
void ApplySnapBands(int32_t& lx, int32_t& ly, int32_t& dockY, const SnapScene& scene);

// The start bar's corner in pixels and its dock.
struct BarPlace {
    int32_t x = 0, y = 0, dockY = 3;
    bool operator==(const BarPlace&) const = default;
};
struct BarOpening {
    BarPlace open;                // where the bar stands while the main window is open
    std::optional<BarPlace> back; // where it goes back to at closing, when it moved only to fit
};
// The bar, closed at `closed`, as the main window opens below it (the scene counts the main
// window as opening): the bands place it, then it moves as far as the bar and the main window need
// to stay on the screen; that last move alone is undone at closing.
BarOpening OpenBar(BarPlace closed, const SnapScene& scene);
// The bar as the main window (mainHeightPx high) closes: at `back` when the opening gave one,
// else where it stands, dropping by the main window's height less 6 px when docked at the bottom.
BarPlace CloseBar(BarPlace open, const std::optional<BarPlace>& back, double mainHeightPx);
// The screen, the taskbar and the main window as the snapping sees them now.
SnapScene SceneOf(forms::Form& main, bool countMainHeight);

// The 30 ms waits of the fades go through here; a test replaces Sleep to record instead of wait.
using FadeWait = std::function<void(uint32_t ms)>;
// Installs `wait` (empty: Sleep again) and returns the one it replaced.
FadeWait SetFadeWait(FadeWait wait);

}  // namespace Func
