#include "forms/Wnd.h"

namespace forms {

Wnd::~Wnd() { Destroy(); }

void Wnd::Destroy() {
    if (hwnd_) {
        HWND h = hwnd_;
        DestroyWindow(h);  // WM_NCDESTROY clears hwnd_
        hwnd_ = nullptr;
    }
}

bool Wnd::Create(const WndCreate& o) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(inst, o.className, &wc)) {
        // A class of that name made by someone else would never bind this object to its window.
        if (wc.lpfnWndProc != &Wnd::WindowProc) return false;
    } else {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = o.classStyle;
        wc.lpfnWndProc = &Wnd::WindowProc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = o.className;
        if (!RegisterClassExW(&wc)) return false;
    }
    HWND h = CreateWindowExW(o.exStyle, o.className, o.caption, o.style, o.xPx, o.yPx, o.widthPx,
                             o.heightPx, o.parent, o.idOrMenu, inst, this);
    return h != nullptr;
}

LRESULT Wnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(msg, wParam, lParam);
}

LRESULT Wnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Wnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Wnd* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Wnd*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Wnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT r = self->OnMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return r;
}

}  // namespace forms
