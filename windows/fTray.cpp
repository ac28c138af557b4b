#include "windows/fTray.h"

fTrayForm::fTrayForm() {
    pctTray.MouseMove = [this](forms::MouseArgs& a) { pctTray_MouseMove(a.Button, a.Shift, a.X, a.Y); };
}

fTrayForm::~fTrayForm() {
    if (icon_) DestroyIcon(icon_);
}

void fTrayForm::Form_Load() {
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    pctTray.Move(0, 0, 240, 240);
}

void fTrayForm::pctTray_MouseMove(int32_t, int32_t, double, double) {
    // The tray menu opens from here once it exists; until then the icon shows that the program runs.
}
