#include "windows/fTray.h"

#include <windowsx.h>

#include "app/mGlobal.h"

fTrayForm::~fTrayForm() {
    if (icon_) DestroyIcon(icon_);
}

void fTrayForm::Form_Load() {
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &fTrayForm::PictureProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuillmatePictureBox";
        RegisterClassExW(&wc);
        registered = true;
    }
    pctTray_ = CreateWindowExW(0, L"QuillmatePictureBox", L"", WS_CHILD, 0, 0, 16, 16, hWnd(), nullptr,
                               GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(pctTray_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void fTrayForm::pctTray_MouseMove(int, int, double, double) {
    // The tray menu opens from here once it exists; until then the icon only shows the program runs.
}

LRESULT CALLBACK fTrayForm::PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEMOVE) {
        if (auto* self = reinterpret_cast<fTrayForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            int button = (wParam & MK_LBUTTON) ? 1 : (wParam & MK_RBUTTON) ? 2 : (wParam & MK_MBUTTON) ? 4 : 0;
            int shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0);
            self->pctTray_MouseMove(button, shift, GET_X_LPARAM(lParam) * double(mGlobal::TwipsX),
                                    GET_Y_LPARAM(lParam) * double(mGlobal::TwipsY));
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
