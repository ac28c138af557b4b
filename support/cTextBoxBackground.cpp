#include "support/cTextBoxBackground.h"

#include <algorithm>

#include "support/SupportError.h"

namespace {

// The remainder in 0 .. m - 1, also for a negative a, so that any offset keeps the tiles in phase.
int32_t Phase(int64_t a, int32_t m) { return static_cast<int32_t>(((a % m) + m) % m); }

}  // namespace

cTextBoxBackground::~cTextBoxBackground() { Detach(); }

GSubclass& cTextBoxBackground::Engine() {
    if (!engine_) engine_ = std::make_unique<GSubclass>();
    return *engine_;
}

void cTextBoxBackground::SetBackdrop(const forms::Picture& pic) {
    if (pic.IsEmpty()) return;
    cMemDC source;
    source.InjectBitmap(pic.Handle());
    // Whatever happens, the picture gets its bitmap back rather than the temporary deleting it.
    struct HandBack {
        cMemDC& dc;
        ~HandBack() { (void)dc.ExtractBitmap(); }
    } handBack{source};
    tile_.SetWidth(source.Width());
    tile_.SetHeight(source.Height());
    BitBlt(tile_.hDC(), 0, 0, source.Width(), source.Height(), source.hDC(), 0, 0, SRCCOPY);
}

void cTextBoxBackground::TileArea(HDC hdcTo, int32_t x, int32_t y, int32_t Width, int32_t Height) {
    const int32_t w = tile_.Width(), h = tile_.Height();
    if (w <= 0 || h <= 0 || Height <= 0 || Width <= 0) return;
    HDC tile = tile_.hDC();
    const int32_t sx = Phase(int64_t{tileOffsetX_} + x, w), sy = Phase(int64_t{tileOffsetY_} + y, h);
    for (int32_t top = y, fromY = sy; top < y + Height; top += h - fromY, fromY = 0) {
        const int32_t rows = std::min(h - fromY, y + Height - top);
        for (int32_t left = x, fromX = sx; left < x + Width; left += w - fromX, fromX = 0) {
            const int32_t cols = std::min(w - fromX, x + Width - left);
            BitBlt(hdcTo, left, top, cols, rows, tile, fromX, fromY, SRCCOPY);
        }
    }
}

void cTextBoxBackground::Attach(HWND hWndA, bool DisablePaste) {
    Detach();
    GSubclass& engine = Engine();
    edit_ = hWndA;
    engine.AttachMessage(*this, edit_, WM_PAINT);
    parent_ = GetParent(edit_);
    engine.AttachMessage(*this, parent_, WM_CTLCOLOREDIT);
    engine.AttachMessage(*this, parent_, WM_COMMAND);
    engine.AttachMessage(*this, edit_, WM_ERASEBKGND);
    engine.AttachMessage(*this, edit_, WM_DESTROY);
    if (DisablePaste) engine.AttachMessage(*this, edit_, WM_PASTE);
}

void cTextBoxBackground::Detach() {
    if (!edit_) return;
    GSubclass& engine = Engine();
    engine.DetachMessage(*this, edit_, WM_PAINT);
    if (parent_) {
        engine.DetachMessage(*this, parent_, WM_CTLCOLOREDIT);
        engine.DetachMessage(*this, parent_, WM_COMMAND);
    }
    parent_ = nullptr;
    engine.DetachMessage(*this, edit_, WM_ERASEBKGND);
    engine.DetachMessage(*this, edit_, WM_DESTROY);
    engine.DetachMessage(*this, edit_, WM_PASTE);
    edit_ = nullptr;
    scroll_ = ScrollState::Idle;
}

int32_t cTextBoxBackground::MsgResponse() {
    // At its destruction the edit's own procedure runs first; the rest is answered here.
    return engine_ && engine_->CurrentMessage() == WM_DESTROY ? kRunBefore : kConsume;
}

LRESULT cTextBoxBackground::WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
        case WM_COMMAND: return OnCommand(hwnd, wParam, lParam);
        case WM_DESTROY: Detach(); return 0;
        case WM_PAINT: return OnPaint(hwnd, wParam, lParam);
        case WM_ERASEBKGND: return 1;  // the redraw paints every pixel
        case WM_PASTE: return 1;       // attached only when pasting is blocked
        case WM_CTLCOLOREDIT: return OnCtlColorEdit(hwnd, wParam, lParam);
    }
    return 0;
}

LRESULT cTextBoxBackground::OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const UINT code = HIWORD(wParam);
    if (reinterpret_cast<HWND>(lParam) == edit_ && (code == EN_HSCROLL || code == EN_VSCROLL))
        scroll_ = ScrollState::Scrolled;
    return Engine().CallOldWindowProc(hwnd, WM_COMMAND, wParam, lParam);
}

LRESULT cTextBoxBackground::OnPaint(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Engine().CallOldWindowProc(hwnd, WM_PAINT, wParam, lParam);
    // After a scroll the colour request that follows redraws; this paint only ends the scroll.
    switch (scroll_) {
        case ScrollState::Idle: Redraw(); break;
        case ScrollState::Scrolled: break;
        case ScrollState::Redrawn: scroll_ = ScrollState::Idle; break;
    }
    return result;
}

LRESULT cTextBoxBackground::OnCtlColorEdit(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != edit_) return Engine().CallOldWindowProc(hwnd, WM_CTLCOLOREDIT, wParam, lParam);
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    // The parent still sets up the device context (its text colour), but the edit gets the hollow
    // brush: it fills its background with whatever brush it gets, which would cover the tiles.
    Engine().CallOldWindowProc(hwnd, WM_CTLCOLOREDIT, wParam, lParam);
    switch (scroll_) {
        case ScrollState::Idle: GuardedRedraw(); break;
        case ScrollState::Scrolled:
            scroll_ = ScrollState::Redrawn;
            GuardedRedraw();
            break;
        case ScrollState::Redrawn: scroll_ = ScrollState::Idle; break;
    }
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void cTextBoxBackground::GuardedRedraw() {
    if (redrawing_) return;
    redrawing_ = true;
    Redraw();
    redrawing_ = false;
}

void cTextBoxBackground::Redraw() {
    if (!edit_) return;
    RECT r{};
    GetClientRect(edit_, &r);
    buffer_.SetWidth(r.right - r.left + 1);
    buffer_.SetHeight(r.bottom - r.top + 1);
    HDC buffer = nullptr;
    try {
        buffer = buffer_.hDC();
    } catch (const SupportError&) {
        return;  // no memory for the buffer: the edit keeps its own plain painting
    }
    if (!buffer) return;
    TileArea(buffer, 0, 0, buffer_.Width(), buffer_.Height());
    SendMessageA(edit_, WM_PRINT, reinterpret_cast<WPARAM>(buffer), PRF_CHECKVISIBLE | PRF_CLIENT);
    HDC screen = GetDC(edit_);
    BitBlt(screen, 0, 0, buffer_.Width(), buffer_.Height(), buffer, 0, 0, SRCCOPY);
    ReleaseDC(edit_, screen);
}
