#include "windows/fClipboard.h"

#include "app/Startup.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "app/mdlInput.h"
#include "windows/Windows.h"

forms::WndCreate fClipboardForm::CreateOptions() {
    forms::WndCreate o = Form::CreateOptions();
    o.caption = L"Quillmate";
    return o;
}

void fClipboardForm::Form_Load() { SetTimer(hWnd(), kTimer1, 50, nullptr); }

void fClipboardForm::Form_Activate() {
    if (!fStart().Visible()) Func::FadeForm(fStart(), mGlobal::PaiseSpeed, false);
    if (fStart().visibl && !fMain().Visible()) Func::FadeForm(fMain(), mGlobal::PaiseSpeed, false);
    SetForegroundWindow(fStart().hWnd());
}

void fClipboardForm::Timer1_Timer() {
    mdlInput::ShowClipFilesNotice();  // the saving thread cannot show it itself
    HWND w = GetForegroundWindow();
    if (!IsOwnWindow(w)) {
        Func::FadeToInactive();
        mGlobal::LastForegroundWnd = w;
    } else {
        Func::FadeToActive();
    }
}

LRESULT fClipboardForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            // Handing the foreground on while this window is still being activated does not stick:
            // finish the activation first.
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(hWnd(), kActivated, 0, 0);
            return DefaultProc(msg, wParam, lParam);
        case kActivated:
            Form_Activate();
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1) Timer1_Timer();
            return 0;
        case WM_CLOSE:  // asked to close from outside (task manager, a script): end in order
            // Once: the exit's fades answer what other programs send, a second close among it.
            if (!mGlobal::Exiting) Func::ExitProgram();
            return 0;
        case WM_ENDSESSION:  // Windows is logging off: keep the history and settings
            // During the exit they are saved already, and its fades answer this notice: saving
            // again would bring back clip files the exit deleted.
            if (wParam && !mGlobal::Exiting) mdlInput::SaveAll();
            return 0;
    }
    return Form::OnMessage(msg, wParam, lParam);
}
