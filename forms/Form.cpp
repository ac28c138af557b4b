#include "forms/Form.h"

#include "forms/KeyEvents.h"

#include <cmath>
#include <utility>

#include "forms/Screen.h"

namespace forms {
namespace {
int TwToPxX(double tw) { return static_cast<int>(std::nearbyint(tw / Screen::TwipsPerPixelX())); }
int TwToPxY(double tw) { return static_cast<int>(std::nearbyint(tw / Screen::TwipsPerPixelY())); }
}  // namespace

WndCreate Form::CreateOptions() {
    WndCreate o;
    o.className = L"QuillmateForm";
    o.style = WS_POPUP | WS_CLIPCHILDREN;
    o.exStyle = WS_EX_TOOLWINDOW;
    return o;
}

void Form::Load() {
    if (IsCreated() || loading_) return;
    loading_ = true;
    if (Create(CreateOptions())) Form_Load();
    loading_ = false;
}

void Form::ZOrder(int position) {
    Load();
    SetWindowPos(hWnd(), position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::Unload() {
    if (!IsCreated()) return;
    Form_Unload();
    Destroy();
}

void Form::OnSurfaceMouse(MouseEvent e, MouseArgs& a) {
    switch (e) {
        case MouseEvent::Down: Form_MouseDown(a); break;
        case MouseEvent::Move: Form_MouseMove(a); break;
        case MouseEvent::Up: Form_MouseUp(a); break;
        case MouseEvent::Click: Form_Click(); break;
        case MouseEvent::DblClick: Form_DblClick(); break;
    }
    ControlHost::OnSurfaceMouse(e, a);
}

void Form::SetPicture(forms::Picture p) {
    picture_ = std::move(p);
    if (IsCreated()) Refresh();
}

void Form::PaintBackground(HDC dc, const RECT& clientPx) {
    ControlHost::PaintBackground(dc, clientPx);
    picture_.Draw(dc, 0, 0, clientPx.right, clientPx.bottom);
}

void Form::OnPaint(HDC backBuffer) {
    Form_Paint(backBuffer);
    ControlHost::OnPaint(backBuffer);
}


RECT Form::WindowRectPx() {
    Load();
    RECT r{};
    GetWindowRect(hWnd(), &r);
    return r;
}

double Form::Left() { return WindowRectPx().left * Screen::TwipsPerPixelX(); }
double Form::Top() { return WindowRectPx().top * Screen::TwipsPerPixelY(); }
double Form::Width() {
    RECT r = WindowRectPx();
    return (r.right - r.left) * Screen::TwipsPerPixelX();
}
double Form::Height() {
    RECT r = WindowRectPx();
    return (r.bottom - r.top) * Screen::TwipsPerPixelY();
}

void Form::Move(double leftTw, double topTw, double widthTw, double heightTw) {
    Load();
    const RECT now = WindowRectPx();
    const int x = TwToPxX(leftTw), y = TwToPxY(topTw), w = TwToPxX(widthTw), h = TwToPxY(heightTw);
    // A skin change sets every size again, mostly to what it was: that costs the system nothing.
    if (now.left == x && now.top == y && now.right - now.left == w && now.bottom - now.top == h) return;
    SetWindowPos(hWnd(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}
void Form::SetLeft(double tw) { Move(tw, Top(), Width(), Height()); }
void Form::SetTop(double tw) { Move(Left(), tw, Width(), Height()); }
void Form::SetWidth(double tw) { Move(Left(), Top(), tw, Height()); }
void Form::SetHeight(double tw) { Move(Left(), Top(), Width(), tw); }

bool Form::Visible() { return IsCreated() && IsWindowVisible(hWnd()); }

void Form::SetVisible(bool visible) {
    Load();
    ShowWindow(hWnd(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

std::wstring Form::Caption() {
    Load();
    int n = GetWindowTextLengthW(hWnd());
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hWnd(), s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void Form::SetCaption(const std::wstring& text) {
    Load();
    SetWindowTextW(hWnd(), text.c_str());
}

LRESULT Form::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
            break;
        case WM_CLOSE:  // closing a form only hides it; the program decides when to end
            Hide();
            return 0;
    }
    const KeyHandlers keys{[this](int32_t& c, int32_t& s) { Form_KeyDown(c, s); },
                           [this](int32_t& c, int32_t& s) { Form_KeyUp(c, s); },
                           [this](int32_t& a) { Form_KeyPress(a); }};
    if (RaiseKeyEvent(msg, wParam, keys)) return 0;
    return ControlHost::OnMessage(msg, wParam, lParam);
}

}  // namespace forms
