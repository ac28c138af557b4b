#include "support/cTextBoxBackground.h"

#include "support/TilePieces.h"

cTextBoxBackground::~cTextBoxBackground() { Detach(); }

GSubclass& cTextBoxBackground::Engine() {
    if (!engine_) engine_ = std::make_unique<GSubclass>();
    return *engine_;
}

void cTextBoxBackground::SetBackdrop(const forms::Picture& pic) {
    if (pic.IsEmpty()) return;
    // The picture lends its bitmap for the copy and gets it back.
    cMemDC lent;
    lent.InjectBitmap(pic.Handle());
    tile_.SetWidth(lent.Width());
    tile_.SetHeight(lent.Height());
    BitBlt(tile_.hDC(), 0, 0, lent.Width(), lent.Height(), lent.hDC(), 0, 0, SRCCOPY);
    lent.ExtractBitmap();
}

void cTextBoxBackground::TileArea(HDC hdcTo, int32_t x, int32_t y, int32_t Width, int32_t Height) {
    HDC tile = tile_.hDC();
    if (!tile) return;  // no backdrop yet
    for (const TilePiece& p : TilePieces(x, y, Width, Height, tile_.Width(), tile_.Height(), offsetX_, offsetY_))
        BitBlt(hdcTo, p.x, p.y, p.width, p.height, tile, p.srcX, p.srcY, SRCCOPY);
}

void cTextBoxBackground::Attach(HWND hWndA, bool DisablePaste) {
    Detach();
    edit_ = hWndA;
    Engine().AttachMessage(*this, edit_, WM_PAINT);
    parent_ = GetParent(edit_);
    Engine().AttachMessage(*this, parent_, WM_CTLCOLOREDIT);
    Engine().AttachMessage(*this, parent_, WM_COMMAND);
    Engine().AttachMessage(*this, edit_, WM_ERASEBKGND);
    Engine().AttachMessage(*this, edit_, WM_DESTROY);
    if (DisablePaste) Engine().AttachMessage(*this, edit_, WM_PASTE);
}

void cTextBoxBackground::Detach() {
    if (!edit_) return;
    Engine().DetachMessage(*this, edit_, WM_PAINT);
    if (parent_) {
        Engine().DetachMessage(*this, parent_, WM_CTLCOLOREDIT);
        Engine().DetachMessage(*this, parent_, WM_COMMAND);
    }
    parent_ = nullptr;
    Engine().DetachMessage(*this, edit_, WM_ERASEBKGND);
    Engine().DetachMessage(*this, edit_, WM_DESTROY);
    Engine().DetachMessage(*this, edit_, WM_PASTE);
    edit_ = nullptr;
}

int32_t cTextBoxBackground::MsgResponse() {
    return Engine().CurrentMessage() == WM_DESTROY ? kRunBefore : kConsume;
}

// Composed off screen and copied in one piece, so the text never flickers over a bare field.
void cTextBoxBackground::Redraw() {
    RECT r;
    GetClientRect(edit_, &r);
    buffer_.SetWidth(r.right - r.left + 1);
    buffer_.SetHeight(r.bottom - r.top + 1);
    HDC buffer = buffer_.hDC();
    TileArea(buffer, 0, 0, buffer_.Width(), buffer_.Height());
    SendMessageA(edit_, WM_PRINT, reinterpret_cast<WPARAM>(buffer), PRF_CHECKVISIBLE | PRF_CLIENT);
    HDC dc = GetDC(edit_);
    BitBlt(dc, 0, 0, buffer_.Width(), buffer_.Height(), buffer, 0, 0, SRCCOPY);
    ReleaseDC(edit_, dc);
}

// The edit asks for its colours again while printing itself: one nested redraw, no deeper.
void cTextBoxBackground::GuardedRedraw() {
    if (guard_) return;
    guard_ = true;
    Redraw();
    guard_ = false;
}

LRESULT cTextBoxBackground::WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == edit_ && (HIWORD(wParam) == EN_HSCROLL || HIWORD(wParam) == EN_VSCROLL))
                scrollState_ = 1;
            return Engine().CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        case WM_DESTROY:
            Detach();
            return 0;
        case WM_PAINT: {
            const LRESULT result = Engine().CallOldWindowProc(hwnd, iMsg, wParam, lParam);
            if (scrollState_ == 0) Redraw();
            else if (scrollState_ == 2) scrollState_ = 0;
            return result;
        }
        case WM_ERASEBKGND: return 1;
        case WM_PASTE: return 1;
        case WM_CTLCOLOREDIT: {
            if (reinterpret_cast<HWND>(lParam) != edit_) return Engine().CallOldWindowProc(hwnd, iMsg, wParam, lParam);
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            const LRESULT brush = Engine().CallOldWindowProc(hwnd, iMsg, wParam, lParam);
            if (scrollState_ == 0) {
                GuardedRedraw();
            } else if (scrollState_ == 1) {
                scrollState_ = 2;
                GuardedRedraw();
            } else {
                scrollState_ = 0;
            }
            return brush;
        }
        default: return 0;
    }
}
