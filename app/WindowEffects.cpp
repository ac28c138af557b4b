#include "app/WindowEffects.h"

#include <shellapi.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "model/TopDock.h"
#include "model/mGlobal.h"
#include "forms/Form.h"
#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "forms/WaitAnswering.h"
#include "windows/Windows.h"

namespace Func {
namespace {

constexpr uint32_t kFadeStepMs = 30;

FadeWait& WaitSlot() {
    static FadeWait wait;
    return wait;
}

void Wait(uint32_t ms) {
    if (WaitSlot())
        WaitSlot()(ms);
    else
        forms::SleepAnswering(ms);  // a fade holds input and paint, not the programs sending to us
}

// The alpha the switch between active and inactive last gave the main window and the start bar.
uint8_t CurrentAlpha = 0;

int32_t RoundEven(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

uint8_t FadeTarget() { return mGlobal::Transparent == 0 ? 240 : mGlobal::Transparent; }

void SetPairAlpha(forms::Form& main, forms::Form& start, uint8_t alpha) {
    SetWindowAlpha(main.hWnd(), mGlobal::TransparentColor, alpha);
    SetWindowAlpha(start.hWnd(), mGlobal::TransparentColor, alpha);
}

// Shared by both directions: from one setting to the other, both windows together.
void FadePair(forms::Form& main, forms::Form& start, uint8_t from, uint8_t to) {
    if (CurrentAlpha == to || from == to) return;
    main.Load();
    start.Load();
    SetPairAlpha(main, start, from);
    for (uint8_t alpha : FadeAlphas(from, to, FadeStep(static_cast<double>(to) - from, mGlobal::PaiseSpeed))) {
        Wait(kFadeStepMs);
        SetPairAlpha(main, start, alpha);
    }
    CurrentAlpha = to;
    SetPairAlpha(main, start, to);
}

// While a form is shown modally the thread's other windows take no input, as with any modal
// show; the ones disabled here are enabled again when it ends, however it ends.
class OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(HWND modal) : modal_(modal) {
        EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        for (HWND h : disabled_) EnableWindow(h, FALSE);
    }
    ~OtherWindowsDisabled() {
        for (HWND h : disabled_)
            if (IsWindow(h)) EnableWindow(h, TRUE);
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Collect(HWND h, LPARAM self) {
        auto* me = reinterpret_cast<OtherWindowsDisabled*>(self);
        if (h != me->modal_ && IsWindowVisible(h) && IsWindowEnabled(h)) me->disabled_.push_back(h);
        return TRUE;
    }
    HWND modal_;
    std::vector<HWND> disabled_;
};

// Runs messages until the form is hidden, as a modal show does; a quit is kept for the main loop.
void RunModal(forms::Form& frm) {
    OtherWindowsDisabled others(frm.hWnd());
    MSG msg;
    while (frm.Visible()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MakeTopmost(HWND hWnd) {
    SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

// Without a taskbar window the rectangle found last is used again (zeros before the first find).
SnapRectPx TaskbarRect() {
    static SnapRectPx last;
    HWND tray = FindWindowA("Shell_TrayWnd", "");
    RECT r;
    if (tray && GetWindowRect(tray, &r)) last = {r.left, r.top, r.right, r.bottom};
    return last;
}

void SendIcon(HWND hWnd, int cxMetric, int cyMetric, WPARAM which) {
    auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1),
                                              IMAGE_ICON, GetSystemMetrics(cxMetric),
                                              GetSystemMetrics(cyMetric), 0));
    if (!icon) return;
    // The window owns the icon from here on; the one it replaces is ours to free.
    auto previous = reinterpret_cast<HICON>(
        SendMessageA(hWnd, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
    if (previous) DestroyIcon(previous);
}

}  // namespace

float FadeStep(double delta, int16_t speed) {
    // A speed typed into the settings file by hand may be as low as 1: a thousand 30 ms steps, half
    // a minute with the thread blocked. Nothing fades slower than the options slider's slowest.
    if (speed != 0 && std::abs(speed) < kSlowestFadeSpeed) speed = speed < 0 ? -kSlowestFadeSpeed : kSlowestFadeSpeed;
    return static_cast<float>(delta / 1000.0 * speed);
}

std::vector<uint8_t> FadeAlphas(float from, float to, float step) {
    std::vector<uint8_t> alphas;
    if (step == 0.0f) return alphas;
    for (float a = from; step > 0 ? a <= to : a >= to; a += step)
        alphas.push_back(static_cast<uint8_t>(std::trunc(a)));
    return alphas;
}

namespace {

// Each taskbar edge counts only where it faces the rest of the screen: the bottom edge of a taskbar
// along the top is one, its top edge (the screen's own top) is not. Without a taskbar (an empty
// rectangle) none counts.
struct TaskbarSides {
    bool top = false, bottom = false, left = false, right = false;
    TaskbarSides(const SnapRectPx& T, double W, double H) {
        if (T.right <= T.left || T.bottom <= T.top) return;
        top = T.top <= 0 && T.bottom < H, bottom = T.top > 0 && T.bottom >= H;
        left = T.left <= 0 && T.right < W, right = T.left > 0 && T.right >= W;
    }
};

// The band table alone: each band moves the corner only when it lies inside it.
void SnapToBands(int32_t& lx, int32_t& ly, int32_t& dockY, const SnapScene& s) {
    const double W = s.screenWidthPx, H = s.screenHeightPx, Hm = s.mainHeightPx;
    const bool withMain = s.mainVisible || s.mainOpening;

    if (W - 90 < lx && lx < W - 70)
        lx = RoundEven(W - 80);
    else if (withMain && 230 < lx && lx < 250)
        lx = 240;  // the main window's left edge then rests at -3

    if (TopDock::InBand(ly)) {
        ly = TopDock::kDockPx;
        dockY = 1;
    } else if (H - Hm - 45 < ly && ly < H - Hm - 25) {
        ly = RoundEven(H - Hm - 35);
        dockY = 2;
    } else {
        dockY = 3;
    }

    const SnapRectPx& T = s.taskbar;
    const TaskbarSides at(T, W, H);
    if (at.bottom && T.top - Hm - 45 < ly && ly < T.top - Hm - 25) {
        ly = RoundEven(T.top - Hm - 35);
        dockY = 2;
    }
    if (at.top && T.bottom - 16 < ly && ly < T.bottom + 4) ly = T.bottom - 6;
    if (at.right && T.left - 90 < lx && lx < T.left - 70) lx = T.left - 80;
    if (at.left && T.right + 230 < lx && lx < T.right + 250) lx = T.right + 240;
}

// Past an edge counts as at it: the corner goes no further than where that edge's band docks it,
// so neither the bar nor the main window (when shown or opening) is left off the screen.
void KeepOnScreen(int32_t& lx, int32_t& ly, int32_t& dockY, const SnapScene& s) {
    const SnapRectPx& T = s.taskbar;
    const TaskbarSides at(T, s.screenWidthPx, s.screenHeightPx);
    const double right = at.right ? T.left : s.screenWidthPx, bottom = at.bottom ? T.top : s.screenHeightPx;
    const int32_t top = at.top ? T.bottom : 0, left = at.left ? T.right : 0;
    const bool withMain = s.mainVisible || s.mainOpening;
    if (lx > RoundEven(right - 80)) lx = RoundEven(right - 80);
    if (lx < left + (withMain ? 240 : 0)) lx = left + (withMain ? 240 : 0);
    if (ly > RoundEven(bottom - s.mainHeightPx - 35)) {
        ly = RoundEven(bottom - s.mainHeightPx - 35);
        dockY = 2;
    }
    if (ly < top + TopDock::kDockPx) {
        ly = top + TopDock::kDockPx;
        dockY = 1;
    }
}

}  // namespace

void ApplySnapBands(int32_t& lx, int32_t& ly, int32_t& dockY, const SnapScene& s) {
    SnapToBands(lx, ly, dockY, s);
    KeepOnScreen(lx, ly, dockY, s);
}

BarOpening OpenBar(BarPlace closed, const SnapScene& s) {
    // What the bands ask: docked at the bottom, the bar rises so the main window opens upward with
    // its foot where it was; elsewhere the corner snaps with room kept for the opening window.
    BarPlace asked = closed;
    if (closed.dockY == 2)
        asked.y = RoundEven(closed.y - s.mainHeightPx + 6);
    else
        SnapToBands(asked.x, asked.y, asked.dockY, s);
    BarOpening opening{asked, std::nullopt};
    KeepOnScreen(opening.open.x, opening.open.y, opening.open.dockY, s);
    // Moved further only to fit the window on the screen, the bar goes back once it closes, to
    // where the bands alone would have left it.
    if (!(opening.open == asked)) opening.back = CloseBar(asked, std::nullopt, s.mainHeightPx);
    return opening;
}

BarPlace CloseBar(BarPlace open, const std::optional<BarPlace>& back, double mainHeightPx) {
    if (back) return *back;
    if (open.dockY == 2) open.y = RoundEven(open.y + mainHeightPx - 6);
    return open;
}

FadeWait SetFadeWait(FadeWait wait) { return std::exchange(WaitSlot(), std::move(wait)); }

void SetWindowAlpha(HWND hWnd, COLORREF colorKey, uint8_t alpha) {
    LONG ex = GetWindowLongA(hWnd, GWL_EXSTYLE);
    SetWindowLongA(hWnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hWnd, colorKey, alpha, LWA_COLORKEY | LWA_ALPHA);
}

// A window gone from sight keeps no hold on the mouse: a skinned button that held it for its hover
// look would otherwise take the next click meant for whatever now lies under the pointer.
namespace {
void DropCaptureOf(HWND h) {
    HWND holder = GetCapture();
    if (holder && (holder == h || IsChild(h, holder))) ReleaseCapture();
}

bool CanTakeActivation(HWND w) {
    return IsWindowVisible(w) && IsWindowEnabled(w) && !(GetWindowLongW(w, GWL_STYLE) & WS_CHILD) &&
           !(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
}

// The active window about to hide passes the activation on first, to the uppermost window that
// could take it, as the system would right after the hide, but only when that window is one of
// ours: the keys then never leave the program between one of its windows and the next (a window
// manager that saw the focus fall to the screen would hand it to another program, and the window
// the program brings forward next would not get it back).
void PassActivationOn(HWND leaving) {
    if (GetForegroundWindow() != leaving) return;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == leaving || !CanTakeActivation(w)) continue;
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) SetForegroundWindow(w);
        return;
    }
}
}  // namespace

void FadeForm(forms::Form& frm, int16_t speed, bool modal) {
    frm.Load();
    HWND h = frm.hWnd();
    const uint8_t target = FadeTarget();
    const float step = FadeStep(target, speed);
    if (speed > 0) {
        SetWindowAlpha(h, mGlobal::TransparentColor, 0);
        frm.SetVisible(true);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        MakeTopmost(h);
        for (uint8_t alpha : FadeAlphas(0, target, step)) {
            Wait(kFadeStepMs);
            SetWindowAlpha(h, mGlobal::TransparentColor, alpha);
        }
        if (modal) RunModal(frm);
        MakeTopmost(h);
        SetWindowAlpha(h, mGlobal::TransparentColor, target);
        SetForegroundWindow(h);
    } else {
        for (uint8_t alpha : FadeAlphas(target, 0, step)) {
            Wait(kFadeStepMs);
            SetWindowAlpha(h, mGlobal::TransparentColor, alpha);
        }
        PassActivationOn(h);
        frm.SetVisible(false);
        DropCaptureOf(h);
    }
}

void FadeToInactive(forms::Form& main, forms::Form& start) {
    FadePair(main, start, mGlobal::Transparent, mGlobal::InactiveTransparent);
}

void FadeToActive(forms::Form& main, forms::Form& start) {
    FadePair(main, start, mGlobal::InactiveTransparent, mGlobal::Transparent);
}

void FadeToInactive() { FadeToInactive(fMain(), fStart()); }
void FadeToActive() { FadeToActive(fMain(), fStart()); }

SnapScene SceneOf(forms::Form& main, bool countMainHeight) {
    SnapScene scene;
    scene.screenWidthPx = forms::Screen::WidthTw() / mGlobal::TwipsX;
    scene.screenHeightPx = forms::Screen::HeightTw() / mGlobal::TwipsY;
    scene.mainVisible = main.Visible();
    scene.mainOpening = countMainHeight && !scene.mainVisible;
    scene.mainHeightPx = (!countMainHeight && !scene.mainVisible)
                             ? 6.0
                             : static_cast<int16_t>(RoundEven(main.Height())) / double(mGlobal::TwipsY);
    scene.taskbar = TaskbarRect();
    return scene;
}

void SnapToScreenEdges(POINT& pos, int16_t offsetX, int16_t offsetY, bool countMainHeight,
                       forms::Form& main) {
    const SnapScene scene = SceneOf(main, countMainHeight);
    int32_t lx = pos.x - offsetX, ly = pos.y - offsetY;
    int32_t dockY = mGlobal::DockY;
    ApplySnapBands(lx, ly, dockY, scene);
    mGlobal::DockY = dockY;
    pos = {lx + offsetX, ly + offsetY};
}

void SnapToScreenEdges(POINT& pos, int16_t offsetX, int16_t offsetY, bool countMainHeight) {
    SnapToScreenEdges(pos, offsetX, offsetY, countMainHeight, fMain());
}

void DragMainWindows(forms::Form& main, forms::Form& start, bool& startMoving) {
    startMoving = true;
    POINT p{};
    GetCursorPos(&p);
    SnapToScreenEdges(p, mGlobal::DragOffsetX, mGlobal::DragOffsetY, false, main);
    const double tx = mGlobal::TwipsX, ty = mGlobal::TwipsY;
    MoveWindowPx(start.hWnd(), p.x - mGlobal::DragOffsetX, p.y - mGlobal::DragOffsetY,
                 RoundEven(start.Width() / tx), RoundEven(start.Height() / ty));
    MoveWindowPx(main.hWnd(), RoundEven(start.Left() / tx - 243), RoundEven(start.Top() / ty + 36),
                 RoundEven(main.Width() / tx), RoundEven(main.Height() / ty));
}

void DragMainWindows() {
    fStart().ForgetPlaceWhenClosed();  // dragged, the pair stands where it was put
    DragMainWindows(fMain(), fStart(), fStart().moving);
}

void MoveWindowPx(HWND hWnd, int xPx, int yPx, int widthPx, int heightPx) {
    RECT before{}, shown{};
    GetWindowRect(hWnd, &before);
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    IntersectRect(&shown, &before, &screen);
    MoveWindow(hWnd, xPx, yPx, widthPx, heightPx, FALSE);
    // Without a repaint the system draws nothing, not even what comes into sight: that is ours.
    if (!EqualRect(&shown, &before))
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void SetFormIcons(HWND hWnd) {
    SendIcon(hWnd, SM_CXSMICON, SM_CYSMICON, ICON_SMALL);
    SendIcon(hWnd, SM_CXICON, SM_CYICON, ICON_BIG);
}

void OpenHelpFile() {
    DWORD attrs = GetFileAttributesA(mGlobal::HelpFile.c_str());
    bool exists = !mGlobal::HelpFile.empty() && attrs != INVALID_FILE_ATTRIBUTES &&
                  !(attrs & FILE_ATTRIBUTE_DIRECTORY);
    if (exists)
        ShellExecuteA(nullptr, "open", mGlobal::HelpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    else
        forms::MsgBox("Help not found!", MB_ICONINFORMATION, "Quillmate Help");
}

}  // namespace Func
