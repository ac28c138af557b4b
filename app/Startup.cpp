#include "app/Startup.h"

#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/CommandLine.h"
#include "app/SkinWiring.h"
#include "model/TextConv.h"
#include "app/WindowEffects.h"
#include "model/mGlobal.h"
#include "app/mdlInput.h"
#include "support/mdlLog.h"
#include "app/mdlPrevInst.h"
#include "app/mdlQuillmate.h"
#include "app/mdlTray.h"
#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "skin/SkinEnvironment.h"
#include "support/PlainFiles.h"
#include "windows/Windows.h"

namespace Func {
namespace {
std::string SystemDllCopy() {
    char windir[MAX_PATH] = {};
    GetEnvironmentVariableA("windir", windir, sizeof windir);
    return std::string(windir) + "\\system32\\QMUnpackDLL.dll";
}

int32_t RoundHalfEven(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

void RunUpdater() {
    const std::string updater = ExecutableFolder() + "\\Updater.exe";
    if (!NormalFileExists(updater)) return;
    std::string cmd = ExecutableFolder() + "\\Updater.exe /version:" + mGlobal::AppVersion;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}
}  // namespace

std::string ReadAppVersion() {
    const std::string path = ExecutablePath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len) || !fixed)
        return "0.0.0";
    // Major and minor are the first two fields, the revision the last.
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
           "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

void CheckRequiredFiles() {
    const std::string dll = ExecutableFolder() + "\\Skin.dll";
    if (NormalFileExists(dll)) {
        CopyFileA(dll.c_str(), SystemDllCopy().c_str(), FALSE);
        return;
    }
    forms::MsgBox("Skin.dll not found! Quillmate can't run!", MB_ICONERROR, "Critical Error");
    ExitProcess(0);
}

void DeleteSystemDllCopies() { DeleteFileA(SystemDllCopy().c_str()); }

bool Main() {
    if (HasSwitch(u"/uninstall")) {
        fUninstall().Show();
        return true;
    }
    const mdlPrevInst::InstanceCheck previous = mdlPrevInst::PreviousInstanceRunning(mdlInput::DataFolder());
    if (mdlPrevInst::ActivatePrevInstance("Quillmate") || previous.Running) return false;

    CheckRequiredFiles();
    mGlobal::TwipsX = RoundHalfEven(forms::Screen::TwipsPerPixelX());
    mGlobal::TwipsY = RoundHalfEven(forms::Screen::TwipsPerPixelY());
    mGlobal::TransparentColor = RGB(255, 0, 255);
    mGlobal::HelpFile = ExecutableFolder() + "\\HELP.chm";
    mGlobal::RestoreClips = true;
    mGlobal::Transparent = 255;
    mGlobal::InactiveTransparent = 255;
    mGlobal::PaiseSpeed = 1000;
    mGlobal::AppVersion = ReadAppVersion();
    mGlobal::Combination = 3;

    mdlLog::SetLogFile(ExecutableFolder() + "\\Log.txt");
    mdlLog::DeleteLog();
    mdlLog::WriteLog("Log opened. Starting Quillmate...", true);
    mdlLog::WriteLog("Quillmate version: " + mGlobal::AppVersion, true);
    mdlLog::WriteLog("", true);
    mdlLog::WriteLog("Start loading data", true);
    if (!previous.Note.empty()) mdlLog::WriteLog(previous.Note, true);
    mdlLog::WriteLog("Run updater...");
    RunUpdater();

    // The skin clean-up inside the settings load is the first use of the hidden window.
    mdlSkin::SetOwnerWindow([] { return fClipboard().hWnd(); });
    SkinWiring::Install();
    // A skin failure that ends the program once it runs (a skin chosen in the options) still saves
    // the settings and clips on the way out; during start-up nothing is loaded that could be lost.
    mdlSkin::SetEndProgram([] {
        if (mGlobal::Started) ExitProgram();
        ExitProcess(0);
    });
    mdlInput::LoadAll();

    fAbout().Load();
    fClipboard().Load();
    fExit().Load();
    fMain().Load();
    fOptions().Load();
    fPopUp().Load();
    fStart().Load();
    fTips().Load();
    fTray().Load();

    DeleteSystemDllCopies();
    mdlLog::WriteLog("Data was loaded", true);
    mdlLog::WriteLog("\r\n", true);
    mdlLog::WriteLog("->Programm is ready to start", true);
    mdlLog::WriteLog("\r\n", true);
    fTips().SetVisible(true);
    ShowStartWindows();
    return true;
}

void ShowStartWindows() {
    if (mGlobal::Started) return;
    const double tx = mGlobal::TwipsX, ty = mGlobal::TwipsY;
    // The main window opens with the bar, as a click on Down opens it: room is kept for it beside
    // and below the bar, so neither starts off the screen, and a bar moved only to make that room
    // goes back where it stood when the main window closes.
    const BarPlace open = fStart().OpeningPlace();
    mGlobal::DockY = open.dockY;
    const POINT p{open.x, open.y};
    const int startWidthPx = RoundHalfEven(fStart().Width() / tx);
    const int startHeightPx = RoundHalfEven(fStart().Height() / ty);
    MoveWindow(fStart().hWnd(), p.x, p.y, startWidthPx, startHeightPx, FALSE);
    MoveWindow(fMain().hWnd(), RoundHalfEven(fStart().Left() / tx - 243), RoundHalfEven(fStart().Top() / ty + 36),
               RoundHalfEven(fMain().Width() / tx), RoundHalfEven(fMain().Height() / ty), FALSE);
    FadeForm(fStart(), mGlobal::PaiseSpeed, false);
    FadeForm(fMain(), mGlobal::PaiseSpeed, false);
    ParseCommand();
    mGlobal::Started = true;
}

void ParseCommand() {
    mdlLog::WriteLog("Parsing comand...");
    if (!HasSwitch(u"/noicon")) mdlTray::AddTrayIcon();
    if (!HasSwitch(u"/noview")) mdlQuillmate::JoinClipboardChain(fClipboard().hWnd());
}

void ExitProgram() {
    mGlobal::Exiting = true;
    DeleteSystemDllCopies();
    mdlTray::RemoveTrayIcon();
    mdlLog::WriteLog("\r\n", true);
    mdlLog::WriteLog("->Programm is prepering to exit", true);
    mdlLog::WriteLog("\r\n", true);
    mdlInput::SaveAll();
    if (!mGlobal::RestoreClips) mdlInput::DeleteClipFiles();
    forms::Form* fading[] = {&fExit(), &fTips(), &fAbout(), &fPopUp(), &fMain(), &fStart()};
    for (forms::Form* f : fading)
        if (f->Visible()) FadeForm(*f, static_cast<int16_t>(-mGlobal::PaiseSpeed), false);
    fStart().Unload();
    fMain().Unload();
    mdlQuillmate::RestoreWndProc(fClipboard().hWnd());
    mdlLog::WriteLog("\r\n", true);
    mdlLog::WriteLog("->Programm is unload", true);
    ExitProcess(0);
}

}  // namespace Func
