// Shows a green backdrop and, over it, a borderless layered form whose magenta background is the
// colour key, with a red image and a blue label on it; writes <folder>\ready once both are drawn
// and ends when <folder>\stop appears (or after a minute).
#include <windows.h>

#include <string>

#include "forms/Form.h"
#include "forms/GdiObj.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/MemDC.h"
#include "forms/Timer.h"

namespace {

forms::Picture Solid(int w, int h, COLORREF c) {
    HDC screen = GetDC(nullptr);
    forms::GdiObj<HBITMAP> bmp(CreateCompatibleBitmap(screen, w, h));
    {
        forms::MemDC dc(screen);
        HGDIOBJ old = SelectObject(dc.Get(), bmp.Get());
        forms::GdiObj<HBRUSH> brush(CreateSolidBrush(c));
        RECT r{0, 0, w, h};
        FillRect(dc.Get(), &r, brush.Get());
        SelectObject(dc.Get(), old);
    }
    ReleaseDC(nullptr, screen);
    return forms::Picture::FromBitmap(std::move(bmp));
}

class Placed : public forms::Form {
public:
    Placed(RECT r, const wchar_t* cls) : r_(r), cls_(cls) {}

protected:
    forms::WndCreate CreateOptions() override {
        auto o = Form::CreateOptions();
        o.className = cls_;
        o.xPx = r_.left;
        o.yPx = r_.top;
        o.widthPx = r_.right - r_.left;
        o.heightPx = r_.bottom - r_.top;
        return o;
    }

private:
    RECT r_;
    const wchar_t* cls_;
};

bool Exists(const std::wstring& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring folder = argv[1];
    Placed backdrop({100, 100, 500, 400}, L"QmProbeBackdrop");
    backdrop.SetBackColor(RGB(0, 200, 0));
    Placed top({150, 150, 450, 300}, L"QmProbeLayered");
    top.SetScaleMode(forms::ScaleMode::Pixels);
    top.SetBackColor(RGB(255, 0, 255));
    forms::Image img(top);
    img.SetPicture(Solid(50, 50, RGB(220, 0, 0)));
    img.Move(10, 10, 50, 50);
    forms::Label lbl(top);
    lbl.Move(100, 10, 60, 40);
    lbl.SetBackColor(RGB(0, 0, 220));

    backdrop.Load();
    top.Load();
    LONG ex = GetWindowLongW(top.hWnd(), GWL_EXSTYLE);
    SetWindowLongW(top.hWnd(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(top.hWnd(), RGB(255, 0, 255), 255, LWA_COLORKEY | LWA_ALPHA);
    backdrop.Show();
    top.Show();
    SetWindowPos(top.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(backdrop.hWnd());
    UpdateWindow(top.hWnd());

    forms::Timer poll(top, 50, true);
    int ticks = 0;
    poll.Tick = [&] {
        if (++ticks == 10) {  // half a second of drawn windows before the photograph
            HANDLE f = CreateFileW((folder + L"\\ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
        }
        if (Exists(folder + L"\\stop") || ticks > 1200) PostQuitMessage(0);
    };
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
