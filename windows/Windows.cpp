#include "windows/Windows.h"

namespace {
// The instance lives until the process ends; any access creates and loads its window.
template <class T>
T& Instance() {
    static T form;
    form.Load();
    return form;
}
}  // namespace

fClipboardForm& fClipboard() { return Instance<fClipboardForm>(); }
fMainForm& fMain() { return Instance<fMainForm>(); }
fStartForm& fStart() { return Instance<fStartForm>(); }
fTrayForm& fTray() { return Instance<fTrayForm>(); }
fUninstallForm& fUninstall() { return Instance<fUninstallForm>(); }
fAboutForm& fAbout() { return Instance<fAboutForm>(); }
fExitForm& fExit() { return Instance<fExitForm>(); }
fPopUpForm& fPopUp() { return Instance<fPopUpForm>(); }
fTipsForm& fTips() { return Instance<fTipsForm>(); }
fOptionsForm& fOptions() { return Instance<fOptionsForm>(); }
fInsertForm& fInsert() { return Instance<fInsertForm>(); }
fHideForm& fHide() { return Instance<fHideForm>(); }

bool IsOwnWindow(HWND w) {
    if (!w) return true;
    const HWND own[] = {fAbout().hWnd(), fExit().hWnd(),    fMain().hWnd(),    fPopUp().hWnd(),
                        fStart().hWnd(), fTips().hWnd(),    fTray().hWnd(),    fOptions().hWnd(),
                        fInsert().hWnd(), fHide().hWnd()};
    for (HWND h : own)
        if (h == w) return true;
    return false;
}
