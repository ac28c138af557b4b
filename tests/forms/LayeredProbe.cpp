// Shows a green backdrop and, over it, a borderless layered form whose magenta background is the
// colour key, with a red image and a blue label on it; writes <folder>\ready once both are drawn
// and ends when <folder>\stop appears (or after a minute).
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Timer.h"
#include "tests/forms/GdiProbe.h"
#include "tests/forms/TestForm.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring folder = argv[1];
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

    forms::Timer poll(top, 50, true);
    int ticks = 0;
    poll.Tick = [&] {
        if (++ticks == 10)  // half a second of drawn windows before the photograph
            CloseHandle(CreateFileW((folder + L"\\ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (GetFileAttributesW((folder + L"\\stop").c_str()) != INVALID_FILE_ATTRIBUTES || ticks > 1200)
            PostQuitMessage(0);
    };
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
