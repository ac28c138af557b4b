// Shows a green backdrop and, over it, a borderless layered form whose magenta background is the
// colour key, with a red image and a blue label on it; writes <folder>\ready once both are drawn
// and runs until it is ended (a minute at most).
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Timer.h"
#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    TestForm backdrop(400, 300, 100, 100), top(300, 150, 150, 150);
    backdrop.SetBackColor(RGB(0, 200, 0));
    top.SetScaleMode(forms::ScaleMode::Pixels);
    top.SetBackColor(RGB(255, 0, 255));
    forms::Image img(top);
    img.SetPicture(SolidPicture(50, 50, RGB(220, 0, 0)));
    img.Move(10, 10, 50, 50);
    forms::Label lbl(top);
    lbl.Move(100, 10, 60, 40);
    lbl.SetBackColor(RGB(0, 0, 220));

    top.Load();
    SetWindowLongW(top.hWnd(), GWL_EXSTYLE, GetWindowLongW(top.hWnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(top.hWnd(), RGB(255, 0, 255), 255, LWA_COLORKEY | LWA_ALPHA);
    backdrop.Show();
    top.Show();
    SetWindowPos(top.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Half a second of drawn windows before the photograph.
    const std::wstring ready = std::wstring(argv[1]) + L"\\ready";
    forms::Timer drawn(top, 500, true), end(top, 60000, true);
    drawn.Tick = [&] { CloseHandle(CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)); };
    end.Tick = [] { PostQuitMessage(0); };
    for (MSG m; GetMessageW(&m, nullptr, 0, 0) > 0;) DispatchMessageW(&m);
    return 0;
}
