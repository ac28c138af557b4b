#pragma once
// Wnd: owns one HWND and routes its messages to a virtual OnMessage.
#include <windows.h>

namespace forms {

// Options for creating a window; the class is registered on first use.
struct WndCreate {
    const wchar_t* className = L"QuillmateWnd";
    const wchar_t* caption = L"";
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    int xPx = 0, yPx = 0, widthPx = 0, heightPx = 0;
    HWND parent = nullptr;
    HMENU idOrMenu = nullptr;
    UINT classStyle = CS_DBLCLKS;
};

// The object is bound to its window at WM_NCCREATE and unbound at WM_NCDESTROY, so it must not
// move while the window lives: Wnd is neither copyable nor movable.
class Wnd {
public:
    Wnd() = default;
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;
    virtual ~Wnd();

    HWND hWnd() const { return hwnd_; }
    bool IsCreated() const { return hwnd_ != nullptr; }
    void Destroy();

    // The procedure every Wnd is created with; exposed so a subclass can call it back.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    bool Create(const WndCreate& opts);
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    HWND hwnd_ = nullptr;
};

}  // namespace forms
