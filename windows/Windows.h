#pragma once
// The program's windows: one instance each, created and loaded on first use, kept for the run.
#include "windows/PlainForm.h"
#include "windows/fAbout.h"
#include "windows/fClipboard.h"
#include "windows/fExit.h"
#include "windows/fHide.h"
#include "windows/fInsert.h"
#include "windows/fMain.h"
#include "windows/fPopUp.h"
#include "windows/fStart.h"
#include "windows/fTips.h"
#include "windows/fTray.h"
#include "windows/fUninstall.h"

fClipboardForm& fClipboard();
fMainForm& fMain();
fStartForm& fStart();
fTrayForm& fTray();
fUninstallForm& fUninstall();
fAboutForm& fAbout();
fExitForm& fExit();
fPopUpForm& fPopUp();
fTipsForm& fTips();
fOptionsForm& fOptions();
fInsertForm& fInsert();
fHideForm& fHide();

// True when w is one of the windows the user works with (not the hidden one, nor the survey).
bool IsOwnWindow(HWND w);
